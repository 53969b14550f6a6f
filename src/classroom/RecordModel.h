#pragma once
// The record as the teacher's table shows it: the lines the filter keeps, newest first unless
// sorted otherwise, each with the date, the child ("Invité" for none), the puzzle's thumbnail
// and name, the grid, the outcome, the moves and the duration (m:ss).

#include "classroom/RecordFilter.h"
#include "classroom/RecordFormat.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QImage>

#include <functional>

namespace tivane {

class RecordModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { DateColumn, ChildColumn, PuzzleColumn, GridColumn, OutcomeColumn, MovesColumn, DurationColumn,
                  ColumnCount };

    // A puzzle's thumbnail by number; a null image when it has none.
    using ThumbnailSource = std::function<QImage(int puzzle)>;
    static constexpr int ThumbnailSide = 40;

    explicit RecordModel(QObject *parent = nullptr);

    void setEntries(QList<RecordEntry> entries);
    void setFilter(const RecordFilter &filter, const QDate &today);
    void setThumbnailSource(ThumbnailSource source);

    const QList<RecordEntry> &entries() const { return m_entries; }
    // Indices into entries(), in the order of the rows.
    const QList<qsizetype> &shown() const { return m_shown; }
    const RecordFilter &filter() const { return m_filter; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // "m:ss"
    static QString durationText(int seconds);

private:
    void sortShown();
    QImage thumbnail(int puzzle) const;

    QList<RecordEntry> m_entries;
    QList<qsizetype> m_shown;
    RecordFilter m_filter;
    QDate m_today;
    int m_sortColumn = DateColumn;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
    ThumbnailSource m_thumbnails;
    mutable QHash<int, QImage> m_thumbnailCache;
};

} // namespace tivane
