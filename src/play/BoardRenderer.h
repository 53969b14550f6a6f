#pragma once
// Draws board frames into an image: the game, the empty board of the deal, the welcome frames.

#include "play/Game.h"

#include <QImage>
#include <QPoint>

class QPainter;

namespace tivane {

void drawPiece(QPainter &painter, const Game &game, const Piece &piece);

// The silver grid, each line from its start point up to, not including, its end point.
void drawBoardGrid(QPainter &painter, const BoardGeometry &geometry);

// A whole board frame: green ground, the model slot, the grid or the faded picture, the pieces.
void drawBoardFrame(QImage &target, const Game &game, QPoint modelSlot);

// The board before the deal: ground, model slot and grid, whatever the model mode.
void drawEmptyBoard(QImage &target, const Game &game, QPoint modelSlot);

constexpr int WelcomeFrameCount = 64;

// Frame i of the welcome animation: a white square frame that shrinks while the logo
// (picture 38 of the list) grows and turns at the centre.
void drawWelcomeFrame(QImage &target, const PictureList &pictures, int i);

} // namespace tivane
