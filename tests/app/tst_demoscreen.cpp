#include "play/IdleDemo.h"
#include "MainScreenRig.h"
#include "ModalAnswerer.h"
#include "play/IdleTimer.h"
#include "app/SoundBank.h"
#include "library/PuzzleChooser.h"
#include "play/GameSession.h"
#include "play/PlayBoard.h"
#include "TestPuzzles.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tivane;

namespace {
constexpr QRgb Navy = 0xFF000080u;

struct GameSnapshot
{
    PieceArray pieces;
    QList<QImage> pictures;
    int moveCount;
    bool modelAllowed;
    QImage board;
};
}

class TestDemoScreen : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_puzzle = -1;
    std::unique_ptr<MainScreenRig> m_rig;
    MainScreen *m_depart = nullptr;

    BoardSurface *dx() { return m_depart->board(); }
    Game &game() { return m_depart->play()->game(); }
    DemoPuzzle &demo() { return m_depart->demo()->puzzle(); }

    // Thirty idle seconds; true once the demonstration runs and its first frame is drawn.
    [[nodiscard]] bool startDemo()
    {
        for (int i = 0; i < m_depart->idleTimer().limit(); ++i)
            m_depart->idleTimer().tick();
        return m_depart->demo()->isRunning() && dx()->backBuffer().pixel(1000, 5) == Navy;
    }

    // A game of the stored puzzle, chosen with JOUER: dealt, its clock running.
    [[nodiscard]] bool playThePuzzle()
    {
        ModalAnswerer answerer([this](QWidget *chooser) {
            QTest::mouseClick(chooser->findChild<QWidget *>(QStringLiteral("VV%1").arg(m_puzzle)),
                              Qt::LeftButton, {}, QPoint(50, 50));
        });
        m_depart->playClicked();
        return QTest::qWaitFor([this] { return m_depart->isGameActive(); }) && m_rig->settle();
    }

    GameSnapshot snapshot()
    {
        GameSnapshot s{game().pieces, {}, game().moveCount, game().modelAllowed, {}};
        for (int k = 0; k < game().pictures.count(); ++k)
            s.pictures << game().pictures.picture(k);
        m_depart->play()->drawBoard();
        s.board = dx()->backBuffer().copy();
        return s;
    }

    // Runs steps of the demonstration until a turn step has run; returns the delay it asked
    // for before the next step, -1 if none came.
    int runOneTurnStep()
    {
        for (int step = 0; step < 2000; ++step) {
            const DemoPuzzle &d = demo();
            const bool turning = d.step < d.pieceCount && d.pieces[d.step].turns != 0
                                 && !d.pieces[d.step].moving;
            const int delay = m_depart->demo()->step();
            if (turning)
                return delay;
        }
        return -1;
    }

    // The sound output's clip players, once the first sound has loaded it.
    QObjectList soundPlayers()
    {
        const QObjectList outputs = m_depart->sounds().children();
        return outputs.isEmpty() ? QObjectList() : outputs.first()->children();
    }

