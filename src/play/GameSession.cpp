#include "play/GameSession.h"

#include "play/PlayBoard.h"

#include <QDateTime>

#include <optional>

namespace tivane {

GameSession::GameSession(PlayBoard &play, QObject *parent)
    : QObject(parent), m_play(play), m_countdown(this)
{
    m_elapsed.start();
    m_clock = [this] { return m_elapsed.elapsed(); };
    connect(&m_play, &PlayBoard::dealFinished, this, &GameSession::dealt);
    connect(&m_play, &PlayBoard::puzzleCompleted, this, &GameSession::completed);
    connect(&m_countdown, &Countdown::ranOut, this, &GameSession::timeRanOut);
}

void GameSession::start(const PuzzleStore &store, int n, RandomSource &random)
{
    // Taken before the new game replaces it on the board.
    std::optional<GameResult> abandoned;
    if (m_inProgress)
        abandoned = result(GameOutcome::Abandoned);
    m_play.loadGame(store, n, random);
    m_puzzle = n;
    m_inProgress = false;
    m_countdown.clear();
    if (abandoned)
        emit ended(*abandoned);
    m_play.startDeal();
}

void GameSession::abandon()
{
    if (m_inProgress)
        end(GameOutcome::Abandoned);
}

void GameSession::dealt()
{
    m_inProgress = true;
    m_dealtAtMs = m_clock();
    const int limit = m_play.game().timeLimit;
    if (limit > 0)
        m_countdown.start(limit);
}

void GameSession::completed()
{
    if (m_inProgress)
        end(GameOutcome::Completed);
}

void GameSession::timeRanOut()
{
    if (!m_inProgress)
        return;
    m_play.endGame();
    end(GameOutcome::TimedOut);
}

void GameSession::end(GameOutcome outcome)
{
    m_countdown.stop();
    const GameResult r = result(outcome);
    m_inProgress = false;
    emit ended(r);
}

GameResult GameSession::result(GameOutcome outcome) const
{
    const Game &game = m_play.game();
    GameResult r;
    r.puzzle = m_puzzle;
    r.puzzleName = game.puzzleName;
    r.columns = game.geometry.gridCols;
    r.rows = game.geometry.gridRows;
    r.rotation = game.rotationEnabled;
    r.timeLimit = game.timeLimit;
    r.moves = game.moveCount;
    r.secondsPlayed = int((m_clock() - m_dealtAtMs + 500) / 1000);
    r.outcome = outcome;
    r.endedAt = QDateTime::currentDateTime();
    return r;
}

} // namespace tivane
