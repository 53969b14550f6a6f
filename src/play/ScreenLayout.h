#pragma once
// Sizes and places of the main screen, worked out from the screen size alone.

struct ScreenLayout
{
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    float ScreenScale = 0.0f;   // board drawing scale relative to an 800 x 600 screen
    int BoardSize = 0;          // side of the square puzzle picture on screen
    int DXWidth = 0;
    int DXHeight = 0;
    int BquitterLeft = 0;
    int BaideLeft = 0;
    int BinsLeft = 0;
    int BsonLeft = 0;
    int BsoluceLeft = 0;
    int LtitreWidth = 0;
    int ModelLeft = 0;
    int ModelTop = 0;
};

constexpr int TopBarHeight = 32;

ScreenLayout computeScreenLayout(int screenWidth, int screenHeight);
