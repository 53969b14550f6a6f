#pragma once
// The printed record: one page per child for the period, its first name and picture, then each
// puzzle completed at least once, with its thumbnail, grid, first success and fewest moves.

#include "classroom/RecordFilter.h"

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace tivane {

struct ChildSheet
{
    QString firstName;
    QImage picture;
    QList<Achievement> completed;
};

// The children with lines among `shown` (guests aside), in the order of their first names, each
// with the puzzles it completed there.
QList<ChildSheet> childSheets(const QList<RecordEntry> &entries, const QList<qsizetype> &shown,
                              const std::function<QImage(const QString &firstName)> &pictureOf);

// Paints one page per sheet; `period` heads each page ("Ce mois-ci"...). A puzzle's thumbnail
// comes from `thumbnailOf` (a null image prints none). Returns false when the device refused
// a page or the painting.
bool paintSheets(QPagedPaintDevice &device, const QList<ChildSheet> &sheets, const QString &period,
                 const std::function<QImage(int puzzle)> &thumbnailOf);

} // namespace tivane
