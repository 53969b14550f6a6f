#include "StarterScenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

using namespace tivane;

namespace {

constexpr int Side = 360;

const QColor Outline(60, 40, 30);

QImage canvas()
{
    QImage image(Side, Side, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void begin(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// The whole picture, palest at the horizon; the ground is drawn over it.
void sky(QPainter &p, int horizon)
{
    QLinearGradient g(0, 0, 0, horizon);
    g.setColorAt(0, QColor(66, 165, 245));
    g.setColorAt(1, QColor(187, 228, 255));
    p.fillRect(0, 0, Side, Side, g);
}

void grass(QPainter &p, int top)
{
    QPainterPath hill;
    hill.moveTo(0, top + 10);
    hill.cubicTo(90, top - 12, 250, top + 22, Side, top);
    hill.lineTo(Side, Side);
    hill.lineTo(0, Side);
    hill.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(102, 187, 76));
    p.drawPath(hill);
    p.restore();
}

void cloud(QPainter &p, QPointF c, qreal s)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(c + QPointF(-28 * s, 6 * s), 22 * s, 16 * s);
    p.drawEllipse(c + QPointF(0, -6 * s), 26 * s, 22 * s);
    p.drawEllipse(c + QPointF(28 * s, 6 * s), 22 * s, 16 * s);
    p.drawRoundedRect(QRectF(c.x() - 44 * s, c.y(), 88 * s, 22 * s), 11 * s, 11 * s);
    p.restore();
}

void sun(QPainter &p, QPointF c, qreal r, int rays)
{
    p.save();
    p.setPen(QPen(QColor(255, 160, 0), 5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < rays; ++i) {
        const qreal a = 2 * std::numbers::pi * i / rays;
        const QPointF d(std::cos(a), std::sin(a));
        p.drawLine(c + d * (r + 8), c + d * (r + 8 + r * 0.45));
    }
    p.setPen(QPen(QColor(255, 143, 0), 3));
    p.setBrush(QColor(255, 214, 0));
    p.drawEllipse(c, r, r);
    p.restore();
}

void flower(QPainter &p, QPointF c, const QColor &petals)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const qreal a = 2 * std::numbers::pi * i / 5;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 6, 5, 5);
    }
    p.setBrush(QColor(255, 235, 59));
    p.drawEllipse(c, 4, 4);
    p.restore();
}

QImage house()
{
    QImage image = canvas();
    QPainter p(&image);
    begin(p);
    sky(p, 260);
    sun(p, {300, 62}, 30, 10);
    cloud(p, {88, 64}, 1.0);
    grass(p, 262);

    // Garden path from the door.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(239, 210, 160));
    p.drawPolygon(QPolygonF({QPointF(162, 300), QPointF(198, 300), QPointF(230, 360), QPointF(130, 360)}));
    p.restore();

    p.setBrush(QColor(178, 58, 46));
    p.drawRect(QRectF(222, 92, 26, 54));  // chimney
    p.setBrush(QColor(255, 213, 74));
    p.drawRect(QRectF(88, 170, 184, 130));  // walls
    p.setBrush(QColor(229, 57, 53));
    p.drawPolygon(QPolygonF({QPointF(66, 176), QPointF(180, 78), QPointF(294, 176)}));  // roof

    QPainterPath door;
    door.moveTo(158, 300);
    door.lineTo(158, 240);
    door.arcTo(QRectF(158, 220, 44, 40), 180, -180);
    door.lineTo(202, 300);
    door.closeSubpath();
    p.setBrush(QColor(141, 85, 36));
    p.drawPath(door);
    p.setBrush(QColor(255, 235, 59));
    p.drawEllipse(QPointF(193, 268), 4, 4);

    for (const qreal x : {104.0, 220.0}) {
        const QRectF window(x, 194, 40, 40);
        p.setBrush(QColor(159, 226, 255));
        p.drawRect(window);
        p.drawLine(window.center().x(), window.top(), window.center().x(), window.bottom());
        p.drawLine(window.left(), window.center().y(), window.right(), window.center().y());
    }
    flower(p, {40, 310}, QColor(236, 64, 122));
    flower(p, {300, 320}, QColor(171, 71, 188));
    flower(p, {70, 340}, QColor(255, 112, 67));
    flower(p, {325, 290}, QColor(236, 64, 122));
    return image;
}

