#include "Canvas.h"

#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace Canvas {

namespace {

// 96 dpi, written explicitly so the saved files do not depend on the screen.
constexpr int DotsPerMeter = 3780;

QImage withResolution(QImage image)
{
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    return image;
}

// Nudges a colour that happens to equal the key by one step of green.
QRgb avoidKey(QRgb colour, QRgb key)
{
    if ((colour & 0xFFFFFFu) != (key & 0xFFFFFFu))
        return colour;
    const int green = qGreen(colour);
    return qRgb(qRed(colour), green > 0 ? green - 1 : 1, qBlue(colour));
}

struct ColourCount
{
    QRgb colour;
    int count;
};

int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

// One box of the median cut: a run of `colours` [begin, end).
struct Box
{
    int begin;
    int end;
    int widestChannel = 0;
    int range = 0;
};

void measure(Box &box, const std::vector<ColourCount> &colours)
{
    box.range = -1;
    for (int ch = 0; ch < 3; ++ch) {
        int lo = 255;
        int hi = 0;
        for (int i = box.begin; i < box.end; ++i) {
            const int v = channel(colours[i].colour, ch);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        if (hi - lo > box.range) {
            box.range = hi - lo;
            box.widestChannel = ch;
        }
    }
}

QRgb average(const Box &box, const std::vector<ColourCount> &colours)
{
    double r = 0, g = 0, b = 0, n = 0;
    for (int i = box.begin; i < box.end; ++i) {
        const double w = colours[i].count;
        r += w * qRed(colours[i].colour);
        g += w * qGreen(colours[i].colour);
        b += w * qBlue(colours[i].colour);
        n += w;
    }
    return qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n)));
}

// Median cut over the weighted colours, at most `maxColours` entries.
QList<QRgb> medianCut(std::vector<ColourCount> colours, int maxColours)
{
    // Sort so that the histogram's hash order never shows in the result.
    std::sort(colours.begin(), colours.end(),
              [](const ColourCount &a, const ColourCount &b) { return a.colour < b.colour; });
    std::vector<Box> boxes{Box{0, int(colours.size())}};
    measure(boxes.front(), colours);
    while (int(boxes.size()) < maxColours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
            return a.range < b.range;
        });
        if (widest->range <= 0)
            break;
        Box box = *widest;
        const int ch = box.widestChannel;
        std::stable_sort(colours.begin() + box.begin, colours.begin() + box.end,
                         [ch](const ColourCount &a, const ColourCount &b) {
                             return channel(a.colour, ch) < channel(b.colour, ch);
                         });
        long long total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        long long running = 0;
        int split = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (2 * running >= total)
                break;
        }
        Box low{box.begin, split};
        Box high{split, box.end};
        measure(low, colours);
        measure(high, colours);
        *widest = low;
        boxes.push_back(high);
    }
    QList<QRgb> palette;
    for (const Box &box : boxes)
        palette.append(average(box, colours));
    return palette;
}

int distance2(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

QImage transparent(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return withResolution(image);
}

QImage opaque(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return withResolution(image);
}

QImage onKey(const QImage &figure, QRgb key)
{
    const QImage source = figure.convertToFormat(QImage::Format_ARGB32);
    QImage out = opaque(source.width(), source.height(), QColor::fromRgb(key));
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(in[x]) >= 128)
                line[x] = avoidKey(qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x])), key);
        }
    }
    return out;
}

QImage toIndexed(const QImage &image, QRgb key)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    key = qRgb(qRed(key), qGreen(key), qBlue(key));

    QHash<QRgb, int> histogram;
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (line[x] != key)
                ++histogram[line[x]];
        }
    }
    std::vector<ColourCount> colours;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        colours.push_back({it.key(), it.value()});

    QList<QRgb> table{key};
    for (QRgb c : medianCut(std::move(colours), 255))
        table.append(avoidKey(c, key));

    QImage out(source.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *line = out.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            if (in[x] == key) {
                line[x] = 0;
                continue;
            }
            auto found = nearest.constFind(in[x]);
            if (found == nearest.cend()) {
                int best = 1;
                for (int i = 2; i < table.size(); ++i) {
                    if (distance2(table[i], in[x]) < distance2(table[best], in[x]))
                        best = i;
                }
                found = nearest.insert(in[x], uchar(best));
            }
            line[x] = *found;
        }
    }
    return withResolution(out);
}

QPainterPath puzzlePiece(const QRectF &body, const std::array<int, 4> &edges)
{
    const qreal side = std::min(body.width(), body.height());
    const qreal radius = side * 0.24;
    // How far a knob's centre sits beyond its edge (a hole's centre sits as far inside).
    const qreal reach = radius * 0.75;
    const QPointF centre = body.center();
    const std::array<QPointF, 4> outward{QPointF(0, -1), QPointF(1, 0), QPointF(0, 1), QPointF(-1, 0)};
    const std::array<qreal, 4> halfExtent{body.height() / 2, body.width() / 2, body.height() / 2,
                                          body.width() / 2};

    QPainterPath shape;
    shape.addRect(body);
    for (int i = 0; i < 4; ++i) {
        if (edges[i] == 0)
            continue;
        const QPointF onEdge = centre + outward[i] * halfExtent[i];
        QPainterPath circle;
        if (edges[i] > 0) {
            circle.addEllipse(onEdge + outward[i] * reach, radius, radius);
            shape = shape.united(circle);
        } else {
            circle.addEllipse(onEdge - outward[i] * reach, radius * 0.92, radius * 0.92);
            shape = shape.subtracted(circle);
        }
    }
    return shape.simplified();
}

QPainterPath star(QPointF centre, qreal outerRadius, qreal innerRadius)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outerRadius : innerRadius;
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        points << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

} // namespace Canvas
