#include "ScreenLayout.h"

#include <cmath>

namespace {
constexpr int QuitButtonWidth = 81;
constexpr int SmallButtonWidth = 33;
constexpr int TitleMargin = 280;
constexpr int ModelSide = 180;
}

ScreenLayout computeScreenLayout(int screenWidth, int screenHeight)
{
    ScreenLayout l;
    l.ScreenWidth = screenWidth;
    l.ScreenHeight = screenHeight;

    // Each ratio is kept in single precision before the two are compared.
    const float a = static_cast<float>(screenHeight / 600.0 / 1.1);
    const float c = static_cast<float>(screenWidth / 800.0 / 1.1);
    l.ScreenScale = a >= c ? a : c;
    // Rounded to nearest, halves to even (the default floating-point rounding mode).
    l.BoardSize = static_cast<int>(std::nearbyint(static_cast<double>(l.ScreenScale) * 360.0));

    l.DXWidth = screenWidth;
    l.DXHeight = screenHeight - TopBarHeight;

    l.BquitterLeft = screenWidth - QuitButtonWidth;
    l.BaideLeft = l.BquitterLeft - SmallButtonWidth;
    l.BinsLeft = l.BaideLeft - SmallButtonWidth;
    l.BsonLeft = l.BinsLeft - SmallButtonWidth;
    l.BsoluceLeft = l.BsonLeft - SmallButtonWidth;

    l.LtitreWidth = screenWidth - 2 * TitleMargin;
    l.ModelLeft = screenWidth / 2 - ModelSide / 2;
    l.ModelTop = 10;
    return l;
}
