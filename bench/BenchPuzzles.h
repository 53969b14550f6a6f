#pragma once
// Descriptions for benchmark stores: puzzle n varies its grid, model mode, rotation and clock.

#include "PuzzleDescription.h"

inline PuzzleDescription variedDescription(int n)
{
    PuzzleDescription d;
    d.PuzzleName = QStringLiteral("Puzzle numéro %1").arg(n);
    d.GridCols = 1 + n % 6;
    d.GridRows = 1 + n / 6 % 6;
    d.ModelMode = n % 4;
    d.ModelAllowed = d.ModelMode != 0;
    d.RotationEnabled = n % 2;
    d.TimeLimit = n % 3 == 0 ? 120 : 0;
    return d;
}
