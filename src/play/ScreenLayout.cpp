#include "play/ScreenLayout.h"

#include <cmath>

namespace tivane {

namespace {
constexpr int QuitButtonWidth = 81;
constexpr int SmallButtonWidth = 33;
constexpr int TitleMargin = 280;
constexpr int ModelSide = 180;
}

ScreenLayout computeScreenLayout(int screenWidth, int screenHeight)
{
    ScreenLayout l;
    l.screenWidth = screenWidth;
    l.screenHeight = screenHeight;

    // Each ratio is kept in single precision before the two are compared.
    const float a = static_cast<float>(screenHeight / 600.0 / 1.1);
    const float c = static_cast<float>(screenWidth / 800.0 / 1.1);
    l.scale = a >= c ? a : c;
    // Rounded to nearest, halves to even (the default floating-point rounding mode).
    l.boardSize = static_cast<int>(std::nearbyint(static_cast<double>(l.scale) * 360.0));

    l.boardWidth = screenWidth;
    l.boardHeight = screenHeight - TopBarHeight;

    l.quitButtonLeft = screenWidth - QuitButtonWidth;
    l.aboutButtonLeft = l.quitButtonLeft - SmallButtonWidth;
    l.instructionsButtonLeft = l.aboutButtonLeft - SmallButtonWidth;
    l.soundButtonLeft = l.instructionsButtonLeft - SmallButtonWidth;
    l.modelButtonLeft = l.soundButtonLeft - SmallButtonWidth;

    l.titleWidth = screenWidth - 2 * TitleMargin;
    l.modelLeft = screenWidth / 2 - ModelSide / 2;
    l.modelTop = 10;
    return l;
}

} // namespace tivane
