#pragma once
// One game from its deal to its end: it starts the chosen puzzle on the board, runs the
// countdown of a timed puzzle, counts the seconds played from the end of the deal, and says
// how the game ended, as a GameResult: completed, timed out, or abandoned when another puzzle
// or the end of the program takes the place of a game in progress.

#include "play/Countdown.h"
#include "play/GameResult.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>

namespace tivane {

class PlayBoard;
class PuzzleStore;
class RandomSource;

class GameSession : public QObject
{
    Q_OBJECT
public:
    explicit GameSession(PlayBoard &play, QObject *parent = nullptr);

    Countdown &countdown() { return m_countdown; }

    // The monotonic clock, in milliseconds, that times a game (a test sets its own).
    void setClock(std::function<qint64()> milliseconds) { m_clock = std::move(milliseconds); }

    // Dealt and not ended yet.
    bool isInProgress() const { return m_inProgress; }

    // Puzzle n replaces the game on the board and is dealt; a game in progress ends as
    // abandoned. Throws Error when the puzzle cannot be loaded: the game before goes on.
    void start(const PuzzleStore &store, int n, RandomSource &random);
    // The game in progress, if any, ends as abandoned (the program is closing).
    void abandon();

signals:
    void ended(const tivane::GameResult &result);

private:
    void dealt();
    void completed();
    void timeRanOut();
    // The game in progress ends with this outcome; its clock stops.
    void end(GameOutcome outcome);
    GameResult result(GameOutcome outcome) const;

    PlayBoard &m_play;
    Countdown m_countdown;
    QElapsedTimer m_elapsed;
    std::function<qint64()> m_clock;
    int m_puzzle = -1;
    bool m_inProgress = false;
    qint64 m_dealtAtMs = 0;
};

} // namespace tivane
