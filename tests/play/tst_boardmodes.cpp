// Who has the board: what input, the idle count and the windows over the board do to the
// welcome, a game and the demonstration.
#include "PlayRig.h"
#include "TestPuzzles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

namespace {
constexpr QRgb Navy = 0xFF000080u;
}

Q_DECLARE_METATYPE(tivane::BoardMode)
Q_DECLARE_METATYPE(tivane::Overlay)
Q_DECLARE_METATYPE(tivane::UserInput::Kind)

class TestBoardModes : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<PlayRig> m_rig;

    BoardModes &modes() { return m_rig->modes; }
    // The idle count runs out.
    void idleFor30Seconds()
    {
        for (int i = 0; i < m_rig->idle.limit(); ++i)
            m_rig->idle.tick();
    }
    // The board as the test case asks: the welcome or a game, with the demonstration over it
    // or not.
    [[nodiscard]] bool setUp(bool withGame, bool withDemo)
    {
        if (withGame && !m_rig->startGame())
            return false;
        if (!withGame) {
            m_rig->play.startWelcome();
            if (!m_rig->settle())
                return false;
        }
        if (withDemo)
            idleFor30Seconds();
        return modes().mode() == (withDemo ? BoardMode::Demonstration : withGame ? BoardMode::Game : BoardMode::Welcome);
    }
    bool showsTheDemonstration() { return m_rig->surface.backBuffer().pixel(1000, 5) == Navy; }

