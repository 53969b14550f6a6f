// The play rules on a board surface, without the main screen: taking, carrying, turning and
// putting down pieces with the mouse, and what the board does meanwhile.
#include "PlayRig.h"
#include "TestPuzzles.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace tivane;

class TestPlayBoard : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<PlayRig> m_rig;

    PlayBoard &play() { return m_rig->play; }
    Game &game() { return m_rig->game(); }
    BoardSurface *dx() { return &m_rig->surface; }

    // A new 2 x 2 game, dealt.
    [[nodiscard]] bool start(int modelMode = 1, bool rotation = false) { return m_rig->startGame(modelMode, rotation); }
    int indexOf(int number) { return m_rig->indexOf(number); }
    Piece &piece(int number) { return m_rig->piece(number); }
    QPoint centreOf(int number) { return m_rig->centreOf(number); }
    QPoint cellCentre(int cell) { return m_rig->cellCentre(cell); }
    void moveTo(QPoint p) { QTest::mouseMove(dx(), p); }
    // What the window system sends for a double-click: press, release, double-click, release.
    void doubleClickAt(Qt::MouseButton button, QPoint p)
    {
        QTest::mousePress(dx(), button, {}, p);
        QTest::mouseRelease(dx(), button, {}, p);
        QTest::mouseDClick(dx(), button, {}, p);
        QTest::mouseRelease(dx(), button, {}, p);
    }
    // A click, and whatever glide it starts run to its end; false if it never ends.
    [[nodiscard]] bool clickAt(QPoint p)
    {
        moveTo(p);
        QTest::mouseClick(dx(), Qt::LeftButton, {}, p);
        return m_rig->settle();
    }
    [[nodiscard]] bool take(int number) { return clickAt(centreOf(number)); }
    [[nodiscard]] bool dropIn(int cell) { return clickAt(cellCentre(cell)); }

