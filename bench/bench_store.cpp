// Listing and reading a large store, as the chooser's scan does.
#include "BenchPuzzles.h"
#include "store/PuzzleStore.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
        for (const StoreEntry &entry : store.enumerate()) {
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

} // namespace

BENCHMARK(BM_Store_EnumerateAndRead1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_LowestFreeNumber1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
