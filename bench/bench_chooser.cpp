// The chooser's scan of a 200-puzzle store: every description and thumbnail read, every
// thumbnail decorated and made into a widget. And of a 500-puzzle store of which one thumbnail in
// ten is broken: missing, cut short, not a picture, 2000 x 2000, or 60 bytes declaring
// 5600 x 5600 pixels.
#include "AllocationWatch.h"
#include "BenchPuzzles.h"
#include "store/PuzzleStore.h"
#include "library/PuzzleChooser.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

using namespace tivane;

namespace {

constexpr int PuzzleCount = 200;

constexpr int LargeCount = 500;

// A store of `count` puzzles with their real pictures, made once for every benchmark; with
// `broken`, the thumbnail of every tenth puzzle is broken, five ways in turn.
class BenchStore
{
public:
    explicit BenchStore(int count, bool broken = false) : m_store(m_dir.path())
    {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot make the benchmark store");
        PuzzleStore &store = m_store;
        for (int n = 0; n < count; ++n) {
            const PuzzleDescription d = variedDescription(n);
            QImage picture(360, 360, QImage::Format_RGB32);
            picture.fill(qRgb(n % 256, 128, 255 - n % 256));
            store.savePuzzle(n, d, DescriptionLines::All, picture,
                             picture.scaled(100, 100, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            if (broken && n % 10 == 9)
                breakThumbnail(n);
        }
    }

    PuzzleStore &store() { return m_store; }

private:
    void breakThumbnail(int n)
    {
        const QString path = QDir(m_dir.path()).filePath(PuzzleStore::thumbnailName(n));
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            throw std::runtime_error("cannot break a thumbnail");
        const QByteArray whole = file.readAll();
        QByteArray bytes;
        switch (n / 10 % 5) {
        case 0:
            file.remove();
            return;
        case 1:
            bytes = whole.left(whole.size() / 2);
            break;
        case 2:
            bytes = "Ceci n'est pas une image.";
            break;
        case 3:
            // The header of a 2000 x 2000 picture.
            bytes = whole.left(54);
            qToLittleEndian<qint32>(2000, bytes.data() + 18);
            qToLittleEndian<qint32>(2000, bytes.data() + 22);
            break;
        default:
            bytes = runLengthBomb(5600, 5600);
        }
        file.resize(0);
        file.seek(0);
        if (file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot break a thumbnail");
    }

    QTemporaryDir m_dir;
    PuzzleStore m_store;
};

BenchStore &benchStore()
{
    static BenchStore store(PuzzleCount);
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
        benchmark::DoNotOptimize(form.puzzleNumbers().size());
    }
}

// At start-up, with one thumbnail in ten broken: the 50 broken ones are left out, and the scan
// is reported with the largest single allocation and the growth of the peak memory.
void BM_ScanPuzzles500_TenPercentBroken(benchmark::State &state)
{
    static BenchStore store(LargeCount, true);
    PuzzleChooser form(store.store());
    const long peakBefore = AllocationWatch::peakResidentKb();
    AllocationWatch::start();
    for (auto _ : state) {
        form.scanPuzzles();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        benchmark::DoNotOptimize(form.puzzleNumbers().size());
    }
    state.counters["largest_alloc_kB"] = double(AllocationWatch::stop()) / 1024;
    state.counters["peak_rss_growth_kB"] = double(AllocationWatch::peakResidentKb() - peakBefore);
    if (form.puzzleNumbers().size() != LargeCount - LargeCount / 10)
        state.SkipWithError("the broken thumbnails were not left out");
}

// At start-up, the form is still hidden.
void BM_ScanPuzzles200_Hidden(benchmark::State &state) { scan(state, false); }
// After a change to the store, the form is on screen.
void BM_ScanPuzzles200_Shown(benchmark::State &state) { scan(state, true); }

} // namespace

BENCHMARK(BM_ScanPuzzles200_Hidden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPuzzles200_Shown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPuzzles500_TenPercentBroken)->Unit(benchmark::kMillisecond);
