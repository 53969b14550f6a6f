// Listing and reading a large store, as the chooser's scan does; refusing the 60-byte run-length
// picture that declares 5600 x 5600 pixels, beside what decoding it would cost.
#include "AllocationWatch.h"
#include "BenchPuzzles.h"
#include "core/Error.h"
#include "store/PuzzleStore.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <stdexcept>

using namespace tivane;

namespace {

constexpr int PuzzleCount = 1000;

// A store of 1,000 descriptions, with stand-ins for their two pictures so the listing has
// every file a real store has.
void fillStore(PuzzleStore &store, const QString &dir)
{
    for (int n = 0; n < PuzzleCount; ++n) {
        const PuzzleDescription d = variedDescription(n);
        store.writeDescription(n, d, DescriptionLines::All);
        for (const QString &name : {PuzzleStore::pictureName(n), PuzzleStore::thumbnailName(n)}) {
            QFile file(QDir(dir).filePath(name));
            if (!file.open(QIODevice::WriteOnly))
                throw std::runtime_error("cannot write the benchmark store");
        }
    }
}

void BM_Store_EnumerateAndRead1000(benchmark::State &state)
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    fillStore(store, dir.path());
    for (auto _ : state) {
        int cells = 0;
        for (const StoreEntry &entry : store.listPuzzles().entries) {
            const PuzzleDescription d = store.readDescriptionFile(entry.fileName, DescriptionLines::UpToTime);
            cells += d.gridCols * d.gridRows;
        }
        benchmark::DoNotOptimize(cells);
    }
}

void BM_Store_LowestFreeNumber1000(benchmark::State &state)
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    fillStore(store, dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.lowestFreeNumber());
}

void reportMemory(benchmark::State &state, std::size_t largest, long peakBefore)
{
    state.counters["largest_alloc_kB"] = double(largest) / 1024;
    state.counters["peak_rss_growth_kB"] = double(AllocationWatch::peakResidentKb() - peakBefore);
}

// The bomb as the chooser meets it (a thumbnail) and as the game and the demonstration meet it
// (a puzzle picture): refused from its header.
void refuseBomb(benchmark::State &state, bool thumbnail)
{
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(thumbnail ? QStringLiteral("vignette0.bmp") : QStringLiteral("image0.bmp")));
    const QByteArray bomb = runLengthBomb(5600, 5600);
    if (!file.open(QIODevice::WriteOnly) || file.write(bomb) != bomb.size())
        throw std::runtime_error("cannot write the bomb");
    file.close();
    PuzzleStore store(dir.path());
    const long peakBefore = AllocationWatch::peakResidentKb();
    AllocationWatch::start();
    int refused = 0;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(thumbnail ? store.readThumbnail(0) : store.readPicture(0));
        } catch (const Error &) {
            ++refused;
        }
    }
    reportMemory(state, AllocationWatch::stop(), peakBefore);
    if (refused != int(state.iterations()))
        state.SkipWithError("the bomb was decoded");
}

void BM_RefuseRunLengthBomb_Thumbnail(benchmark::State &state) { refuseBomb(state, true); }
void BM_RefuseRunLengthBomb_Picture(benchmark::State &state) { refuseBomb(state, false); }

// What the same 60 bytes cost when Qt decodes them unchecked and the picture is brought to 32 bits
// to be drawn on, as the chooser once did with every thumbnail.
void BM_DecodeRunLengthBomb_Unchecked(benchmark::State &state)
{
    const QByteArray bomb = runLengthBomb(5600, 5600);
    const long peakBefore = AllocationWatch::peakResidentKb();
    AllocationWatch::start();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bomb);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "bmp");
        reader.setAllocationLimit(0);
        benchmark::DoNotOptimize(reader.read().convertToFormat(QImage::Format_RGB32));
    }
    reportMemory(state, AllocationWatch::stop(), peakBefore);
}

} // namespace

BENCHMARK(BM_Store_EnumerateAndRead1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_LowestFreeNumber1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefuseRunLengthBomb_Thumbnail)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefuseRunLengthBomb_Picture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeRunLengthBomb_Unchecked)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
