#include "play/GameLoader.h"
#include "store/PuzzleStore.h"
#include "core/RandomSource.h"
#include "HostileFiles.h"
#include "TestPuzzles.h"
#include "play/Clock.h"
#include "core/Error.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

namespace {
using Slots = QSet<QPair<int, int>>;

Game load(PuzzleStore &store, int n, int screenWidth, int boardSize, std::uint32_t seed)
{
    RandomSource random(seed);
    return loadGame(store, n, screenWidth, boardSize, PictureList(PictureItem::Count), random);
}
}

class TestGameLoader : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void trayAndBoard_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("boardSize");
        QTest::addColumn<int>("pieceSide");
        QTest::addColumn<int>("trayLeft");
        QTest::addColumn<int>("boardLeft");
        QTest::addColumn<QList<int>>("slotLefts");

        QTest::newRow("3 x 3 at 800 x 600") << 3 << 800 << 327 << 109 << 63 << 410 << QList<int>{63, 174, 285};
        QTest::newRow("4 x 4 at 1024 x 768")
            << 4 << 1024 << 419 << 104 << 83 << 522 << QList<int>{83, 189, 295, 401};
    }

    void trayAndBoard()
    {
        QFETCH(int, grid);
        QFETCH(int, screenWidth);
        QFETCH(int, boardSize);
        QFETCH(int, pieceSide);
        QFETCH(int, trayLeft);
        QFETCH(int, boardLeft);
        QFETCH(QList<int>, slotLefts);

        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Carré", grid, grid));
        const Game game = load(store, n, screenWidth, boardSize, 7);

        QCOMPARE(game.pieceCount, grid * grid);
        QCOMPARE(game.geometry.trayLeft, trayLeft);
        QCOMPARE(game.geometry.boardLeft, boardLeft);
        QCOMPARE(game.geometry.boardTop, 212);
        QCOMPARE(game.pictures.picture(PictureItem::Model).size(), QSize(180, 180));
        QCOMPARE(game.pictures.picture(PictureItem::FadedPicture).size(), QSize(boardSize, boardSize));
        QCOMPARE(game.pictureFile, PuzzleStore::pictureName(n));
        QCOMPARE(game.puzzleName, QStringLiteral("Carré"));

        Slots expected;
        for (int r = 0; r < grid; ++r)
            for (int left : slotLefts)
                expected.insert({left, 212 + r * (pieceSide + 2)});
        Slots seen;
        for (const Piece &p : game.inPlay()) {
            QCOMPARE(p.width, pieceSide);
            QCOMPARE(p.height, pieceSide);
            QCOMPARE(p.trayPlace(), p.place());
            QCOMPARE(p.cell, -1);
            QCOMPARE(p.imageIndex, p.number);
            seen.insert({p.x, p.y});
        }
        QCOMPARE(seen, expected);
        QCOMPARE(game.moveCount, 0);
        QCOMPARE(game.heldPiece, -1);
    }

    void piecesAreCutFromTheirCells()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Cellules", 3, 2));
        const Game game = load(store, n, 1024, 419, 3);
        for (int k = 0; k < 6; ++k) {
            const QImage &piece = game.pictures.picture(k);
            QCOMPARE(piece.size(), QSize(139, 209));
            QCOMPARE(piece.pixel(0, 0), TestPuzzles::cellColour(k));
            QCOMPARE(piece.pixel(138, 208), TestPuzzles::cellColour(k));
        }
    }

    void fadedPictureIsLightened()
    {
        QImage picture(360, 360, QImage::Format_RGB888);
        picture.fill(QColor(0, 128, 255));
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Pâle", 2, 2), picture);
        const Game game = load(store, n, 800, 327, 1);
        // Black becomes 174, mid-grey 214, white stays.
        QCOMPARE(game.pictures.picture(PictureItem::FadedPicture).pixel(100, 100), qRgb(174, 214, 255));
    }

    void turnsFollowTheGrid_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("rotation");
        QTest::addColumn<QList<int>>("allowedTurns");
        QTest::newRow("2 x 3, rotation") << 2 << 3 << true << QList<int>{0, 2};
        QTest::newRow("3 x 3, rotation") << 3 << 3 << true << QList<int>{0, 1, 2, 3};
        QTest::newRow("3 x 3, no rotation") << 3 << 3 << false << QList<int>{0};
    }

    void turnsFollowTheGrid()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(bool, rotation);
        QFETCH(QList<int>, allowedTurns);

        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Tours", cols, rows, 1, rotation));
        QSet<int> seen;
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const Game game = load(store, n, 1024, 419, seed);
            for (const Piece &p : game.inPlay()) {
                QVERIFY2(allowedTurns.contains(p.turns), qPrintable(QString::number(p.turns)));
                seen.insert(p.turns);
                // A piece turned twice is upside down: its picture keeps its size.
                const QSize cut(419 / cols, 419 / rows);
                QCOMPARE(game.pictures.picture(p.imageIndex).size(), p.turns % 2 ? cut.transposed() : cut);
            }
        }
        QCOMPARE(seen, QSet<int>(allowedTurns.begin(), allowedTurns.end()));
    }

    void shuffleEnds_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("someOffSlot");
        // Any 2 x 2 ends with a piece away; a 1 x 2 pass swaps the pair twice and stops there.
        QTest::newRow("2 x 2") << 2 << 2 << true;
        QTest::newRow("1 x 2, one pass") << 1 << 2 << false;
        QTest::newRow("2 x 1, one pass") << 2 << 1 << false;
        QTest::newRow("1 x 1, left alone") << 1 << 1 << false;
    }

    void shuffleEnds()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(bool, someOffSlot);

        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Mélange", cols, rows));
        for (std::uint32_t seed = 0; seed < 50; ++seed) {
            const Game game = load(store, n, 1024, 419, seed);
            const int pw = 419 / cols;
            const int ph = 419 / rows;
            bool off = false;
            for (const Piece &p : game.inPlay()) {
                const QPoint laidOut((p.number % cols) * (pw + 2) + 83, (p.number / cols) * (ph + 2) + 212);
                off = off || QPoint(p.x, p.y) != laidOut;
            }
            QCOMPARE(off, someOffSlot);
        }
    }

    void shuffleIsSeeded()
    {
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Graine", 4, 3, 1, true));
        const Game a = load(store, n, 1024, 419, 42);
        const Game b = load(store, n, 1024, 419, 42);
        for (int i = 0; i < a.pieceCount; ++i) {
            QCOMPARE(QPoint(a.pieces[i].x, a.pieces[i].y), QPoint(b.pieces[i].x, b.pieces[i].y));
            QCOMPARE(a.pieces[i].turns, b.pieces[i].turns);
        }
    }

    void failuresNameTheProblem_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::newRow("missing picture") << "image0.bmp";
        QTest::newRow("missing description") << "puz0.tvn";
    }

    void failuresNameTheProblem()
    {
        QFETCH(QString, removed);
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Perdu", 2, 2));
        QVERIFY(QFile::remove(dir.filePath(removed)));
        QVERIFY_THROWS_EXCEPTION(Error, load(store, n, 1024, 419, 1));
    }

    void tinyPictureStillLoads()
    {
        QImage dot(1, 1, QImage::Format_RGB888);
        dot.fill(QColor(200, 30, 30));
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Point", 6, 6), dot);
        const Game game = load(store, n, 1024, 419, 1);
        QCOMPARE(game.pieceCount, 36);
        QCOMPARE(game.pictures.picture(35).size(), QSize(69, 69));
        QCOMPARE(game.pictures.picture(35).pixel(10, 10), qRgb(200, 30, 30));
    }

    // A time limit no form writes is played as the most the clock shows, not clipped digits.
    void hugeTimeLimitShowsAsTheLongestClock()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Horloge", 2, 2));
        QVERIFY(HostileFiles::writeFile(dir.path(), PuzzleStore::descriptionName(n), HostileFiles::HugeTimeLimit));
        const Game game = load(store, n, 1024, 419, 1);
        QCOMPARE(game.timeLimit, 5999);
        QCOMPARE(clockText(game.timeLimit), QStringLiteral("99:59"));
        QCOMPARE(game.modelMode, ModelMode::Permanent);
    }

    // The 60-byte picture that once cost 0.7 s and 208 MB is refused from its header.
    void runLengthBombIsRefused()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Bombe", 2, 2));
        QVERIFY(HostileFiles::writeFile(dir.path(), PuzzleStore::pictureName(n), HostileFiles::rleBomb()));
        QString error;
        try {
            load(store, n, 1024, 419, 1);
        } catch (const Error &e) {
            error = e.message();
        }
        QCOMPARE(error, QStringLiteral("Impossible de lire le fichier « image0.bmp » : l'image mesure 5600 × 5600 "
                                       "pixels ; elle ne doit pas dépasser 4096 pixels de côté."));
    }

    // With two spellings of one number, the game is the puzzle the chooser lists.
    void theListedSpellingIsPlayed()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Minuscules", 2, 2));
        QVERIFY(HostileFiles::writeFile(dir.path(), QStringLiteral("Puz0.tvn"), HostileFiles::description("Majuscule", 3, 3)));
        QVERIFY(HostileFiles::writeFile(dir.path(), QStringLiteral("PUZ1.TVN"), HostileFiles::description("Seul", 4, 4)));
        QCOMPARE(store.listPuzzles().entries, (QList<StoreEntry>{{0, QStringLiteral("puz0.tvn")}, {1, QStringLiteral("PUZ1.TVN")}}));
        QCOMPARE(load(store, n, 1024, 419, 1).puzzleName, QStringLiteral("Minuscules"));
        QImage picture(360, 360, QImage::Format_RGB888);
        picture.fill(Qt::gray);
        store.writePicture(PuzzleStore::pictureName(1), picture);
        const Game one = load(store, 1, 1024, 419, 1);
        QCOMPARE(one.puzzleName, QStringLiteral("Seul"));
        QCOMPARE(one.pieceCount, 16);
    }
};

QTEST_MAIN(TestGameLoader)
#include "tst_gameloader.moc"
