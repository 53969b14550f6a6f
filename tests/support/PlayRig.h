#pragma once
// The play side of a 1024 x 768 main screen without its window: the board surface, play, the
// game's owner, the idle count, the demonstration and the board's modes, the surface's input
// taken as the main screen takes it, over a store in a temporary folder. Animations run frame
// after frame without waiting for a display.

#include "GameProbe.h"
#include "core/RandomSource.h"
#include "play/BoardModes.h"
#include "play/BoardSurface.h"
#include "play/GameSession.h"
#include "play/IdleDemo.h"
#include "play/IdleTimer.h"
#include "play/PlayBoard.h"
#include "play/ScreenLayout.h"
#include "store/PuzzleStore.h"

#include <QTest>

namespace tivane {

class PlayRig
{
public:
    explicit PlayRig(const QString &storeFolder) : store(storeFolder)
    {
        surface.setFrameIntervalUs(0);
        surface.resize(layout.boardWidth, layout.boardHeight);
        modes.takeInputFrom(surface);
    }

    // Shows the surface, for the mouse to reach it.
    bool show()
    {
        surface.show();
        return QTest::qWaitForWindowExposed(&surface);
    }

    // A new 2 x 2 game of flat cells (cellColour(k) for piece k), loaded and dealt.
    [[nodiscard]] bool startGame(int modelMode = 1, bool rotation = false, int timeLimit = 0)
    {
        return GameProbe::startGame(session, play, store, random, modelMode, rotation, timeLimit);
    }

    Game &game() { return play.game(); }
    int indexOf(int number) { return GameProbe::indexOf(game(), number); }
    Piece &piece(int number) { return game().pieces[indexOf(number)]; }
    QPoint centreOf(int number) { return GameProbe::centreOf(piece(number)); }
    QPoint cellCentre(int cell) { return GameProbe::cellCentre(game(), cell); }

    bool settle(int timeoutMs = 5000)
    {
        return QTest::qWaitFor([this] { return !play.isAnimating(); }, timeoutMs);
    }

    ScreenLayout layout = computeScreenLayout(1024, 768);
    PuzzleStore store;
    RandomSource random{7};
    BoardSurface surface;
    PlayBoard play{&surface, layout};
    GameSession session{play};
    IdleTimer idle;
    IdleDemo demo{&surface, layout, store, random};
    BoardModes modes{play, demo, idle};
};

} // namespace tivane
