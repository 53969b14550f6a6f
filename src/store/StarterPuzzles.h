#pragma once
// The starter puzzles that ship with the program (resources/starter, drawn by tools/starter):
// a new store receives them so that a child can play at once.

#include <QList>

namespace tivane {

class PuzzleStore;

// Saves every starter puzzle under the lowest free numbers, in order; returns their numbers.
// Stops early, without an error, when another program is writing to the store: it found the
// folder empty at the same moment and is filling it.
QList<int> addStarterPuzzles(PuzzleStore &store);

// How many starter puzzles ship with the program.
int starterPuzzleCount();

} // namespace tivane
