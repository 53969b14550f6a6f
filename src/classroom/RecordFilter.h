#pragma once
// Which lines of the record the teacher looks at (a child or the guests, a period), and what
// they say of one child: the summary line and, for the printed sheet, each puzzle completed.

#include "classroom/RecordFormat.h"

#include <QList>
#include <QString>

namespace tivane {

enum class RecordPeriod { Today, ThisWeek, ThisMonth, All };

struct RecordFilter
{
    enum class Children { All, One, Guests };
    Children children = Children::All;
    QString child;  // for One
    RecordPeriod period = RecordPeriod::All;
};

// The first day of the period that holds `today` (weeks begin on Monday); invalid for All.
QDate periodStart(RecordPeriod period, const QDate &today);

// The indices of the entries the filter keeps, in their order. Lines dated after `today` (a
// clock set wrong) are only in All.
QList<qsizetype> filterRecord(const QList<RecordEntry> &entries, const RecordFilter &filter, const QDate &today);

struct ChildSummary
{
    int gamesPlayed = 0;
    int puzzlesCompleted = 0;           // completed games
    int differentPuzzlesCompleted = 0;

    bool operator==(const ChildSummary &) const = default;
};

ChildSummary summarise(const QList<RecordEntry> &entries, const QList<qsizetype> &shown);
// "12 parties jouées, 9 puzzles réussis, 5 puzzles différents réussis"
QString summaryText(const ChildSummary &summary);

// A puzzle completed at least once: its first success and its fewest moves.
struct Achievement
{
    int puzzle = 0;
    QString puzzleName;
    int columns = 0;
    int rows = 0;
    RecordTime firstSuccess;
    int fewestMoves = 0;

    bool operator==(const Achievement &) const = default;
};

// The puzzles completed among the shown entries, in the order of their first success.
// A puzzle is its number and its name (a number freed by a deletion names another puzzle).
QList<Achievement> achievements(const QList<RecordEntry> &entries, const QList<qsizetype> &shown);

} // namespace tivane
