#pragma once
// Descriptions for benchmark stores: puzzle n varies its grid, model mode, rotation and clock.

#include "store/PuzzleDescription.h"

namespace tivane {

inline PuzzleDescription variedDescription(int n)
{
    PuzzleDescription d;
    d.puzzleName = QStringLiteral("Puzzle numéro %1").arg(n);
    d.gridCols = 1 + n % 6;
    d.gridRows = 1 + n / 6 % 6;
    d.modelMode = n % 4;
    d.modelAllowed = d.modelMode != 0;
    d.rotationEnabled = n % 2;
    d.timeLimit = n % 3 == 0 ? 120 : 0;
    return d;
}

} // namespace tivane
