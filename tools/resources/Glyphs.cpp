// The small glyphs and badges. They are drawn at their final size, on half-pixel
// coordinates so that one-pixel lines stay sharp.

#include "Canvas.h"
#include "Pictures.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>
#include <numbers>

namespace Pictures {

namespace {

constexpr QRgb Lime = 0xFF00FF00u;

void smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
}

// Pencil lying along +x with its tip at the origin, 2 * half wide.
void drawPencil(QPainter &p, qreal length, qreal half)
{
    const QColor ink(70, 40, 15);
    const qreal cone = half * 2.0;
    const qreal eraser = half * 1.1;
    const qreal ferrule = half * 0.7;
    const qreal bodyEnd = length - eraser - ferrule;

    QPainterPath outline;
    outline.moveTo(0, 0);
    outline.lineTo(cone, -half);
    outline.lineTo(length - half * 0.5, -half);
    outline.quadTo(length, -half, length, 0);
    outline.quadTo(length, half, length - half * 0.5, half);
    outline.lineTo(cone, half);
    outline.closeSubpath();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 0));
    p.drawRect(QRectF(cone, -half, bodyEnd - cone, half));
    p.setBrush(QColor(235, 140, 0));
    p.drawRect(QRectF(cone, 0, bodyEnd - cone, half));
    p.setBrush(QColor(180, 185, 195));
    p.drawRect(QRectF(bodyEnd, -half, ferrule, 2 * half));
    p.save();
    p.setClipPath(outline);
    p.setBrush(QColor(245, 120, 150));
    p.drawRect(QRectF(bodyEnd + ferrule, -half, eraser + 1, 2 * half));
    p.restore();
    p.setBrush(QColor(245, 210, 160));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(cone, -half), QPointF(cone, half)});
    p.setBrush(QColor(40, 40, 50));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(cone * 0.4, -half * 0.4), QPointF(cone * 0.4, half * 0.4)});

    p.setPen(QPen(ink, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

// The loudspeaker shared by the two sound glyphs, facing right.
void drawSpeaker(QPainter &p)
{
    QPainterPath speaker;
    speaker.moveTo(1.5, 7.5);
    speaker.lineTo(5.0, 7.5);
    speaker.lineTo(9.5, 3.0);
    speaker.lineTo(9.5, 17.0);
    speaker.lineTo(5.0, 12.5);
    speaker.lineTo(1.5, 12.5);
    speaker.closeSubpath();
    QLinearGradient shade(0, 3, 0, 17);
    shade.setColorAt(0, QColor(90, 110, 200));
    shade.setColorAt(1, QColor(30, 45, 130));
    p.setBrush(shade);
    p.setPen(QPen(QColor(15, 20, 60), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(speaker);
}

} // namespace

QImage createGlyph()
{
    QImage image = Canvas::transparent(24, 24);
    QPainter p(&image);
    smooth(p);

    // A small framed landscape...
    const QRectF frame(1.5, 4.5, 17, 15);
    QLinearGradient sky(0, frame.top(), 0, frame.bottom());
    sky.setColorAt(0, QColor(90, 170, 255));
    sky.setColorAt(1, QColor(190, 230, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(frame);
    p.save();
    p.setClipRect(frame);
    p.setBrush(QColor(255, 210, 0));
    p.drawEllipse(QPointF(6.0, 9.0), 2.4, 2.4);
    p.setBrush(QColor(90, 190, 70));
    p.drawEllipse(QRectF(-3, 13.5, 16, 12));
    p.setBrush(QColor(40, 145, 55));
    p.drawEllipse(QRectF(8, 14.5, 15, 12));
    p.restore();
    p.setPen(QPen(QColor(60, 60, 70), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);

    // ...with a pencil drawing on it.
    p.translate(9.0, 19.5);
    p.rotate(-45);
    drawPencil(p, 19.0, 2.6);
    return image;
}

QImage playGlyph()
{
    QImage image = Canvas::transparent(24, 24);
    QPainter p(&image);
    smooth(p);
    const QPainterPath piece = Canvas::puzzlePiece(QRectF(2.5, 8.5, 13, 13), {1, 1, 0, -1});
    QLinearGradient fill(0, 3, 0, 21);
    fill.setColorAt(0, QColor(255, 190, 40));
    fill.setColorAt(1, QColor(240, 90, 10));
    p.setBrush(fill);
    p.setPen(QPen(QColor(120, 40, 0), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(piece);
    // A soft highlight along the upper left.
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.0, 10.0), QPointF(6.5, 10.0));
    p.drawLine(QPointF(4.0, 10.0), QPointF(4.0, 12.0));
    return image;
}

QImage instructionsGlyph()
{
    QImage image = Canvas::transparent(24, 24);
    QPainter p(&image);
    smooth(p);

    // Cover, showing a little below the pages.
    QPainterPath cover;
    cover.moveTo(1.5, 6.5);
    cover.lineTo(12, 8.0);
    cover.lineTo(22.5, 6.5);
    cover.lineTo(22.5, 20.5);
    cover.lineTo(12, 22.0);
    cover.lineTo(1.5, 20.5);
    cover.closeSubpath();
    p.setPen(QPen(QColor(10, 40, 110), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(40, 100, 210));
    p.drawPath(cover);

    // Two pages curving into the spine.
    const QColor pageEdge(90, 90, 100);
    for (int side : {-1, 1}) {
        QPainterPath page;
        page.moveTo(12, 6.5);
        page.quadTo(12 + side * 5.0, 3.0, 12 + side * 9.5, 4.0);
        page.lineTo(12 + side * 9.5, 18.0);
        page.quadTo(12 + side * 5.0, 17.0, 12, 20.0);
        page.closeSubpath();
        p.setPen(QPen(pageEdge, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(255, 253, 240));
        p.drawPath(page);
        p.setPen(QPen(QColor(120, 140, 170), 1.0, Qt::SolidLine, Qt::FlatCap));
        for (int line = 0; line < 4; ++line) {
            const qreal y = 7.5 + line * 2.6;
            p.drawLine(QPointF(12 + side * 2.5, y + 0.2), QPointF(12 + side * 8.0, y - 0.4));
        }
    }
    // A red ribbon hanging from the spine.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 40));
    p.drawPolygon(QPolygonF{QPointF(12.6, 18), QPointF(15, 18), QPointF(15, 23.5), QPointF(13.8, 22.3),
                            QPointF(12.6, 23.5)});
    return image;
}

QImage soundOnGlyph()
{
    QImage image = Canvas::transparent(20, 20);
    QPainter p(&image);
    smooth(p);
    drawSpeaker(p);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 30, 90), 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(9.5, 10.0);
    for (qreal r : {3.6, 6.6, 9.4}) {
        const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        p.drawArc(box, -45 * 16, 90 * 16);
    }
    return image;
}

QImage soundOffGlyph()
{
    QImage image = Canvas::transparent(20, 20);
    QPainter p(&image);
    smooth(p);
    drawSpeaker(p);
    p.setPen(QPen(QColor(215, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.0, 6.5), QPointF(18.0, 13.5));
    p.drawLine(QPointF(12.0, 13.5), QPointF(18.0, 6.5));
    return image;
}

QImage modelBadge()
{
    QImage figure = Canvas::transparent(22, 22);
    QPainter p(&figure);
    smooth(p);
    QRadialGradient skin(QPointF(8, 7), 13);
    skin.setColorAt(0, QColor(255, 240, 120));
    skin.setColorAt(1, QColor(250, 190, 0));
    p.setBrush(skin);
    p.setPen(QPen(QColor(140, 70, 0), 1.2));
    p.drawEllipse(QPointF(11, 11), 10.2, 10.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 130, 110));
    p.drawEllipse(QPointF(5.6, 13.0), 2.0, 1.4);
    p.drawEllipse(QPointF(16.4, 13.0), 2.0, 1.4);
    p.setBrush(QColor(50, 30, 10));
    p.drawEllipse(QPointF(7.8, 8.3), 1.4, 1.9);
    p.drawEllipse(QPointF(14.2, 8.3), 1.4, 1.9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 40, 0), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(6.0, 7.0, 10.0, 9.0), -25 * 16, -130 * 16);
    p.end();
    return Canvas::onKey(figure, Lime);
}

QImage rotationBadge()
{
    QImage figure = Canvas::transparent(22, 22);
    QPainter p(&figure);
    smooth(p);
    // Three quarters of a circle, turning clockwise, ending in an arrowhead.
    const QPointF centre(11, 11.5);
    const qreal radius = 6.6;
    const qreal startDeg = 150;
    const qreal sweepDeg = -255;
    QPainterPath arc;
    arc.arcMoveTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), startDeg);
    arc.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), startDeg, sweepDeg);
    QPainterPathStroker stroker;
    stroker.setWidth(3.8);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath shape = stroker.createStroke(arc);

    const qreal end = (startDeg + sweepDeg) * std::numbers::pi / 180;
    const QPointF tip0 = centre + QPointF(radius * std::cos(end), -radius * std::sin(end));
    const QPointF along(std::sin(end), std::cos(end)); // clockwise tangent
    const QPointF across(std::cos(end), -std::sin(end));
    QPainterPath head;
    head.addPolygon(QPolygonF{tip0 + across * 5.2 - along * 0.5, tip0 + along * 6.0, tip0 - across * 5.2 - along * 0.5});
    head.closeSubpath();
    shape = shape.united(head).simplified();

    QLinearGradient fill(0, 2, 0, 20);
    fill.setColorAt(0, QColor(80, 170, 255));
    fill.setColorAt(1, QColor(20, 80, 210));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0, 30, 100), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    p.end();
    return Canvas::onKey(figure, Lime);
}

QImage clockBadge()
{
    QImage figure = Canvas::transparent(22, 22);
    QPainter p(&figure);
    smooth(p);
    const QPointF centre(11, 11);
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(QColor(210, 30, 40), 2.2));
    p.drawEllipse(centre, 9.6, 9.6);
    p.setPen(QPen(QColor(60, 60, 70), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal a = hour * std::numbers::pi / 6;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(centre + dir * 6.0, centre + dir * 7.3);
    }
    p.setPen(QPen(QColor(20, 20, 30), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -6.2));
    p.drawLine(centre, centre + QPointF(3.9, 2.2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 40));
    p.drawEllipse(centre, 1.3, 1.3);
    p.end();
    return Canvas::onKey(figure, Lime);
}

} // namespace Pictures