private slots:
    void init()
    {
        m_rig = std::make_unique<PlayRig>(m_dir.path());
        m_rig->idle.start();
    }

    void cleanup() { m_rig.reset(); }

    void startsWithTheWelcome()
    {
        QCOMPARE(modes().mode(), BoardMode::Welcome);
        QVERIFY(!modes().isWinShown());
    }

    void inputAndTheDemonstration_data()
    {
        QTest::addColumn<bool>("withGame");
        QTest::addColumn<UserInput::Kind>("input");
        QTest::addColumn<BoardMode>("after");
        using Kind = UserInput::Kind;
        QTest::newRow("game, pointer over the board") << true << Kind::BoardPointer << BoardMode::Game;
        QTest::newRow("game, pointer over the top bar") << true << Kind::TopBarPointer << BoardMode::Game;
        QTest::newRow("welcome, pointer over the board") << false << Kind::BoardPointer << BoardMode::Welcome;
        QTest::newRow("welcome, pointer over the top bar") << false << Kind::TopBarPointer << BoardMode::Welcome;
        // A press counts as activity but leaves the demonstration running.
        QTest::newRow("game, a click") << true << Kind::Select << BoardMode::Demonstration;
        QTest::newRow("game, a turn") << true << Kind::Turn << BoardMode::Demonstration;
        QTest::newRow("welcome, a press") << false << Kind::Press << BoardMode::Demonstration;
    }

    // A move gives the board back to what the demonstration covered: the game is drawn again
    // as it was, or the welcome starts over.
    void inputAndTheDemonstration()
    {
        QFETCH(bool, withGame);
        QFETCH(UserInput::Kind, input);
        QFETCH(BoardMode, after);
        QVERIFY(setUp(withGame, true));
        QVERIFY(showsTheDemonstration());
        for (int i = 0; i < 5; ++i)
            m_rig->idle.tick();
        const int frames = m_rig->surface.frameCount();

        modes().userActivity({input, QPoint(700, 600)});
        QCOMPARE(modes().mode(), after);
        QCOMPARE(m_rig->idle.ticks(), 0);
        QVERIFY(m_rig->idle.isActive());
        if (after == BoardMode::Game) {
            QCOMPARE(m_rig->surface.frameCount(), frames + 1);
            QVERIFY(!showsTheDemonstration());
        } else if (after == BoardMode::Welcome) {
            QCOMPARE(m_rig->play.animation(), BoardAnimation::Welcome);
            QVERIFY(m_rig->settle());
            QCOMPARE(m_rig->surface.backBuffer().pixel(10, 10), qRgb(0, 128, 0));
        } else {
            QCOMPARE(m_rig->surface.frameCount(), frames);
        }
    }

    void aMoveWithoutADemonstrationOnlyCounts()
    {
        QVERIFY(setUp(true, false));
        for (int i = 0; i < 5; ++i)
            m_rig->idle.tick();
        const int frames = m_rig->surface.frameCount();
        modes().userActivity({UserInput::Kind::TopBarPointer, {}});
        QCOMPARE(m_rig->idle.ticks(), 0);
        QCOMPARE(m_rig->surface.frameCount(), frames);
        QCOMPARE(modes().mode(), BoardMode::Game);
    }

    void whenTheDemonstrationStarts_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("starts");
        QTest::newRow("the welcome") << "welcome" << true;
        QTest::newRow("a game") << "game" << true;
        QTest::newRow("the instructions") << "instructions" << true;
        QTest::newRow("the time-out message") << "time-out" << true;
        QTest::newRow("the win message") << "win" << false;
        QTest::newRow("the welcome animation") << "animating" << false;
        QTest::newRow("the deal") << "deal" << false;
        QTest::newRow("the chooser") << "chooser" << false;
        QTest::newRow("the about box") << "about" << false;
    }

    void whenTheDemonstrationStarts()
    {
        QFETCH(QString, situation);
        QFETCH(bool, starts);
        QVERIFY(setUp(situation == "game" || situation == "deal" || situation == "win", false));
        if (situation == "instructions")
            modes().opened(Overlay::Instructions);
        else if (situation == "time-out")
            modes().opened(Overlay::TimeOutMessage);
        else if (situation == "win")
            modes().opened(Overlay::WinMessage);
        else if (situation == "animating")
            m_rig->play.startWelcome();
        else if (situation == "deal")
            m_rig->play.startDeal();
        else if (situation == "chooser")
            modes().opened(Overlay::Chooser);
        else if (situation == "about")
            modes().opened(Overlay::AboutBox);

        idleFor30Seconds();
        QCOMPARE(m_rig->demo.isRunning(), starts);
        QCOMPARE(showsTheDemonstration(), starts);
        if (situation == "win") {
            // Once the message is closed, the next thirty seconds start it.
            modes().closed(Overlay::WinMessage);
            idleFor30Seconds();
            QVERIFY(m_rig->demo.isRunning());
        }
    }

    void windowsOverTheDemonstration_data()
    {
        QTest::addColumn<Overlay>("overlay");
        QTest::addColumn<bool>("pauses");
        QTest::newRow("the chooser, cancelled") << Overlay::Chooser << true;
        QTest::newRow("the creation form") << Overlay::CreationForm << true;
        QTest::newRow("the about box") << Overlay::AboutBox << true;
        QTest::newRow("the instructions") << Overlay::Instructions << false;
    }

    // The forms pause the demonstration and the idle count and let them go on where they
    // were; the instructions leave both running.
    void windowsOverTheDemonstration()
    {
        QFETCH(Overlay, overlay);
        QFETCH(bool, pauses);
        QVERIFY(setUp(false, true));
        const int cols = m_rig->demo.puzzle().cols;

        modes().opened(overlay);
        QCOMPARE(modes().mode(), pauses ? BoardMode::Form : BoardMode::Demonstration);
        QCOMPARE(m_rig->demo.isRunning(), !pauses);
        QCOMPARE(m_rig->idle.isActive(), !pauses);

        modes().closed(overlay);
        QCOMPARE(modes().mode(), BoardMode::Demonstration);
        QVERIFY(m_rig->idle.isActive());
        QCOMPARE(m_rig->demo.puzzle().cols, cols);
        // It goes on drawing, over no welcome animation.
        QVERIFY(!m_rig->play.isAnimating());
        const int frames = m_rig->surface.frameCount();
        QTRY_VERIFY_WITH_TIMEOUT(m_rig->surface.frameCount() > frames, 5000);
        QVERIFY(showsTheDemonstration());
    }

    void formsFinishTheWelcomeAnimation_data()
    {
        QTest::addColumn<Overlay>("overlay");
        QTest::newRow("the chooser") << Overlay::Chooser;
        QTest::newRow("the creation form") << Overlay::CreationForm;
        QTest::newRow("the about box") << Overlay::AboutBox;
        QTest::newRow("the instructions") << Overlay::Instructions;
    }

    void formsFinishTheWelcomeAnimation()
    {
        QFETCH(Overlay, overlay);
        m_rig->surface.setFrameIntervalUs(16667);
        m_rig->play.startWelcome();
        const int frames = m_rig->surface.frameCount();
        modes().opened(overlay);
        QVERIFY(!m_rig->play.isAnimating());
        // Its last frame, at once.
        QCOMPARE(m_rig->surface.frameCount(), frames + 1);
    }

    void closingTheChooser_data()
    {
        QTest::addColumn<bool>("withGame");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<BoardMode>("after");
        QTest::addColumn<bool>("welcomeAgain");
        QTest::newRow("cancelled over the welcome") << false << false << BoardMode::Welcome << true;
        QTest::newRow("cancelled over a game") << true << false << BoardMode::Game << false;
        // The chosen game replaces what was on the board.
        QTest::newRow("a puzzle chosen over the welcome") << false << true << BoardMode::Welcome << false;
        QTest::newRow("a puzzle chosen over a game") << true << true << BoardMode::Game << false;
    }

    void closingTheChooser()
    {
        QFETCH(bool, withGame);
        QFETCH(bool, chosen);
        QFETCH(BoardMode, after);
        QFETCH(bool, welcomeAgain);
        QVERIFY(setUp(withGame, false));
        const int frames = m_rig->surface.frameCount();
        modes().opened(Overlay::Chooser);
        QCOMPARE(modes().mode(), BoardMode::Form);
        QVERIFY(!m_rig->idle.isActive());
        if (chosen)
            modes().puzzleChosen();
        else
            modes().closed(Overlay::Chooser);
        QCOMPARE(modes().mode(), after);
        QVERIFY(m_rig->idle.isActive());
        QCOMPARE(m_rig->play.animation() == BoardAnimation::Welcome, welcomeAgain);
        if (!welcomeAgain)
            QCOMPARE(m_rig->surface.frameCount(), frames);
    }

    // Choosing a puzzle while the demonstration runs keeps it paused: the game replaces it.
    void aChosenPuzzleEndsTheDemonstration()
    {
        QVERIFY(setUp(false, true));
        modes().opened(Overlay::Chooser);
        modes().puzzleChosen();
        QVERIFY(!m_rig->demo.isRunning());
        QVERIFY(m_rig->startGame());
        QCOMPARE(modes().mode(), BoardMode::Game);
        const int frames = m_rig->surface.frameCount();
        QVERIFY(!QTest::qWaitFor([&] { return m_rig->surface.frameCount() != frames; }, 3 * IdleDemo::StepPauseMs));
    }

    void closingTheTimeOutMessage_data()
    {
        QTest::addColumn<bool>("demoBehind");
        QTest::newRow("nothing behind") << false;
        QTest::newRow("the demonstration behind") << true;
    }

    // The welcome returns, unless a demonstration started behind the message.
    void closingTheTimeOutMessage()
    {
        QFETCH(bool, demoBehind);
        QVERIFY(setUp(true, false));
        m_rig->play.endGame();
        modes().opened(Overlay::TimeOutMessage);
        if (demoBehind)
            idleFor30Seconds();
        modes().closed(Overlay::TimeOutMessage);
        QCOMPARE(m_rig->play.animation() == BoardAnimation::Welcome, !demoBehind);
        QCOMPARE(modes().mode(), demoBehind ? BoardMode::Demonstration : BoardMode::Welcome);
    }
};

QTEST_MAIN(TestBoardModes)
#include "tst_boardmodes.moc"
