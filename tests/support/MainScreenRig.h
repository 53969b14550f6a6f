#pragma once
// A 1024 x 768 main screen over a store in a temporary folder, built as the program builds it,
// its animations running frame after frame without waiting for a display.

#include "app/MainScreen.h"
#include "play/BoardSurface.h"
#include "play/PlayBoard.h"
#include "store/PuzzleStore.h"
#include "TestPuzzles.h"

#include <QCursor>
#include <QTest>

namespace tivane {

class MainScreenRig
{
public:
    explicit MainScreenRig(const QString &storeFolder) : store(storeFolder)
    {
        screen.board()->setFrameIntervalUs(0);
        // A pointer left by an earlier test where this one moves it would not move at all.
        QCursor::setPos(512, 10);
    }

    // Shows the screen and waits for the first paint's welcome animation to end.
    bool show()
    {
        screen.show();
        return QTest::qWaitForWindowExposed(&screen) && QTest::qWaitFor([this] {
                   return screen.thumbnailsReady() && !screen.play()->isAnimating();
               });
    }

    // A new 2 x 2 game of flat cells (cellColour(k) for piece k), loaded and drawn, not dealt.
    void startGame(int modelMode = 1, bool rotation = false, int timeLimit = 0)
    {
        const int n = TestPuzzles::add(store, TestPuzzles::description("Jeu", 2, 2, modelMode, rotation, timeLimit));
        screen.play()->loadGame(store, n, screen.random());
        screen.play()->drawBoard();
    }

    Game &game() { return screen.play()->game(); }
    // The array index of the piece whose number (home cell) is given, -1 if none.
    int indexOf(int number)
    {
        for (int i = 0; i < game().pieceCount; ++i)
            if (game().pieces[i].number == number)
                return i;
        return -1;
    }
    Piece &piece(int number) { return game().pieces[indexOf(number)]; }
    QPoint centreOf(int number)
    {
        const Piece &p = piece(number);
        return {p.x + p.width / 2, p.y + p.height / 2};
    }
    QPoint cellCentre(int cell)
    {
        const BoardGeometry &g = game().geometry;
        return g.cellTopLeft(cell) + QPoint(g.cellWidth() / 2, g.cellHeight() / 2);
    }

    // Waits until the board's animation under way has ended.
    bool settle(int timeoutMs = 5000)
    {
        return QTest::qWaitFor([this] { return !screen.play()->isAnimating(); }, timeoutMs);
    }

    PuzzleStore store;
    MainScreen screen{store, QRect(0, 0, 1024, 768)};
};

} // namespace tivane
