#pragma once
// The grid drawn over the preview of a puzzle picture: lines two pixels wide that invert the
// pixels under them, so drawing the same grid again takes it off, pixel for pixel.

#include <QImage>

namespace tivane {

// The preview's side; the lines are placed for it whatever the picture's size.
inline constexpr int PreviewSide = 360;

// For i = 1..cols - 1 a vertical line at x = i * (360 div cols), for j = 1..rows - 1 a
// horizontal one at y = j * (360 div rows), each inverting the two pixel columns (rows) that
// meet at that edge, x - 1 and x, from 0 to 360. Where lines cross, the pixels are inverted twice
// and show as they are. A null picture is left alone. Pictures other than RGB888 and RGB32 are
// brought to RGB888 first.
void invertGrid(QImage &picture, int cols, int rows);

} // namespace tivane
