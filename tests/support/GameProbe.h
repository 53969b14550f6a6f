#pragma once
// A test game on the board: started as the program starts one, and its pieces and cells found
// by what they show.

#include "TestPuzzles.h"
#include "play/GameSession.h"
#include "play/PlayBoard.h"

#include <QTest>

namespace tivane {

namespace GameProbe {

// A new 2 x 2 game of flat cells (cellColour(k) for piece k), loaded and dealt as JOUER deals
// it; false if the deal never ends.
[[nodiscard]] inline bool startGame(GameSession &session, PlayBoard &play, PuzzleStore &store, RandomSource &random,
                                    int modelMode = 1, bool rotation = false, int timeLimit = 0)
{
    const int n = TestPuzzles::add(store, TestPuzzles::description("Jeu", 2, 2, modelMode, rotation, timeLimit));
    session.start(store, n, random);
    return QTest::qWaitFor([&play] { return !play.isAnimating(); });
}

// The array index of the piece whose number (its target cell) is given, -1 if none.
inline int indexOf(const Game &game, int number)
{
    for (int i = 0; i < game.pieceCount; ++i)
        if (game.pieces[i].number == number)
            return i;
    return -1;
}

inline QPoint centreOf(const Piece &p) { return {p.x + p.width / 2, p.y + p.height / 2}; }

inline QPoint cellCentre(const Game &game, int cell)
{
    const BoardGeometry &g = game.geometry;
    return g.cellTopLeft(cell) + QPoint(g.cellWidth() / 2, g.cellHeight() / 2);
}

} // namespace GameProbe

} // namespace tivane
