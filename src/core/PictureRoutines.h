#pragma once
// The pixel routines that turn a teacher's picture into a puzzle picture, and the fade of the
// board's full picture. Each works in place on a QImage: it accepts any format and leaves the
// picture in QImage::Format_RGB888 (toneFilter with amount 0 leaves it untouched).
// Failures (an empty picture, a bad size or curve number) throw Error.

#include <QImage>

#include <array>

namespace tivane {

// Three tone curves of 256 entries, index curve 1..3 and lightness 0..255.
class ToneCurves
{
public:
    float at(int curve, int lightness) const { return m_curves[curve - 1][lightness]; }

private:
    friend ToneCurves buildToneCurves();
    std::array<std::array<float, 256>, 3> m_curves{};
};

// Curve 1 falls in a straight line from 100 at L = 0 to 0 at L = 255; curve 2 (L²) and
// curve 3 (L³) stay high longer. Entries are computed in double and stored as float.
ToneCurves buildToneCurves();

// Lightness 0..255 of a colour: method 1 weighs the channels 0.3/0.59/0.11 and rounds halves to
// even, method 2 is the integer mean, method 3 the largest channel, any other method 0.
int pixelLightness(int method, int red, int green, int blue);

// Brightens dark pixels more than light ones along curve 1..3 of `curves`; amount is 0..1.
void toneFilter(QImage &bitmap, const ToneCurves &curves, int curve, int method, float amount);

// kernel[dx + 1][dy + 1] is the weight of the neighbour at (x + dx, y + dy).
using Kernel3x3 = std::array<std::array<float, 3>, 3>;

// The "Contours" sharpening kernel; its weights sum to 24.
inline constexpr Kernel3x3 ContourKernel{{{-4.0f, 0.0f, -4.0f},
                                          {0.0f, 40.0f, 0.0f},
                                          {-4.0f, 0.0f, -4.0f}}};

// 3 x 3 weighted filter; neighbours outside the picture drop out of both the sum and the weight.
// A pixel whose in-picture weights sum to 0 keeps its value.
void convolve3x3(QImage &bitmap, Kernel3x3 kernel);

// Resizes to width x height by inverse-distance weighting of the two or four nearest pixels.
void resampleBitmap(QImage &bitmap, int width, int height);

// Lightens towards white: every channel becomes (3c + 255) div 4, four times over (0 -> 174).
void fadePicture(QImage &bitmap);

} // namespace tivane
