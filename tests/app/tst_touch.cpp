// Play with fingers on the real main screen: taps, drags, second-finger taps and long presses
// act as the mouse does, and a touch never opens the chooser's teacher menu.
#include "MainScreenRig.h"
#include "TestPuzzles.h"
#include "library/PuzzleChooser.h"
#include "play/PlayBoard.h"
#include "play/TouchReader.h"

#include <QMenu>
#include <QPointingDevice>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tivane;

class TestTouch : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QPointingDevice *m_finger = QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    std::unique_ptr<MainScreenRig> m_rig;
    MainScreen *m_screen = nullptr;

    PlayBoard *play() { return m_screen->play(); }
    Game &game() { return play()->game(); }
    BoardSurface *dx() { return m_screen->board(); }

    // A new 2 x 2 game with its pieces turned upright.
    [[nodiscard]] bool start(bool rotation = true)
    {
        if (!m_rig->startGame(1, rotation))
            return false;
        for (Piece &p : game().inPlay())
            p.turns = 0;
        play()->drawBoard();
        return true;
    }
    Piece &piece(int number) { return m_rig->piece(number); }
    QPoint centreOf(int number) { return m_rig->centreOf(number); }
    QPoint cellCentre(int cell) { return m_rig->cellCentre(cell); }
    int heldNumber() { return game().heldPiece < 0 ? -1 : game().pieces[game().heldPiece].number; }

    // Touches on a widget of a window, given in the widget's coordinates. They are sent to the
    // window itself: the offscreen screen is smaller than the 1024 x 768 main screen, and a
    // touch placed by its screen position beyond it would find no window.
    class Fingers
    {
    public:
        Fingers(QWidget *on, QPointingDevice *device)
            : m_on(on), m_sequence(QTest::touchEvent(on->window()->windowHandle(), device, false))
        {
        }
        Fingers &press(int id, QPoint at) { return step(m_sequence.press(id, place(at))); }
        Fingers &move(int id, QPoint at) { return step(m_sequence.move(id, place(at))); }
        Fingers &release(int id, QPoint at) { return step(m_sequence.release(id, place(at))); }
        // Finger `still` stays where it is while another one acts.
        Fingers &pressBeside(int still, int id, QPoint at) { return step(m_sequence.stationary(still).press(id, place(at))); }
        Fingers &moveBeside(int still, int id, QPoint at) { return step(m_sequence.stationary(still).move(id, place(at))); }
        Fingers &releaseBeside(int still, int id, QPoint at) { return step(m_sequence.stationary(still).release(id, place(at))); }

    private:
        QPoint place(QPoint at) const { return m_on->mapTo(m_on->window(), at); }
        Fingers &step(QTest::QTouchEventSequence &sequence)
        {
            sequence.commit();
            return *this;
        }
        QWidget *m_on;
        QTest::QTouchEventSequence m_sequence;
    };
    Fingers fingers(QWidget *on = nullptr) { return Fingers(on ? on : dx(), m_finger); }

    // One finger down and up at the same place, then whatever glide it started run to its end.
    bool tap(QPoint at, QWidget *on = nullptr)
    {
        fingers(on).press(0, at).release(0, at);
        // Past the double-tap window, so that the next tap is a tap of its own.
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 20);
        return m_rig->settle();
    }

