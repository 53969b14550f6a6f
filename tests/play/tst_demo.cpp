#include "play/BoardSurface.h"
#include "core/BuiltinResources.h"
#include "play/DemoPuzzle.h"
#include "play/IdleDemo.h"
#include "play/Pieces.h"
#include "core/RandomSource.h"
#include "play/ScreenLayout.h"
#include "TestPuzzles.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

namespace {
constexpr QRgb Navy = 0xFF000080u;
constexpr QRgb Silver = 0xFFC0C0C0u;

QPoint traySlot(const DemoPuzzle &d, int i)
{
    const BoardGeometry g = d.geometry();
    return {d.trayLeft + (i % d.cols) * (g.cellWidth() + 2),
            d.top + (i / d.cols) * (g.cellHeight() + 2)};
}

QPoint place(const Piece &p) { return {p.x, p.y}; }

// Red grows to the right and green downwards: a piece shown turned does not match its cell.
QImage gradientPicture()
{
    QImage picture(360, 360, QImage::Format_RGB32);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 360; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 359, y * 255 / 359, 80));
    return picture;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

QImage flat(QRgb colour)
{
    QImage picture(360, 360, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}
}

class TestDemo : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    ScreenLayout m_layout = computeScreenLayout(1024, 768);

    // A demonstration over a board surface of the 1024 x 768 screen, reading the given list.
    struct Rig
    {
        BoardSurface surface;
        RandomSource random;
        PuzzleStore store;
        IdleDemo demo;
        Rig(const ScreenLayout &layout, const QString &folder, QList<int> numbers, std::uint32_t seed)
            : random(seed), store(folder), demo(&surface, layout, store, random)
        {
            surface.resize(layout.boardWidth, layout.boardHeight);
            surface.setFrameIntervalUs(0);
            demo.puzzleNumbers = [numbers] { return numbers; };
        }

        // One step of the demonstration as the pacer runs it: a glide's frames follow one
        // another at the display's refresh. Returns the pause it asks for after it.
        int step()
        {
            int next;
            do {
                next = demo.step();
            } while (next == StepPacer::NextFrame);
            return next;
        }
    };

    void compareSetUps(const DemoPuzzle &a, const DemoPuzzle &b)
    {
        QCOMPARE(a.cols, b.cols);
        QCOMPARE(a.rows, b.rows);
        QCOMPARE(a.pieces, b.pieces);
        for (int i = 0; i < a.pieceCount; ++i)
            QCOMPARE(a.pictures.picture(i), b.pictures.picture(i));
    }

