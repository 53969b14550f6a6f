#include "MainScreenRig.h"
#include "ModalAnswerer.h"
#include "app/IdleTimer.h"
#include "library/PuzzleChooser.h"
#include "play/IdleDemo.h"
#include "play/PlayBoard.h"
#include "TestPuzzles.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace tivane;

namespace {
// Closes the modal windows as a child would: the win and time-out messages by their button,
// the chooser by ANNULER.
void answerLikeAChild(QWidget *modal)
{
    const QString name = modal->objectName();
    ModalAnswerer::clickButton(modal, name == QLatin1String("TFliste") ? "Annuler"
                                      : name == QLatin1String("TFbravo") ? "SpeedButton1"
                                                                          : "Lp");
}
}

class TestPlay : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<MainScreenRig> m_rig;
    MainScreen *m_depart = nullptr;

    PlayBoard *play() { return m_depart->play(); }
    Game &game() { return m_depart->play()->game(); }
    BoardSurface *dx() { return m_depart->board(); }

    // A new 2 x 2 game, not dealt.
    void start(int modelMode = 1, bool rotation = false, int timeLimit = 0)
    {
        m_rig->startGame(modelMode, rotation, timeLimit);
    }
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

    // Every piece in another's cell: all four glide home, paced as on a 60 Hz display.
    [[nodiscard]] bool fillTheBoardWrongly()
    {
        dx()->setFrameIntervalUs(16667);
        for (int k = 0; k < 4; ++k) {
            if (!take(k))
                return false;
            moveTo(cellCentre((k + 1) % 4));
            QTest::mouseClick(dx(), Qt::LeftButton, {}, cellCentre((k + 1) % 4));
        }
        return play()->animation() == BoardAnimation::Glide;
    }

