#include "authoring/GridOverlay.h"

#include <algorithm>

namespace tivane {

namespace {

// The three colour bytes; RGB32's fourth byte, its 0xff alpha, stays as it is.
void invertPixel(uchar *pixel)
{
    pixel[0] = uchar(~pixel[0]);
    pixel[1] = uchar(~pixel[1]);
    pixel[2] = uchar(~pixel[2]);
}

} // namespace

void invertGrid(QImage &picture, int cols, int rows)
{
    if (picture.isNull() || cols < 1 || rows < 1)
        return;
    if (picture.format() != QImage::Format_RGB888 && picture.format() != QImage::Format_RGB32)
        picture.convertTo(QImage::Format_RGB888);
    const int bytesPerPixel = picture.format() == QImage::Format_RGB888 ? 3 : 4;
    const int width = std::min(picture.width(), PreviewSide);
    const int height = std::min(picture.height(), PreviewSide);

    for (int i = 1; i < cols; ++i) {
        const int x = i * (PreviewSide / cols);
        for (int y = 0; y < height; ++y) {
            uchar *row = picture.scanLine(y);
            for (int column = x - 1; column <= x; ++column)
                if (column >= 0 && column < width)
                    invertPixel(row + column * bytesPerPixel);
        }
    }
    for (int j = 1; j < rows; ++j) {
        const int y = j * (PreviewSide / rows);
        for (int line = y - 1; line <= y; ++line) {
            if (line < 0 || line >= height)
                continue;
            uchar *row = picture.scanLine(line);
            for (int x = 0; x < width; ++x)
                invertPixel(row + x * bytesPerPixel);
        }
    }
}

} // namespace tivane
