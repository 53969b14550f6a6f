#include "core/PictureRoutines.h"

#include "core/Error.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace tivane {

namespace {

// Where the channels sit in a pixel that is read in place, without converting the picture first.
struct PixelLayout
{
    int bytesPerPixel;
    int red;
    int green;
    int blue;
};

constexpr PixelLayout Rgb888Layout{3, 0, 1, 2};
// Format_RGB32 is 0xffRRGGBB words: B, G, R, 0xff in memory on little-endian.
constexpr PixelLayout Rgb32Layout{4, 2, 1, 0};

void requirePicture(const QImage &bitmap, const char *routine)
{
    if (bitmap.isNull())
        throw Error(QStringLiteral("%1 : l'image est vide.").arg(QLatin1String(routine)));
}

// Switches the picture to 24 bits per pixel.
void make24Bit(QImage &bitmap)
{
    if (bitmap.format() != QImage::Format_RGB888)
        bitmap.convertTo(QImage::Format_RGB888);
    if (bitmap.isNull())
        throw Error(QStringLiteral("Mémoire insuffisante pour convertir l'image."));
}

QImage newPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    if (picture.isNull())
        throw Error(QStringLiteral("Mémoire insuffisante pour une image de %1 x %2.")
                              .arg(width)
                              .arg(height));
    return picture;
}

std::vector<const uchar *> rowTable(const QImage &picture)
{
    std::vector<const uchar *> rows(static_cast<size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        rows[static_cast<size_t>(y)] = picture.constScanLine(y);
    return rows;
}

std::vector<uchar *> rowTable(QImage &picture)
{
    std::vector<uchar *> rows(static_cast<size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        rows[static_cast<size_t>(y)] = picture.scanLine(y);
    return rows;
}

uchar clampToByte(int value) { return static_cast<uchar>(std::clamp(value, 0, 255)); }

} // namespace

ToneCurves buildToneCurves()
{
    const double k1 = 100.0 / 255.0;
    const double k2 = 100.0 / (255.0 * 255.0);
    const double k3 = 100.0 / (255.0 * 255.0 * 255.0);
    ToneCurves curves;
    for (int l = 0; l < 256; ++l) {
        const double L = l;
        curves.m_curves[0][static_cast<size_t>(l)] = static_cast<float>(L * -k1 + 100.0);
        curves.m_curves[1][static_cast<size_t>(l)] = static_cast<float>(L * -k2 * L + 100.0);
        curves.m_curves[2][static_cast<size_t>(l)] = static_cast<float>(L * -k3 * L * L + 100.0);
    }
    return curves;
}

int pixelLightness(int method, int red, int green, int blue)
{
    switch (method) {
    case 1: {
        const double weighted = 0.3 * red + 0.59 * green + 0.11 * blue;
        // nearbyint in the default rounding mode rounds halves to even.
        return static_cast<int>(std::clamp(std::nearbyint(weighted), 0.0, 255.0));
    }
    case 2:
        return (red + green + blue) / 3;
    case 3:
        return std::max({red, green, blue});
    default:
        return 0;
    }
}

void toneFilter(QImage &bitmap, const ToneCurves &curves, int curve, int method, float amount)
{
    if (amount == 0.0f)
        return;
    if (curve < 1 || curve > 3)
        throw Error(QStringLiteral("Courbe de ton inconnue : %1.").arg(curve));
    if (!std::isfinite(amount))
        throw Error(QStringLiteral("Intensité de ton invalide."));
    requirePicture(bitmap, "toneFilter");
    make24Bit(bitmap);

    // The factor depends on the lightness alone.
    std::array<float, 256> factor;
    for (int l = 0; l < 256; ++l)
        factor[static_cast<size_t>(l)] =
            static_cast<float>(double(curves.at(curve, l)) * double(amount) / 100.0 + 1.0);

    const int width = bitmap.width();
    const std::vector<uchar *> rows = rowTable(bitmap);
    for (uchar *row : rows) {
        for (int x = 0; x < width; ++x) {
            uchar *p = row + 3 * x;
            const int l = pixelLightness(method, p[0], p[1], p[2]);
            const double f = factor[static_cast<size_t>(l)];
            // double holds value x factor exactly; an amount outside 0..1 is kept within a byte.
            for (int c = 0; c < 3; ++c)
                p[c] = clampToByte(static_cast<int>(std::clamp(p[c] * f, -1.0, 256.0)));
        }
    }
}

namespace {

uchar convolvedChannel(float sum, float weight)
{
    const float v = sum / weight;
    // Clamped as a float first, so that a huge or NaN quotient never reaches the cast.
    return v >= 0.0f ? clampToByte(static_cast<int>(std::min(v, 256.0f))) : 0;
}

// A pixel near the border: only the neighbours inside the picture count, in both sums.
void convolveBorderPixel(const std::vector<const uchar *> &in, int width, int height, int x, int y,
                         const Kernel3x3 &kernel, uchar *q)
{
    float sum[3] = {0.0f, 0.0f, 0.0f};
    float weight = 0.0f;
    for (int dy = -1; dy <= 1; ++dy) {
        const int ny = y + dy;
        if (ny < 0 || ny >= height)
            continue;
        const uchar *row = in[static_cast<size_t>(ny)];
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            if (nx < 0 || nx >= width)
                continue;
            const float k = kernel[static_cast<size_t>(dx + 1)][static_cast<size_t>(dy + 1)];
            const uchar *p = row + 3 * nx;
            weight = weight + k;
            for (int c = 0; c < 3; ++c)
                sum[c] = sum[c] + float(p[c]) * k;
        }
    }
    const uchar *own = in[static_cast<size_t>(y)] + 3 * x;
    for (int c = 0; c < 3; ++c)
        q[c] = weight == 0.0f ? own[c] : convolvedChannel(sum[c], weight);
}

} // namespace

