#include "library/ThumbnailMarks.h"

#include "core/BuiltinResources.h"
#include "core/PictureRoutines.h"
#include "store/PuzzleDescription.h"

#include <QPainter>

#include <algorithm>

namespace tivane {

ThumbnailMarks ThumbnailMarks::of(const PuzzleDescription &description)
{
    return {description.gridCols, description.gridRows, description.modelAllowed, description.rotationEnabled,
            description.timeLimit > 0};
}

ThumbnailBadges ThumbnailBadges::builtin()
{
    const auto load = [](const char *path) {
        return keyedOut(BuiltinResources::picture(path), BuiltinResources::BadgeKey);
    };
    return {load(BuiltinResources::BadgeModel), load(BuiltinResources::BadgeRotation),
            load(BuiltinResources::BadgeClock)};
}

QImage ThumbnailBadges::keyedOut(const QImage &badge, QRgb keyColour)
{
    QImage keyed = badge.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if (line[x] == keyColour)
                line[x] = 0;
    }
    return keyed;
}

QImage thumbnailForDisplay(const QImage &picture, const ThumbnailMarks &marks, const ThumbnailBadges &badges)
{
    if (picture.isNull() || picture.size() == QSize(ThumbnailSide, ThumbnailSide))
        return decorateThumbnail(picture, marks, badges);
    QImage resized = picture;
    resampleBitmap(resized, ThumbnailSide, ThumbnailSide);
    return decorateThumbnail(resized, marks, badges);
}

QImage decorateThumbnail(const QImage &picture, const ThumbnailMarks &marks,
                         const ThumbnailBadges &badges)
{
    if (picture.isNull())
        return picture;
    // QPainter cannot draw on indexed pictures, which a BMP file may hold.
    QImage image = picture.convertToFormat(picture.hasAlphaChannel()
                                               ? QImage::Format_ARGB32_Premultiplied
                                               : QImage::Format_RGB32);
    const int columns = std::max(marks.columns, 1);
    const int rows = std::max(marks.rows, 1);
    const int cellWidth = image.width() / columns;
    const int cellHeight = image.height() / rows;

    QPainter painter(&image);
    const QColor white(Qt::white);
    for (int c = 1; c < columns; ++c)
        painter.fillRect(c * cellWidth, 0, 1, ThumbnailLayout::MarkExtent, white);
    for (int d = 1; d < rows; ++d)
        painter.fillRect(0, d * cellHeight, ThumbnailLayout::MarkExtent, 1, white);

    if (marks.model)
        painter.drawImage(ThumbnailLayout::ModelBadgeAt, badges.model);
    if (marks.rotation)
        painter.drawImage(ThumbnailLayout::RotationBadgeAt, badges.rotation);
    if (marks.timed)
        painter.drawImage(ThumbnailLayout::ClockBadgeAt, badges.clock);
    painter.end();
    return image;
}

} // namespace tivane
