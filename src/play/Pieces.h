#pragma once
// Operations on single pieces and on the array of the pieces of a game.

#include "play/Piece.h"

#include <QPoint>
#include <span>
#include <vector>

namespace tivane {

class PictureList;

// Sets a piece at (x, y), which also becomes its tray place, showing picture k of the list.
// The caller sets Turns, Number and Cell.
void initPiece(Piece &piece, int x, int y, int k, const PictureList &pictures);

// True when (x, y) lies strictly inside the piece's rectangle: its outermost rows
// and columns do not belong to it.
bool pieceHit(const Piece &piece, int x, int y);

// The lowest index of a piece lying in cell n, or -1.
int pieceInCell(std::span<const Piece> pieces, int n);

// True when every piece lies in a cell.
bool allPlaced(std::span<const Piece> pieces);

// Turns item k of the list a quarter turn clockwise; items at or beyond pieceCount
// (the fixed pictures) are left alone.
void rotatePiecePicture(PictureList &pictures, int k, int pieceCount);

// A clockwise quarter turn of the piece's picture; the hit rectangle does not turn.
void turnPiece(Piece &piece, PictureList &pictures, int pieceCount);

// The positions a glide from `from` to `to` shows, one per frame, the last one at `to`: along
// the straight line, 20 pixels a frame.
std::vector<QPoint> glidePath(QPoint from, QPoint to);

// A glide played one frame at a time: each advance() puts the piece at its next place along
// glidePath(); at the last place the piece is left off the board.
class Glide
{
public:
    void start(Piece &piece, QPoint to);
    bool isActive() const { return !m_path.empty(); }
    void clear() { m_path.clear(); }
    // True when the piece has just arrived and the glide is over.
    bool advance(Piece &piece);

private:
    std::vector<QPoint> m_path;
    std::size_t m_next = 0;
};

} // namespace tivane
