#pragma once
// Turns a stored puzzle into a game ready to be dealt.

#include "Game.h"

class PuzzleStore;
class RandomSource;

// Reads puzzle n from the store and builds a new game: the faded full picture, the model,
// the piece pictures, the tray, random turns and the shuffle. The new game's picture list
// starts as a copy of fixedPictures (which holds the built-in items). Throws TivaneError;
// nothing outside the returned value is changed, so a failure leaves the current game as it was.
Game LoadGame(const PuzzleStore &store, int n, int screenWidth, int boardSize,
              const PictureList &fixedPictures, RandomSource &random);

// The steps of the loading, for a game whose geometry and piece pictures are set.
void LayOutTray(Game &game);
void TurnAtRandom(Game &game, RandomSource &random);
void ShuffleTray(Game &game, RandomSource &random);