private slots:
    void init()
    {
        m_rig = std::make_unique<MainScreenRig>(m_dir.path());
        m_screen = &m_rig->screen;
        QVERIFY(m_rig->show());
    }

    void cleanup() { m_rig.reset(); }

    void tapTakesAndTapDropsIntoACell()
    {
        QVERIFY(start());
        QVERIFY(tap(centreOf(2)));
        QCOMPARE(heldNumber(), 2);
        QCOMPARE(game().moveCount, 0);

        QVERIFY(tap(cellCentre(2)));
        QCOMPARE(game().heldPiece, -1);
        QCOMPARE(piece(2).cell, 2);
        QCOMPARE(QPoint(piece(2).x, piece(2).y), game().geometry.cellTopLeft(2));
        QCOMPARE(game().moveCount, 1);

        // Off the grid, a tap sends the piece home like a click.
        QVERIFY(tap(centreOf(1)));
        QVERIFY(tap(QPoint(game().geometry.trayLeft + 3, game().geometry.trayTop + 3)));
        QCOMPARE(game().heldPiece, -1);
        QCOMPARE(piece(1).place(), piece(1).trayPlace());
        QCOMPARE(game().moveCount, 2);
    }

    void fingerDragCarriesThePiece()
    {
        QVERIFY(start());
        const QPoint from = centreOf(0);
        QVERIFY(tap(from));
        const QPoint grab = from - QPoint(piece(0).x, piece(0).y);

        Fingers drag = fingers();
        drag.press(0, from);
        for (const QPoint at : {QPoint(500, 300), QPoint(640, 420), QPoint(700, 600)}) {
            drag.move(0, at);
            QCOMPARE(QPoint(piece(0).x, piece(0).y), at - grab);
        }
        drag.release(0, QPoint(700, 600));
        // Drawn on top where the finger left it, still in the hand: only a tap puts it down.
        QCOMPARE(dx()->backBuffer().pixel(700, 600), TestPuzzles::cellColour(0));
        QCOMPARE(heldNumber(), 0);
        QCOMPARE(game().moveCount, 0);

        // With an empty hand a drag only points: it takes nothing.
        QVERIFY(tap(cellCentre(3)));
        fingers().press(0, centreOf(1)).move(0, centreOf(1) + QPoint(60, 0)).release(0, centreOf(1) + QPoint(60, 0));
        QCOMPARE(game().heldPiece, -1);
    }

    void secondFingerTapTurns()
    {
        QVERIFY(start());
        const QPoint at = centreOf(3);
        QVERIFY(tap(at));
        Fingers two = fingers();
        two.press(0, at).pressBeside(0, 1, QPoint(900, 100)).releaseBeside(0, 1, QPoint(900, 100));
        QCOMPARE(piece(3).turns, 1);
        two.pressBeside(0, 1, QPoint(50, 600)).releaseBeside(0, 1, QPoint(50, 600));
        QCOMPARE(piece(3).turns, 2);
        // The first finger's lifting is no tap: the piece stays in the hand.
        two.release(0, at);
        QCOMPARE(heldNumber(), 3);
        QCOMPARE(game().moveCount, 0);

        // A second finger that slides is no tap.
        fingers()
            .press(0, at)
            .pressBeside(0, 1, QPoint(900, 100))
            .moveBeside(0, 1, QPoint(900, 200))
            .releaseBeside(0, 1, QPoint(900, 200))
            .release(0, at);
        QCOMPARE(piece(3).turns, 2);
    }

    void longPressTurns()
    {
        QVERIFY(start());
        const QPoint at = centreOf(1);
        QVERIFY(tap(at));
        Fingers hold = fingers();
        hold.press(0, at);
        // A little tremble is still a long press.
        hold.move(0, at + QPoint(5, -4));
        QCOMPARE(piece(1).turns, 0);
        QTRY_COMPARE_WITH_TIMEOUT(piece(1).turns, 1, 3 * TouchReader::LongPressMs);
        // Once: holding on turns no further, and lifting puts nothing down.
        QVERIFY(!QTest::qWaitFor([&] { return piece(1).turns != 1; }, TouchReader::LongPressMs + 100));
        hold.release(0, at + QPoint(5, -4));
        QCOMPARE(heldNumber(), 1);
        QCOMPARE(game().moveCount, 0);

        // A finger that moves on before the time is up turns nothing.
        Fingers slide = fingers();
        slide.press(0, at).move(0, at + QPoint(40, 0));
        QVERIFY(!QTest::qWaitFor([&] { return piece(1).turns != 1; }, TouchReader::LongPressMs + 200));
        slide.release(0, at + QPoint(40, 0));
        QCOMPARE(piece(1).turns, 1);
    }

    // Where a long press would turn nothing, it is a slow tap.
    void slowTapTakesAPiece_data()
    {
        QTest::addColumn<bool>("rotation");
        QTest::newRow("rotation on, empty hand") << true;
        QTest::newRow("rotation off") << false;
    }

    void slowTapTakesAPiece()
    {
        QFETCH(bool, rotation);
        QVERIFY(start(rotation));
        const QPoint at = centreOf(2);
        Fingers slow = fingers();
        slow.press(0, at);
        QTest::qWait(TouchReader::LongPressMs + 200);
        slow.release(0, at);
        QCOMPARE(heldNumber(), 2);
        QCOMPARE(piece(2).turns, 0);
    }

    void doubleTapTakesOnce()
    {
        QVERIFY(start());
        const QPoint at = centreOf(0);
        fingers().press(0, at).release(0, at).press(0, at).release(0, at);
        QVERIFY(m_rig->settle());
        QCOMPARE(heldNumber(), 0);
        QCOMPARE(game().moveCount, 0);
    }

    // A mouse event a platform makes from a touch never acts a second time.
    void mouseEventsMadeFromTouchesAreIgnored()
    {
        QVERIFY(start());
        const QPoint at = centreOf(1);
        QVERIFY(tap(at));
        QCOMPARE(heldNumber(), 1);
        for (const auto &[source, device] :
             {std::pair{Qt::MouseEventSynthesizedByQt, static_cast<const QPointingDevice *>(m_finger)},
              std::pair{Qt::MouseEventSynthesizedBySystem, QPointingDevice::primaryPointingDevice()},
              std::pair{Qt::MouseEventNotSynthesized, static_cast<const QPointingDevice *>(m_finger)}}) {
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, at, dx()->mapToGlobal(at), at, Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier,
                                  source, device);
                QApplication::sendEvent(dx(), &event);
            }
        }
        QCOMPARE(heldNumber(), 1);
        QCOMPARE(game().moveCount, 0);
        // The real mouse still plays (in the left column: the offscreen screen ends at x = 800).
        QTest::mouseMove(dx(), cellCentre(0));
        QTest::mouseClick(dx(), Qt::LeftButton, {}, cellCentre(0));
        QVERIFY(m_rig->settle());
        QCOMPARE(piece(1).cell, 0);
        QCOMPARE(game().moveCount, 1);
    }

    void tapsWaitForTheDeal()
    {
        QVERIFY(start());
        play()->startDeal();
        QCOMPARE(play()->animation(), BoardAnimation::Deal);
        fingers().press(0, centreOf(2)).release(0, centreOf(2));
        QCOMPARE(game().heldPiece, -1);
        QVERIFY(m_rig->settle());
        QVERIFY(tap(centreOf(2) + QPoint(20, 20)));
        QCOMPARE(heldNumber(), 2);
    }

    void modelShowsWhileAFingerHoldsM()
    {
        QVERIFY(start());
        auto *m = m_screen->findChild<QToolButton *>(QStringLiteral("bsoluce"));
        const QPoint slot(m_screen->layout().modelLeft + 20, m_screen->layout().modelTop + 20);
        const QRgb before = dx()->backBuffer().pixel(slot);
        Fingers onM = fingers(m);
        onM.press(0, QPoint(16, 16));
        QVERIFY(game().modelShown);
        QCOMPARE(dx()->backBuffer().pixel(slot), TestPuzzles::cellColour(0));
        onM.release(0, QPoint(16, 16));
        QVERIFY(!game().modelShown);
        QCOMPARE(dx()->backBuffer().pixel(slot), before);
    }

    void aTouchNeverOpensTheTeacherMenu()
    {
        const int n = TestPuzzles::add(m_rig->store, TestPuzzles::description("Au doigt", 2, 2));
        QTRY_VERIFY(m_screen->chooser()->findChild<QWidget *>(QStringLiteral("VV%1").arg(n)));
        m_screen->playClicked();
        QTRY_VERIFY(m_screen->chooser()->isVisible());
        auto *thumbnail = m_screen->chooser()->findChild<QWidget *>(QStringLiteral("VV%1").arg(n));
        QMenu *menu = m_screen->chooser()->findChild<QMenu *>(QStringLiteral("PP"));

        // Ctrl + right press made from a touch, by Qt or by the system: no menu.
        for (const auto &[source, device] :
             {std::pair{Qt::MouseEventSynthesizedByQt, static_cast<const QPointingDevice *>(m_finger)},
              std::pair{Qt::MouseEventSynthesizedBySystem, QPointingDevice::primaryPointingDevice()},
              std::pair{Qt::MouseEventNotSynthesized, static_cast<const QPointingDevice *>(m_finger)}}) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 50), thumbnail->mapToGlobal(QPointF(50, 50)),
                              QPointF(50, 50), Qt::RightButton, Qt::RightButton, Qt::ControlModifier, source, device);
            QApplication::sendEvent(thumbnail, &press);
            QVERIFY(!menu->isVisible());
        }
        // A tap on the thumbnail chooses the puzzle, as a click does.
        fingers(thumbnail).press(0, QPoint(50, 50)).release(0, QPoint(50, 50));
        QTRY_VERIFY(!m_screen->chooser()->isVisible());
        QVERIFY(!menu->isVisible());
        QCOMPARE(m_screen->selectedPuzzle(), n);
        QVERIFY(play()->isGameActive());
    }
};

QTEST_MAIN(TestTouch)
#include "tst_touch.moc"
