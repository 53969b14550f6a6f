// Play on the whole main screen: the win and the time-out with their messages, the clock's
// label and the model button.
#include "MainScreenRig.h"
#include "ModalAnswerer.h"
#include "library/PuzzleChooser.h"
#include "play/BoardModes.h"
#include "play/IdleDemo.h"
#include "play/IdleTimer.h"
#include "play/PlayBoard.h"
#include "TestPuzzles.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

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

    // A new 2 x 2 game, dealt.
    [[nodiscard]] bool start(int modelMode = 1, bool rotation = false, int timeLimit = 0)
    {
        return m_rig->startGame(modelMode, rotation, timeLimit);
    }
    Countdown &countdown() { return m_depart->session().countdown(); }
    Piece &piece(int number) { return m_rig->piece(number); }
    QPoint centreOf(int number) { return m_rig->centreOf(number); }
    QPoint cellCentre(int cell) { return m_rig->cellCentre(cell); }
    void moveTo(QPoint p) { QTest::mouseMove(dx(), p); }
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

    void aSolvedPuzzleApplauds()
    {
        QVERIFY(start(1, true));
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
        QTRY_VERIFY(m_depart->modes().isWinShown());
        // No demonstration over the win dialog.
        for (int i = 0; i < 30; ++i)
            m_depart->idleTimer().tick();
        QVERIFY(!m_depart->demo()->isRunning());
        // The chooser opens after the win dialog and is cancelled.
        QTRY_COMPARE(closer.names, (QStringList{"TFbravo", "TFliste"}));
        QVERIFY(closer.texts.contains(QStringLiteral("Puzzle complété en 4 coups.")));
        QTRY_VERIFY(!m_depart->chooser()->isVisible());
        QVERIFY(!m_depart->modes().isWinShown());
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
        QVERIFY(start(mode));
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
        countdown().start(left);
        countdown().stop();
        auto *label = m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"));
        QCOMPARE(label->text(), text);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }

    void clockRunsOutToPerdu()
    {
        QVERIFY(start(1, false, 2));
        auto *label = m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"));
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), QStringLiteral("00:02"));
        // The test counts the seconds itself.
        countdown().stop();
        countdown().tick();
        QCOMPARE(label->text(), QStringLiteral("00:01"));
        QVERIFY(play()->isGameActive());

        ModalAnswerer closer(answerLikeAChild);
        const int frames = dx()->frameCount();
        countdown().tick();
        QVERIFY(!play()->isGameActive());
        QTRY_COMPARE(closer.names, QStringList{"TFperdu"});
        QVERIFY(closer.texts.contains(QStringLiteral("PERDU")));
        QTRY_VERIFY(label->isHidden());
        QVERIFY(m_rig->settle());
        QCOMPARE(label->text(), QStringLiteral("00:00"));
        QCOMPARE(dx()->frameCount() - frames, 64);
        QVERIFY(!m_depart->findChild<QTimer *>(QStringLiteral("Tjeu"))->isActive());
    }

    void theClockAndQuitterWorkDuringGlides()
    {
        QVERIFY(start(1, false, 600));
        QVERIFY(m_depart->findChild<QTimer *>(QStringLiteral("Tjeu"))->isActive());
        auto *clock = m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"));
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
        QVERIFY(start(1, false, 600));
        QVERIFY(m_depart->findChild<QLabel *>(QStringLiteral("Ltemps"))->isVisible());
        QVERIFY(fillTheBoardWrongly());
        // Every glide frame is watched for a message over it.
        bool messageDuringTheGlide = false;
        connect(dx(), &BoardSurface::framePresented, this,
                [&] { messageDuringTheGlide = messageDuringTheGlide || QApplication::activeModalWidget(); });
        ModalAnswerer closer(answerLikeAChild);
        countdown().start(1);
        countdown().tick();
        QVERIFY(!play()->isGameActive());
        QVERIFY(play()->isAnimating());

        QVERIFY(m_rig->settle());
        QVERIFY(!messageDuringTheGlide);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(piece(k).place(), piece(k).trayPlace());
        QTRY_COMPARE(closer.names, QStringList{"TFperdu"});
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