void waves(QPainter &p, qreal top, const QColor &colour)
{
    p.save();
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (qreal y = top; y < Side; y += 34)
        for (qreal x = (int(y) / 34 % 2) * 30 - 20; x < Side; x += 60)
            p.drawArc(QRectF(x, y, 40, 18), 20 * 16, 140 * 16);
    p.restore();
}

QImage boat()
{
    QImage image = canvas();
    QPainter p(&image);
    begin(p);
    sky(p, 240);
    sun(p, {62, 62}, 28, 10);
    cloud(p, {280, 70}, 0.9);

    // Gulls.
    p.save();
    p.setPen(QPen(QColor(55, 71, 79), 3, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF c : {QPointF(118, 40), QPointF(146, 60)}) {
        p.drawArc(QRectF(c.x() - 16, c.y(), 16, 12), 0, 180 * 16);
        p.drawArc(QRectF(c.x(), c.y(), 16, 12), 0, 180 * 16);
    }
    p.restore();

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 136, 229));
    p.drawRect(0, 238, Side, Side - 238);
    p.restore();
    waves(p, 300, QColor(100, 181, 246));

    p.setBrush(QColor(141, 85, 36));
    p.drawRect(QRectF(175, 66, 9, 176));  // mast
    p.setBrush(QColor(229, 57, 53));
    p.drawPolygon(QPolygonF({QPointF(184, 66), QPointF(214, 76), QPointF(184, 86)}));  // flag
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(190, 92), QPointF(190, 226), QPointF(292, 226)}));
    p.setBrush(QColor(255, 235, 59));
    p.drawPolygon(QPolygonF({QPointF(169, 100), QPointF(169, 226), QPointF(86, 226)}));

    p.setBrush(QColor(229, 57, 53));
    p.drawPolygon(QPolygonF({QPointF(62, 236), QPointF(298, 236), QPointF(262, 290), QPointF(98, 290)}));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(78, 250, 206, 9));
    p.restore();
    for (const qreal x : {126.0, 180.0, 234.0}) {
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(x, 272), 8, 8);  // portholes
    }
    waves(p, 282, QColor(187, 222, 251));
    return image;
}

QImage fish()
{
    QImage image = canvas();
    QPainter p(&image);
    begin(p);
    QLinearGradient water(0, 0, 0, Side);
    water.setColorAt(0, QColor(77, 208, 225));
    water.setColorAt(1, QColor(2, 119, 189));
    p.fillRect(0, 0, Side, Side, water);

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 224, 130));
    p.drawEllipse(QPointF(180, 400), 260, 85);  // sand
    p.restore();

    // Seaweed.
    p.save();
    p.setPen(QPen(QColor(46, 125, 50), 10, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const auto &[x, top] : {std::pair{30.0, 220.0}, {52.0, 244.0}, {322.0, 262.0}, {344.0, 248.0}}) {
        QPainterPath weed;
        weed.moveTo(x, 350);
        weed.cubicTo(x - 18, 310, x + 18, 280, x - 4, top);
        p.drawPath(weed);
    }
    p.restore();

    // Tail and fins behind the body.
    p.setBrush(QColor(255, 111, 0));
    p.drawPolygon(QPolygonF({QPointF(244, 172), QPointF(318, 112), QPointF(302, 172), QPointF(318, 232)}));
    p.drawPolygon(QPolygonF({QPointF(130, 126), QPointF(178, 82), QPointF(214, 132)}));
    p.drawPolygon(QPolygonF({QPointF(150, 220), QPointF(182, 262), QPointF(200, 218)}));

    const QRectF body(68, 112, 196, 124);
    p.setBrush(QColor(255, 152, 0));
    p.drawEllipse(body);
    // White stripes, clipped to the body.
    p.save();
    QPainterPath bodyPath;
    bodyPath.addEllipse(body);
    p.setClipPath(bodyPath);
    p.setPen(QPen(Outline, 3));
    p.setBrush(Qt::white);
    for (const qreal x : {140.0, 200.0})
        p.drawEllipse(QRectF(x - 12, 100, 24, 150));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(body);

    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(108, 160), 15, 15);
    p.setBrush(QColor(33, 33, 33));
    p.drawEllipse(QPointF(104, 160), 7, 7);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(74, 178, 24, 18), 200 * 16, 120 * 16);  // smile

    // Bubbles.
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 220), 3));
    p.drawEllipse(QPointF(56, 98), 9, 9);
    p.drawEllipse(QPointF(44, 66), 6, 6);
    p.drawEllipse(QPointF(58, 38), 11, 11);
    p.drawEllipse(QPointF(300, 60), 8, 8);
    p.restore();
    return image;
}

