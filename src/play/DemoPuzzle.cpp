#include "play/DemoPuzzle.h"

#include "play/BoardRenderer.h"
#include "play/GameLoader.h"
#include "play/Pieces.h"
#include "core/WinColor.h"

#include <QPainter>
#include <algorithm>

namespace tivane {

BoardGeometry DemoPuzzle::geometry() const
{
    BoardGeometry g;
    g.boardLeft = boardLeft;
    g.boardTop = top;
    g.trayLeft = trayLeft;
    g.trayTop = top;
    g.boardSize = boardSize;
    g.gridCols = cols;
    g.gridRows = rows;
    return g;
}

void setUpDemoPuzzle(DemoPuzzle &demo, int cols, int rows, const QImage &picture,
                     const ScreenLayout &layout, RandomSource &random)
{
    demo.cols = std::clamp(cols, DemoMinGrid, DemoMaxGrid);
    demo.rows = std::clamp(rows, DemoMinGrid, DemoMaxGrid);
    demo.boardSize = layout.boardSize;
    demo.pieceCount = demo.cols * demo.rows;
    demo.step = 0;
    demo.trayLeft = layout.screenWidth / 2 - demo.boardSize - 10;
    demo.boardLeft = layout.screenWidth / 2 + 10;
    demo.top = (layout.screenHeight - TopBarHeight - demo.boardSize) / 2;

    const BoardGeometry g = demo.geometry();
    cutPieces(picture, g, demo.pictures);
    layOutTray(g, demo.inPlay(), demo.pictures);
    turnAtRandom(g, demo.inPlay(), demo.pictures, random);
    shuffleSlots(g, demo.inPlay(), random);
}

void demoTurn(DemoPuzzle &demo, Piece &piece)
{
    turnPiece(piece, demo.pictures, demo.pieceCount);
}

void drawDemoFrame(QImage &target, const DemoPuzzle &demo)
{
    target.fill(winRgb(WinColors::Navy));
    QPainter painter(&target);
    drawBoardGrid(painter, demo.geometry());
    // The moving or turning piece always lies on top.
    const int top = demo.step;
    for (int i = 0; i < demo.pieceCount; ++i) {
        if (i != top) {
            const Piece &p = demo.pieces[i];
            demo.pictures.draw(painter, p.imageIndex, p.x, p.y);
        }
    }
    if (top >= 0 && top < demo.pieceCount) {
        const Piece &p = demo.pieces[top];
        demo.pictures.draw(painter, p.imageIndex, p.x, p.y);
    }
}

} // namespace tivane
