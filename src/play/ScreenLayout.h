#pragma once

namespace tivane {

// Sizes and places of the main screen, worked out from the screen size alone.

struct ScreenLayout
{
    int screenWidth = 0;
    int screenHeight = 0;
    float scale = 0.0f;   // board drawing scale relative to an 800 x 600 screen
    int boardSize = 0;          // side of the square puzzle picture on screen
    int boardWidth = 0;
    int boardHeight = 0;
    int quitButtonLeft = 0;
    int aboutButtonLeft = 0;
    int instructionsButtonLeft = 0;
    int soundButtonLeft = 0;
    int modelButtonLeft = 0;
    int titleWidth = 0;
    int modelLeft = 0;
    int modelTop = 0;
};

constexpr int TopBarHeight = 32;

ScreenLayout computeScreenLayout(int screenWidth, int screenHeight);

} // namespace tivane
