#include "play/BoardRenderer.h"

#include "core/WinColor.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace tivane {

namespace {
void drawModelSlot(QPainter &painter, const Game &game, QPoint slot)
{
    int item = PictureItem::NoModel;
    if (game.modelShown)
        item = PictureItem::Model;
    else if (game.modelAllowed)
        item = PictureItem::QuestionMark;
    game.pictures.draw(painter, item, slot.x(), slot.y());
}
}

void drawPiece(QPainter &painter, const Game &game, const Piece &piece)
{
    game.pictures.draw(painter, piece.imageIndex, piece.x, piece.y);
}

void drawBoardGrid(QPainter &painter, const BoardGeometry &g)
{
    const QColor silver = winColor(WinColors::Silver);
    for (int c = 0; c <= g.gridCols; ++c)
        painter.fillRect(c * g.cellWidth() + g.boardLeft, g.boardTop, 1, g.boardSize, silver);
    for (int r = 0; r <= g.gridRows; ++r)
        painter.fillRect(g.boardLeft, r * g.cellHeight() + g.boardTop, g.boardSize, 1, silver);
}

void drawBoardFrame(QImage &target, const Game &game, QPoint modelSlot)
{
    target.fill(winRgb(WinColors::Green));
    QPainter painter(&target);
    drawModelSlot(painter, game, modelSlot);
    if (game.modelMode == ModelMode::Underneath)
        game.pictures.draw(painter, PictureItem::FadedPicture, game.geometry.boardLeft, game.geometry.boardTop);
    else
        drawBoardGrid(painter, game.geometry);
    for (const Piece &piece : game.inPlay())
        drawPiece(painter, game, piece);
}

void drawEmptyBoard(QImage &target, const Game &game, QPoint modelSlot)
{
    target.fill(winRgb(WinColors::Green));
    QPainter painter(&target);
    drawModelSlot(painter, game, modelSlot);
    drawBoardGrid(painter, game.geometry);
}

void drawWelcomeFrame(QImage &target, const PictureList &pictures, int i)
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

} // namespace tivane
