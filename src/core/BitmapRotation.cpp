#include "core/BitmapRotation.h"

namespace tivane {

void rotateBitmap90(QImage &picture, int direction)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const int w = source.width();
    const int h = source.height();
    QImage turned(h, w, QImage::Format_RGB32);
    for (int r = 0; r < turned.height(); ++r) {
        auto *out = reinterpret_cast<QRgb *>(turned.scanLine(r));
        for (int c = 0; c < turned.width(); ++c) {
            out[c] = direction < 0 ? source.pixel(r, h - 1 - c)       // clockwise
                                   : source.pixel(w - 1 - r, c);      // counter-clockwise
        }
    }
    picture = turned;
}

} // namespace tivane
