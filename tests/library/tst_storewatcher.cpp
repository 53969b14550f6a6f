#include "library/StoreWatcher.h"
#include "store/PuzzleStore.h"
#include "TestFiles.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tivane;

class TestStoreWatcher : public QObject
{
    Q_OBJECT

private slots:
    void burstsAreToldWhenSettled_data();
    void burstsAreToldWhenSettled();
    void seenChangesAreNotTold();
    void lockFileAloneIsNoChange();
};

void TestStoreWatcher::burstsAreToldWhenSettled_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<int>("mostSignals");
    QTest::newRow("one file") << 1 << 0 << 1;
    QTest::newRow("a save's three files") << 3 << 20 << 1;
    // Longer than the longest settle: told while it goes on, and its end told too.
    QTest::newRow("a burst of 1.2 s") << 25 << 50 << 4;
}

// Files written in a burst are told a quiet spell after the last one, and never more than
// MaxSettleMs after the burst's first change, however long it lasts.
void TestStoreWatcher::burstsAreToldWhenSettled()
{
    QFETCH(int, files);
    QFETCH(int, gapMs);
    QFETCH(int, mostSignals);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    StoreWatcher watcher(dir.path());
    watcher.markSeen();
    QVERIFY(!watcher.changedSinceSeen());
    QList<qint64> toldAt;
    QElapsedTimer clock;
    connect(&watcher, &StoreWatcher::folderChanged, this, [&] {
        toldAt << clock.elapsed();
        watcher.markSeen();  // as the chooser's scan does
    });

    int written = 0;
    qint64 lastWriteAt = 0;
    QTimer writer;
    connect(&writer, &QTimer::timeout, this, [&] {
        lastWriteAt = clock.elapsed();
        if (!writeBytes(dir.path(), QStringLiteral("f%1").arg(written), "x") || ++written == files)
            writer.stop();
    });
    clock.start();
    writer.start(gapMs);
    QTRY_COMPARE_WITH_TIMEOUT(written, files, 5000);
    // The burst's end is told, and then nothing more.
    QTRY_VERIFY_WITH_TIMEOUT(!toldAt.isEmpty() && toldAt.constLast() >= lastWriteAt, 2000);
    const qsizetype told = toldAt.size();
    QVERIFY(!QTest::qWaitFor([&] { return toldAt.size() > told; }, StoreWatcher::MaxSettleMs + 200));

    QVERIFY2(told <= mostSignals, qPrintable(QString::number(told)));
    QVERIFY2(toldAt.constFirst() <= StoreWatcher::MaxSettleMs + 300, qPrintable(QString::number(toldAt.constFirst())));
    QVERIFY(!watcher.changedSinceSeen());
}

// A change marked seen before the burst settles (the program's own save, scanned through the
// store's signal) is not told.
void TestStoreWatcher::seenChangesAreNotTold()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    StoreWatcher watcher(dir.path());
    watcher.markSeen();
    QSignalSpy told(&watcher, &StoreWatcher::folderChanged);

    QVERIFY(writeBytes(dir.path(), QStringLiteral("puz0.tvn"), "Ici\r\n2\r\n2\r\n"));
    QVERIFY(watcher.changedSinceSeen());
    watcher.markSeen();
    QVERIFY(!watcher.changedSinceSeen());
    QVERIFY(!QTest::qWaitFor([&told] { return told.size() > 0; }, StoreWatcher::MaxSettleMs + 200));

    // A later change by another hand is told.
    QVERIFY(writeBytes(dir.path(), QStringLiteral("puz1.tvn"), "Ailleurs\r\n2\r\n2\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 1, StoreWatcher::MaxSettleMs + 1000);
}

// The lock is present only while some program saves; alone it tells nothing.
void TestStoreWatcher::lockFileAloneIsNoChange()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    StoreWatcher watcher(dir.path());
    watcher.markSeen();
    QSignalSpy told(&watcher, &StoreWatcher::folderChanged);
    QVERIFY(writeBytes(dir.path(), PuzzleStore::lockFileName(), "1234"));
    QVERIFY(!watcher.changedSinceSeen());
    QVERIFY(!QTest::qWaitFor([&told] { return told.size() > 0; }, StoreWatcher::MaxSettleMs + 200));
}

QTEST_MAIN(TestStoreWatcher)
#include "tst_storewatcher.moc"
