#pragma once
// The starter puzzles that a new, empty store receives: simple scenes drawn in code.

#include "PuzzleDescription.h"

#include <QImage>
#include <QList>

struct StarterPuzzle
{
    PuzzleDescription description;
    QImage (*draw)();  // a 360 x 360 picture
};

QList<StarterPuzzle> starterPuzzles();
