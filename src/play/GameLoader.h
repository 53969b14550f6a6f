#pragma once
// Turns a stored puzzle into a game ready to be dealt.

#include "play/Game.h"

namespace tivane {

class PuzzleStore;
class RandomSource;

// Reads puzzle n from the store and builds a new game: the faded full picture, the model,
// the piece pictures, the tray, random turns and the shuffle. The new game's picture list
// starts as a copy of fixedPictures (which holds the built-in items). Throws Error;
// nothing outside the returned value is changed, so a failure leaves the current game as it was.
Game loadGame(const PuzzleStore &store, int n, int screenWidth, int boardSize,
              const PictureList &fixedPictures, RandomSource &random);

// The steps of the loading, shared with the idle demonstration: they work on any pieces
// laid out on a geometry's tray, with their pictures in any list.

// Cuts the picture into the grid's pieces at the geometry's cell size: the cell in row r,
// column c becomes item r * gridCols + c of the list.
void cutPieces(const QImage &picture, const BoardGeometry &g, PictureList &pictures);
// Piece i on tray slot i, showing item i, upright, off the board, identified by i.
void layOutTray(const BoardGeometry &g, std::span<Piece> pieces, const PictureList &pictures);
// Random quarter turns; a piece of a non-square grid gets 0 or 2.
void turnAtRandom(const BoardGeometry &g, std::span<Piece> pieces, PictureList &pictures,
                  RandomSource &random);
// Swaps the pieces' places in passes until one piece is off its slot (a single line of pieces
// gets one pass); then the slot each piece lies on becomes its tray place.
void shuffleSlots(const BoardGeometry &g, std::span<Piece> pieces, RandomSource &random);

} // namespace tivane
