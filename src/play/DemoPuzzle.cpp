#include "DemoPuzzle.h"

#include "BoardRenderer.h"
#include "GameLoader.h"
#include "Pieces.h"
#include "WinColor.h"

#include <QPainter>
#include <algorithm>

BoardGeometry DemoPuzzle::geometry() const
{
    BoardGeometry g;
    g.BoardLeft = DemoBoardLeft;
    g.BoardTop = DemoTop;
    g.TrayLeft = DemoTrayLeft;
    g.TrayTop = DemoTop;
    g.BoardSize = DemoBoardSize;
    g.GridCols = DemoCols;
    g.GridRows = DemoRows;
    return g;
}

void SetUpDemoPuzzle(DemoPuzzle &demo, int cols, int rows, const QImage &picture,
                     const ScreenLayout &layout, RandomSource &random)
{
    demo.DemoCols = std::clamp(cols, DemoMinGrid, DemoMaxGrid);
    demo.DemoRows = std::clamp(rows, DemoMinGrid, DemoMaxGrid);
    demo.DemoBoardSize = layout.BoardSize;
    demo.DemoPieceCount = demo.DemoCols * demo.DemoRows;
    demo.DemoStep = 0;
    demo.DemoTrayLeft = layout.ScreenWidth / 2 - demo.DemoBoardSize - 10;
    demo.DemoBoardLeft = layout.ScreenWidth / 2 + 10;
    demo.DemoTop = (layout.ScreenHeight - TopBarHeight - demo.DemoBoardSize) / 2;

    const BoardGeometry g = demo.geometry();
    CutPieces(picture, g, demo.SPA);
    LayOutTray(g, demo.pieces(), demo.SPA);
    TurnAtRandom(g, demo.pieces(), demo.SPA, random);
    ShuffleSlots(g, demo.pieces(), random);
    // The target cells touch: no gaps between the homes.
    for (int i = 0; i < demo.DemoPieceCount; ++i) {
        const QPoint home = g.cellTopLeft(i);
        demo.DemoPieces[i].HomeX = home.x();
        demo.DemoPieces[i].HomeY = home.y();
    }
}

void DemoTurn(DemoPuzzle &demo, TPieceRec &piece)
{
    TurnPiece(piece, demo.SPA, demo.DemoPieceCount);
}

void DrawDemoFrame(QImage &target, const DemoPuzzle &demo)
{
    target.fill(winRgb(WinColors::Navy));
    QPainter painter(&target);
    DrawGrid(painter, demo.geometry());
    // The moving or turning piece always lies on top.
    const int top = demo.DemoStep;
    for (int i = 0; i < demo.DemoPieceCount; ++i) {
        if (i != top) {
            const TPieceRec &p = demo.DemoPieces[i];
            demo.SPA.draw(painter, p.ImageIndex, p.X, p.Y);
        }
    }
    if (top >= 0 && top < demo.DemoPieceCount) {
        const TPieceRec &p = demo.DemoPieces[top];
        demo.SPA.draw(painter, p.ImageIndex, p.X, p.Y);
    }
}
