// The chooser's scan of a 200-puzzle store: every description and thumbnail read, every
// thumbnail decorated and made into a widget.
#include "BenchPuzzles.h"
#include "store/PuzzleStore.h"
#include "library/PuzzleChooser.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <stdexcept>

using namespace tivane;

namespace {

constexpr int PuzzleCount = 200;

// A store of 200 puzzles with their real pictures, made once for every benchmark.
class BenchStore
{
public:
    BenchStore() : m_store(m_dir.path())
    {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot make the benchmark store");
        PuzzleStore &store = m_store;
        for (int n = 0; n < PuzzleCount; ++n) {
            const PuzzleDescription d = variedDescription(n);
            QImage picture(360, 360, QImage::Format_RGB32);
            picture.fill(qRgb(n % 256, 128, 255 - n % 256));
            store.savePuzzle(n, d, DescriptionLines::All, picture,
                             picture.scaled(100, 100, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
    }

    PuzzleStore &store() { return m_store; }

private:
    QTemporaryDir m_dir;
    PuzzleStore m_store;
};

BenchStore &benchStore()
{
    static BenchStore store;
    return store;
}

void scan(benchmark::State &state, bool shown)
{
    PuzzleChooser form(benchStore().store());
    form.scanPuzzles();
    if (form.puzzleNumbers().size() != PuzzleCount) {
        state.SkipWithError("the store did not scan whole");
        return;
    }
    if (shown) {
        form.show();
        QCoreApplication::processEvents();
    }
    for (auto _ : state) {
        form.scanPuzzles();
        // The old thumbnails go as a program's event loop would let them go.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        benchmark::DoNotOptimize(form.thumbnails().size());
    }
}

// At start-up, the form is still hidden.
void BM_ScanPuzzles200_Hidden(benchmark::State &state) { scan(state, false); }
// After a change to the store, the form is on screen.
void BM_ScanPuzzles200_Shown(benchmark::State &state) { scan(state, true); }

} // namespace

BENCHMARK(BM_ScanPuzzles200_Hidden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPuzzles200_Shown)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
