#include "play/Countdown.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tivane;

class TestCountdown : public QObject
{
    Q_OBJECT
private slots:
    void showsTheTimeLeft_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::newRow("11 s") << 11 << "00:11" << false;
        QTest::newRow("10 s") << 10 << "00:10" << true;
        QTest::newRow("65 s") << 65 << "01:05" << false;
        QTest::newRow("600 s") << 600 << "10:00" << false;
        QTest::newRow("6000 s") << 6000 << "100:00" << false;
    }

    void showsTheTimeLeft()
    {
        QFETCH(int, left);
        QFETCH(QString, text);
        QFETCH(bool, red);
        Countdown countdown;
        QSignalSpy changed(&countdown, &Countdown::changed);
        countdown.start(left);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(countdown.secondsLeft(), left);
        QCOMPARE(countdown.text(), text);
        QCOMPARE(countdown.isRed(), red);
        QVERIFY(countdown.isShown());
    }

    void ticksOnceASecond()
    {
        Countdown countdown;
        auto *timer = countdown.findChild<QTimer *>(QStringLiteral("Tjeu"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(!timer->isActive());
        countdown.start(30);
        QVERIFY(timer->isActive());
        QVERIFY(countdown.isActive());
    }

    void runsOutAtZero()
    {
        Countdown countdown;
        QSignalSpy changed(&countdown, &Countdown::changed);
        QSignalSpy ranOut(&countdown, &Countdown::ranOut);
        countdown.start(11);
        countdown.tick();
        QCOMPARE(countdown.text(), QStringLiteral("00:10"));
        QVERIFY(countdown.isRed());
        for (int k = 0; k < 9; ++k)
            countdown.tick();
        QCOMPARE(countdown.secondsLeft(), 1);
        QCOMPARE(ranOut.count(), 0);
        QVERIFY(countdown.isActive());

        countdown.tick();
        QCOMPARE(ranOut.count(), 1);
        QCOMPARE(changed.count(), 1 + 11);
        QCOMPARE(countdown.text(), QStringLiteral("00:00"));
        QVERIFY(countdown.isRed());
        QVERIFY(!countdown.isActive());
        QVERIFY(countdown.isShown());
    }

    void stopKeepsTheTimeAndClearPutsItAway()
    {
        Countdown countdown;
        countdown.start(42);
        countdown.tick();
        countdown.stop();
        QVERIFY(!countdown.isActive());
        QVERIFY(countdown.isShown());
        QCOMPARE(countdown.text(), QStringLiteral("00:41"));

        QSignalSpy changed(&countdown, &Countdown::changed);
        countdown.start(5);
        countdown.tick();
        countdown.clear();
        QCOMPARE(changed.count(), 3);
        QVERIFY(!countdown.isActive());
        QVERIFY(!countdown.isShown());
        QCOMPARE(countdown.text(), QStringLiteral("00:00"));
        // A cleared clock is black, even at zero.
        QVERIFY(!countdown.isRed());
    }
};

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"
