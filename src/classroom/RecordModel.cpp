#include "classroom/RecordModel.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace tivane {

namespace {

const QString GuestName = QStringLiteral("Invité");

QString childText(const RecordEntry &entry)
{
    return entry.child.isEmpty() ? GuestName : entry.child;
}

// Each entry's place among the distinct texts of `textOf`, in French alphabetical order:
// the collator runs once per distinct text, not once per comparison.
template <typename TextOf>
std::vector<int> alphabeticalRanks(const QList<RecordEntry> &entries, TextOf textOf)
{
    QHash<QString, int> rankOf;
    for (const RecordEntry &entry : entries)
        rankOf.insert(textOf(entry), 0);
    QStringList texts = rankOf.keys();
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(texts.begin(), texts.end(), collator);
    for (int i = 0; i < int(texts.size()); ++i)
        rankOf[texts[i]] = i;
    std::vector<int> ranks;
    ranks.reserve(size_t(entries.size()));
    for (const RecordEntry &entry : entries)
        ranks.push_back(rankOf.value(textOf(entry)));
    return ranks;
}

} // namespace

RecordModel::RecordModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordModel::setEntries(QList<RecordEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_thumbnailCache.clear();
    m_shown = filterRecord(m_entries, m_filter, m_today);
    sortShown();
    endResetModel();
}

void RecordModel::setFilter(const RecordFilter &filter, const QDate &today)
{
    beginResetModel();
    m_filter = filter;
    m_today = today;
    m_shown = filterRecord(m_entries, m_filter, m_today);
    sortShown();
    endResetModel();
}

void RecordModel::setThumbnailSource(ThumbnailSource source)
{
    m_thumbnails = std::move(source);
    m_thumbnailCache.clear();
    if (!m_shown.isEmpty())
        emit dataChanged(index(0, PuzzleColumn), index(rowCount() - 1, PuzzleColumn), {Qt::DecorationRole});
}

int RecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int RecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RecordModel::durationText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QImage RecordModel::thumbnail(int puzzle) const
{
    const auto it = m_thumbnailCache.constFind(puzzle);
    if (it != m_thumbnailCache.cend())
        return *it;
    QImage picture = m_thumbnails ? m_thumbnails(puzzle) : QImage();
    if (!picture.isNull())
        picture = picture.scaled(ThumbnailSide, ThumbnailSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_thumbnailCache.insert(puzzle, picture);
    return picture;
}

QVariant RecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
        return {};
    const RecordEntry &entry = m_entries[m_shown[index.row()]];
    if (role == Qt::DecorationRole && index.column() == PuzzleColumn) {
        const QImage picture = thumbnail(entry.puzzle);
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    if (role == Qt::TextAlignmentRole && index.column() >= MovesColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case DateColumn:
        return entry.when.date.toString(QStringLiteral("dd/MM/yyyy")) + u' '
               + entry.when.time.toString(QStringLiteral("HH:mm"));
    case ChildColumn:
        return childText(entry);
    case PuzzleColumn:
        return entry.puzzleName;
    case GridColumn:
        return QStringLiteral("%1 × %2").arg(entry.columns).arg(entry.rows);
    case OutcomeColumn:
        return outcomeWord(entry.outcome);
    case MovesColumn:
        return entry.moves;
    case DurationColumn:
        return durationText(entry.seconds);
    }
    return {};
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles{QStringLiteral("Date"),     QStringLiteral("Élève"),    QStringLiteral("Puzzle"),
                                    QStringLiteral("Grille"),   QStringLiteral("Résultat"), QStringLiteral("Coups"),
                                    QStringLiteral("Durée")};
    return titles.value(section);
}

void RecordModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged();
    m_sortColumn = column;
    m_sortOrder = order;
    sortShown();
    emit layoutChanged();
}

void RecordModel::sortShown()
{
    std::vector<int> ranks;
    if (m_sortColumn == ChildColumn)
        ranks = alphabeticalRanks(m_entries, childText);
    else if (m_sortColumn == PuzzleColumn)
        ranks = alphabeticalRanks(m_entries, [](const RecordEntry &entry) { return entry.puzzleName; });
    const auto key = [&](qsizetype i) {
        const RecordEntry &e = m_entries[i];
        switch (m_sortColumn) {
        case ChildColumn:
        case PuzzleColumn:
            return std::tuple(qint64(ranks[size_t(i)]), qint64(0));
        case GridColumn:
            return std::tuple(qint64(e.columns) * e.rows, qint64(e.columns));
        case OutcomeColumn:
            return std::tuple(qint64(e.outcome), qint64(0));
        case MovesColumn:
            return std::tuple(qint64(e.moves), qint64(0));
        case DurationColumn:
            return std::tuple(qint64(e.seconds), qint64(0));
        default:
            return std::tuple(e.when.date.toJulianDay(), qint64(e.when.time.msecsSinceStartOfDay()));
        }
    };
    // Equal keys keep the file's order, which is the order the games ended in.
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    std::sort(m_shown.begin(), m_shown.end(), [&](qsizetype a, qsizetype b) {
        const auto ka = std::tuple_cat(key(a), std::tuple(a));
        const auto kb = std::tuple_cat(key(b), std::tuple(b));
        return ascending ? ka < kb : kb < ka;
    });
}

} // namespace tivane
