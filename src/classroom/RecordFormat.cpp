#include "classroom/RecordFormat.h"

#include "classroom/ClassFiles.h"
#include "classroom/CsvFormat.h"
#include "core/Error.h"

#include <QDateTime>

#include <algorithm>

namespace tivane {

RecordEntry recordEntry(const GameResult &result, const QString &child)
{
    RecordEntry entry;
    entry.when = recordTime(result.endedAt);
    entry.child = child;
    entry.puzzle = result.puzzle;
    // Line 1 of a description holds no line break, but the record never takes one.
    entry.puzzleName = result.puzzleName;
    for (QChar &c : entry.puzzleName)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    entry.columns = result.columns;
    entry.rows = result.rows;
    entry.rotation = result.rotation;
    entry.timeLimit = result.timeLimit;
    entry.outcome = result.outcome;
    entry.moves = result.moves;
    entry.seconds = result.secondsPlayed;
    return entry;
}

QString outcomeWord(GameOutcome outcome)
{
    switch (outcome) {
    case GameOutcome::Completed:
        return QStringLiteral("réussi");
    case GameOutcome::TimedOut:
        return QStringLiteral("temps écoulé");
    case GameOutcome::Abandoned:
        return QStringLiteral("abandonné");
    }
    return {};
}

std::optional<GameOutcome> outcomeFromWord(QStringView word)
{
    const QStringView trimmed = word.trimmed();
    for (const GameOutcome outcome : {GameOutcome::Completed, GameOutcome::TimedOut, GameOutcome::Abandoned})
        if (trimmed.compare(outcomeWord(outcome), Qt::CaseInsensitive) == 0)
            return outcome;
    return std::nullopt;
}

QString recordTimeText(const RecordTime &time)
{
    return time.date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time.time.toString(QStringLiteral("HH:mm:ss"));
}

namespace {

// The number written with `count` digits at `from`, or -1.
int digitsAt(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

std::optional<RecordTime> parseRecordTime(QStringView text)
{
    text = text.trimmed();
    if (text.size() != 16 && text.size() != 19)
        return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    if (text[4] == u'-' && text[7] == u'-') {
        year = digitsAt(text, 0, 4);
        month = digitsAt(text, 5, 2);
        day = digitsAt(text, 8, 2);
    } else if (text[2] == u'/' && text[5] == u'/') {
        day = digitsAt(text, 0, 2);
        month = digitsAt(text, 3, 2);
        year = digitsAt(text, 6, 4);
    } else {
        return std::nullopt;
    }
    if (text[10] != u' ' || text[13] != u':' || (text.size() == 19 && text[16] != u':'))
        return std::nullopt;
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const int second = text.size() == 19 ? digitsAt(text, 17, 2) : 0;
    const RecordTime time{QDate(year, month, day), QTime(hour, minute, second)};
    if (!time.date.isValid() || !time.time.isValid())
        return std::nullopt;
    return time;
}

RecordTime recordTime(const QDateTime &localTime)
{
    const QDateTime local = localTime.toLocalTime();
    const QTime time = local.time();
    return {local.date(), QTime(time.hour(), time.minute(), time.second())};
}

const QStringList &recordHeader()
{
    static const QStringList header{
        QStringLiteral("date"),     QStringLiteral("élève"),        QStringLiteral("puzzle"),
        QStringLiteral("nom du puzzle"), QStringLiteral("colonnes"), QStringLiteral("lignes"),
        QStringLiteral("rotation"), QStringLiteral("temps limite"), QStringLiteral("résultat"),
        QStringLiteral("coups"),    QStringLiteral("durée"),
    };
    return header;
}

QString SharedTexts::get(QStringView text)
{
    const auto it = m_texts.constFind(text);
    if (it != m_texts.cend())
        return *it;
    const QString shared = text.toString();
    m_texts.insert(QStringView(shared), shared);
    return shared;
}

RecordLayout RecordLayout::standard()
{
    return fromHeader(recordHeader());
}

RecordLayout RecordLayout::fromHeader(const QStringList &header)
{
    RecordLayout layout;
    layout.m_positions.fill(-1);
    layout.m_width = int(header.size());
    for (int i = 0; i < RecordColumnCount; ++i) {
        const QString key = columnKey(recordHeader()[i]);
        for (int f = 0; f < layout.m_width; ++f)
            if (columnKey(header[f]) == key) {
                layout.m_positions[size_t(i)] = f;
                layout.m_needed = std::max(layout.m_needed, f + 1);
                break;
            }
    }
    QStringList missing;
    for (const RecordColumn column : {RecordColumn::Date, RecordColumn::Child, RecordColumn::Puzzle, RecordColumn::Outcome})
        if (layout.position(column) < 0)
            missing << quoted(recordHeader()[int(column)]);
    if (!missing.isEmpty())
        throw cannotRead(ClassFiles::Record,
                         QStringLiteral("sa première ligne n'a pas de colonne %1 ; ce n'est pas un carnet de suivi.")
                             .arg(missing.join(QStringLiteral(", "))));
    return layout;
}

namespace {

// A count or a number of seconds: digits only, blanks around.
std::optional<int> countField(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    const int value = digitsAt(text, 0, text.size());
    return value < 0 ? std::nullopt : std::optional<int>(value);
}

std::optional<bool> answerField(QStringView text)
{
    text = text.trimmed();
    if (text.compare(u"oui", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"non", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

std::optional<RecordEntry> RecordLayout::parse(const QList<QStringView> &fields, SharedTexts &texts) const
{
    if (fields.size() < m_needed)
        return std::nullopt;
    const auto field = [&](RecordColumn column) {
        const int at = position(column);
        return at < 0 ? QStringView() : fields[at];
    };
    const auto count = [&](RecordColumn column, int &into) {
        if (position(column) < 0)
            return true;
        const std::optional<int> value = countField(field(column));
        into = value.value_or(0);
        return value.has_value();
    };
    RecordEntry entry;
    const std::optional<RecordTime> when = parseRecordTime(field(RecordColumn::Date));
    const std::optional<GameOutcome> outcome = outcomeFromWord(field(RecordColumn::Outcome));
    if (!when || !outcome)
        return std::nullopt;
    entry.when = *when;
    entry.outcome = *outcome;
    entry.child = texts.get(field(RecordColumn::Child).trimmed());
    entry.puzzleName = texts.get(field(RecordColumn::PuzzleName));
    if (position(RecordColumn::Rotation) >= 0) {
        const std::optional<bool> rotation = answerField(field(RecordColumn::Rotation));
        if (!rotation)
            return std::nullopt;
        entry.rotation = *rotation;
    }
    if (!count(RecordColumn::Puzzle, entry.puzzle) || !count(RecordColumn::Columns, entry.columns)
        || !count(RecordColumn::Rows, entry.rows) || !count(RecordColumn::TimeLimit, entry.timeLimit)
        || !count(RecordColumn::Moves, entry.moves) || !count(RecordColumn::Duration, entry.seconds))
        return std::nullopt;
    return entry;
}

QStringList RecordLayout::fields(const RecordEntry &entry) const
{
    QStringList fields(m_width);
    const auto put = [&](RecordColumn column, const QString &value) {
        if (position(column) >= 0)
            fields[position(column)] = value;
    };
    put(RecordColumn::Date, recordTimeText(entry.when));
    put(RecordColumn::Child, entry.child);
    put(RecordColumn::Puzzle, QString::number(entry.puzzle));
    put(RecordColumn::PuzzleName, entry.puzzleName);
    put(RecordColumn::Columns, QString::number(entry.columns));
    put(RecordColumn::Rows, QString::number(entry.rows));
    put(RecordColumn::Rotation, entry.rotation ? QStringLiteral("oui") : QStringLiteral("non"));
    put(RecordColumn::TimeLimit, QString::number(entry.timeLimit));
    put(RecordColumn::Outcome, outcomeWord(entry.outcome));
    put(RecordColumn::Moves, QString::number(entry.moves));
    put(RecordColumn::Duration, QString::number(entry.seconds));
    return fields;
}

} // namespace tivane