void convolve3x3(QImage &bitmap, Kernel3x3 kernel)
{
    requirePicture(bitmap, "convolve3x3");
    make24Bit(bitmap);
    const int width = bitmap.width();
    const int height = bitmap.height();
    QImage work = newPicture(width, height);
    const std::vector<const uchar *> in = rowTable(std::as_const(bitmap));
    const std::vector<uchar *> out = rowTable(work);

    // Inside the border all nine neighbours count: the weight is the same everywhere, and the
    // sums are taken in the same order (rows top to bottom, then left to right) as at the border.
    float innerWeight = 0.0f;
    std::array<float, 9> k;
    for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx) {
            k[static_cast<size_t>(dy * 3 + dx)] = kernel[static_cast<size_t>(dx)][static_cast<size_t>(dy)];
            innerWeight = innerWeight + kernel[static_cast<size_t>(dx)][static_cast<size_t>(dy)];
        }

    // Inner pixels a row at a time: each term is added to every channel of the row in one pass,
    // which the compiler turns into vector code. Per channel the order of the sum is unchanged.
    const bool hasInside = width > 2 && height > 2 && innerWeight != 0.0f;
    std::vector<float> sums(hasInside ? size_t(width) * 3 : 0);
    for (int y = 0; y < height; ++y) {
        uchar *q = out[static_cast<size_t>(y)];
        if (!hasInside || y == 0 || y == height - 1) {
            for (int x = 0; x < width; ++x)
                convolveBorderPixel(in, width, height, x, y, kernel, q + 3 * x);
            continue;
        }
        convolveBorderPixel(in, width, height, 0, y, kernel, q);
        convolveBorderPixel(in, width, height, width - 1, y, kernel, q + 3 * (width - 1));
        const qsizetype first = 3;
        const qsizetype last = qsizetype(width - 1) * 3;  // exclusive
        std::fill(sums.begin(), sums.end(), 0.0f);
        float *acc = sums.data();
        for (int dy = -1; dy <= 1; ++dy) {
            const uchar *row = in[static_cast<size_t>(y + dy)];
            for (int dx = -1; dx <= 1; ++dx) {
                const float w = k[static_cast<size_t>((dy + 1) * 3 + dx + 1)];
                const qsizetype shift = 3 * dx;
                for (qsizetype i = first; i < last; ++i)
                    acc[i] = acc[i] + float(row[i + shift]) * w;
            }
        }
        for (qsizetype i = first; i < last; ++i)
            q[i] = convolvedChannel(acc[i], innerWeight);
    }
    bitmap = std::move(work);
}

