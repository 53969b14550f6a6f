#include "play/BoardRenderer.h"
#include "play/BoardSurface.h"
#include "play/PlayBoard.h"
#include "store/PuzzleStore.h"
#include "core/RandomSource.h"
#include "play/ScreenLayout.h"
#include "TestPuzzles.h"
#include "core/Error.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tivane;

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
        surface.setFrameIntervalUs(0);
        surface.resize(layout.boardWidth, layout.boardHeight);
        play.loadBuiltinPictures();
    }
    QRgb at(int x, int y) { return surface.backBuffer().pixel(x, y); }
    const Piece &pieceNumbered(int number)
    {
        for (const Piece &p : play.game().inPlay())
            if (p.number == number)
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
        b.play.loadGame(store, n, b.random);
        b.play.drawBoard();

        // A grid line at the board's left edge, and inside the board where no piece lies.
        const BoardGeometry &g = b.play.game().geometry;
        QCOMPARE(b.at(g.boardLeft, g.boardTop + 50) == Silver, grid);
        QCOMPARE(b.at(g.boardLeft + 104, g.boardTop + 50) == Silver, grid);
        if (!grid) {
            // The faded picture lies under the pieces: cell 0's colour, lightened.
            const QRgb faded = b.play.game().pictures.picture(PictureItem::FadedPicture).pixel(50, 50);
            QCOMPARE(b.at(g.boardLeft + 50, g.boardTop + 50), faded);
            QVERIFY(faded != TestPuzzles::cellColour(0));
        } else {
            QCOMPARE(b.at(g.boardLeft + 50, g.boardTop + 50), Green);
        }
        QCOMPARE(b.at(b.layout.modelLeft + 4, b.layout.modelTop + 4), slotCentre);
    }

    void modelShownReplacesTheQuestionMark()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Modèle", 2, 2, 1));
        Board b;
        b.play.loadGame(store, n, b.random);
        b.play.game().modelShown = true;
        b.play.drawBoard();
        QCOMPARE(b.at(b.layout.modelLeft + 10, b.layout.modelTop + 10), TestPuzzles::cellColour(0));
        QCOMPARE(b.at(b.layout.modelLeft + 170, b.layout.modelTop + 170), TestPuzzles::cellColour(3));
    }

    void piecesAreDrawnInArrayOrder()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Ordre", 2, 2, 0));
        Board b;
        b.play.loadGame(store, n, b.random);
        Game &game = b.play.game();
        // Piece 0 and piece 3 on one spot: the later one in the array lies on top.
        game.pieces[3].x = game.pieces[0].x;
        game.pieces[3].y = game.pieces[0].y;
        b.play.drawBoard();
        QCOMPARE(b.at(game.pieces[0].x + 20, game.pieces[0].y + 20),
                 TestPuzzles::cellColour(game.pieces[3].number));
    }

    void dealShowsOnePieceATick()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Donne", 2, 2, 3));
        Board b;
        int clicks = 0;
        connect(&b.play, &PlayBoard::soundRequested, this, [&](Sound s) { clicks += s == Sound::PickUp; });
        b.play.loadGame(store, n, b.random);
        const Game &game = b.play.game();
        const BoardGeometry &g = game.geometry;

        // Frame k shows the first k pieces; the first frame is the empty board, with the grid
        // even in the model-underneath mode.
        int frame = 0;
        bool gridShown = true;
        QList<qint64> times;
        QElapsedTimer clock;
        clock.start();
        connect(&b.surface, &BoardSurface::framePresented, this, [&] {
            gridShown = gridShown && b.at(g.boardLeft, g.boardTop + 30) == Silver;
            for (int i = 0; i < 4; ++i) {
                const Piece &p = game.pieces[i];
                if ((b.at(p.x + 30, p.y + 30) == Green) != (i >= frame))
                    QFAIL(qPrintable(QStringLiteral("frame %1, piece %2").arg(frame).arg(i)));
            }
            times << clock.elapsed();
            ++frame;
        });
        QSignalSpy finished(&b.play, &PlayBoard::dealFinished);
        b.play.startDeal();
        QCOMPARE(b.play.animation(), BoardAnimation::Deal);
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(!b.play.isAnimating());
        QCOMPARE(frame, 5);
        QVERIFY(gridShown);
        QCOMPARE(clicks, 4);
        QCOMPARE(b.play.dealIndex(), 4);
        // A piece every 50 ms at the soonest.
        for (int k = 1; k < times.size(); ++k)
            QVERIFY2(times[k] - times[k - 1] >= PlayBoard::DealStepMs - 5, qPrintable(QString::number(times[k] - times[k - 1])));
    }

    void dealRunsToTheEnd()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Donne", 3, 2));
        Board b;
        b.play.loadGame(store, n, b.random);
        const int before = b.surface.frameCount();
        b.play.startDeal();
        QTRY_VERIFY(!b.play.isAnimating());
        QCOMPARE(b.surface.frameCount() - before, 1 + 6);
        for (const Piece &p : b.play.game().inPlay())
            QCOMPARE(b.at(p.x + 30, p.y + 30), TestPuzzles::cellColour(p.number));
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
        b.play.loadGame(store, good, b.random);
        b.play.game().moveCount = 7;
        b.play.game().pieces[2].cell = 4;
        const QImage piece0 = b.play.game().pictures.picture(0);

        QVERIFY_THROWS_EXCEPTION(Error, b.play.loadGame(store, bad, b.random));
        QVERIFY(b.play.isGameActive());
        QCOMPARE(b.play.game().puzzleName, QStringLiteral("Bon"));
        QCOMPARE(b.play.game().pieceCount, 9);
        QCOMPARE(b.play.game().moveCount, 7);
        QCOMPARE(b.play.game().pieces[2].cell, 4);
        QCOMPARE(b.play.game().pictures.picture(0), piece0);
        QCOMPARE(titles.count(), 1);
    }

    void welcomeFrames()
    {
        Board b;
        QImage &buffer = b.surface.backBuffer();
        const int cx = b.layout.boardWidth / 2;
        const int cy = b.layout.boardHeight / 2;

        drawWelcomeFrame(buffer, b.play.game().pictures, 0);
        QCOMPARE(b.at(cx - 163, cy), qRgb(255, 255, 255));
        QCOMPARE(b.at(cx, cy), Green);  // no logo yet

        drawWelcomeFrame(buffer, b.play.game().pictures, 63);
        // The frame has shrunk by 63 pixels a side; the logo covers the middle band.
        QCOMPARE(b.at(cx - 100, cy - 90), qRgb(255, 255, 255));
        QCOMPARE(b.at(cx - 163, cy - 90), Green);
        int logo = 0;
        for (int x = cx - 200; x < cx + 200; ++x)
            logo += b.at(x, cy) != Green;
        QVERIFY2(logo > 100, qPrintable(QString::number(logo)));

        QSignalSpy titles(&b.play, &PlayBoard::titleChanged);
        const int before = b.surface.frameCount();
        b.play.startWelcome();
        QTRY_VERIFY(!b.play.isAnimating());
        QCOMPARE(b.surface.frameCount() - before, WelcomeFrameCount);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.at(0).at(0).toString(), QString());
    }
};

QTEST_MAIN(TestBoardRender)
#include "tst_boardrender.moc"
