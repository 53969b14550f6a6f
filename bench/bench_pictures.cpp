// The picture routines at the sizes the program uses them.
#include "core/PictureRoutines.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

using namespace tivane;

namespace {

// A photo-like picture: smooth gradients with some noise.
QImage scene(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(32));
            row[x] = qRgb((x * 255 / width + n) & 255, (y * 255 / height + n) & 255, ((x + y) / 4 + n) & 255);
        }
    }
    return image.convertToFormat(format);
}

void resample(benchmark::State &state, int fromW, int fromH, QImage::Format format, int to)
{
    const QImage source = scene(fromW, fromH, format);
    for (auto _ : state) {
        QImage image = source;  // shared: the routine reads it and replaces it
        resampleBitmap(image, to, to);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Resample_Photo4000x3000_To360(benchmark::State &state)
{
    resample(state, 4000, 3000, QImage::Format_RGB32, 360);
}
void BM_Resample_360_To100(benchmark::State &state)
{
    resample(state, 360, 360, QImage::Format_RGB888, 100);
}
void BM_Resample_360_To180(benchmark::State &state)
{
    resample(state, 360, 360, QImage::Format_RGB32, 180);
}

// The in-place routines work on a fresh copy each time; the copy is part of the figure.
void BM_ToneFilter_360(benchmark::State &state)
{
    const QImage source = scene(360, 360, QImage::Format_RGB888);
    const ToneCurves curves = buildToneCurves();
    for (auto _ : state) {
        QImage image = source;
        toneFilter(image, curves, 2, 1, 0.5f);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Convolve3x3_360(benchmark::State &state)
{
    const QImage source = scene(360, 360, QImage::Format_RGB888);
    for (auto _ : state) {
        QImage image = source;
        convolve3x3(image, ContourKernel);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_FadePicture_559(benchmark::State &state)
{
    const QImage source = scene(559, 559, QImage::Format_RGB32);
    for (auto _ : state) {
        QImage image = source;
        fadePicture(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_Resample_Photo4000x3000_To360)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resample_360_To100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resample_360_To180)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneFilter_360)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convolve3x3_360)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FadePicture_559)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
