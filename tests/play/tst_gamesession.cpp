// How a game ends, as its owner reports it: played through the board's input, timed by a clock
// the test moves itself.
#include "PlayRig.h"
#include "TestPuzzles.h"
#include "core/Error.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

class TestGameSession : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<PlayRig> m_rig;
    std::unique_ptr<QSignalSpy> m_ended;
    qint64 m_nowMs = 0;

    GameSession &session() { return m_rig->session; }

    int addPuzzle(const QString &name, int cols, int rows, bool rotation = false, int timeLimit = 0)
    {
        return TestPuzzles::add(m_rig->store, TestPuzzles::description(name, cols, rows, 1, rotation, timeLimit));
    }
    [[nodiscard]] bool play(int n)
    {
        session().start(m_rig->store, n, m_rig->random);
        return m_rig->settle();
    }
    void input(UserInput::Kind kind, QPoint at = {}) { m_rig->modes.userActivity({kind, at}); }
    // Takes the piece and puts it down at `to`, through the board's input.
    [[nodiscard]] bool move(int number, QPoint to)
    {
        input(UserInput::Kind::BoardPointer, m_rig->centreOf(number));
        input(UserInput::Kind::Select);
        input(UserInput::Kind::BoardPointer, to);
        input(UserInput::Kind::Select);
        return m_rig->settle();
    }
    GameResult lastResult() { return m_ended->last().at(0).value<GameResult>(); }