private slots:
    void init()
    {
        m_rig = std::make_unique<MainScreenRig>(m_dir.path());
        m_depart = &m_rig->screen;
        QVERIFY(m_rig->show());
    }

    void cleanup() { m_rig.reset(); }

    void outermostPixelsDoNotTakeAPiece()
    {
        start();
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
        start();
        QVERIFY(take(2));
        const QPoint grab = centreOf(2) - QPoint(piece(2).x, piece(2).y);
        moveTo({700, 600});
        QCOMPARE(QPoint(piece(2).x, piece(2).y), QPoint(700, 600) - grab);
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
        start();
        const BoardGeometry &g = game().geometry;
        const QPoint at = where == "left edge" ? QPoint(g.boardLeft, g.boardTop + 50)
                        : where == "top edge"  ? QPoint(g.boardLeft + 50, g.boardTop)
                                               : QPoint(g.trayLeft + 3, g.trayTop + 3);
        QVERIFY(take(1));
        QVERIFY(clickAt(at));
        const Piece &p = piece(1);
        QCOMPARE(QPoint(p.x, p.y), QPoint(p.homeX, p.homeY));
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
        start();
        QVERIFY(take(0));
        QVERIFY(dropIn(1));   // wrong cell
        QVERIFY(take(2));
        QVERIFY(dropIn(2));
        QVERIFY(take(3));
        QVERIFY(dropIn(3));
        QVERIFY(play()->isGameActive());

        // The last piece needed, dropped on piece 0: they change places, nothing completes.
        QVERIFY(take(1));
        QVERIFY(dropIn(1));
        QCOMPARE(game().moveCount, 4);
        QVERIFY(play()->isGameActive());
        QCOMPARE(piece(1).cell, 1);
        QCOMPARE(game().heldPiece, 3);
        QCOMPARE(game().pieces[3].number, 0);
        QCOMPARE(piece(0).cell, -1);
        QCOMPARE(dx()->cursor().shape(), Qt::BlankCursor);
    }

    void aTurnedPieceIsSentHome()
    {
        start();
        game().rotationEnabled = true;
        QVERIFY(take(0));
        QTest::mouseClick(dx(), Qt::RightButton, {}, cellCentre(0));
        QCOMPARE(piece(0).turns, 1);
        QVERIFY(dropIn(0));
        for (int k = 1; k < 4; ++k) {
            QVERIFY(take(k));
            QVERIFY(dropIn(k));
        }
        QVERIFY(play()->isGameActive());
        QCOMPARE(piece(0).cell, -1);
        QCOMPARE(QPoint(piece(0).x, piece(0).y), QPoint(piece(0).homeX, piece(0).homeY));
        for (int k = 1; k < 4; ++k)
            QCOMPARE(piece(k).cell, k);
        QCOMPARE(game().moveCount, 4);
    }

    void wrongPiecesGlideHomeInArrayOrder()
    {
        start();
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
        QVERIFY(play()->isGameActive());
        QList<int> wrong{indexOf(0), indexOf(1), indexOf(2)};
        std::sort(wrong.begin(), wrong.end());
        QCOMPARE(gliding, wrong);
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(piece(k).cell, -1);
            QCOMPARE(QPoint(piece(k).x, piece(k).y), QPoint(piece(k).homeX, piece(k).homeY));
        }
        QCOMPARE(piece(3).cell, 3);
        QCOMPARE(game().moveCount, 4);
    }

    void aSolvedPuzzleApplauds()
    {
        start(1, true);
        // Turn the first piece taken four times: turns are not moves.
        for (int k = 0; k < 4; ++k)
            piece(k).turns = 0;
        game().rotationEnabled = true;
        ModalAnswerer closer(answerLikeAChild);
        QVERIFY(take(0));
        for (int t = 0; t < 4; ++t)
            QTest::mouseClick(dx(), Qt::RightButton, {}, cellCentre(0));
        QCOMPARE(piece(0).turns, 0);
        for (int k = 0; k < 4; ++k) {
            if (k > 0)
                QVERIFY(take(k));
            QVERIFY(dropIn(k));
        }
        QVERIFY(!play()->isGameActive());
        QTRY_VERIFY(m_depart->isWinShown());
        // No demonstration over the win dialog.
        for (int i = 0; i < 30; ++i)
            m_depart->idleTimer().tick();
        QVERIFY(!m_depart->demo()->isRunning());
        // The chooser opens after the win dialog and is cancelled.
        QTRY_COMPARE(closer.names, (QStringList{"TFbravo", "TFliste"}));
        QVERIFY(closer.texts.contains(QStringLiteral("Puzzle complété en 4 coups.")));
        QTRY_VERIFY(!m_depart->chooser()->isVisible());
        QVERIFY(!m_depart->isWinShown());
    }

    void modelShowsWhileMIsHeld_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("shows");
        QTest::newRow("model on click") << 1 << true;
        QTest::newRow("model underneath") << 3 << true;
        QTest::newRow("no model") << 0 << false;
    }

    void modelShowsWhileMIsHeld()
    {
        QFETCH(int, mode);
        QFETCH(bool, shows);
        start(mode);
        auto *m = m_depart->findChild<QToolButton *>(QStringLiteral("bsoluce"));
        const QPoint slot(m_depart->layout().modelLeft + 20, m_depart->layout().modelTop + 20);
        const QRgb before = dx()->backBuffer().pixel(slot);
        QTest::mousePress(m, Qt::LeftButton);
        QCOMPARE(dx()->backBuffer().pixel(slot) == TestPuzzles::cellColour(0), shows);
        QCOMPARE(game().modelShown, shows);
        QTest::mouseRelease(m, Qt::LeftButton);
        QCOMPARE(dx()->backBuffer().pixel(slot), before);
        QVERIFY(!game().modelShown);
    }

    void zeroPixelMovesAreNotActivity()
    {
        start();
        moveTo({300, 300});
        for (int i = 0; i < 5; ++i)
            m_depart->idleTimer().tick();
        QMouseEvent same(QEvent::MouseMove, QPointF(300, 300), dx()->mapToGlobal(QPointF(300, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(dx(), &same);
        QCOMPARE(m_depart->idleTimer().ticks(), 5);
        moveTo({301, 300});
        QCOMPARE(m_depart->idleTimer().ticks(), 0);
    }

    void doubleClicksTakeOnceAndTurnTwice()
    {
        start();
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

    void clockText_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("11 s") << 11 << "00:11" << QColor(Qt::black);
        QTest::newRow("10 s") << 10 << "00:10" << QColor(Qt::red);
        QTest::newRow("65 s") << 65 << "01:05" << QColor(Qt::black);
        QTest::newRow("600 s") << 600 << "10:00" << QColor(Qt::black);
        QTest::newRow("6000 s") << 6000 << "100:00" << QColor(Qt::black);
    }

    void clockText()
    {
        QFETCH(int, left);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        m_depart->setTimeLeft(left);
        m_depart->showClock();
        auto *label = m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"));
        QCOMPARE(label->text(), text);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }

    void clockRunsOutToPerdu()
    {
        start(1, false, 2);
        auto *label = m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"));
        label->show();
        m_depart->setTimeLeft(2);
        m_depart->clockTick();
        QCOMPARE(label->text(), QStringLiteral("00:01"));
        QVERIFY(play()->isGameActive());

        ModalAnswerer closer(answerLikeAChild);
        const int frames = dx()->frameCount();
        m_depart->clockTick();
        QVERIFY(!play()->isGameActive());
        QTRY_COMPARE(closer.names, QStringList{"TFperdu"});
        QVERIFY(closer.texts.contains(QStringLiteral("PERDU")));
        QTRY_VERIFY(label->isHidden());
        QVERIFY(m_rig->settle());
        QCOMPARE(label->text(), QStringLiteral("00:00"));
        QCOMPARE(dx()->frameCount() - frames, 64);
        QVERIFY(!m_depart->findChild<QTimer *>(QStringLiteral("Tjeu"))->isActive());
    }

    void clicksWaitForTheDeal()
    {
        start();
        play()->startDeal();
        QCOMPARE(play()->animation(), BoardAnimation::Deal);
        const QPoint at = centreOf(2);
        moveTo(at);
        QTest::mouseClick(dx(), Qt::LeftButton, {}, at);
        QTest::mouseClick(dx(), Qt::RightButton, {}, at);
        QCOMPARE(game().heldPiece, -1);
        QCOMPARE(game().moveCount, 0);
        QVERIFY(m_rig->settle());
        QCOMPARE(play()->dealIndex(), 4);

        // Away from the last press, so that this is no double-click.
        QTest::mouseClick(dx(), Qt::LeftButton, {}, at + QPoint(30, 30));
        QCOMPARE(game().heldPiece, 3);
        QCOMPARE(game().pieces[3].number, 2);
    }

    void theClockAndQuitterWorkDuringGlides()
    {
        start(1, false, 600);
        m_depart->setTimeLeft(600);
        m_depart->findChild<QTimer *>(QStringLiteral("Tjeu"))->start();
        auto *clock = m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"));
        m_depart->showClock();
        QVERIFY(fillTheBoardWrongly());

        // While the pieces glide home the clock goes on, and a click on the board does nothing.
        const QString before = clock->text();
        QTRY_VERIFY_WITH_TIMEOUT(clock->text() != before, 3000);
        QCOMPARE(play()->animation(), BoardAnimation::Glide);
        const int moves = game().moveCount;
        QTest::mouseClick(dx(), Qt::LeftButton, {}, cellCentre(0));
        QCOMPARE(game().moveCount, moves);

        // QUITTER ends the program at once.
        QTest::mouseClick(m_depart->findChild<QToolButton *>(QStringLiteral("bquitter")), Qt::LeftButton);
        QVERIFY(!m_depart->isVisible());
        QVERIFY(m_depart->demo()->pacer().isTerminated());
    }

    void aTimeOutDuringAGlideWaitsForItsEnd()
    {
        start(1, false, 600);
        m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"))->show();
        QVERIFY(fillTheBoardWrongly());
        ModalAnswerer closer(answerLikeAChild);
        m_depart->setTimeLeft(1);
        m_depart->clockTick();
        QVERIFY(!play()->isGameActive());
        QTest::qWait(100);
        QCOMPARE(closer.count(), 0);
        QVERIFY(play()->isAnimating());

        QVERIFY(m_rig->settle());
        for (int k = 0; k < 4; ++k)
            QCOMPARE(QPoint(piece(k).x, piece(k).y), QPoint(piece(k).homeX, piece(k).homeY));
        QTRY_COMPARE(closer.names, QStringList{"TFperdu"});
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
