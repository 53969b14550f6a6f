#pragma once
// Image helpers shared by the picture generators: fixed-resolution canvases, hard-edged
// figures on a key colour, palette reduction, and the puzzle-piece outline.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

#include <array>

namespace Canvas {

// A fully transparent canvas (premultiplied ARGB).
QImage transparent(int width, int height);

// An opaque canvas filled with one colour.
QImage opaque(int width, int height, const QColor &fill);

// Lays an anti-aliased figure on a key colour with a hard outer edge: a pixel at least half
// covered by the figure takes the figure's own colour, every other pixel is exactly the key.
// No figure pixel is ever left equal to the key.
QImage onKey(const QImage &figure, QRgb key);

// Reduces an opaque image to at most 256 colours. Pixels equal to the key keep it exactly
// (index 0); no other pixel is mapped to it.
QImage toIndexed(const QImage &image, QRgb key);

// A puzzle piece whose square body is `body`. Each edge (top, right, bottom, left) is
// +1 for a knob, -1 for a hole, 0 for flat.
QPainterPath puzzlePiece(const QRectF &body, const std::array<int, 4> &edges);

// A five-pointed star with its first point straight up.
QPainterPath star(QPointF centre, qreal outerRadius, qreal innerRadius);

} // namespace Canvas