namespace {

// One axis of the resampling: where destination index i falls in the source.
struct SourceStep
{
    int first;      // x0 or y0
    double frac;    // dx or dy
};

std::vector<SourceStep> sourceSteps(int sourceSize, int destSize)
{
    std::vector<SourceStep> steps(static_cast<size_t>(destSize));
    for (int i = 0; i < destSize; ++i) {
        // Integer product, floating division.
        const double s = double(qint64(sourceSize) * i) / double(destSize) - 0.5;
        const double f = std::clamp(s, 0.0, double(sourceSize - 1));
        const double first = std::floor(f);
        steps[static_cast<size_t>(i)] = {static_cast<int>(first), f - first};
    }
    return steps;
}

uchar weightedChannel(double sum, double weights)
{
    // The quotient can land a hair under a whole number; the guard keeps exact means exact.
    return clampToByte(static_cast<int>(sum / weights + 1e-9));
}

// The inverse-distance weights of the samples around a point at (dx, dy) from (x0, y0).
// Only those of the samples taken are used: w00 and w01 when dx = 0, w00 and w10 when dy = 0.
struct SampleWeights
{
    double w00 = 0, w10 = 0, w01 = 0, w11 = 0;
    double sum = 0;
};

SampleWeights sampleWeights(double dx, double dy)
{
    SampleWeights w;
    w.w00 = 1.0 / std::sqrt(dx * dx + dy * dy);
    if (dx == 0.0) {
        w.w01 = 1.0 / std::sqrt(dx * dx + (1.0 - dy) * (1.0 - dy));
        w.sum = w.w00 + w.w01;
    } else if (dy == 0.0) {
        w.w10 = 1.0 / std::sqrt((1.0 - dx) * (1.0 - dx) + dy * dy);
        w.sum = w.w00 + w.w10;
    } else {
        w.w10 = 1.0 / std::sqrt((1.0 - dx) * (1.0 - dx) + dy * dy);
        w.w01 = 1.0 / std::sqrt(dx * dx + (1.0 - dy) * (1.0 - dy));
        w.w11 = 1.0 / std::sqrt((1.0 - dx) * (1.0 - dx) + (1.0 - dy) * (1.0 - dy));
        w.sum = w.w00 + w.w10 + w.w01 + w.w11;
    }
    return w;
}

void resample(const QImage &source, PixelLayout layout, QImage &work)
{
    const int W = work.width();
    const int H = work.height();
    const std::vector<SourceStep> colSteps = sourceSteps(source.width(), W);
    const std::vector<SourceStep> rowSteps = sourceSteps(source.height(), H);
    const std::vector<const uchar *> in = rowTable(source);
    const std::vector<uchar *> out = rowTable(work);
    const int bpp = layout.bytesPerPixel;
    const int channel[3] = {layout.red, layout.green, layout.blue};

    // The column fractions repeat (with period 9 from 4000 to 360 wide), so each row computes
    // the weights once per distinct fraction instead of once per pixel.
    std::vector<double> fractions;
    for (const SourceStep &step : colSteps)
        fractions.push_back(step.frac);
    std::sort(fractions.begin(), fractions.end());
    fractions.erase(std::unique(fractions.begin(), fractions.end()), fractions.end());
    std::vector<size_t> fractionOf(colSteps.size());
    for (size_t x = 0; x < colSteps.size(); ++x)
        fractionOf[x] = size_t(std::lower_bound(fractions.begin(), fractions.end(), colSteps[x].frac)
                               - fractions.begin());
    std::vector<SampleWeights> weights(fractions.size());

    for (int y = 0; y < H; ++y) {
        const SourceStep sy = rowSteps[static_cast<size_t>(y)];
        const double dy = sy.frac;
        for (size_t i = 0; i < fractions.size(); ++i)
            if (fractions[i] != 0.0 || dy != 0.0)
                weights[i] = sampleWeights(fractions[i], dy);
        const uchar *row0 = in[static_cast<size_t>(sy.first)];
        // A second row is read only when dy has a fraction, and y0 + 1 then exists.
        const uchar *row1 = dy != 0.0 ? in[static_cast<size_t>(sy.first) + 1] : nullptr;
        uchar *q = out[static_cast<size_t>(y)];
        for (int x = 0; x < W; ++x, q += 3) {
            const SourceStep sx = colSteps[static_cast<size_t>(x)];
            const double dx = sx.frac;
            const SampleWeights &w = weights[fractionOf[static_cast<size_t>(x)]];
            const uchar *p00 = row0 + bpp * sx.first;
            if (dx == 0.0 && dy == 0.0) {
                for (int c = 0; c < 3; ++c)
                    q[c] = p00[channel[c]];
            } else if (dx == 0.0) {
                const uchar *p01 = row1 + bpp * sx.first;
                for (int c = 0; c < 3; ++c) {
                    const int k = channel[c];
                    q[c] = weightedChannel(w.w00 * p00[k] + w.w01 * p01[k], w.sum);
                }
            } else if (dy == 0.0) {
                const uchar *p10 = p00 + bpp;
                for (int c = 0; c < 3; ++c) {
                    const int k = channel[c];
                    q[c] = weightedChannel(w.w00 * p00[k] + w.w10 * p10[k], w.sum);
                }
            } else {
                const uchar *p10 = p00 + bpp;
                const uchar *p01 = row1 + bpp * sx.first;
                const uchar *p11 = p01 + bpp;
                for (int c = 0; c < 3; ++c) {
                    const int k = channel[c];
                    q[c] = weightedChannel(w.w00 * p00[k] + w.w10 * p10[k] + w.w01 * p01[k] + w.w11 * p11[k],
                                           w.sum);
                }
            }
        }
    }
}

} // namespace

