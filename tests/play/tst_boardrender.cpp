#include "BoardRenderer.h"
#include "BoardSurface.h"
#include "PlayBoard.h"
#include "PuzzleStore.h"
#include "RandomSource.h"
#include "ScreenLayout.h"
#include "TestPuzzles.h"
#include "TivaneError.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
constexpr QRgb Green = 0xFF008000;
constexpr QRgb Silver = 0xFFC0C0C0;

// A 1024 x 768 main screen's board with its play engine.
struct Board
{
    ScreenLayout layout = computeScreenLayout(1024, 768);
    BoardSurface surface;
    PlayBoard play{&surface, layout};
    RandomSource random{5};

    Board()
    {
        surface.setFlipPacing(false);
        surface.resize(layout.DXWidth, layout.DXHeight);
    }
    QRgb at(int x, int y) { return surface.backBuffer().pixel(x, y); }
    const TPieceRec &pieceNumbered(int number)
    {
        for (const TPieceRec &p : play.game().pieces())
            if (p.Number == number)
                return p;
        qFatal("no piece %d", number);
    }
};
}

class TestBoardRender : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void modelModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<QRgb>("slotCentre");
        // Slot: the question mark is white at its corner; the no-model sign is see-through there.
        QTest::newRow("0, no model") << 0 << true << Green;
        QTest::newRow("1, model on click") << 1 << true << qRgb(255, 255, 255);
        QTest::newRow("2, permanent model") << 2 << true << qRgb(255, 255, 255);
        QTest::newRow("3, model underneath") << 3 << false << qRgb(255, 255, 255);
    }

    void modelModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, grid);
        QFETCH(QRgb, slotCentre);

        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Modes", 4, 4, mode));
        Board b;
        b.play.LoadGame(store, n, b.random);
        b.play.DrawBoard();

        // A grid line at the board's left edge, and inside the board where no piece lies.
        const BoardGeometry &g = b.play.game().geometry;
        QCOMPARE(b.at(g.BoardLeft, g.BoardTop + 50) == Silver, grid);
        QCOMPARE(b.at(g.BoardLeft + 104, g.BoardTop + 50) == Silver, grid);
        if (!grid) {
            // The faded picture lies under the pieces: cell 0's colour, lightened.
            const QRgb faded = b.play.game().SP.picture(PictureItem::FadedPicture).pixel(50, 50);
            QCOMPARE(b.at(g.BoardLeft + 50, g.BoardTop + 50), faded);
            QVERIFY(faded != TestPuzzles::cellColour(0));
        } else {
            QCOMPARE(b.at(g.BoardLeft + 50, g.BoardTop + 50), Green);
        }
        QCOMPARE(b.at(b.layout.ModelLeft + 4, b.layout.ModelTop + 4), slotCentre);
    }

    void modelShownReplacesTheQuestionMark()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Modèle", 2, 2, 1));
        Board b;
        b.play.LoadGame(store, n, b.random);
        b.play.game().ModelShown = true;
        b.play.DrawBoard();
        QCOMPARE(b.at(b.layout.ModelLeft + 10, b.layout.ModelTop + 10), TestPuzzles::cellColour(0));
        QCOMPARE(b.at(b.layout.ModelLeft + 170, b.layout.ModelTop + 170), TestPuzzles::cellColour(3));
    }

    void piecesAreDrawnInArrayOrder()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Ordre", 2, 2, 0));
        Board b;
        b.play.LoadGame(store, n, b.random);
        Game &game = b.play.game();
        // Piece 0 and piece 3 on one spot: the later one in the array lies on top.
        game.Pieces[3].X = game.Pieces[0].X;
        game.Pieces[3].Y = game.Pieces[0].Y;
        b.play.DrawBoard();
        QCOMPARE(b.at(game.Pieces[0].X + 20, game.Pieces[0].Y + 20),
                 TestPuzzles::cellColour(game.Pieces[3].Number));
    }

    void dealShowsOnePieceATick()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Donne", 2, 2, 3));
        Board b;
        int clicks = 0;
        b.play.playSound = [&](Sound s) { clicks += s == Sound::PickUp; };
        b.play.LoadGame(store, n, b.random);
        const Game &game = b.play.game();
        const BoardGeometry &g = game.geometry;

        DrawEmptyBoard(b.surface.backBuffer(), game, {b.layout.ModelLeft, b.layout.ModelTop});
        // The deal shows the grid even in the model-underneath mode.
        QCOMPARE(b.at(g.BoardLeft, g.BoardTop + 30), Silver);
        b.play.DealIndex = 0;
        for (int tick = 0; tick < 4; ++tick) {
            for (int i = 0; i < 4; ++i) {
                const TPieceRec &p = game.Pieces[i];
                QCOMPARE(b.at(p.X + 30, p.Y + 30) == Green, i >= tick);
            }
            b.play.Timer1Timer();
        }
        QCOMPARE(clicks, 4);
        QCOMPARE(b.play.DealIndex, 4);
    }

    void dealRunsToTheEnd()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Donne", 3, 2));
        Board b;
        b.play.LoadGame(store, n, b.random);
        const int before = b.surface.flipCount();
        b.play.DealAnimation();
        QVERIFY(!b.play.Timer1()->isActive());
        QCOMPARE(b.surface.flipCount() - before, 1 + 6);
        for (const TPieceRec &p : b.play.game().pieces())
            QCOMPARE(b.at(p.X + 30, p.Y + 30), TestPuzzles::cellColour(p.Number));
    }

    void failedLoadLeavesTheGame()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const int good = TestPuzzles::add(store, TestPuzzles::description("Bon", 3, 3, 2, true));
        const int bad = TestPuzzles::add(store, TestPuzzles::description("Cassé", 2, 2));
        QVERIFY(QFile::remove(dir.filePath(PuzzleStore::pictureName(bad))));

        Board b;
        QSignalSpy titles(&b.play, &PlayBoard::titleChanged);
        b.play.LoadGame(store, good, b.random);
        b.play.game().MoveCount = 7;
        b.play.game().Pieces[2].Cell = 4;
        const QImage piece0 = b.play.game().SP.picture(0);

        QVERIFY_THROWS_EXCEPTION(TivaneError, b.play.LoadGame(store, bad, b.random));
        QVERIFY(b.play.GameActive);
        QCOMPARE(b.play.game().PuzzleName, QStringLiteral("Bon"));
        QCOMPARE(b.play.game().PieceCount, 9);
        QCOMPARE(b.play.game().MoveCount, 7);
        QCOMPARE(b.play.game().Pieces[2].Cell, 4);
        QCOMPARE(b.play.game().SP.picture(0), piece0);
        QCOMPARE(titles.count(), 1);
    }

    void welcomeFrames()
    {
        Board b;
        QImage &buffer = b.surface.backBuffer();
        const int cx = b.layout.DXWidth / 2;
        const int cy = b.layout.DXHeight / 2;

        DrawWelcomeFrame(buffer, b.play.SP(), 0);
        QCOMPARE(b.at(cx - 163, cy), qRgb(255, 255, 255));
        QCOMPARE(b.at(cx, cy), Green);  // no logo yet

        DrawWelcomeFrame(buffer, b.play.SP(), 63);
        // The frame has shrunk by 63 pixels a side; the logo covers the middle band.
        QCOMPARE(b.at(cx - 100, cy - 90), qRgb(255, 255, 255));
        QCOMPARE(b.at(cx - 163, cy - 90), Green);
        int logo = 0;
        for (int x = cx - 200; x < cx + 200; ++x)
            logo += b.at(x, cy) != Green;
        QVERIFY2(logo > 100, qPrintable(QString::number(logo)));

        QSignalSpy titles(&b.play, &PlayBoard::titleChanged);
        const int before = b.surface.flipCount();
        b.play.WelcomeAnimation();
        QCOMPARE(b.surface.flipCount() - before, WelcomeFrames);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.at(0).at(0).toString(), QString());
    }
};

QTEST_MAIN(TestBoardRender)
#include "tst_boardrender.moc"
