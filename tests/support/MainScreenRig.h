#pragma once
// A 1024 x 768 main screen over a store in a temporary folder, built as the program builds it,
// its animations running frame after frame without waiting for a display.

#include "GameProbe.h"
#include "app/MainScreen.h"
#include "play/BoardSurface.h"
#include "play/GameSession.h"
#include "play/PlayBoard.h"
#include "store/PuzzleStore.h"

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

    // A new 2 x 2 game of flat cells (cellColour(k) for piece k), loaded and dealt.
    [[nodiscard]] bool startGame(int modelMode = 1, bool rotation = false, int timeLimit = 0)
    {
        return GameProbe::startGame(screen.session(), *screen.play(), store, screen.random(), modelMode, rotation,
                                    timeLimit);
    }

    Game &game() { return screen.play()->game(); }
    // The array index of the piece whose number (its target cell) is given, -1 if none.
    int indexOf(int number) { return GameProbe::indexOf(game(), number); }
    Piece &piece(int number) { return game().pieces[indexOf(number)]; }
    QPoint centreOf(int number) { return GameProbe::centreOf(piece(number)); }
    QPoint cellCentre(int cell) { return GameProbe::cellCentre(game(), cell); }

    // Waits until the board's animation under way has ended.
    bool settle(int timeoutMs = 5000)
    {
        return QTest::qWaitFor([this] { return !screen.play()->isAnimating(); }, timeoutMs);
    }

    PuzzleStore store;
    MainScreen screen{store, QRect(0, 0, 1024, 768)};
};

} // namespace tivane
