#pragma once
// The starter puzzles: simple scenes drawn in code, written out by tivane_starter_writer.

#include "store/PuzzleDescription.h"

#include <QImage>
#include <QList>

namespace tivane {

struct StarterPuzzle
{
    PuzzleDescription description;
    QImage (*draw)();  // a 360 x 360 picture
};

QList<StarterPuzzle> starterPuzzles();

} // namespace tivane
