// Loading a 6 x 6 game and drawing its board at 1920 x 1080.
#include "play/BoardRenderer.h"
#include "play/BoardSurface.h"
#include "play/GameLoader.h"
#include "play/PlayBoard.h"
#include "store/PuzzleStore.h"
#include "core/RandomSource.h"
#include "play/ScreenLayout.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

using namespace tivane;

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
        d.puzzleName = QStringLiteral("Banc d'essai");
        d.gridCols = 6;
        d.gridRows = 6;
        d.modelMode = ModelMode::Permanent;
        d.modelAllowed = true;
        d.rotationEnabled = true;
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
        Game game = loadGame(puzzle.store, puzzle.number, layout.screenWidth, layout.boardSize, fixed, random);
        benchmark::DoNotOptimize(game.pieceCount);
    }
}

void BM_DrawBoard_6x6_BackBuffer(benchmark::State &state)
{
    SixBySix puzzle;
    const ScreenLayout layout = computeScreenLayout(1920, 1080);
    BoardSurface surface;
    surface.resize(layout.boardWidth, layout.boardHeight);
    PlayBoard play(&surface, layout);
    RandomSource random(1);
    play.loadGame(puzzle.store, puzzle.number, random);
    for (auto _ : state) {
        drawBoardFrame(surface.backBuffer(), play.game(), {layout.modelLeft, layout.modelTop});
        benchmark::ClobberMemory();
    }
}

void BM_DrawBoard_6x6_WithPresent(benchmark::State &state)
{
    SixBySix puzzle;
    const ScreenLayout layout = computeScreenLayout(1920, 1080);
    BoardSurface surface;
    surface.resize(layout.boardWidth, layout.boardHeight);
    surface.show();
    PlayBoard play(&surface, layout);
    RandomSource random(1);
    play.loadGame(puzzle.store, puzzle.number, random);
    // The frame, and the paint that shows it.
    for (auto _ : state) {
        play.drawBoard();
        surface.repaint();
    }
}

// A 6 x 6 game on a shown 1920 x 1080 board.
struct ShownGame
{
    SixBySix puzzle;
    ScreenLayout layout = computeScreenLayout(1920, 1080);
    BoardSurface surface;
    PlayBoard play{&surface, layout};
    RandomSource random{1};

    ShownGame()
    {
            surface.resize(layout.boardWidth, layout.boardHeight);
        surface.show();
        play.loadGame(puzzle.store, puzzle.number, random);
        play.game().rotationEnabled = true;
    }
    void pointAt(QPoint p)
    {
        play.notePointer(p.x(), p.y());
        play.pointerMoved(p.x(), p.y());
    }
    QPoint cellCentre(int cell) const
    {
        const BoardGeometry &g = play.game().geometry;
        return g.cellTopLeft(cell) + QPoint(g.cellWidth() / 2, g.cellHeight() / 2);
    }
};

void BM_Drop_6x6_WithRedraw(benchmark::State &state)
{
    ShownGame g;
    const Piece &first = g.play.game().pieces[0];
    g.pointAt({first.x + first.width / 2, first.y + first.height / 2});
    g.play.click();
    int cell = 0;
    g.pointAt(g.cellCentre(cell));
    for (auto _ : state) {
        // Put the piece down (the measured redraw), then take it up again from its cell.
        g.play.click();
        state.PauseTiming();
        g.pointAt(g.cellCentre(cell));
        g.play.click();
        cell = (cell + 1) % 2;
        g.pointAt(g.cellCentre(cell));
        state.ResumeTiming();
    }
}

void BM_QuarterTurn_6x6_WithRedraw(benchmark::State &state)
{
    ShownGame g;
    const Piece &first = g.play.game().pieces[0];
    g.pointAt({first.x + first.width / 2, first.y + first.height / 2});
    g.play.click();
    for (auto _ : state)
        g.play.turn();
}

} // namespace

BENCHMARK(BM_Drop_6x6_WithRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuarterTurn_6x6_WithRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGame_6x6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBoard_6x6_BackBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBoard_6x6_WithPresent)->Unit(benchmark::kMillisecond);
