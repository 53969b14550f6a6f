#include "play/PictureList.h"

#include <QPainter>
#include <QTransform>

namespace tivane {

PictureList::PictureList(int count) : m_items(static_cast<std::size_t>(count)) {}

void PictureList::setItem(int k, const QImage &picture, std::optional<QRgb> transparent)
{
    Item &item = m_items.at(k);
    item.picture = picture.convertToFormat(QImage::Format_RGB32);
    item.transparent = transparent;
    refresh(k);
}

void PictureList::refresh(int k)
{
    Item &item = m_items.at(k);
    if (item.picture.format() != QImage::Format_RGB32)
        item.picture = item.picture.convertToFormat(QImage::Format_RGB32);
    if (!item.transparent) {
        item.drawable = item.picture;
        return;
    }
    QImage copy = item.picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = *item.transparent | 0xFF000000u;
    for (int y = 0; y < copy.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
        }
    }
    item.drawable = copy.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void PictureList::draw(QPainter &painter, int k, int x, int y) const
{
    const QImage &image = m_items.at(k).drawable;
    if (!image.isNull())
        painter.drawImage(x, y, image);
}

void PictureList::drawScaledTurned(QPainter &painter, int k, int cx, int cy, int width, int height,
                                   int angle256) const
{
    const QImage &image = m_items.at(k).drawable;
    if (image.isNull() || width <= 0 || height <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    QTransform t;
    t.translate(cx, cy);
    t.rotate(360.0 * angle256 / 256.0);
    painter.setTransform(t, true);
    painter.drawImage(QRectF(-width / 2.0, -height / 2.0, width, height), image);
    painter.restore();
}

} // namespace tivane
