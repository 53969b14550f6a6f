#include "PictureRoutines.h"
#include "PuzzleStore.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray output;
};

Run runStarter(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(TIVANE_STARTER_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAll()};
}

// Name, size, time and content of every file: what "changes nothing" compares.
QStringList snapshot(const QString &dir)
{
    QStringList lines;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        const QByteArray hash = file.open(QIODevice::ReadOnly)
                                    ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()
                                    : QByteArray("-");
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(info.fileName())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch())
                     .arg(QString::fromLatin1(hash));
    }
    lines.sort();
    return lines;
}

int colourCount(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

} // namespace

class TestStarter : public QObject
{
    Q_OBJECT

private slots:
    void fillsAnEmptyStoreOnce();
    void leavesAStoreWithPuzzlesAlone();
    void reportsBadArguments();
};

void TestStarter::fillsAnEmptyStoreOnce()
{
    QTemporaryDir dir;
    const Run first = runStarter({dir.path()});
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.output, QByteArray());

    PuzzleStore store(dir.path());
    const QList<StoreEntry> entries = store.enumerate();
    QVERIFY(entries.size() >= 4 && entries.size() <= 6);
    QSet<int> modes;
    QSet<QString> names;
    int rotating = 0;
    int timed = 0;
    QSize smallest(6, 6), largest(1, 1);
    for (int n = 0; n < entries.size(); ++n) {
        QCOMPARE(entries[n].number, n);
        QCOMPARE(entries[n].fileName, PuzzleStore::descriptionName(n));
        const PuzzleDescription d = store.readDescription(n);
        QVERIFY(!d.PuzzleName.isEmpty());
        names.insert(d.PuzzleName);
        QVERIFY(d.hasModelModeLine);
        QVERIFY(d.ModelMode >= 0 && d.ModelMode <= 3);
        QCOMPARE(d.ModelAllowed, d.ModelMode != 0);
        QVERIFY(d.TimeLimit >= 0 && d.TimeLimit <= 600);
        modes.insert(d.ModelMode);
        rotating += d.RotationEnabled;
        timed += d.TimeLimit > 0;
        if (d.GridCols * d.GridRows < smallest.width() * smallest.height())
            smallest = QSize(d.GridCols, d.GridRows);
        if (d.GridCols * d.GridRows > largest.width() * largest.height())
            largest = QSize(d.GridCols, d.GridRows);

        QCOMPARE(QFileInfo(dir.filePath(PuzzleStore::pictureName(n))).size(), 388854);
        QCOMPARE(QFileInfo(dir.filePath(PuzzleStore::thumbnailName(n))).size(), 30054);
        QImage picture = store.readPicture(n);
        QCOMPARE(picture.size(), QSize(360, 360));
        QVERIFY2(colourCount(picture) > 20, qPrintable(d.PuzzleName));
        ResampleBitmap(picture, 100, 100);
        QCOMPARE(store.readThumbnail(n).convertToFormat(QImage::Format_RGB888), picture);
    }
    QCOMPARE(names.size(), entries.size());
    QCOMPARE(modes, QSet<int>({0, 1, 2, 3}));
    QVERIFY(rotating > 0 && rotating < entries.size());
    QCOMPARE(timed, 1);
    QCOMPARE(smallest, QSize(2, 2));
    QCOMPARE(largest, QSize(5, 4));

    const QStringList before = snapshot(dir.path());
    const Run second = runStarter({dir.path()});
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.output, QByteArray());
    QCOMPARE(snapshot(dir.path()), before);
}

void TestStarter::leavesAStoreWithPuzzlesAlone()
{
    QTemporaryDir dir;
    QFile own(dir.filePath(QStringLiteral("Puz7.tvn")));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("Mon puzzle\r\n3\r\n3\r\n");
    own.close();
    const QStringList before = snapshot(dir.path());
    const Run run = runStarter({dir.path()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output, QByteArray());
    QCOMPARE(snapshot(dir.path()), before);
}

void TestStarter::reportsBadArguments()
{
    QCOMPARE(runStarter({}).exitCode, 2);
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("absent"));
    const Run run = runStarter({missing});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.output.contains("absent"), run.output.constData());
    QVERIFY(!QFileInfo::exists(missing));
}

QTEST_GUILESS_MAIN(TestStarter)
#include "tst_starter.moc"