void resampleBitmap(QImage &bitmap, int width, int height)
{
    requirePicture(bitmap, "resampleBitmap");
    if (width < 1 || height < 1)
        throw Error(QStringLiteral("Taille d'image invalide : %1 x %2.").arg(width).arg(height));
    QImage work = newPicture(width, height);
    // 32-bit pictures are read where they lie: converting a large photo first would cost more
    // than the resampling, and only the colour bytes are read either way.
    const QImage::Format format = bitmap.format();
    if (format == QImage::Format_RGB888) {
        resample(bitmap, Rgb888Layout, work);
    } else if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && format == QImage::Format_RGB32) {
        resample(bitmap, Rgb32Layout, work);
    } else {
        QImage converted = bitmap;
        make24Bit(converted);
        resample(converted, Rgb888Layout, work);
    }
    bitmap = std::move(work);
}

void fadePicture(QImage &bitmap)
{
    requirePicture(bitmap, "fadePicture");
    make24Bit(bitmap);
    std::array<uchar, 256> faded;
    for (int c = 0; c < 256; ++c) {
        int v = c;
        for (int i = 0; i < 4; ++i)
            v = (3 * v + 255) / 4;
        faded[static_cast<size_t>(c)] = static_cast<uchar>(v);
    }
    const qsizetype rowBytes = qsizetype(bitmap.width()) * 3;
    for (uchar *row : rowTable(bitmap))
        for (qsizetype i = 0; i < rowBytes; ++i)
            row[i] = faded[row[i]];
}

} // namespace tivane
