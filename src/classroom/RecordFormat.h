#pragma once
// One line of the record, carnet.csv: a game that was dealt and ended, with the child who played
// it. The header is "date;élève;puzzle;nom du puzzle;colonnes;lignes;rotation;temps limite;
// résultat;coups;durée"; a file whose header orders the columns otherwise, or has others, is read
// and appended to in its own order.

#include "play/GameResult.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTime>

#include <array>
#include <optional>

namespace tivane {

// A local date and time to the second, as the record writes it ("AAAA-MM-JJ HH:MM:SS"). Kept
// apart from QDateTime, whose time-zone work would make reading a year of games slow.
struct RecordTime
{
    QDate date;
    QTime time;

    bool operator==(const RecordTime &) const = default;
    bool operator<(const RecordTime &other) const
    {
        return date != other.date ? date < other.date : time < other.time;
    }
};

struct RecordEntry
{
    RecordTime when;
    QString child;  // empty: a game without a chosen child
    int puzzle = 0;
    QString puzzleName;
    int columns = 0;
    int rows = 0;
    bool rotation = false;
    int timeLimit = 0;  // seconds, 0 for none
    GameOutcome outcome = GameOutcome::Completed;
    int moves = 0;
    int seconds = 0;

    bool operator==(const RecordEntry &) const = default;
};

RecordEntry recordEntry(const GameResult &result, const QString &child);

// "réussi", "temps écoulé", "abandonné".
QString outcomeWord(GameOutcome outcome);
std::optional<GameOutcome> outcomeFromWord(QStringView word);

// "AAAA-MM-JJ HH:MM:SS". Read also without the seconds, and as "JJ/MM/AAAA HH:MM[:SS]", which a
// spreadsheet may have written back.
QString recordTimeText(const RecordTime &time);
std::optional<RecordTime> parseRecordTime(QStringView text);
RecordTime recordTime(const QDateTime &localTime);

enum class RecordColumn {
    Date, Child, Puzzle, PuzzleName, Columns, Rows, Rotation, TimeLimit, Outcome, Moves, Duration
};
inline constexpr int RecordColumnCount = 11;

// The header of a new record, in order.
const QStringList &recordHeader();

// Texts that repeat from line to line (first names, puzzle names), shared rather than copied.
class SharedTexts
{
public:
    QString get(QStringView text);

private:
    QHash<QStringView, QString> m_texts;  // each key a view of its value
};

// Where each column stands on a line of one file.
class RecordLayout
{
public:
    // The layout of recordHeader().
    static RecordLayout standard();
    // The layout of a file's header, columns matched by name (case and accents ignored). Throws
    // Error naming the file when the date, the child, the puzzle or the outcome is missing;
    // the others read as empty or 0.
    static RecordLayout fromHeader(const QStringList &header);

    // The entry of a line, none when a field does not read (too few fields, a bad number,
    // date, answer or outcome).
    std::optional<RecordEntry> parse(const QList<QStringView> &fields, SharedTexts &texts) const;
    // The fields of a line in this layout; columns the program does not know are left empty.
    QStringList fields(const RecordEntry &entry) const;

    // The position of the child's first name.
    int childField() const { return position(RecordColumn::Child); }

private:
    int position(RecordColumn column) const { return m_positions[size_t(column)]; }

    std::array<int, RecordColumnCount> m_positions{};  // -1: not in the file
    int m_width = 0;
    int m_needed = 0;  // fields a line must have
};

} // namespace tivane