private slots:
    void init()
    {
        m_rig = std::make_unique<PlayRig>(m_dir.path());
        QVERIFY(m_rig->show());
    }

    void cleanup() { m_rig.reset(); }

    void outermostPixelsDoNotTakeAPiece()
    {
        QVERIFY(start());
        const Piece p = piece(0);
        QVERIFY(clickAt({p.x, p.y + 50}));
        QCOMPARE(game().heldPiece, -1);
        QVERIFY(clickAt({p.x + 50, p.y + p.height}));
        QCOMPARE(game().heldPiece, -1);
        QCOMPARE(dx()->cursor().shape(), Qt::ArrowCursor);

        moveTo({p.x + 1, p.y + 50});
        QCOMPARE(dx()->cursor().shape(), Qt::PointingHandCursor);
        const int formerTop = game().pieces[3].number;
        const int takenFrom = indexOf(0);
        QVERIFY(clickAt({p.x + 1, p.y + 50}));
        QCOMPARE(game().heldPiece, 3);
        QCOMPARE(game().pieces[3].number, 0);
        if (takenFrom != 3)
            QCOMPARE(game().pieces[takenFrom].number, formerTop);
        QCOMPARE(dx()->cursor().shape(), Qt::BlankCursor);
        QCOMPARE(game().moveCount, 0);
    }

    void heldPieceFollowsThePointer()
    {
        QVERIFY(start());
        QVERIFY(take(2));
        const QPoint grab = centreOf(2) - piece(2).place();
        moveTo({700, 600});
        QCOMPARE(piece(2).place(), QPoint(700, 600) - grab);
        // Drawn on top, at its new place.
        QCOMPARE(dx()->backBuffer().pixel(700, 600), TestPuzzles::cellColour(2));
    }

    void dropOffTheGridGlidesHome_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("board's left edge line") << "left edge";
        QTest::newRow("board's top edge line") << "top edge";
        QTest::newRow("in the tray") << "tray";
    }

    void dropOffTheGridGlidesHome()
    {
        QFETCH(QString, where);
        QVERIFY(start());
        const BoardGeometry &g = game().geometry;
        const QPoint at = where == "left edge" ? QPoint(g.boardLeft, g.boardTop + 50)
                        : where == "top edge"  ? QPoint(g.boardLeft + 50, g.boardTop)
                                               : QPoint(g.trayLeft + 3, g.trayTop + 3);
        QVERIFY(take(1));
        QVERIFY(clickAt(at));
        const Piece &p = piece(1);
        QCOMPARE(p.place(), p.trayPlace());
        QCOMPARE(p.cell, -1);
        QCOMPARE(game().heldPiece, -1);
        QCOMPARE(game().moveCount, 1);
        // The pointer stays hidden until the next move.
        QCOMPARE(dx()->cursor().shape(), Qt::BlankCursor);
        moveTo(at + QPoint(1, 1));
        QVERIFY(dx()->cursor().shape() != Qt::BlankCursor);
    }

    void dropOnAnOccupiedCellSwaps()
    {
        QVERIFY(start());
        QVERIFY(take(0));
        QVERIFY(dropIn(1));   // wrong cell
        QVERIFY(take(2));
        QVERIFY(dropIn(2));
        QVERIFY(take(3));
        QVERIFY(dropIn(3));
        QVERIFY(play().isGameActive());

        // The last piece needed, dropped on piece 0: they change places, nothing completes.
        QVERIFY(take(1));
        QVERIFY(dropIn(1));
        QCOMPARE(game().moveCount, 4);
        QVERIFY(play().isGameActive());
        QCOMPARE(piece(1).cell, 1);
        QCOMPARE(game().heldPiece, 3);
        QCOMPARE(game().pieces[3].number, 0);
        QCOMPARE(piece(0).cell, -1);
        QCOMPARE(dx()->cursor().shape(), Qt::BlankCursor);
    }

    void aTurnedPieceIsSentHome()
    {
        QVERIFY(start());
        game().rotationEnabled = true;
        QVERIFY(take(0));
        QTest::mouseClick(dx(), Qt::RightButton, {}, cellCentre(0));
        QCOMPARE(piece(0).turns, 1);
        QVERIFY(dropIn(0));
        for (int k = 1; k < 4; ++k) {
            QVERIFY(take(k));
            QVERIFY(dropIn(k));
        }
        QVERIFY(play().isGameActive());
        QCOMPARE(piece(0).cell, -1);
        QCOMPARE(piece(0).place(), piece(0).trayPlace());
        for (int k = 1; k < 4; ++k)
            QCOMPARE(piece(k).cell, k);
        QCOMPARE(game().moveCount, 4);
    }

    void wrongPiecesGlideHomeInArrayOrder()
    {
        QVERIFY(start());
        // Watch which piece glides at each frame the board presents.
        QList<int> gliding;
        connect(dx(), &BoardSurface::framePresented, this, [&] {
            for (int i = 0; i < game().pieceCount; ++i)
                if (game().pieces[i].moving && (gliding.isEmpty() || gliding.last() != i))
                    gliding << i;
        });

        // Pieces 0, 1 and 2 in one another's cells, piece 3 right.
        const int cellFor[4] = {1, 2, 0, 3};
        for (int k = 0; k < 4; ++k) {
            QVERIFY(take(k));
            QVERIFY(dropIn(cellFor[k]));
        }
        QVERIFY(play().isGameActive());
        QList<int> wrong{indexOf(0), indexOf(1), indexOf(2)};
        std::sort(wrong.begin(), wrong.end());
        QCOMPARE(gliding, wrong);
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(piece(k).cell, -1);
            QCOMPARE(piece(k).place(), piece(k).trayPlace());
        }
        QCOMPARE(piece(3).cell, 3);
        QCOMPARE(game().moveCount, 4);
    }

    void zeroPixelMovesAreNotActivity()
    {
        QVERIFY(start());
        moveTo({300, 300});
        for (int i = 0; i < 5; ++i)
            m_rig->idle.tick();
        QMouseEvent same(QEvent::MouseMove, QPointF(300, 300), dx()->mapToGlobal(QPointF(300, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(dx(), &same);
        QCOMPARE(m_rig->idle.ticks(), 5);
        moveTo({301, 300});
        QCOMPARE(m_rig->idle.ticks(), 0);
    }

    void doubleClicksTakeOnceAndTurnTwice()
    {
        QVERIFY(start());
        game().rotationEnabled = true;
        const QPoint at = centreOf(1);
        moveTo(at);
        doubleClickAt(Qt::LeftButton, at);
        QCOMPARE(game().heldPiece, 3);
        QCOMPARE(game().pieces[3].number, 1);
        QCOMPARE(game().moveCount, 0);
        doubleClickAt(Qt::RightButton, at);
        QCOMPARE(piece(1).turns, 2);
    }

    void actionsWaitForTheBoardToBeStill_data()
    {
        QTest::addColumn<bool>("newGame");
        QTest::newRow("the glide ends") << false;
        QTest::newRow("a new game comes first") << true;
    }

    void actionsWaitForTheBoardToBeStill()
    {
        QFETCH(bool, newGame);
        QVERIFY(start());
        int runs = 0;
        play().whenStill([&] { ++runs; });
        QCOMPARE(runs, 1);

        // A long glide from below the board, paced as on a 60 Hz display. (Off the centre, where
        // the test before may have clicked: this is no double-click.)
        dx()->setFrameIntervalUs(16667);
        QVERIFY(clickAt(centreOf(3) + QPoint(9, 7)));
        QVERIFY(game().heldPiece >= 0);
        const QPoint below(700, game().geometry.boardTop + game().geometry.boardSize + 12);
        moveTo(below);
        QTest::mouseClick(dx(), Qt::LeftButton, {}, below);
        QCOMPARE(play().animation(), BoardAnimation::Glide);
        play().whenStill([&] { ++runs; });
        QCOMPARE(runs, 1);
        if (newGame)
            QVERIFY(start());
        QVERIFY(m_rig->settle());
        QCOMPARE(runs, newGame ? 1 : 2);
    }

    void clicksWaitForTheDeal()
    {
        QVERIFY(start());
        play().startDeal();
        QCOMPARE(play().animation(), BoardAnimation::Deal);
        const QPoint at = centreOf(2);
        moveTo(at);
        QTest::mouseClick(dx(), Qt::LeftButton, {}, at);
        QTest::mouseClick(dx(), Qt::RightButton, {}, at);
        QCOMPARE(game().heldPiece, -1);
        QCOMPARE(game().moveCount, 0);
        QVERIFY(m_rig->settle());
        QCOMPARE(play().dealIndex(), 4);

        // Away from the last press, so that this is no double-click.
        QTest::mouseClick(dx(), Qt::LeftButton, {}, at + QPoint(30, 30));
        QCOMPARE(game().heldPiece, 3);
        QCOMPARE(game().pieces[3].number, 2);
    }
};

QTEST_MAIN(TestPlayBoard)
#include "tst_playboard.moc"
