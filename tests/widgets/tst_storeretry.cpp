#include "core/Error.h"
#include "widgets/StoreRetry.h"
#include "ModalAnswerer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

using namespace tivane;

namespace {

const QString BusyText = QStringLiteral("Le dossier des puzzles est occupé.");

} // namespace

class TestStoreRetry : public QObject
{
    Q_OBJECT

private slots:
    void triedAgainUntilFree_data();
    void triedAgainUntilFree();
    void secondRunWhileWaitingIsRefused();
};

void TestStoreRetry::triedAgainUntilFree_data()
{
    QTest::addColumn<int>("busyTries");   // how many tries find the store busy; -1: every one
    QTest::addColumn<bool>("otherError"); // the first try fails otherwise
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("shown");   // the message shown, if any

    QTest::newRow("free at once") << 0 << false << true << QString();
    QTest::newRow("busy for three tries") << 3 << false << true << QString();
    QTest::newRow("busy throughout") << -1 << false << false << BusyText;
    QTest::newRow("another failure") << 0 << true << false << QStringLiteral("Impossible d'enregistrer le fichier « puz0.tvn » : accès refusé.");
}

// The action is tried at once, then every 100 ms while the store is busy, for up to 3 s, from a
// timer: the event loop runs between tries (the window never waits), and the failure that ends
// it all is shown once.
void TestStoreRetry::triedAgainUntilFree()
{
    QFETCH(int, busyTries);
    QFETCH(bool, otherError);
    QFETCH(bool, succeeded);
    QFETCH(QString, shown);

    QWidget window;
    ModalAnswerer answers;
    StoreRetry retry(&window);
    int tries = 0;
    int timerTicks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++timerTicks; });
    ticker.start(10);
    QList<bool> finished;
    QElapsedTimer clock;
    clock.start();
    qint64 finishedAt = -1;
    QVERIFY(retry.run(
        [&] {
            ++tries;
            if (otherError)
                throw cannotWrite(QStringLiteral("puz0.tvn"), fileErrorText(QFileDevice::PermissionsError));
            if (busyTries < 0 || tries <= busyTries)
                throw StoreBusy(BusyText);
        },
        [&](bool ok) {
            finished << ok;
            finishedAt = clock.elapsed();
        }));
    QCOMPARE(tries, 1);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(finished.constFirst(), succeeded);
    QVERIFY(!retry.isActive());
    if (busyTries < 0) {
        // About 3 s of tries 100 ms apart, and the event loop ran all along.
        QVERIFY2(tries >= 20 && tries <= 32, qPrintable(QString::number(tries)));
        QVERIFY(finishedAt >= StoreRetry::GiveUpMs);
        QVERIFY(timerTicks > tries);
    } else {
        QCOMPARE(tries, otherError ? 1 : busyTries + 1);
    }
    if (shown.isEmpty()) {
        QVERIFY(!QTest::qWaitFor([&answers] { return answers.count() > 0; }, 50));
    } else {
        QTRY_COMPARE(answers.count(), 1);
        QCOMPARE(answers.texts.constFirst(), shown);
    }
}

// A second click while the first save waits for the store does not save twice.
void TestStoreRetry::secondRunWhileWaitingIsRefused()
{
    QWidget window;
    StoreRetry retry(&window);
    int first = 0, second = 0;
    QVERIFY(retry.run([&] {
        if (++first < 3)
            throw StoreBusy(BusyText);
    }));
    QVERIFY(retry.isActive());
    QVERIFY(!retry.run([&] { ++second; }));
    QTRY_VERIFY(!retry.isActive());
    QCOMPARE(first, 3);
    QCOMPARE(second, 0);
    // Once done, the next action runs.
    QVERIFY(retry.run([&] { ++second; }));
    QCOMPARE(second, 1);
}

QTEST_MAIN(TestStoreRetry)
#include "tst_storeretry.moc"
