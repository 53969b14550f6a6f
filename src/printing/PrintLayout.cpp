#include "printing/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tivane {

using namespace PrintSheet;

float photoRatio(QSize picture)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return 1.0f;
    return static_cast<float>(picture.height()) / static_cast<float>(picture.width());
}

int roundHalfEven(double value)
{
    // nearbyint in the default rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

SheetOrientation sheetOrientation(float ratio, SheetSize size)
{
    const bool half = size == SheetSize::Half;
    const bool landscape = (ratio <= 1.0f && !half) || (ratio > 1.0f && half);
    return landscape ? SheetOrientation::Landscape : SheetOrientation::Portrait;
}

QSize sheetSizeMm(SheetOrientation orientation)
{
    return orientation == SheetOrientation::Landscape ? QSize(LongSideMm, ShortSideMm)
                                                      : QSize(ShortSideMm, LongSideMm);
}

QPoint previewOffset(SheetOrientation orientation)
{
    const int gap = (PreviewSide - ShortSideMm) / 2;
    return orientation == SheetOrientation::Landscape ? QPoint(0, gap) : QPoint(gap, 0);
}

QSize marginZone(float ratio, SheetSize size)
{
    const bool half = size == SheetSize::Half;
    // A square picture takes the tall branch here but the wide one in sheetOrientation().
    const bool upright = ratio < 1.0f ? half : !half;
    QSize zone;
    switch (size) {
    case SheetSize::Full: zone = QSize(296, 210); break;
    case SheetSize::Half: zone = QSize(148, 210); break;
    case SheetSize::Quarter: zone = QSize(148, 105); break;
    }
    return upright ? zone.transposed() : zone;
}

int marginMaximum(float ratio, SheetSize size)
{
    const int zoneWidth = marginZone(ratio, size).width();
    return std::clamp((zoneWidth - MinPictureSideMm) / 2, 0, MarginSliderMax);
}

int slotCount(SheetSize size)
{
    switch (size) {
    case SheetSize::Full: return 1;
    case SheetSize::Half: return 2;
    case SheetSize::Quarter: return 4;
    }
    return 1;
}

int nextSlot(int slot, SheetSize size)
{
    return (slot + 1) % slotCount(size);
}

QList<QPoint> zoneCentres(SheetSize size, SheetOrientation orientation)
{
    const bool landscape = orientation == SheetOrientation::Landscape;
    switch (size) {
    case SheetSize::Full:
        // 145, not 148, along the long side.
        return {landscape ? QPoint(145, 105) : QPoint(105, 145)};
    case SheetSize::Half:
        if (landscape)
            return {{74, 105}, {222, 105}};
        return {{105, 74}, {105, 222}};
    case SheetSize::Quarter:
        if (landscape)
            return {{74, 52}, {222, 52}, {74, 157}, {222, 157}};
        return {{52, 74}, {157, 74}, {52, 222}, {157, 222}};
    }
    return {};
}

QList<QLine> foldLines(SheetSize size, SheetOrientation orientation)
{
    const bool landscape = orientation == SheetOrientation::Landscape;
    switch (size) {
    case SheetSize::Full:
        return {};
    case SheetSize::Half:
        if (landscape)
            return {QLine(148, 0, 148, 210)};
        return {QLine(0, 148, 210, 148)};
    case SheetSize::Quarter:
        if (landscape)
            return {QLine(148, 0, 148, 210), QLine(0, 105, 296, 105)};
        return {QLine(105, 0, 105, 296), QLine(0, 148, 210, 148)};
    }
    return {};
}

PhotoSize photoSize(float ratio, SheetSize size, int margin)
{
    const QSize zone = marginZone(ratio, size);
    const int w = zone.width();
    const int h = zone.height();
    const int maximum = marginMaximum(ratio, size);
    PhotoSize photo;
    photo.marginMm = std::clamp(margin, 0, maximum);
    for (;;) {
        photo.widthMm = w - 2 * photo.marginMm;
        photo.heightMm = roundHalfEven(double(photo.widthMm) * double(ratio));
        photo.verticalMarginMm = (h - photo.heightMm) / 2;
        if (photo.heightMm <= h)
            return photo;
        // Too tall for its zone: fitted to the zone's height, the slider moved to what is left
        // on each side. Moving it computes the size again from there; a slider that cannot move
        // (already there, or at its end) leaves the fitted size.
        photo.heightMm = h;
        photo.widthMm = roundHalfEven(double(h) / double(ratio));
        photo.verticalMarginMm = 0;
        const int fitted = std::clamp((w - photo.widthMm) / 2, 0, maximum);
        if (fitted == photo.marginMm)
            return photo;
        photo.marginMm = fitted;
    }
}

Edges pictureEdges(const PhotoSize &photo, QPoint zoneCentre)
{
    const int hw = photo.widthMm / 2;
    const int hh = photo.heightMm / 2;
    return {zoneCentre.x() - hw, zoneCentre.y() - hh, zoneCentre.x() + hw, zoneCentre.y() + hh};
}

QList<QLine> cutLines(const Edges &picture, int cols, int rows)
{
    QList<QLine> lines;
    if (cols < 1 || rows < 1)
        return lines;
    const int cw = picture.width() / cols;
    const int ch = picture.height() / rows;
    for (int k = 1; k < cols; ++k) {
        const int x = picture.left + k * cw;
        lines.append(QLine(x, picture.top, x, picture.bottom));
    }
    for (int k = 1; k < rows; ++k) {
        const int y = picture.top + k * ch;
        lines.append(QLine(picture.left, y, picture.right, y));
    }
    return lines;
}

Edges deviceEdges(const Edges &pictureMm, SheetOrientation orientation, QSize printable)
{
    const QSize sheet = sheetSizeMm(orientation);
    const float sx = static_cast<float>(double(printable.width()) / sheet.width());
    const float sy = static_cast<float>(double(printable.height()) / sheet.height());
    return {roundHalfEven(pictureMm.left * double(sx)), roundHalfEven(pictureMm.top * double(sy)),
            roundHalfEven(pictureMm.right * double(sx)), roundHalfEven(pictureMm.bottom * double(sy))};
}

SheetLayout sheetLayout(QSize picture, SheetSize size, int slot, int margin, int cols, int rows)
{
    const float ratio = photoRatio(picture);
    SheetLayout layout;
    layout.size = size;
    layout.orientation = sheetOrientation(ratio, size);
    layout.slot = slot >= 0 && slot < slotCount(size) ? slot : 0;
    layout.cols = cols;
    layout.rows = rows;
    layout.photo = photoSize(ratio, size, margin);
    layout.zoneCentres = zoneCentres(size, layout.orientation);
    layout.foldLines = foldLines(size, layout.orientation);
    layout.pictureMm = pictureEdges(layout.photo, layout.zoneCentres.at(layout.slot));
    layout.cutLinesMm = cutLines(layout.pictureMm, cols, rows);
    return layout;
}

namespace {

// Tenths of a centimetre: 210 gives "21,0", 105 "10,5", 5 "0,5".
QString centimetres(int mm)
{
    const QString digits = QString::number(std::abs(mm) / 10) + QLatin1Char(',')
                           + QString::number(std::abs(mm) % 10);
    return mm < 0 ? QLatin1Char('-') + digits : digits;
}

} // namespace

QString dimensionsText(int widthMm, int heightMm)
{
    return centimetres(widthMm) + QStringLiteral(" cm X ") + centimetres(heightMm) + QStringLiteral(" cm.");
}

QString horizontalMarginText(int marginMm)
{
    return QStringLiteral("Horizontale : %1 mm").arg(marginMm);
}

QString verticalMarginText(int marginMm)
{
    return QStringLiteral("Verticale : %1 mm").arg(marginMm);
}

} // namespace tivane
