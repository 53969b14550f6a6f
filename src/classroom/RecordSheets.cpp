#include "classroom/RecordSheets.h"

#include "classroom/ClassList.h"
#include "core/Fonts.h"

#include <QCollator>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace tivane {

QList<ChildSheet> childSheets(const QList<RecordEntry> &entries, const QList<qsizetype> &shown,
                              const std::function<QImage(const QString &firstName)> &pictureOf)
{
    QStringList children;
    for (const qsizetype i : shown) {
        const QString &child = entries[i].child;
        if (!child.isEmpty() && std::none_of(children.cbegin(), children.cend(),
                                             [&](const QString &known) { return sameFirstName(known, child); }))
            children << child;
    }
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(children.begin(), children.end(), collator);
    QList<ChildSheet> sheets;
    for (const QString &child : children) {
        QList<qsizetype> own;
        for (const qsizetype i : shown)
            if (sameFirstName(entries[i].child, child))
                own << i;
        sheets.append({child, pictureOf(child), achievements(entries, own)});
    }
    return sheets;
}

bool paintSheets(QPagedPaintDevice &device, const QList<ChildSheet> &sheets, const QString &period,
                 const std::function<QImage(int puzzle)> &thumbnailOf)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Millimetres to device pixels.
    const double mm = device.logicalDpiX() / 25.4;
    const int width = device.width();
    const int height = device.height();
    const auto font = [&](double millimetres, bool bold) {
        QFont f = formFont(1, bold);
        f.setPixelSize(std::max(1, int(millimetres * mm)));
        return f;
    };
    bool first = true;
    for (const ChildSheet &sheet : sheets) {
        if (!first && !device.newPage())
            return false;
        first = false;
        const int pictureSide = int(35 * mm);
        painter.drawImage(QRect(0, 0, pictureSide, pictureSide), sheet.picture);
        painter.setPen(Qt::black);
        painter.setFont(font(12, true));
        painter.drawText(QRect(pictureSide + int(8 * mm), 0, width - pictureSide, int(18 * mm)),
                         Qt::AlignLeft | Qt::AlignVCenter, sheet.firstName);
        painter.setFont(font(5, false));
        painter.drawText(QRect(pictureSide + int(8 * mm), int(20 * mm), width - pictureSide, int(10 * mm)),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Période : %1").arg(period));
        int y = pictureSide + int(10 * mm);
        const int rowHeight = int(22 * mm);
        if (sheet.completed.isEmpty()) {
            painter.drawText(QRect(0, y, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("Aucun puzzle réussi sur cette période."));
            continue;
        }
        for (const Achievement &done : sheet.completed) {
            if (y + rowHeight > height) {
                if (!device.newPage())
                    return false;
                y = 0;
            }
            const int thumbnailSide = int(20 * mm);
            const QImage thumbnail = thumbnailOf(done.puzzle);
            if (!thumbnail.isNull())
                painter.drawImage(QRect(0, y, thumbnailSide, thumbnailSide), thumbnail);
            const int left = thumbnailSide + int(6 * mm);
            painter.setFont(font(5, true));
            painter.drawText(QRect(left, y, width - left, int(8 * mm)), Qt::AlignLeft | Qt::AlignVCenter,
                             done.puzzleName);
            painter.setFont(font(4, false));
            painter.drawText(QRect(left, y + int(9 * mm), width - left, int(8 * mm)), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("grille %1 × %2 — première réussite le %3 — %4 coups au mieux")
                                 .arg(done.columns)
                                 .arg(done.rows)
                                 .arg(done.firstSuccess.date.toString(QStringLiteral("dd/MM/yyyy")))
                                 .arg(done.fewestMoves));
            y += rowHeight;
        }
    }
    return painter.end();
}

} // namespace tivane
