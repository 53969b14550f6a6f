// A puzzle of four rectangular pieces on a light tile: three lie in their cells, the fourth,
// lifted and a little turned, casts its shadow over its empty cell. Each figure is a rounded
// rectangle, so the SVG and the painted PNGs follow the same list.

#include "AppIcon.h"

#include <QPainter>

#include <optional>
#include <vector>

namespace AppIcon {

namespace {

constexpr qreal Units = 256;

struct Figure
{
    QRectF rect;
    qreal radius = 0;
    QColor fill;
    QColor stroke = Qt::transparent;
    qreal strokeWidth = 0;
    qreal turn = 0;  // degrees clockwise about the pivot
    std::optional<QPointF> pivot = {};  // the rectangle's centre when not given

    QPointF centreOfTurn() const { return pivot.value_or(rect.center()); }
};

std::vector<Figure> figures()
{
    const QColor ink(31, 64, 120);
    const qreal cell = 86;
    const qreal left = 41;
    const qreal top = 41;
    const qreal gap = 4;
    const auto cellRect = [&](int col, int row) {
        return QRectF(left + col * (cell + gap), top + row * (cell + gap), cell, cell);
    };
    const QRectF lifted = cellRect(1, 1).translated(10, 10);
    return {
        {QRectF(10, 10, 236, 236), 46, QColor(255, 246, 220), ink, 10},
        {cellRect(0, 0), 8, QColor(232, 69, 60), ink, 5},
        {cellRect(1, 0), 8, QColor(247, 186, 20), ink, 5},
        {cellRect(0, 1), 8, QColor(58, 166, 85), ink, 5},
        {cellRect(1, 1), 8, QColor(222, 211, 182)},
        {lifted.translated(7, 9), 8, QColor(0, 0, 0, 70), Qt::transparent, 0, 14},
        {lifted, 8, QColor(46, 124, 214), ink, 5, 14},
        // A light on the lifted piece, so it reads as lifted even when small.
        {QRectF(lifted.left() + 14, lifted.top() + 14, 24, 24), 12, QColor(255, 255, 255, 150),
         Qt::transparent, 0, 14, lifted.center()},
    };
}

QString number(qreal v) { return QString::number(v, 'g', 6); }

QString svgColour(const QColor &c) { return c.name(QColor::HexRgb); }

} // namespace

QByteArray svg()
{
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 256 256\">\n");
    for (const Figure &f : figures()) {
        const QRectF &r = f.rect;
        out += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"")
                   .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()), number(f.radius),
                        svgColour(f.fill));
        if (f.fill.alpha() != 255)
            out += QStringLiteral(" fill-opacity=\"%1\"").arg(number(f.fill.alphaF()));
        if (f.strokeWidth > 0)
            out += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"").arg(svgColour(f.stroke), number(f.strokeWidth));
        if (f.turn != 0)
            out += QStringLiteral(" transform=\"rotate(%1 %2 %3)\"")
                       .arg(number(f.turn), number(f.centreOfTurn().x()), number(f.centreOfTurn().y()));
        out += QStringLiteral("/>\n");
    }
    out += QStringLiteral("</svg>\n");
    return out.toUtf8();
}

QImage png(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Units, size / Units);
    for (const Figure &f : figures()) {
        p.save();
        p.translate(f.centreOfTurn());
        p.rotate(f.turn);
        p.translate(-f.centreOfTurn());
        p.setBrush(f.fill);
        p.setPen(f.strokeWidth > 0 ? QPen(f.stroke, f.strokeWidth) : QPen(Qt::NoPen));
        p.drawRoundedRect(f.rect, f.radius, f.radius);
        p.restore();
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace AppIcon
