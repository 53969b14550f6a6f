// The demonstration picture: a sunny landscape crowded with things a young child names
// at once, so that every piece of the cut puzzle shows something different.

#include "Canvas.h"
#include "Pictures.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace Pictures {

namespace {

const QColor Ink(40, 30, 30);

QPen inkPen(qreal width = 1.5)
{
    return QPen(Ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPointF polar(QPointF centre, qreal radius, qreal degrees)
{
    const qreal a = degrees * std::numbers::pi / 180;
    return centre + QPointF(radius * std::cos(a), -radius * std::sin(a));
}

void drawSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(60, 140, 235));
    sky.setColorAt(1, QColor(175, 225, 255));
    p.fillRect(QRectF(0, 0, 360, 360), sky);
}

void drawRainbow(QPainter &p)
{
    const QPointF centre(262, 264);
    const QColor bands[] = {QColor(230, 35, 45),  QColor(255, 140, 0),  QColor(255, 220, 0),
                            QColor(60, 190, 60),  QColor(30, 130, 235), QColor(75, 60, 190),
                            QColor(160, 70, 200)};
    qreal radius = 186;
    p.setBrush(Qt::NoBrush);
    for (const QColor &band : bands) {
        p.setPen(QPen(band, 10.6, Qt::SolidLine, Qt::FlatCap));
        const qreal r = radius - 5;
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
        radius -= 10;
    }
}

void drawSun(QPainter &p, QPointF centre)
{
    p.setPen(QPen(QColor(235, 120, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * 30 + 15;
        p.setBrush(i % 2 ? QColor(255, 150, 0) : QColor(255, 215, 0));
        const qreal reach = i % 2 ? 44 : 48;
        p.drawPolygon(QPolygonF{polar(centre, 28, a - 11), polar(centre, reach, a), polar(centre, 28, a + 11)});
    }
    QRadialGradient face(centre - QPointF(8, 8), 36);
    face.setColorAt(0, QColor(255, 250, 150));
    face.setColorAt(1, QColor(255, 190, 0));
    p.setBrush(face);
    p.drawEllipse(centre, 29, 29);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 100, 170));
    p.drawEllipse(centre + QPointF(-15, 7), 5, 3.5);
    p.drawEllipse(centre + QPointF(15, 7), 5, 3.5);
    p.setBrush(Ink);
    p.drawEllipse(centre + QPointF(-9, -6), 3, 4);
    p.drawEllipse(centre + QPointF(9, -6), 3, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(inkPen(2.2));
    p.drawArc(QRectF(centre.x() - 12, centre.y() - 8, 24, 22), -20 * 16, -140 * 16);
}

void drawCloud(QPainter &p, QPointF centre, qreal scale)
{
    QPainterPath cloud;
    const struct { qreal x, y, r; } puffs[] = {{-24, 6, 14}, {-9, -6, 17}, {10, -9, 19}, {27, 3, 14}, {0, 8, 15}};
    for (const auto &puff : puffs) {
        QPainterPath circle;
        circle.addEllipse(centre + QPointF(puff.x, puff.y) * scale, puff.r * scale, puff.r * scale);
        cloud = cloud.united(circle);
    }
    QLinearGradient shade(0, centre.y() - 25 * scale, 0, centre.y() + 22 * scale);
    shade.setColorAt(0, Qt::white);
    shade.setColorAt(1, QColor(205, 220, 245));
    p.setBrush(shade);
    p.setPen(QPen(QColor(140, 160, 200), 1.2));
    p.drawPath(cloud);
}

void drawStar(QPainter &p, QPointF centre, qreal radius, const QColor &colour)
{
    p.setBrush(colour);
    p.setPen(QPen(colour.darker(160), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(Canvas::star(centre, radius, radius * 0.45));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(centre + QPointF(-radius * 0.2, -radius * 0.25), radius * 0.18, radius * 0.18);
}

void drawBalloon(QPainter &p, QPointF centre, qreal rx, qreal ry, const QColor &colour, QPointF knotTarget)
{
    const QPointF knot = centre + QPointF(0, ry);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    QPainterPath string;
    string.moveTo(knot);
    string.cubicTo(knot + QPointF(6, 12), knotTarget + QPointF(-6, -14), knotTarget);
    p.drawPath(string);

    QRadialGradient shine(centre - QPointF(rx * 0.35, ry * 0.4), ry * 1.4);
    shine.setColorAt(0, colour.lighter(160));
    shine.setColorAt(0.35, colour);
    shine.setColorAt(1, colour.darker(140));
    p.setBrush(shine);
    p.setPen(QPen(colour.darker(200), 1.2));
    p.drawEllipse(centre, rx, ry);
    p.drawPolygon(QPolygonF{knot + QPointF(-3, 4), knot, knot + QPointF(3, 4)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(centre + QPointF(-rx * 0.4, -ry * 0.45), rx * 0.18, ry * 0.22);
}

void drawHotAirBalloon(QPainter &p, QPointF centre)
{
    QPainterPath envelope;
    envelope.moveTo(centre + QPointF(0, 42));
    envelope.cubicTo(centre + QPointF(-18, 28), centre + QPointF(-34, 8), centre + QPointF(-30, -14));
    envelope.cubicTo(centre + QPointF(-26, -40), centre + QPointF(26, -40), centre + QPointF(30, -14));
    envelope.cubicTo(centre + QPointF(34, 8), centre + QPointF(18, 28), centre + QPointF(0, 42));
    p.save();
    p.setClipPath(envelope);
    const QColor gores[] = {QColor(230, 40, 50), QColor(255, 215, 0), QColor(40, 130, 230)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush(gores[i % 3]);
        const qreal half = 34 - i * 5;
        p.drawEllipse(QRectF(centre.x() - half, centre.y() - 50, 2 * half, 100));
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(inkPen(1.4));
    p.drawPath(envelope);

    const QRectF basket(centre.x() - 8, centre.y() + 52, 16, 12);
    p.setPen(QPen(QColor(90, 60, 30), 1.0));
    p.drawLine(centre + QPointF(-6, 38), basket.topLeft());
    p.drawLine(centre + QPointF(6, 38), basket.topRight());
    p.setBrush(QColor(170, 110, 50));
    p.setPen(inkPen(1.2));
    p.drawRect(basket);
    p.setPen(QPen(QColor(120, 75, 30), 1.0));
    p.drawLine(basket.left(), basket.center().y(), basket.right(), basket.center().y());
}

void drawHills(QPainter &p)
{
    QPainterPath back;
    back.moveTo(0, 238);
    back.cubicTo(70, 214, 150, 204, 220, 218);
    back.cubicTo(280, 228, 330, 222, 360, 214);
    back.lineTo(360, 360);
    back.lineTo(0, 360);
    back.closeSubpath();
    QLinearGradient backShade(0, 205, 0, 300);
    backShade.setColorAt(0, QColor(150, 225, 95));
    backShade.setColorAt(1, QColor(95, 190, 70));
    p.setBrush(backShade);
    p.setPen(QPen(QColor(60, 140, 40), 1.2));
    p.drawPath(back);

    QPainterPath front;
    front.moveTo(0, 280);
    front.cubicTo(90, 262, 200, 270, 260, 262);
    front.cubicTo(300, 256, 340, 262, 360, 268);
    front.lineTo(360, 360);
    front.lineTo(0, 360);
    front.closeSubpath();
    QLinearGradient frontShade(0, 255, 0, 360);
    frontShade.setColorAt(0, QColor(80, 190, 70));
    frontShade.setColorAt(1, QColor(35, 140, 50));
    p.setBrush(frontShade);
    p.setPen(QPen(QColor(30, 110, 35), 1.2));
    p.drawPath(front);
}

void drawHouse(QPainter &p, QPointF base)
{
    const QRectF walls(base.x() - 20, base.y() - 30, 40, 30);
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(255, 235, 150));
    p.drawRect(walls);
    p.setBrush(QColor(220, 50, 40));
    p.drawPolygon(QPolygonF{walls.topLeft() + QPointF(-6, 1), QPointF(base.x(), walls.top() - 22),
                            walls.topRight() + QPointF(6, 1)});
    p.setBrush(QColor(60, 110, 220));
    p.drawRect(QRectF(base.x() - 15, base.y() - 18, 9, 18));
    p.setBrush(QColor(170, 225, 255));
    p.drawRect(QRectF(base.x() + 3, base.y() - 22, 11, 10));
    p.drawLine(QPointF(base.x() + 8.5, base.y() - 22), QPointF(base.x() + 8.5, base.y() - 12));
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(QPointF(base.x() - 8, base.y() - 9), 1.2, 1.2);
    p.setBrush(QColor(150, 80, 50));
    p.drawRect(QRectF(base.x() + 8, walls.top() - 18, 6, 10));
}

void drawTree(QPainter &p, QPointF base)
{
    p.setPen(inkPen(1.2));
    QLinearGradient bark(base.x() - 8, 0, base.x() + 8, 0);
    bark.setColorAt(0, QColor(150, 95, 45));
    bark.setColorAt(1, QColor(105, 60, 25));
    p.setBrush(bark);
    p.drawRect(QRectF(base.x() - 8, base.y() - 64, 16, 64));

    QPainterPath crown;
    const struct { qreal x, y, r; } leaves[] = {{-22, -78, 20}, {0, -96, 24}, {22, -80, 20}, {-10, -64, 18}, {14, -62, 18}};
    for (const auto &leaf : leaves) {
        QPainterPath circle;
        circle.addEllipse(base + QPointF(leaf.x, leaf.y), leaf.r, leaf.r);
        crown = crown.united(circle);
    }
    QRadialGradient green(base + QPointF(-10, -95), 60);
    green.setColorAt(0, QColor(110, 210, 80));
    green.setColorAt(1, QColor(25, 120, 45));
    p.setBrush(green);
    p.setPen(QPen(QColor(20, 80, 30), 1.3));
    p.drawPath(crown);
    const QPointF apples[] = {{-22, -82}, {4, -102}, {18, -70}, {-6, -66}, {26, -92}, {-26, -62}};
    for (const QPointF &a : apples) {
        p.setBrush(QColor(230, 30, 40));
        p.setPen(QPen(QColor(120, 0, 0), 1.0));
        p.drawEllipse(base + a, 4.5, 4.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 180));
        p.drawEllipse(base + a + QPointF(-1.5, -1.5), 1.2, 1.2);
    }
}

void drawCat(QPainter &p, QPointF at)
{
    const QColor fur(250, 150, 40);
    const QColor stripe(200, 95, 10);
    p.setPen(inkPen(1.4));

    // Tail curling up behind the body.
    QPainterPath tail;
    tail.moveTo(at + QPointF(30, 20));
    tail.cubicTo(at + QPointF(55, 20), at + QPointF(56, -14), at + QPointF(44, -20));
    QPainterPathStroker stroker;
    stroker.setWidth(8);
    stroker.setCapStyle(Qt::RoundCap);
    p.setBrush(fur);
    p.drawPath(stroker.createStroke(tail));

    p.drawEllipse(at + QPointF(10, 14), 28, 20);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(stripe, 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawArc(QRectF(at.x() + 6 + i * 9, at.y() - 3, 10, 14), 200 * 16, 140 * 16);

    // Paws.
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(255, 240, 220));
    p.drawEllipse(at + QPointF(-4, 33), 7, 4.5);
    p.drawEllipse(at + QPointF(14, 33), 7, 4.5);

    // Head and ears.
    const QPointF head = at + QPointF(-18, -10);
    p.setPen(inkPen(1.4));
    p.setBrush(fur);
    p.drawPolygon(QPolygonF{head + QPointF(-19, -6), head + QPointF(-16, -28), head + QPointF(-3, -16)});
    p.drawPolygon(QPolygonF{head + QPointF(19, -6), head + QPointF(16, -28), head + QPointF(3, -16)});
    p.setBrush(QColor(255, 160, 180));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{head + QPointF(-15, -10), head + QPointF(-14.5, -23), head + QPointF(-7, -16)});
    p.drawPolygon(QPolygonF{head + QPointF(15, -10), head + QPointF(14.5, -23), head + QPointF(7, -16)});
    p.setPen(inkPen(1.4));
    p.setBrush(fur);
    p.drawEllipse(head, 21, 18);

    // Face.
    p.setBrush(QColor(255, 240, 220));
    p.setPen(Qt::NoPen);
    p.drawEllipse(head + QPointF(0, 8), 10, 7);
    p.setBrush(QColor(90, 200, 90));
    p.setPen(inkPen(1.0));
    p.drawEllipse(head + QPointF(-8, -3), 4.5, 5);
    p.drawEllipse(head + QPointF(8, -3), 4.5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(head + QPointF(-8, -3), 1.5, 4);
    p.drawEllipse(head + QPointF(8, -3), 1.5, 4);
    p.setBrush(QColor(240, 90, 120));
    p.drawPolygon(QPolygonF{head + QPointF(-3, 4), head + QPointF(3, 4), head + QPointF(0, 7.5)});
    p.setPen(inkPen(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() - 5, head.y() + 5, 5, 5), 180 * 16, 180 * 16);
    p.drawArc(QRectF(head.x(), head.y() + 5, 5, 5), 180 * 16, 180 * 16);
    for (int side : {-1, 1}) {
        p.drawLine(head + QPointF(side * 9, 7), head + QPointF(side * 24, 4));
        p.drawLine(head + QPointF(side * 9, 9), head + QPointF(side * 24, 11));
    }
}

void drawMushroom(QPainter &p, QPointF base)
{
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(255, 245, 225));
    p.drawRoundedRect(QRectF(base.x() - 7, base.y() - 22, 14, 22), 4, 4);
    QPainterPath cap;
    cap.moveTo(base + QPointF(-22, -18));
    cap.cubicTo(base + QPointF(-22, -48), base + QPointF(22, -48), base + QPointF(22, -18));
    cap.closeSubpath();
    p.setBrush(QColor(225, 30, 35));
    p.drawPath(cap);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QPointF dots[] = {{-12, -25}, {0, -34}, {11, -26}, {-4, -22}, {15, -20}};
    for (const QPointF &d : dots)
        p.drawEllipse(base + d, 3.2, 2.8);
}

void drawPond(QPainter &p, QPointF centre)
{
    QRadialGradient water(centre, 70);
    water.setColorAt(0, QColor(120, 210, 255));
    water.setColorAt(1, QColor(30, 120, 210));
    p.setBrush(water);
    p.setPen(QPen(QColor(20, 80, 150), 1.4));
    p.drawEllipse(centre, 66, 24);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() + 22, centre.y() + 4, 28, 9), 20 * 16, 140 * 16);
    p.drawArc(QRectF(centre.x() - 58, centre.y() - 6, 24, 8), 20 * 16, 140 * 16);

    // A water lily on its pad.
    const QPointF pad = centre + QPointF(-38, 8);
    p.setPen(QPen(QColor(20, 100, 30), 1.0));
    p.setBrush(QColor(60, 170, 60));
    p.drawPie(QRectF(pad.x() - 13, pad.y() - 6, 26, 12), 80 * 16, 330 * 16);
    p.setBrush(QColor(255, 150, 200));
    p.setPen(QPen(QColor(190, 60, 120), 1.0));
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(pad + QPointF(i * 3.5, -3 - (i == 0 ? 2 : 0)), 2.8, 4.5);
}

void drawDuck(QPainter &p, QPointF at)
{
    p.setPen(inkPen(1.3));
    QPainterPath body;
    body.moveTo(at + QPointF(-22, -6));
    body.cubicTo(at + QPointF(-18, 10), at + QPointF(16, 12), at + QPointF(22, -2));
    body.cubicTo(at + QPointF(10, -10), at + QPointF(-6, -4), at + QPointF(-22, -6));
    p.setBrush(QColor(255, 220, 30));
    p.drawPath(body);
    p.setBrush(QColor(255, 200, 0));
    p.drawArc(QRectF(at.x() - 12, at.y() - 8, 16, 10), 200 * 16, 140 * 16);
    const QPointF head = at + QPointF(14, -16);
    p.setBrush(QColor(255, 220, 30));
    p.drawEllipse(head, 9, 8.5);
    p.setBrush(QColor(255, 120, 0));
    p.drawPolygon(QPolygonF{head + QPointF(7, -1), head + QPointF(17, 1), head + QPointF(7, 4)});
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(head + QPointF(2.5, -2.5), 1.6, 1.9);
}

void drawButterfly(QPainter &p, QPointF centre, qreal tilt)
{
    p.save();
    p.translate(centre);
    p.rotate(tilt);
    p.setPen(inkPen(1.1));
    for (int side : {-1, 1}) {
        p.setBrush(QColor(190, 80, 220));
        p.drawEllipse(QPointF(side * 9, -6), 9, 8);
        p.setBrush(QColor(255, 120, 190));
        p.drawEllipse(QPointF(side * 7, 6), 6.5, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 230, 60));
        p.drawEllipse(QPointF(side * 10, -7), 3, 3);
        p.setPen(inkPen(1.1));
    }
    p.setBrush(Ink);
    p.drawRoundedRect(QRectF(-2, -10, 4, 21), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(-1, -10), QPointF(-5, -17));
    p.drawLine(QPointF(1, -10), QPointF(5, -17));
    p.restore();
}

void drawFlower(QPainter &p, QPointF head, qreal stemLength, const QColor &petals, const QColor &heart)
{
    p.setPen(QPen(QColor(30, 110, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head, head + QPointF(0, stemLength));
    p.setBrush(QColor(70, 170, 60));
    p.setPen(QPen(QColor(30, 110, 30), 1.0));
    p.drawEllipse(head + QPointF(5, stemLength * 0.6), 5, 2.5);
    p.setPen(QPen(petals.darker(170), 1.0));
    p.setBrush(petals);
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(polar(head, 6.5, i * 60), 5, 5);
    p.setBrush(heart);
    p.drawEllipse(head, 4.5, 4.5);
}

void drawLadybird(QPainter &p, QPointF centre)
{
    p.setPen(inkPen(1.2));
    p.setBrush(Ink);
    p.drawEllipse(centre + QPointF(11, 0), 5, 5);
    p.setBrush(QColor(230, 30, 30));
    p.drawEllipse(centre, 12, 9.5);
    p.drawLine(centre + QPointF(12, 0), centre + QPointF(-12, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const QPointF spots[] = {{-5, -4.5}, {4, -5}, {-6, 4.5}, {3, 5}};
    for (const QPointF &s : spots)
        p.drawEllipse(centre + s, 2.2, 2.2);
}

void drawSnail(QPainter &p, QPointF at)
{
    p.setPen(inkPen(1.2));
    QPainterPath foot;
    foot.moveTo(at + QPointF(-20, 8));
    foot.lineTo(at + QPointF(16, 8));
    foot.cubicTo(at + QPointF(24, 8), at + QPointF(26, -8), at + QPointF(20, -12));
    foot.lineTo(at + QPointF(14, 0));
    foot.lineTo(at + QPointF(-20, 2));
    foot.closeSubpath();
    p.setBrush(QColor(200, 230, 120));
    p.drawPath(foot);
    p.drawLine(at + QPointF(19, -10), at + QPointF(17, -20));
    p.drawLine(at + QPointF(22, -9), at + QPointF(26, -18));
    p.setBrush(Ink);
    p.drawEllipse(at + QPointF(17, -20), 1.6, 1.6);
    p.drawEllipse(at + QPointF(26, -18), 1.6, 1.6);

    const QPointF shell = at + QPointF(-2, -8);
    QRadialGradient brown(shell - QPointF(4, 4), 18);
    brown.setColorAt(0, QColor(255, 180, 90));
    brown.setColorAt(1, QColor(190, 90, 30));
    p.setBrush(brown);
    p.drawEllipse(shell, 14, 13);
    QPainterPath spiral;
    spiral.moveTo(shell);
    for (int i = 1; i <= 40; ++i) {
        const qreal t = i / 40.0;
        spiral.lineTo(polar(shell, t * 11, 90 + t * 600));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 50, 10), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(spiral);
}

} // namespace

QImage demoPicture()
{
    QImage image = Canvas::opaque(360, 360, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    drawSky(p);
    drawRainbow(p);
    drawCloud(p, QPointF(176, 40), 1.0);
    drawCloud(p, QPointF(318, 34), 0.85);
    drawSun(p, QPointF(50, 50));
    drawStar(p, QPointF(118, 88), 12, QColor(255, 120, 190));
    drawStar(p, QPointF(250, 56), 10, QColor(255, 230, 40));
    drawStar(p, QPointF(345, 76), 9, QColor(255, 150, 40));
    drawStar(p, QPointF(118, 18), 8, QColor(120, 230, 255));
    drawStar(p, QPointF(20, 118), 9, QColor(255, 255, 120));

    drawHotAirBalloon(p, QPointF(46, 150));
    const QPointF hand(262, 232);
    drawBalloon(p, QPointF(226, 160), 17, 21, QColor(235, 40, 50), hand);
    drawBalloon(p, QPointF(300, 168), 16, 20, QColor(255, 200, 0), hand);
    drawBalloon(p, QPointF(262, 140), 17, 21, QColor(40, 150, 240), hand);
    drawBalloon(p, QPointF(252, 188), 14, 17, QColor(60, 200, 90), hand);

    drawHills(p);
    drawHouse(p, QPointF(176, 238));
    drawTree(p, QPointF(322, 290));
    drawPond(p, QPointF(204, 318));
    drawDuck(p, QPointF(214, 316));
    drawMushroom(p, QPointF(118, 312));
    drawButterfly(p, QPointF(118, 248), -15);
    drawCat(p, QPointF(48, 300));
    drawFlower(p, QPointF(16, 330), 30, QColor(255, 80, 90), QColor(255, 220, 40));
    drawFlower(p, QPointF(142, 336), 24, QColor(250, 230, 40), QColor(240, 120, 0));
    drawFlower(p, QPointF(266, 344), 16, QColor(180, 110, 240), QColor(255, 240, 120));
    drawFlower(p, QPointF(348, 318), 42, QColor(255, 140, 200), QColor(255, 230, 60));
    drawLadybird(p, QPointF(100, 348));
    drawSnail(p, QPointF(306, 344));
    return image;
}

} // namespace Pictures
