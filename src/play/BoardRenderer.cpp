#include "BoardRenderer.h"

#include "WinColor.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace {
void drawModelSlot(QPainter &painter, const Game &game, QPoint slot)
{
    int item = PictureItem::NoModel;
    if (game.ModelShown)
        item = PictureItem::Model;
    else if (game.ModelAllowed)
        item = PictureItem::QuestionMark;
    game.SP.draw(painter, item, slot.x(), slot.y());
}
}

void DrawPiece(QPainter &painter, const Game &game, const TPieceRec &piece)
{
    game.SP.draw(painter, piece.ImageIndex, piece.X, piece.Y);
}

void DrawGrid(QPainter &painter, const BoardGeometry &g)
{
    const QColor silver = winColor(WinColors::Silver);
    for (int c = 0; c <= g.GridCols; ++c)
        painter.fillRect(c * g.cellWidth() + g.BoardLeft, g.BoardTop, 1, g.BoardSize, silver);
    for (int r = 0; r <= g.GridRows; ++r)
        painter.fillRect(g.BoardLeft, r * g.cellHeight() + g.BoardTop, g.BoardSize, 1, silver);
}

void DrawBoardFrame(QImage &target, const Game &game, QPoint modelSlot)
{
    target.fill(winRgb(WinColors::Green));
    QPainter painter(&target);
    drawModelSlot(painter, game, modelSlot);
    if (game.ModelMode == 3)
        game.SP.draw(painter, PictureItem::FadedPicture, game.geometry.BoardLeft, game.geometry.BoardTop);
    else
        DrawGrid(painter, game.geometry);
    for (const TPieceRec &piece : game.pieces())
        DrawPiece(painter, game, piece);
}

void DrawEmptyBoard(QImage &target, const Game &game, QPoint modelSlot)
{
    target.fill(winRgb(WinColors::Green));
    QPainter painter(&target);
    drawModelSlot(painter, game, modelSlot);
    DrawGrid(painter, game.geometry);
}

void DrawWelcomeFrame(QImage &target, const PictureList &pictures, int i)
{
    target.fill(winRgb(WinColors::Green));
    const int cx = target.width() / 2;
    const int cy = target.height() / 2;
    QPainter painter(&target);
    QPen pen(winColor(WinColors::White), 5);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // Corners (cx - 163 + i, cy - 163 + i) and (cx + 163 - i, cy + 163 - i), the latter excluded.
    const int half = 163 - i;
    painter.drawRect(QRect(QPoint(cx - half, cy - half), QPoint(cx + half - 1, cy + half - 1)));

    const int width = static_cast<int>(std::trunc(7.5 * i));
    const int height = static_cast<int>(std::trunc(1.34 * i));
    pictures.drawScaledTurned(painter, PictureItem::Logo, cx, cy, width, height, 8 * i);
}