private slots:
    void initTestCase()
    {
        PuzzleStore store(m_dir.path());
        // No model, turned pieces and a clock: what a demonstration must not disturb.
        m_puzzle = TestPuzzles::add(store, TestPuzzles::description("Sans modèle", 2, 3, 0, true, 600));
    }

    void init()
    {
        m_rig = std::make_unique<MainScreenRig>(m_dir.path());
        m_depart = &m_rig->screen;
        m_depart->soundClicked();
        QVERIFY(!m_depart->isSoundOn());
        QVERIFY(m_rig->show());
    }

    void cleanup() { m_rig.reset(); }

    void mouseMoveStopsTheDemonstration_data()
    {
        QTest::addColumn<bool>("withGame");
        QTest::addColumn<bool>("overBoard");
        QTest::newRow("game, pointer over the board") << true << true;
        QTest::newRow("game, pointer over the top bar") << true << false;
        QTest::newRow("welcome, pointer over the board") << false << true;
        QTest::newRow("welcome, pointer over the top bar") << false << false;
    }

    void mouseMoveStopsTheDemonstration()
    {
        QFETCH(bool, withGame);
        QFETCH(bool, overBoard);
        GameSnapshot before{};
        auto *tjeu = m_depart->findChild<QTimer *>(QStringLiteral("Tjeu"));
        auto *title = m_depart->findChild<QLabel *>(QStringLiteral("Ltitre"));
        if (withGame) {
            QVERIFY(playThePuzzle());
            game().moveCount = 4;
            before = snapshot();
        }
        const int timeLeft = m_depart->session().countdown().secondsLeft();

        QVERIFY(startDemo());
        // Let it run by itself until a few pieces are home.
        QTRY_VERIFY_WITH_TIMEOUT(demo().step >= 3, 20000);

        if (withGame) {
            QCOMPARE(game().pieces, before.pieces);
            for (int k = 0; k < game().pictures.count(); ++k)
                QCOMPARE(game().pictures.picture(k), before.pictures.at(k));
            QCOMPARE(game().moveCount, before.moveCount);
            QVERIFY(!game().modelAllowed);
            QVERIFY(m_depart->isGameActive());
            // The clock goes on counting underneath.
            QVERIFY(tjeu->isActive());
            const int left = m_depart->session().countdown().secondsLeft();
            QVERIFY(left <= timeLeft && left > 0);
            QCOMPARE(title->text(), QStringLiteral("Sans modèle"));
        }

        const int flips = dx()->frameCount();
        if (overBoard)
            QTest::mouseMove(dx(), QPoint(700, 600));
        else
            QTest::mouseMove(m_depart, QPoint(760, 16));
        QVERIFY(!m_depart->demo()->isRunning());
        QCOMPARE(m_depart->idleTimer().ticks(), 0);
        if (withGame) {
            QCOMPARE(dx()->backBuffer(), before.board);
            QCOMPARE(dx()->frameCount(), flips + 1);
        } else {
            // The welcome animation's last frame.
            QVERIFY(m_rig->settle());
            QCOMPARE(dx()->frameCount(), flips + 64);
            QCOMPARE(dx()->backBuffer().pixel(10, 10), qRgb(0, 128, 0));
            QCOMPARE(dx()->backBuffer().pixel(412, 288), qRgb(255, 255, 255));
        }

        // Stopped: no further step draws.
        const int after = dx()->frameCount();
        QVERIFY(!QTest::qWaitFor([&] { return dx()->frameCount() != after; }, 3 * IdleDemo::StepPauseMs));
    }

    void turnStepsWaitForTheSoundOnlyWhenItIsOn()
    {
        m_depart->random().seed(4);
        QVERIFY(startDemo());
        m_depart->demo()->suspend();
        QVERIFY(soundPlayers().isEmpty());
        // Sound off: no sound played, nothing waited for.
        QCOMPARE(runOneTurnStep(), IdleDemo::StepPauseMs);
        QVERIFY(soundPlayers().isEmpty());

        // Sound on: the next step comes once the clip has played, without waiting here.
        m_depart->soundClicked();
        const int clip = m_depart->sounds().durationMs(Sound::Turn);
        QVERIFY(clip > 50 && clip < 100);
        QCOMPARE(runOneTurnStep(), IdleDemo::StepPauseMs + clip);
        const QObjectList players = soundPlayers();
        QCOMPARE(players.size(), 1);
        QCOMPARE(players.first()->objectName(), QStringLiteral("gira.wav"));
    }

    void dialogsPauseTheDemonstration_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("paused");
        QTest::newRow("chooser, cancelled") << "Bjouer" << true;
        QTest::newRow("about box") << "baide" << true;
        QTest::newRow("instructions") << "Bins" << false;
    }

    void dialogsPauseTheDemonstration()
    {
        QFETCH(QString, button);
        QFETCH(bool, paused);
        QVERIFY(startDemo());
        QTRY_VERIFY_WITH_TIMEOUT(demo().step >= 1, 20000);
        const int cols = demo().cols;
        const int step = demo().step;

        bool demoPausedMeanwhile = false;
        bool idleCountPausedMeanwhile = false;
        ModalAnswerer answerer([&](QWidget *dialog) {
            demoPausedMeanwhile = !m_depart->demo()->isRunning();
            idleCountPausedMeanwhile = !m_depart->findChild<QTimer *>(QStringLiteral("personne"))->isActive();
            if (dialog->objectName() == QLatin1String("TFliste"))
                ModalAnswerer::clickButton(dialog, "Annuler");
            else if (dialog->objectName() == QLatin1String("TFap"))
                ModalAnswerer::clickButton(dialog, "SpeedButton1");
            else
                ModalAnswerer::clickButton(dialog, "Lp");
        });
        if (button == "Bjouer")
            m_depart->playClicked();
        else if (button == "baide")
            m_depart->aboutClicked();
        else
            m_depart->instructionsClicked();
        QTRY_COMPARE(answerer.count(), 1);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(demoPausedMeanwhile, paused);
        QCOMPARE(idleCountPausedMeanwhile, paused);
        QVERIFY(m_depart->findChild<QTimer *>(QStringLiteral("personne"))->isActive());

        // It goes on with the same puzzle, from where it was.
        QVERIFY(m_depart->demo()->isRunning());
        if (paused) {
            QCOMPARE(demo().cols, cols);
            QVERIFY(demo().step >= step);
        }
        const int now = dx()->frameCount();
        QTRY_VERIFY_WITH_TIMEOUT(dx()->frameCount() > now, 20000);
        QCOMPARE(dx()->backBuffer().pixel(1000, 5), Navy);
    }

    void choosingAPuzzleEndsTheDemonstration()
    {
        QVERIFY(startDemo());
        // JOUER without a pointer move over it, as after the win dialog.
        QVERIFY(playThePuzzle());
        QVERIFY(!m_depart->demo()->isRunning());
        const int flips = dx()->frameCount();
        QVERIFY(!QTest::qWaitFor([&] { return dx()->frameCount() != flips; }, 3 * IdleDemo::StepPauseMs));
        QVERIFY(dx()->backBuffer().pixel(1000, 5) != Navy);
    }
};

QTEST_MAIN(TestDemoScreen)
#include "tst_demoscreen.moc"