QImage smilingSun()
{
    QImage image = canvas();
    QPainter p(&image);
    begin(p);
    sky(p, Side);
    cloud(p, {54, 284}, 0.7);
    cloud(p, {300, 48}, 0.8);
    // Hills.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(124, 179, 66));
    p.drawEllipse(QPointF(260, 400), 190, 100);
    p.setBrush(QColor(102, 187, 76));
    p.drawEllipse(QPointF(60, 410), 170, 90);
    p.restore();

    const QPointF c(176, 162);
    sun(p, c, 86, 14);
    p.setBrush(QColor(33, 33, 33));
    p.drawEllipse(c + QPointF(-30, -20), 9, 13);
    p.drawEllipse(c + QPointF(30, -20), 9, 13);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 138, 128));
    p.drawEllipse(c + QPointF(-50, 14), 13, 9);
    p.drawEllipse(c + QPointF(50, 14), 13, 9);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Outline, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 36, c.y() - 10, 72, 52), 200 * 16, 140 * 16);
    return image;
}

QImage appleTree()
{
    QImage image = canvas();
    QPainter p(&image);
    begin(p);
    sky(p, 280);
    cloud(p, {300, 50}, 0.8);
    grass(p, 282);

    QPainterPath trunk;
    trunk.moveTo(156, 326);
    trunk.cubicTo(166, 280, 168, 230, 164, 180);
    trunk.lineTo(198, 180);
    trunk.cubicTo(194, 230, 196, 280, 210, 326);
    trunk.closeSubpath();
    p.setBrush(QColor(121, 85, 72));
    p.drawPath(trunk);

    // The crown: overlapping leafy circles, then one outline around them.
    QPainterPath crown;
    for (const auto &[x, y, r] : {std::tuple{180.0, 120.0, 70.0}, {120.0, 150.0, 52.0},
                                  {240.0, 150.0, 52.0}, {140.0, 88.0, 48.0}, {222.0, 88.0, 48.0},
                                  {180.0, 178.0, 50.0}})
        crown.addEllipse(QPointF(x, y), r, r);
    crown.setFillRule(Qt::WindingFill);
    p.setBrush(QColor(67, 160, 71));
    p.drawPath(crown.simplified());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(102, 187, 106));
    p.drawEllipse(QPointF(160, 100), 30, 22);
    p.drawEllipse(QPointF(230, 140), 24, 18);
    p.restore();

    for (const QPointF a : {QPointF(126, 142), QPointF(172, 84), QPointF(214, 112), QPointF(250, 168),
                            QPointF(150, 190), QPointF(206, 196), QPointF(100, 172), QPointF(236, 74)}) {
        p.setPen(QPen(Outline, 2));
        p.setBrush(QColor(229, 57, 53));
        p.drawEllipse(a, 12, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 205, 210));
        p.drawEllipse(a + QPointF(-4, -4), 3.5, 3.5);
    }
    p.setPen(QPen(Outline, 2));
    p.setBrush(QColor(229, 57, 53));
    p.drawEllipse(QPointF(262, 318), 12, 12);  // fallen apple
    flower(p, {50, 316}, QColor(255, 112, 67));
    flower(p, {90, 340}, QColor(236, 64, 122));
    flower(p, {316, 340}, QColor(171, 71, 188));
    return image;
}

PuzzleDescription describe(const char *name, int cols, int rows, ModelMode mode, bool rotation, int time = 0)
{
    PuzzleDescription d;
    d.puzzleName = QString::fromUtf8(name);
    d.gridCols = cols;
    d.gridRows = rows;
    d.modelMode = mode;
    d.modelAllowed = mode != ModelMode::None;  // as the creation form writes it
    d.rotationEnabled = rotation;
    d.timeLimit = time;
    return d;
}

} // namespace

QList<StarterPuzzle> tivane::starterPuzzles()
{
    // From the easiest to the hardest: every model mode, rotation on two, a clock on one.
    return {
        {describe("La maison", 2, 2, ModelMode::Permanent, false), house},
        {describe("Le bateau", 3, 2, ModelMode::OnClick, true), boat},
        {describe("Le poisson", 3, 3, ModelMode::Underneath, false, 180), fish},
        {describe("Le soleil", 4, 3, ModelMode::None, false), smilingSun},
        {describe("L'arbre", 5, 4, ModelMode::Permanent, true), appleTree},
    };
}
