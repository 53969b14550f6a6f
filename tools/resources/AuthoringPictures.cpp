// The authoring forms' pictures: the numbered step discs, the open-folder glyph and the
// placeholder shown before a picture is chosen.
#include "Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Pictures {

QImage stepDisc(int number, const QString &boldFamily)
{
    QImage disc(33, 33, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    QPainter p(&disc);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(QPointF(12, 11), 22);
    shade.setColorAt(0, QColor(90, 140, 255));
    shade.setColorAt(1, QColor(0, 0, 190));
    p.setBrush(shade);
    p.setPen(QPen(QColor(0, 0, 110), 1.0));
    p.drawEllipse(QRectF(1.5, 1.5, 30, 30));
    p.setPen(Qt::white);
    QFont font(boldFamily);
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 33, 33), Qt::AlignCenter, QString::number(number));
    return disc;
}

QImage openFolderGlyph()
{
    QImage glyph(32, 32, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(110, 75, 0), 1.0);

    QPainterPath back;
    back.moveTo(3.5, 8.5);
    back.lineTo(11.5, 8.5);
    back.lineTo(14.5, 11.5);
    back.lineTo(25.5, 11.5);
    back.lineTo(25.5, 26.5);
    back.lineTo(3.5, 26.5);
    back.closeSubpath();
    p.setPen(outline);
    p.setBrush(QColor(215, 165, 40));
    p.drawPath(back);

    // A sheet of paper showing from the open folder.
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(120, 120, 120), 1.0));
    p.drawRect(QRectF(7.5, 5.5, 14, 14));

    QPainterPath front;
    front.moveTo(3.5, 26.5);
    front.lineTo(8.5, 15.5);
    front.lineTo(30.5, 15.5);
    front.lineTo(25.5, 26.5);
    front.closeSubpath();
    QLinearGradient light(0, 15, 0, 27);
    light.setColorAt(0, QColor(255, 225, 110));
    light.setColorAt(1, QColor(235, 185, 50));
    p.setPen(outline);
    p.setBrush(light);
    p.drawPath(front);
    return glyph;
}

QImage noPicturePlaceholder(const QString &boldFamily)
{
    QImage placeholder(360, 360, QImage::Format_RGB32);
    placeholder.fill(Qt::white);
    QPainter p(&placeholder);
    p.setPen(QColor(128, 128, 128));
    QFont font(boldFamily);
    font.setPixelSize(36);
    font.setBold(true);
    p.setFont(font);
    p.drawText(placeholder.rect(), Qt::AlignCenter, QStringLiteral("PAS D'IMAGE"));
    p.end();
    return placeholder.convertToFormat(QImage::Format_RGB888);
}

} // namespace Pictures
