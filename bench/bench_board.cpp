// Loading a 6 x 6 game and drawing its board at 1920 x 1080.
#include "BoardRenderer.h"
#include "BoardSurface.h"
#include "GameLoader.h"
#include "PlayBoard.h"
#include "PuzzleStore.h"
#include "RandomSource.h"
#include "ScreenLayout.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

namespace {

// A store holding one 6 x 6 puzzle with a busy picture.
struct SixBySix
{
    QTemporaryDir dir;
    PuzzleStore store{dir.path()};
    int number = 0;

    SixBySix()
    {
        QImage picture(360, 360, QImage::Format_RGB888);
        for (int y = 0; y < 360; ++y)
            for (int x = 0; x < 360; ++x)
                picture.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
        PuzzleDescription d;
        d.PuzzleName = QStringLiteral("Banc d'essai");
        d.GridCols = 6;
        d.GridRows = 6;
        d.ModelMode = 2;
        d.ModelAllowed = true;
        d.RotationEnabled = true;
        number = store.saveNewPuzzle(d, picture, picture.scaled(100, 100));
    }
};

void BM_LoadGame_6x6(benchmark::State &state)
{
    SixBySix puzzle;
    const ScreenLayout layout = computeScreenLayout(1920, 1080);
    const PictureList fixed(PictureItem::Count);
    RandomSource random(1);
    for (auto _ : state) {
        Game game = LoadGame(puzzle.store, puzzle.number, layout.ScreenWidth, layout.BoardSize, fixed, random);
        benchmark::DoNotOptimize(game.PieceCount);
    }
}

void BM_DrawBoard_6x6_BackBuffer(benchmark::State &state)
{
    SixBySix puzzle;
    const ScreenLayout layout = computeScreenLayout(1920, 1080);
    BoardSurface surface;
    surface.resize(layout.DXWidth, layout.DXHeight);
    PlayBoard play(&surface, layout);
    RandomSource random(1);
    play.LoadGame(puzzle.store, puzzle.number, random);
    for (auto _ : state) {
        DrawBoardFrame(surface.backBuffer(), play.game(), {layout.ModelLeft, layout.ModelTop});
        benchmark::ClobberMemory();
    }
}

void BM_DrawBoard_6x6_WithPresent(benchmark::State &state)
{
    SixBySix puzzle;
    const ScreenLayout layout = computeScreenLayout(1920, 1080);
    BoardSurface surface;
    surface.setFlipPacing(false);
    surface.resize(layout.DXWidth, layout.DXHeight);
    surface.show();
    PlayBoard play(&surface, layout);
    RandomSource random(1);
    play.LoadGame(puzzle.store, puzzle.number, random);
    for (auto _ : state)
        play.DrawBoard();
}

} // namespace

BENCHMARK(BM_LoadGame_6x6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBoard_6x6_BackBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBoard_6x6_WithPresent)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
