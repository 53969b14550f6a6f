#pragma once
// How one game ended: the puzzle, its grid and settings, the moves and the seconds played.
// Its listeners (the main screen's sound and dialogs, the class record) take it as a value.

#include <QDateTime>
#include <QString>

namespace tivane {

enum class GameOutcome {
    Completed,  // every piece upright in its own cell
    TimedOut,   // the clock ran out
    Abandoned,  // another puzzle was chosen, or the program quit, with the game in progress
};

struct GameResult
{
    int puzzle = -1;
    QString puzzleName;
    int columns = 0;
    int rows = 0;
    bool rotation = false;
    int timeLimit = 0;      // seconds, 0 for none
    int moves = 0;
    int secondsPlayed = 0;  // from the end of the deal to the end of the game
    GameOutcome outcome = GameOutcome::Completed;
    QDateTime endedAt;      // local time

    bool operator==(const GameResult &) const = default;
};

} // namespace tivane
