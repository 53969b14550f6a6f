#include "core/StepPacer.h"

#include <QElapsedTimer>
#include <QTest>

using namespace tivane;

namespace {
// No step may come within this while the pacer is not running.
constexpr int QuietMs = 150;
}

class TestStepPacer : public QObject
{
    Q_OBJECT
private slots:
    void firstStepRunsInStart()
    {
        StepPacer pacer;
        int steps = 0;
        pacer.start([&] { ++steps; return 40; });
        QCOMPARE(steps, 1);
        QVERIFY(pacer.isRunning());

        // startAfter waits before its first step.
        StepPacer later;
        int laterSteps = 0;
        later.startAfter([&] { ++laterSteps; return StepPacer::Done; }, 60);
        QCOMPARE(laterSteps, 0);
        QVERIFY(later.isRunning());
        QTRY_COMPARE(laterSteps, 1);
        QVERIFY(!later.isRunning());
    }

    void cadence_data()
    {
        QTest::addColumn<int>("returned");
        QTest::addColumn<int>("frameIntervalUs");
        QTest::addColumn<int>("minimumGapMs");
        QTest::newRow("50 ms apart") << 50 << 16667 << 50;
        QTest::newRow("frames at 50 Hz") << int(StepPacer::NextFrame) << 20000 << 20;
        QTest::newRow("frames back to back") << int(StepPacer::NextFrame) << 0 << 0;
    }

    // Each step comes when the one before asked for it, not sooner.
    void cadence()
    {
        QFETCH(int, returned);
        QFETCH(int, frameIntervalUs);
        QFETCH(int, minimumGapMs);
        StepPacer pacer;
        pacer.setFrameInterval([frameIntervalUs] { return frameIntervalUs; });
        QElapsedTimer clock;
        clock.start();
        QList<qint64> at;
        constexpr int Steps = 6;
        pacer.start([&] {
            at << clock.elapsed();
            return at.size() < Steps ? returned : StepPacer::Done;
        });
        QTRY_COMPARE(at.size(), Steps);
        QVERIFY(!pacer.isRunning());
        // Frames keep their cadence on average: the whole run is not shorter than its gaps.
        QVERIFY2(at.last() - at.first() >= (Steps - 1) * minimumGapMs - 2,
                 qPrintable(QStringLiteral("%1 ms").arg(at.last() - at.first())));
        if (returned > 0) {
            for (int k = 1; k < Steps; ++k)
                QVERIFY(at[k] - at[k - 1] >= minimumGapMs - 1);
        }
    }

    void suspendKeepsThePlaceAndResumeGoesOn()
    {
        StepPacer pacer;
        QElapsedTimer clock;
        clock.start();
        QList<qint64> at;
        // The third step suspends the run; six steps in all.
        pacer.start([&] {
            at << clock.elapsed();
            if (at.size() == 3)
                pacer.suspend();
            return at.size() < 6 ? 10 : StepPacer::Done;
        });
        QTRY_COMPARE(at.size(), 3);
        QVERIFY(!pacer.isRunning());
        QVERIFY(pacer.isSuspended());
        QVERIFY(!QTest::qWaitFor([&] { return at.size() != 3; }, QuietMs));

        const qint64 resumedAt = clock.elapsed();
        pacer.resume(80);
        QVERIFY(pacer.isRunning());
        QVERIFY(!pacer.isSuspended());
        // A second resume while running changes nothing.
        pacer.resume(0);
        QTRY_COMPARE(at.size(), 6);
        QVERIFY(at[3] - resumedAt >= 79);
        QVERIFY(!pacer.isRunning());
    }

    void aStepThatReturnsDoneEndsTheRun()
    {
        StepPacer pacer;
        int steps = 0;
        pacer.start([&] { return ++steps < 3 ? 5 : StepPacer::Done; });
        QTRY_COMPARE(steps, 3);
        QVERIFY(!pacer.isRunning());
        QVERIFY(!pacer.isSuspended());
        // Nothing is left to resume.
        pacer.suspend();
        pacer.resume(0);
        QVERIFY(!pacer.isRunning());
        QVERIFY(!QTest::qWaitFor([&] { return steps != 3; }, QuietMs));
    }

    void terminateEndsEverything()
    {
        StepPacer pacer;
        int steps = 0;
        pacer.start([&] {
            if (++steps == 2)
                pacer.terminate();
            return 10;
        });
        QTRY_COMPARE(steps, 2);
        QVERIFY(pacer.isTerminated());
        QVERIFY(!pacer.isRunning());

        // Nothing starts or resumes again.
        int others = 0;
        pacer.start([&] { ++others; return 10; });
        pacer.startAfter([&] { ++others; return 10; }, 0);
        pacer.resume(0);
        QVERIFY(!pacer.isRunning());
        QVERIFY(!QTest::qWaitFor([&] { return steps != 2 || others != 0; }, QuietMs));
    }

    void stopAndANewRunDropTheOneUnderWay()
    {
        StepPacer pacer;
        int first = 0;
        int second = 0;
        // A step may start the next run itself: the new run goes on, the old one is gone.
        pacer.start([&] {
            if (++first == 2)
                pacer.start([&] { ++second; return 10; });
            return 10;
        });
        QTRY_VERIFY(second >= 3);
        QCOMPARE(first, 2);

        pacer.stop();
        QVERIFY(!pacer.isRunning());
        const int stoppedAt = second;
        QVERIFY(!QTest::qWaitFor([&] { return second != stoppedAt; }, QuietMs));
    }
};

QTEST_GUILESS_MAIN(TestStepPacer)
#include "tst_steppacer.moc"
