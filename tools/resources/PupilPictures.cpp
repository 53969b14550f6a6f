// The pictures a child may take instead of a photo: animals, fruits, vehicles and a few
// shapes, each a simple figure on a pale disc, 240 x 240 on transparency.

#include "Canvas.h"
#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace Pictures {

namespace {

constexpr int Side = 240;

using Figure = std::function<void(QPainter &)>;

void disc(QPainter &p, QColor fill, QRectF r)
{
    p.setBrush(fill);
    p.drawEllipse(r);
}

void eyes(QPainter &p, qreal y, qreal spread, qreal size = 14)
{
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(Side / 2 - spread, y), size / 2, size / 2);
    p.drawEllipse(QPointF(Side / 2 + spread, y), size / 2, size / 2);
}

void wheel(QPainter &p, QPointF centre, qreal radius)
{
    disc(p, QColor(40, 40, 40), QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
    disc(p, QColor(200, 200, 200), QRectF(centre.x() - radius / 2, centre.y() - radius / 2, radius, radius));
}

void leaf(QPainter &p, QPointF at, qreal angle)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.setBrush(QColor(60, 160, 60));
    p.drawEllipse(QRectF(0, -10, 40, 20));
    p.restore();
}

void face(QPainter &p, QColor fur, QColor ear, bool pointedEars, bool longEars)
{
    p.setBrush(fur);
    if (longEars) {
        p.drawEllipse(QRectF(78, 20, 30, 90));
        p.drawEllipse(QRectF(132, 20, 30, 90));
    } else if (pointedEars) {
        p.drawPolygon(QPolygonF({QPointF(60, 110), QPointF(72, 40), QPointF(115, 80)}));
        p.drawPolygon(QPolygonF({QPointF(180, 110), QPointF(168, 40), QPointF(125, 80)}));
    } else {
        disc(p, fur, QRectF(52, 48, 52, 52));
        disc(p, fur, QRectF(136, 48, 52, 52));
        disc(p, ear, QRectF(64, 60, 28, 28));
        disc(p, ear, QRectF(148, 60, 28, 28));
    }
    disc(p, fur, QRectF(60, 70, 120, 115));
    eyes(p, 118, 24);
    disc(p, ear, QRectF(108, 138, 24, 18));
}

