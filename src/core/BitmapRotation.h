#pragma once

#include <QImage>

namespace tivane {

// Turns the picture a quarter turn in place: direction -1 clockwise, +1 counter-clockwise.
// The result is a 24-bit picture (Format_RGB32) whose width and height are swapped.
void rotateBitmap90(QImage &picture, int direction);

} // namespace tivane
