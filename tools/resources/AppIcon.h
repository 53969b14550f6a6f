#pragma once
// The program's icon for the desktop menus: one drawing on a 256-unit square, written out as
// SVG for the scalable icon and painted at each size for the PNG ones.

#include <QByteArray>
#include <QImage>

namespace AppIcon {

// The scalable icon (viewBox 0 0 256 256).
QByteArray svg();

// The icon painted at size x size pixels, on transparency.
QImage png(int size);

// The sizes of the hicolor theme's PNG icons.
inline constexpr int Sizes[] = {16, 24, 32, 48, 64, 128, 256};

} // namespace AppIcon