const std::pair<const char *, Figure> Figures[] = {
    {"chat", [](QPainter &p) {
         face(p, QColor(240, 150, 50), QColor(250, 200, 200), true, false);
         p.setPen(QPen(Qt::black, 3));
         for (int side : {-1, 1})
             for (int dy : {-8, 4}) {
                 p.drawLine(QPointF(120 + side * 20, 150), QPointF(120 + side * 58, 150 + dy));
             }
     }},
    {"chien", [](QPainter &p) {
         disc(p, QColor(150, 100, 60), QRectF(40, 60, 40, 100));
         disc(p, QColor(150, 100, 60), QRectF(160, 60, 40, 100));
         disc(p, QColor(220, 180, 120), QRectF(62, 55, 116, 130));
         eyes(p, 110, 22);
         disc(p, Qt::black, QRectF(106, 138, 28, 20));
     }},
    {"lapin", [](QPainter &p) { face(p, QColor(235, 235, 235), QColor(250, 170, 190), false, true); }},
    {"ours", [](QPainter &p) { face(p, QColor(140, 90, 50), QColor(200, 160, 110), false, false); }},
    {"souris", [](QPainter &p) {
         disc(p, QColor(160, 160, 170), QRectF(34, 40, 80, 80));
         disc(p, QColor(160, 160, 170), QRectF(126, 40, 80, 80));
         disc(p, QColor(160, 160, 170), QRectF(68, 80, 104, 104));
         eyes(p, 122, 20, 12);
         disc(p, QColor(240, 120, 150), QRectF(110, 150, 20, 16));
     }},
    {"poisson", [](QPainter &p) {
         p.setBrush(QColor(255, 140, 0));
         p.drawPolygon(QPolygonF({QPointF(150, 120), QPointF(205, 80), QPointF(205, 160)}));
         p.drawEllipse(QRectF(40, 80, 130, 80));
         disc(p, Qt::white, QRectF(66, 100, 22, 22));
         disc(p, Qt::black, QRectF(72, 106, 10, 10));
     }},
    {"oiseau", [](QPainter &p) {
         disc(p, QColor(60, 140, 230), QRectF(50, 70, 130, 110));
         disc(p, QColor(60, 140, 230), QRectF(120, 50, 70, 70));
         p.setBrush(QColor(255, 190, 0));
         p.drawPolygon(QPolygonF({QPointF(186, 80), QPointF(215, 90), QPointF(186, 100)}));
         disc(p, Qt::black, QRectF(156, 72, 12, 12));
         disc(p, QColor(30, 90, 170), QRectF(70, 100, 70, 45));
     }},
    {"coccinelle", [](QPainter &p) {
         disc(p, Qt::black, QRectF(92, 40, 56, 56));
         disc(p, QColor(220, 30, 30), QRectF(55, 70, 130, 130));
         p.setPen(QPen(Qt::black, 4));
         p.drawLine(QPointF(120, 72), QPointF(120, 198));
         p.setPen(Qt::NoPen);
         for (const QPointF c : {QPointF(90, 110), QPointF(150, 110), QPointF(85, 155), QPointF(155, 155)})
             disc(p, Qt::black, QRectF(c.x() - 12, c.y() - 12, 24, 24));
     }},
    {"escargot", [](QPainter &p) {
         p.setBrush(QColor(170, 200, 90));
         p.drawRoundedRect(QRectF(40, 150, 170, 34), 17, 17);
         disc(p, QColor(200, 120, 60), QRectF(70, 60, 110, 110));
         disc(p, QColor(230, 170, 100), QRectF(95, 85, 60, 60));
         disc(p, QColor(200, 120, 60), QRectF(112, 102, 26, 26));
     }},
    {"papillon", [](QPainter &p) {
         p.setBrush(QColor(190, 80, 220));
         p.drawEllipse(QRectF(40, 50, 80, 80));
         p.drawEllipse(QRectF(120, 50, 80, 80));
         p.setBrush(QColor(250, 150, 220));
         p.drawEllipse(QRectF(55, 120, 65, 65));
         p.drawEllipse(QRectF(120, 120, 65, 65));
         p.setBrush(Qt::black);
         p.drawRoundedRect(QRectF(112, 50, 16, 140), 8, 8);
     }},
    {"pomme", [](QPainter &p) {
         disc(p, QColor(220, 30, 40), QRectF(50, 65, 140, 135));
         p.setBrush(QColor(110, 70, 30));
         p.drawRect(QRectF(115, 40, 10, 35));
         leaf(p, QPointF(125, 55), -25);
     }},
    {"poire", [](QPainter &p) {
         disc(p, QColor(190, 210, 60), QRectF(60, 100, 120, 110));
         disc(p, QColor(190, 210, 60), QRectF(85, 55, 70, 90));
         p.setBrush(QColor(110, 70, 30));
         p.drawRect(QRectF(116, 35, 8, 28));
         leaf(p, QPointF(124, 45), -30);
     }},
    {"cerise", [](QPainter &p) {
         p.setPen(QPen(QColor(90, 140, 40), 6));
         p.drawLine(QPointF(85, 150), QPointF(125, 50));
         p.drawLine(QPointF(160, 150), QPointF(125, 50));
         p.setPen(Qt::NoPen);
         disc(p, QColor(190, 0, 30), QRectF(50, 130, 70, 70));
         disc(p, QColor(190, 0, 30), QRectF(125, 130, 70, 70));
         leaf(p, QPointF(125, 52), -15);
     }},
    {"banane", [](QPainter &p) {
         QPainterPath path;
         path.moveTo(50, 80);
         path.cubicTo(60, 200, 180, 210, 200, 120);
         path.cubicTo(170, 170, 90, 160, 70, 70);
         path.closeSubpath();
         p.setBrush(QColor(250, 215, 40));
         p.drawPath(path);
     }},
    {"fraise", [](QPainter &p) {
         QPainterPath path;
         path.moveTo(60, 90);
         path.cubicTo(60, 60, 180, 60, 180, 90);
         path.cubicTo(180, 140, 140, 200, 120, 205);
         path.cubicTo(100, 200, 60, 140, 60, 90);
         p.setBrush(QColor(230, 40, 60));
         p.drawPath(path);
         p.setBrush(QColor(255, 230, 120));
         for (int i = 0; i < 9; ++i)
             p.drawEllipse(QPointF(85 + i % 3 * 35, 105 + i / 3 * 28), 4, 6);
         leaf(p, QPointF(120, 70), 200);
         leaf(p, QPointF(120, 70), -20);
     }},
    {"orange", [](QPainter &p) {
         disc(p, QColor(255, 150, 20), QRectF(50, 60, 140, 140));
         disc(p, QColor(255, 190, 90), QRectF(80, 85, 30, 30));
         leaf(p, QPointF(120, 62), -35);
     }},
    {"voiture", [](QPainter &p) {
         p.setBrush(QColor(220, 40, 40));
         p.drawRoundedRect(QRectF(30, 110, 180, 55), 16, 16);
         p.drawRoundedRect(QRectF(70, 70, 100, 60), 18, 18);
         p.setBrush(QColor(180, 220, 250));
         p.drawRect(QRectF(85, 82, 32, 32));
         p.drawRect(QRectF(123, 82, 32, 32));
         wheel(p, QPointF(75, 168), 22);
         wheel(p, QPointF(165, 168), 22);
     }},
    {"bus", [](QPainter &p) {
         p.setBrush(QColor(250, 190, 0));
         p.drawRoundedRect(QRectF(30, 60, 180, 110), 14, 14);
         p.setBrush(QColor(180, 220, 250));
         for (int i = 0; i < 4; ++i)
             p.drawRect(QRectF(42 + i * 42, 75, 32, 34));
         wheel(p, QPointF(70, 172), 20);
         wheel(p, QPointF(170, 172), 20);
     }},
    {"bateau", [](QPainter &p) {
         p.setBrush(QColor(30, 80, 170));
         p.drawPolygon(QPolygonF({QPointF(35, 150), QPointF(205, 150), QPointF(175, 195), QPointF(65, 195)}));
         p.setBrush(QColor(110, 70, 30));
         p.drawRect(QRectF(116, 40, 8, 112));
         p.setBrush(Qt::white);
         p.drawPolygon(QPolygonF({QPointF(128, 45), QPointF(128, 140), QPointF(195, 140)}));
         p.setBrush(QColor(230, 60, 60));
         p.drawPolygon(QPolygonF({QPointF(112, 60), QPointF(112, 140), QPointF(55, 140)}));
     }},
    {"fusee", [](QPainter &p) {
         p.setBrush(QColor(230, 60, 60));
         p.drawPolygon(QPolygonF({QPointF(90, 160), QPointF(60, 200), QPointF(95, 190)}));
         p.drawPolygon(QPolygonF({QPointF(150, 160), QPointF(180, 200), QPointF(145, 190)}));
         p.setBrush(QColor(235, 235, 245));
         QPainterPath body;
         body.moveTo(120, 30);
         body.cubicTo(165, 70, 160, 150, 150, 190);
         body.lineTo(90, 190);
         body.cubicTo(80, 150, 75, 70, 120, 30);
         p.drawPath(body);
         disc(p, QColor(60, 140, 230), QRectF(100, 85, 40, 40));
         p.setBrush(QColor(255, 170, 0));
         p.drawPolygon(QPolygonF({QPointF(100, 192), QPointF(140, 192), QPointF(120, 225)}));
     }},
    {"avion", [](QPainter &p) {
         p.setBrush(QColor(90, 150, 220));
         p.drawRoundedRect(QRectF(30, 105, 180, 30), 15, 15);
         p.drawPolygon(QPolygonF({QPointF(100, 110), QPointF(140, 110), QPointF(100, 40), QPointF(85, 40)}));
         p.drawPolygon(QPolygonF({QPointF(100, 130), QPointF(140, 130), QPointF(100, 200), QPointF(85, 200)}));
         p.drawPolygon(QPolygonF({QPointF(40, 110), QPointF(60, 110), QPointF(45, 75), QPointF(32, 75)}));
     }},
    {"velo", [](QPainter &p) {
         p.setPen(QPen(QColor(40, 40, 40), 8));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(70, 150), 40, 40);
         p.drawEllipse(QPointF(170, 150), 40, 40);
         p.setPen(QPen(QColor(0, 150, 80), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
         p.drawPolyline(QPolygonF({QPointF(70, 150), QPointF(110, 150), QPointF(150, 95), QPointF(95, 95),
                                   QPointF(70, 150)}));
         p.drawLine(QPointF(150, 95), QPointF(170, 150));
         p.drawLine(QPointF(110, 150), QPointF(90, 80));
         p.drawLine(QPointF(150, 95), QPointF(145, 75));
         p.setPen(Qt::NoPen);
     }},
    {"soleil", [](QPainter &p) {
         p.setBrush(QColor(255, 200, 0));
         for (int i = 0; i < 12; ++i) {
             p.save();
             p.translate(120, 120);
             p.rotate(i * 30);
             p.drawPolygon(QPolygonF({QPointF(-12, -60), QPointF(12, -60), QPointF(0, -100)}));
             p.restore();
         }
         disc(p, QColor(255, 170, 0), QRectF(65, 65, 110, 110));
     }},
    {"etoile", [](QPainter &p) {
         p.setBrush(QColor(255, 210, 30));
         p.drawPath(Canvas::star(QPointF(120, 125), 95, 40));
     }},
};

const QColor Grounds[] = {QColor(255, 240, 200), QColor(220, 240, 255), QColor(225, 250, 220), QColor(250, 225, 240)};

} // namespace

QList<std::pair<QString, QImage>> pupilPictures()
{
    QList<std::pair<QString, QImage>> pictures;
    int i = 0;
    for (const auto &[name, figure] : Figures) {
        QImage picture = Canvas::transparent(Side, Side);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        disc(p, Grounds[i++ % 4], QRectF(0, 0, Side, Side));
        figure(p);
        p.end();
        pictures.append({QString::fromLatin1(name) + QStringLiteral(".png"), picture});
    }
    return pictures;
}

} // namespace Pictures