private slots:
    void placesOnTheScreen_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("boardSize");
        QTest::addColumn<int>("trayLeft");
        QTest::addColumn<int>("boardLeft");
        QTest::addColumn<int>("top");
        QTest::newRow("1024 x 768") << 1024 << 768 << 419 << 83 << 522 << 158;
        QTest::newRow("800 x 600") << 800 << 600 << 327 << 63 << 410 << 120;
        QTest::newRow("1280 x 1024") << 1280 << 1024 << 559 << 71 << 650 << 216;
    }

    void placesOnTheScreen()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, boardSize);
        QFETCH(int, trayLeft);
        QFETCH(int, boardLeft);
        QFETCH(int, top);
        DemoPuzzle d;
        RandomSource random(1);
        setUpDemoPuzzle(d, 6, 6, flat(qRgb(1, 2, 3)), computeScreenLayout(width, height), random);
        QCOMPARE(d.boardSize, boardSize);
        QCOMPARE(d.trayLeft, trayLeft);
        QCOMPARE(d.boardLeft, boardLeft);
        QCOMPARE(d.top, top);
        // The widest tray row ends left of the target grid.
        QVERIFY(traySlot(d, 5).x() + d.pictures.width(0) < d.boardLeft);
    }

    void setUpInvariantsOverManySeeds()
    {
        Rig rig(m_layout, m_dir.path(), {}, 0);
        QSet<int> colsSeen;
        QSet<int> rowsSeen;
        for (std::uint32_t seed = 1; seed <= 400; ++seed) {
            rig.random.seed(seed);
            rig.demo.setUpNewDemo();
            const DemoPuzzle &d = rig.demo.puzzle();
            const QByteArray where = "seed " + QByteArray::number(seed);
            QVERIFY2(d.cols >= 2 && d.cols <= 6, where);
            QVERIFY2(d.rows >= 2 && d.rows <= 6, where);
            colsSeen << d.cols;
            rowsSeen << d.rows;
            QCOMPARE(d.pieceCount, d.cols * d.rows);
            const int pw = d.boardSize / d.cols;
            const int ph = d.boardSize / d.rows;

            QSet<QPair<int, int>> places;
            bool anyOffItsSlot = false;
            for (int i = 0; i < d.pieceCount; ++i) {
                const Piece &p = d.pieces[i];
                QCOMPARE(p.imageIndex, i);
                QCOMPARE(p.number, i);
                QCOMPARE(p.cell, -1);
                QVERIFY2(p.turns >= 0 && p.turns <= 3, where);
                if (d.cols != d.rows)
                    QVERIFY2(p.turns == 0 || p.turns == 2, where);
                // The picture is turned as often as the piece says.
                const QSize upright(pw, ph);
                QCOMPARE(d.pictures.picture(i).size(), p.turns % 2 ? upright.transposed() : upright);
                places << qMakePair(p.x, p.y);
                anyOffItsSlot = anyOffItsSlot || place(p) != traySlot(d, i);
                // The targets tile the target grid.
                QCOMPARE(d.targetPlace(i), QPoint(d.boardLeft + (i % d.cols) * pw,
                                         d.top + (i / d.cols) * ph));
            }
            QVERIFY2(anyOffItsSlot, where);
            // Every tray slot holds one piece.
            QSet<QPair<int, int>> traySlots;
            for (int i = 0; i < d.pieceCount; ++i)
                traySlots << qMakePair(traySlot(d, i).x(), traySlot(d, i).y());
            QCOMPARE(places, traySlots);
        }
        QCOMPARE(colsSeen, (QSet<int>{2, 3, 4, 5, 6}));
        QCOMPARE(rowsSeen, (QSet<int>{2, 3, 4, 5, 6}));
    }

    void frameShowsGridAndPieces()
    {
        Rig rig(m_layout, m_dir.path(), {}, 3);
        DemoPuzzle &d = rig.demo.puzzle();
        setUpDemoPuzzle(d, 3, 2, TestPuzzles::cellsPicture(3, 2), m_layout, rig.random);
        d.step = 0;
        rig.demo.drawFrame();
        QCOMPARE(rig.surface.frameCount(), 1);
        const QImage &f = rig.surface.backBuffer();
        const int cw = 419 / 3;
        const int ch = 419 / 2;

        QCOMPARE(f.pixel(5, 5), Navy);
        QCOMPARE(f.pixel(1000, 700), Navy);
        for (int k = 0; k <= 3; ++k)
            QCOMPARE(f.pixel(522 + k * cw, 158 + ch / 2), Silver);
        for (int k = 0; k <= 2; ++k)
            QCOMPARE(f.pixel(522 + cw / 2, 158 + k * ch), Silver);
        // Lines stop short of their end point; the grid's inside is navy.
        QCOMPARE(f.pixel(522 + 419, 158 + 5), Navy);
        QCOMPARE(f.pixel(522 + 5, 158 + 419), Navy);
        QCOMPARE(f.pixel(522 + cw / 2, 158 + ch / 2), Navy);

        for (int i = 0; i < 6; ++i) {
            const Piece &p = d.pieces[i];
            QCOMPARE(f.pixel(p.x + 20, p.y + 20), TestPuzzles::cellColour(i));
        }

        // Piece step lies on top of the others, whatever its index.
        d.pieces[0].x = d.pieces[5].x + 10;
        d.pieces[0].y = d.pieces[5].y + 10;
        const QPoint overlap(d.pieces[5].x + 30, d.pieces[5].y + 30);
        d.step = d.pieceCount;
        rig.demo.drawFrame();
        QCOMPARE(rig.surface.backBuffer().pixel(overlap), TestPuzzles::cellColour(5));
        d.step = 0;
        rig.demo.drawFrame();
        QCOMPARE(rig.surface.backBuffer().pixel(overlap), TestPuzzles::cellColour(0));
    }

    void stepsSolveTheDemonstration_data()
    {
        QTest::addColumn<std::uint32_t>("seed");
        for (std::uint32_t seed : {2u, 17u, 40u, 99u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void stepsSolveTheDemonstration()
    {
        QFETCH(std::uint32_t, seed);
        PuzzleStore store(m_dir.path());
        const int n = TestPuzzles::add(store, TestPuzzles::description("Dégradé", 1, 1), gradientPicture());
        Rig rig(m_layout, m_dir.path(), {n}, seed);
        int turnSounds = 0;
        rig.demo.turnSound = [&] {
            ++turnSounds;
            return 0;
        };
        rig.demo.setUpNewDemo();
        DemoPuzzle &d = rig.demo.puzzle();
        d.step = 0;
        const PieceArray start = d.pieces;

        int expectedTurnSteps = 0;
        while (d.step < d.pieceCount) {
            const int k = d.step;
            const PieceArray before = d.pieces;
            const int flips = rig.surface.frameCount();
            const int glideFrames = static_cast<int>(glidePath(place(before[k]), d.targetPlace(k)).size());
            QCOMPARE(rig.step(), IdleDemo::StepPauseMs);
            for (int i = 0; i < d.pieceCount; ++i) {
                if (i != k)
                    QCOMPARE(d.pieces[i], before[i]);
            }
            if (before[k].turns != 0) {
                // A turn step: one quarter turn in place, one frame, the piece stays current.
                ++expectedTurnSteps;
                QCOMPARE(d.step, k);
                QCOMPARE(d.pieces[k].turns, (before[k].turns + 1) % 4);
                QCOMPARE(place(d.pieces[k]), place(before[k]));
                QCOMPARE(rig.surface.frameCount(), flips + 1);
            } else {
                // A glide step: the upright piece goes to its cell, one frame per 20 pixels and
                // one there.
                QCOMPARE(d.step, k + 1);
                QCOMPARE(place(d.pieces[k]), d.targetPlace(k));
                QCOMPARE(rig.surface.frameCount(), flips + glideFrames);
            }
        }
        QCOMPARE(turnSounds, expectedTurnSteps);
        int turnsAtStart = 0;
        for (int i = 0; i < d.pieceCount; ++i)
            turnsAtStart += (4 - start[i].turns) % 4;
        QCOMPARE(expectedTurnSteps, turnsAtStart);

        // The target grid shows the picture put together, every piece upright in its cell.
        const QImage &f = rig.surface.backBuffer();
        const int pw = d.boardSize / d.cols;
        const int ph = d.boardSize / d.rows;
        const int sw = 360 / d.cols;
        const int sh = 360 / d.rows;
        for (int i = 0; i < d.pieceCount; ++i) {
            const int c = i % d.cols;
            const int r = i / d.cols;
            for (const QPoint &offset : {QPoint(3, 3), QPoint(pw - 4, ph - 4), QPoint(pw - 4, 3)}) {
                const QPoint at(d.boardLeft + c * pw + offset.x(), d.top + r * ph + offset.y());
                const QRgb expected = gradientPicture().pixel(c * sw + offset.x() * sw / pw,
                                                              r * sh + offset.y() * sh / ph);
                QVERIFY2(near(f.pixel(at), expected, 6),
                         qPrintable(QStringLiteral("piece %1 at (%2, %3)").arg(i).arg(at.x()).arg(at.y())));
            }
        }

        // The next step shows a new demonstration at once, its pieces back in the tray.
        const int flips = rig.surface.frameCount();
        QCOMPARE(rig.step(), IdleDemo::StepPauseMs);
        QCOMPARE(rig.surface.frameCount(), flips + 1);
        QCOMPARE(d.step, 0);
        bool anyOffItsSlot = false;
        for (int i = 0; i < d.pieceCount; ++i) {
            QVERIFY(d.pieces[i].x < d.boardLeft);
            anyOffItsSlot = anyOffItsSlot || place(d.pieces[i]) != traySlot(d, i);
        }
        QVERIFY(anyOffItsSlot);
        QCOMPARE(rig.surface.backBuffer().pixel(d.boardLeft + 5, d.top + 5), Navy);
    }

    void builtInPictureStandsIn_data()
    {
        QTest::addColumn<QString>("store");
        QTest::newRow("no stored puzzle") << "empty";
        QTest::newRow("picture missing") << "missing";
        QTest::newRow("picture unreadable") << "garbage";
        QTest::newRow("picture empty") << "empty file";
    }

    void builtInPictureStandsIn()
    {
        QFETCH(QString, store);
        QTemporaryDir dir;
        PuzzleStore puzzles(dir.path());
        // The reference: the built-in picture saved as a stored puzzle.
        const int builtin = TestPuzzles::add(puzzles, TestPuzzles::description("Ianim", 1, 1),
                                             QImage(QString::fromLatin1(BuiltinResources::DemoPicture)));
        const int n = TestPuzzles::add(puzzles, TestPuzzles::description("Abîmé", 2, 2));
        const QString picture = dir.filePath(PuzzleStore::pictureName(n));
        if (store == "missing") {
            QVERIFY(QFile::remove(picture));
        } else if (store != "empty") {
            QFile file(picture);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            if (store == "garbage")
                file.write("BM this is no picture at all");
        }
        const QList<int> numbers = store == "empty" ? QList<int>() : QList<int>{n};

        for (std::uint32_t seed : {5u, 6u, 7u}) {
            Rig expected(m_layout, dir.path(), {builtin}, seed);
            expected.demo.setUpNewDemo();
            Rig rig(m_layout, dir.path(), numbers, seed);
            rig.demo.setUpNewDemo();
            compareSetUps(rig.demo.puzzle(), expected.demo.puzzle());
        }
    }

    void picksARandomStoredPicture()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const QRgb red = qRgb(200, 0, 0);
        const QRgb blue = qRgb(0, 0, 200);
        const int r = TestPuzzles::add(store, TestPuzzles::description("Rouge", 1, 1), flat(red));
        const int b = TestPuzzles::add(store, TestPuzzles::description("Bleu", 1, 1), flat(blue));
        Rig rig(m_layout, dir.path(), {r, b}, 0);
        QSet<QRgb> seen;
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            rig.random.seed(seed);
            rig.demo.setUpNewDemo();
            const DemoPuzzle &d = rig.demo.puzzle();
            const QRgb colour = d.pictures.picture(0).pixel(0, 0);
            QVERIFY(colour == red || colour == blue);
            for (int i = 0; i < d.pieceCount; ++i)
                QCOMPARE(d.pictures.picture(i).pixel(d.pictures.width(i) - 1, d.pictures.height(i) - 1), colour);
            seen << colour;
        }
        QCOMPARE(seen.size(), 2);
    }
};

QTEST_MAIN(TestDemo)
#include "tst_demo.moc"
