#include "play/BoardGeometry.h"
#include "play/Piece.h"
#include "play/Pieces.h"

#include <QTest>

using namespace tivane;

class TestGeometry : public QObject
{
    Q_OBJECT
private slots:
    void boardAndTrayPlaces()
    {
        const BoardGeometry g = BoardGeometry::forScreen(1024, 419, 4, 4);
        QCOMPARE(g.boardLeft, 522);
        QCOMPARE(g.boardTop, 212);
        QCOMPARE(g.trayLeft, 83);
        QCOMPARE(g.trayTop, 212);
        QCOMPARE(g.cellTopLeft(6), QPoint(522 + 2 * 104, 212 + 104));
    }

    void cellAt_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");

        // 1024 x 768, 4 x 4: board 522..941 wide, 212..631 high, cells of 104, a 3-pixel strip.
        QTest::newRow("left edge line") << 4 << 4 << 522 << 300 << -1 << -1 << -1;
        QTest::newRow("right edge line") << 4 << 4 << 941 << 300 << -1 << -1 << -1;
        QTest::newRow("top edge line") << 4 << 4 << 600 << 212 << -1 << -1 << -1;
        QTest::newRow("bottom edge line") << 4 << 4 << 600 << 631 << -1 << -1 << -1;
        QTest::newRow("first inner pixel") << 4 << 4 << 523 << 213 << 0 << 0 << 0;
        QTest::newRow("last pixel of column 0") << 4 << 4 << 625 << 213 << 0 << 0 << 0;
        QTest::newRow("first pixel of column 1") << 4 << 4 << 626 << 213 << 1 << 1 << 0;
        QTest::newRow("row 2 column 3") << 4 << 4 << 900 << 212 + 210 << 11 << 3 << 2;
        QTest::newRow("right strip is last column") << 4 << 4 << 522 + 417 << 213 << 3 << 3 << 0;
        QTest::newRow("bottom strip is last row") << 4 << 4 << 523 << 212 + 417 << 12 << 0 << 3;
        QTest::newRow("corner strip is last cell") << 4 << 4 << 940 << 630 << 15 << 3 << 3;
        QTest::newRow("6 columns, strip of 3") << 6 << 1 << 522 + 418 << 300 << 5 << 5 << 0;
        QTest::newRow("1 x 1 whole board") << 1 << 1 << 940 << 630 << 0 << 0 << 0;
    }

    void cellAt()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, cell);
        QFETCH(int, col);
        QFETCH(int, row);

        const BoardGeometry g = BoardGeometry::forScreen(1024, 419, cols, rows);
        int dropCol = -1;
        int dropRow = -1;
        QCOMPARE(g.cellAt(x, y, dropCol, dropRow), cell);
        QCOMPARE(dropCol, col);
        QCOMPARE(dropRow, row);
        if (cell >= 0)
            QCOMPARE(cell, row * cols + col);
    }

    void pieceHitIsStrict_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("hit");

        // A 40 x 30 piece at (100, 50).
        QTest::newRow("left edge") << 100 << 60 << false;
        QTest::newRow("first column inside") << 101 << 60 << true;
        QTest::newRow("last column inside") << 139 << 60 << true;
        QTest::newRow("right edge") << 140 << 60 << false;
        QTest::newRow("top edge") << 120 << 50 << false;
        QTest::newRow("first row inside") << 120 << 51 << true;
        QTest::newRow("last row inside") << 120 << 79 << true;
        QTest::newRow("bottom edge") << 120 << 80 << false;
        QTest::newRow("far away") << 10 << 10 << false;
    }

    void pieceHitIsStrict()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, hit);
        Piece piece;
        piece.x = 100;
        piece.y = 50;
        piece.width = 40;
        piece.height = 30;
        QCOMPARE(pieceHit(piece, x, y), hit);
    }

    void cellsOfPieces()
    {
        PieceArray pieces{};
        for (int i = 0; i < 4; ++i)
            pieces[i].cell = -1;
        const std::span<const Piece> four(pieces.data(), 4);
        QCOMPARE(pieceInCell(four, 2), -1);
        QVERIFY(!allPlaced(four));

        pieces[3].cell = 2;
        pieces[1].cell = 0;
        QCOMPARE(pieceInCell(four, 2), 3);
        QCOMPARE(pieceInCell(four, 0), 1);
        pieces[0].cell = 1;
        QVERIFY(!allPlaced(four));
        pieces[2].cell = 3;
        QVERIFY(allPlaced(four));

        // Pieces beyond those in use are not looked at.
        pieces[4].cell = 7;
        QCOMPARE(pieceInCell(four, 7), -1);
    }
};

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
