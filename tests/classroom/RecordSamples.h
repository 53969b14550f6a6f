#pragma once
// Games for the record's tests: entry i of child `child` is recognisable from its moves and its
// puzzle, so that a line lost, doubled or mixed with another shows.

#include "classroom/RecordFormat.h"

namespace tivane::RecordSamples {

inline RecordEntry entry(const QString &child, int i, GameOutcome outcome = GameOutcome::Completed)
{
    RecordEntry e;
    e.when = {QDate(2026, 3, 2).addDays(i % 28), QTime(8, 0).addSecs(i % 36000)};
    e.child = child;
    e.puzzle = i % 50;
    e.puzzleName = QStringLiteral("Puzzle %1").arg(i % 50);
    e.columns = 1 + i % 6;
    e.rows = 1 + i / 6 % 6;
    e.rotation = i % 2;
    e.timeLimit = i % 3 == 0 ? 120 : 0;
    e.outcome = outcome;
    e.moves = i;
    e.seconds = 30 + i % 200;
    return e;
}

} // namespace tivane::RecordSamples