private slots:
    void initTestCase() { qRegisterMetaType<GameResult>(); }

    void init()
    {
        m_rig = std::make_unique<PlayRig>(m_dir.path());
        m_nowMs = 0;
        session().setClock([this] { return m_nowMs; });
        m_ended = std::make_unique<QSignalSpy>(&session(), &GameSession::ended);
    }

    void cleanup()
    {
        m_ended.reset();
        m_rig.reset();
    }

    void aWinIsReportedWhole()
    {
        const int n = addPuzzle(QStringLiteral("Le chat"), 2, 2);
        QVERIFY(play(n));
        QVERIFY(session().isInProgress());
        m_nowMs += 42'400;
        const QDateTime before = QDateTime::currentDateTime();
        // First into the wrong cell, then into its own (taken from where the pointer left it).
        QVERIFY(move(0, m_rig->cellCentre(1) + QPoint(10, 10)));
        QVERIFY(move(0, m_rig->cellCentre(0)));
        for (int k = 1; k < 4; ++k)
            QVERIFY(move(k, m_rig->cellCentre(k)));
        const QDateTime after = QDateTime::currentDateTime();

        QCOMPARE(m_ended->count(), 1);
        const GameResult r = lastResult();
        QCOMPARE(r.outcome, GameOutcome::Completed);
        QCOMPARE(r.puzzle, n);
        QCOMPARE(r.puzzleName, QStringLiteral("Le chat"));
        QCOMPARE(r.columns, 2);
        QCOMPARE(r.rows, 2);
        QCOMPARE(r.rotation, false);
        QCOMPARE(r.timeLimit, 0);
        QCOMPARE(r.moves, 5);
        QCOMPARE(r.secondsPlayed, 42);
        QVERIFY(r.endedAt >= before && r.endedAt <= after);
        QCOMPARE(r.endedAt.timeSpec(), Qt::LocalTime);
        QVERIFY(!session().isInProgress());
        // An ended game is not abandoned afterwards.
        session().abandon();
        QCOMPARE(m_ended->count(), 1);
    }

    void aTimeOutIsReportedAndEndsTheGame()
    {
        const int n = addPuzzle(QStringLiteral("Le chien"), 3, 2, true, 3);
        QVERIFY(play(n));
        Countdown &countdown = session().countdown();
        QVERIFY(countdown.isActive());
        QCOMPARE(countdown.secondsLeft(), 3);
        countdown.stop();
        QVERIFY(move(2, QPoint(m_rig->game().geometry.trayLeft + 3, m_rig->game().geometry.trayTop + 3)));
        for (int k = 0; k < 2; ++k) {
            m_nowMs += 1000;
            countdown.tick();
        }
        QCOMPARE(m_ended->count(), 0);
        m_nowMs += 1000;
        countdown.tick();

        QCOMPARE(m_ended->count(), 1);
        const GameResult r = lastResult();
        QCOMPARE(r.outcome, GameOutcome::TimedOut);
        QCOMPARE(r.puzzle, n);
        QCOMPARE(r.puzzleName, QStringLiteral("Le chien"));
        QCOMPARE(r.columns, 3);
        QCOMPARE(r.rows, 2);
        QCOMPARE(r.rotation, true);
        QCOMPARE(r.timeLimit, 3);
        QCOMPARE(r.moves, 1);
        QCOMPARE(r.secondsPlayed, 3);
        QVERIFY(!m_rig->play.isGameActive());
        QCOMPARE(m_rig->surface.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!session().isInProgress());
    }

    void whatEndsAGameInProgress_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("abandoned");
        QTest::newRow("another puzzle") << "another puzzle" << true;
        QTest::newRow("the program closing") << "closing" << true;
        QTest::newRow("a puzzle that cannot be loaded") << "unreadable puzzle" << false;
    }

    void whatEndsAGameInProgress()
    {
        QFETCH(QString, then);
        QFETCH(bool, abandoned);
        const int first = addPuzzle(QStringLiteral("Premier"), 2, 3);
        const int second = addPuzzle(QStringLiteral("Second"), 3, 3, false, 60);
        QVERIFY(play(first));
        QVERIFY(move(1, m_rig->cellCentre(4)));
        m_nowMs += 7'000;

        if (then == "another puzzle") {
            session().start(m_rig->store, second, m_rig->random);
        } else if (then == "closing") {
            session().abandon();
        } else {
            QVERIFY_THROWS_EXCEPTION(Error, session().start(m_rig->store, 99, m_rig->random));
        }

        QCOMPARE(m_ended->count(), abandoned ? 1 : 0);
        if (!abandoned) {
            // The game goes on as it was.
            QVERIFY(session().isInProgress());
            QCOMPARE(m_rig->game().puzzleName, QStringLiteral("Premier"));
            QCOMPARE(m_rig->game().moveCount, 1);
            return;
        }
        const GameResult r = lastResult();
        QCOMPARE(r.outcome, GameOutcome::Abandoned);
        QCOMPARE(r.puzzle, first);
        QCOMPARE(r.puzzleName, QStringLiteral("Premier"));
        QCOMPARE(r.columns, 2);
        QCOMPARE(r.rows, 3);
        QCOMPARE(r.moves, 1);
        QCOMPARE(r.secondsPlayed, 7);
        if (then == "another puzzle") {
            // The next game is under way, its clock stopped until it is dealt.
            QCOMPARE(m_rig->game().puzzleName, QStringLiteral("Second"));
            QVERIFY(!session().countdown().isShown());
            QVERIFY(m_rig->settle());
            QVERIFY(session().isInProgress());
            QCOMPARE(session().countdown().secondsLeft(), 60);
        }
    }

    // A game that is not dealt yet has not started: another puzzle takes its place silently.
    void aGameBeingDealtIsNotAbandoned()
    {
        const int first = addPuzzle(QStringLiteral("Premier"), 2, 2);
        const int second = addPuzzle(QStringLiteral("Second"), 2, 2);
        session().start(m_rig->store, first, m_rig->random);
        QCOMPARE(m_rig->play.animation(), BoardAnimation::Deal);
        QVERIFY(!session().isInProgress());
        session().abandon();
        session().start(m_rig->store, second, m_rig->random);
        QVERIFY(m_rig->settle());
        QCOMPARE(m_ended->count(), 0);
        QVERIFY(session().isInProgress());
    }

    // The seconds played run from the end of the deal, to the nearest second.
    void secondsCountFromTheEndOfTheDeal()
    {
        const int n = addPuzzle(QStringLiteral("Lent"), 2, 2);
        // Every frame of the deal takes a second: the empty board and four pieces.
        connect(&m_rig->surface, &BoardSurface::framePresented, this, [this] {
            if (!session().isInProgress())
                m_nowMs += 1000;
        });
        QVERIFY(play(n));
        QCOMPARE(m_nowMs, 5000);
        m_nowMs += 2'600;
        session().abandon();
        QCOMPARE(m_ended->count(), 1);
        QCOMPARE(lastResult().secondsPlayed, 3);
    }
};

QTEST_MAIN(TestGameSession)
#include "tst_gamesession.moc"
