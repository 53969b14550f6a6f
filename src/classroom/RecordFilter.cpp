#include "classroom/RecordFilter.h"

#include "classroom/ClassList.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>

namespace tivane {

QDate periodStart(RecordPeriod period, const QDate &today)
{
    switch (period) {
    case RecordPeriod::Today:
        return today;
    case RecordPeriod::ThisWeek:
        return today.addDays(1 - today.dayOfWeek());
    case RecordPeriod::ThisMonth:
        return QDate(today.year(), today.month(), 1);
    case RecordPeriod::All:
        break;
    }
    return {};
}

QList<qsizetype> filterRecord(const QList<RecordEntry> &entries, const RecordFilter &filter, const QDate &today)
{
    const QDate start = periodStart(filter.period, today);
    QList<qsizetype> shown;
    shown.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const RecordEntry &entry = entries[i];
        if (start.isValid() && (entry.when.date < start || entry.when.date > today))
            continue;
        switch (filter.children) {
        case RecordFilter::Children::All:
            break;
        case RecordFilter::Children::One:
            if (!sameFirstName(entry.child, filter.child))
                continue;
            break;
        case RecordFilter::Children::Guests:
            if (!entry.child.isEmpty())
                continue;
            break;
        }
        shown.append(i);
    }
    return shown;
}

ChildSummary summarise(const QList<RecordEntry> &entries, const QList<qsizetype> &shown)
{
    ChildSummary summary;
    QSet<std::pair<int, QString>> different;
    for (const qsizetype i : shown) {
        const RecordEntry &entry = entries[i];
        ++summary.gamesPlayed;
        if (entry.outcome == GameOutcome::Completed) {
            ++summary.puzzlesCompleted;
            different.insert({entry.puzzle, entry.puzzleName});
        }
    }
    summary.differentPuzzlesCompleted = int(different.size());
    return summary;
}

QString summaryText(const ChildSummary &summary)
{
    const auto plural = [](int n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? many : one));
    };
    return QStringLiteral("%1, %2, %3")
        .arg(plural(summary.gamesPlayed, "partie jouée", "parties jouées"),
             plural(summary.puzzlesCompleted, "puzzle réussi", "puzzles réussis"),
             plural(summary.differentPuzzlesCompleted, "puzzle différent réussi", "puzzles différents réussis"));
}

QList<Achievement> achievements(const QList<RecordEntry> &entries, const QList<qsizetype> &shown)
{
    QList<Achievement> found;
    QHash<std::pair<int, QString>, qsizetype> indexOf;
    for (const qsizetype i : shown) {
        const RecordEntry &entry = entries[i];
        if (entry.outcome != GameOutcome::Completed)
            continue;
        const std::pair<int, QString> key{entry.puzzle, entry.puzzleName};
        const auto it = indexOf.constFind(key);
        if (it == indexOf.cend()) {
            indexOf.insert(key, found.size());
            found.append({entry.puzzle, entry.puzzleName, entry.columns, entry.rows, entry.when, entry.moves});
            continue;
        }
        Achievement &achievement = found[*it];
        if (entry.when < achievement.firstSuccess)
            achievement.firstSuccess = entry.when;
        achievement.fewestMoves = std::min(achievement.fewestMoves, entry.moves);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Achievement &a, const Achievement &b) { return a.firstSuccess < b.firstSuccess; });
    return found;
}

} // namespace tivane
