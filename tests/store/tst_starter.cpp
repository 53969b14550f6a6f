#include "core/PictureRoutines.h"
#include "store/PuzzleStore.h"
#include "store/StarterPuzzles.h"

#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

namespace {

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
    void fillsAnEmptyStore();
    void takesTheLowestFreeNumbers();
};

void TestStarter::fillsAnEmptyStore()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QCOMPARE(addStarterPuzzles(store), (QList<int>{0, 1, 2, 3, 4}));
    const QList<StoreEntry> entries = store.listPuzzles().entries;
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
        QVERIFY(!d.puzzleName.isEmpty());
        names.insert(d.puzzleName);
        QVERIFY(d.hasModelModeLine);
        QVERIFY(int(d.modelMode) >= 0 && int(d.modelMode) <= 3);
        QCOMPARE(d.modelAllowed, d.modelMode != ModelMode::None);
        QVERIFY(d.timeLimit >= 0 && d.timeLimit <= 600);
        modes.insert(int(d.modelMode));
        rotating += d.rotationEnabled;
        timed += d.timeLimit > 0;
        if (d.gridCols * d.gridRows < smallest.width() * smallest.height())
            smallest = QSize(d.gridCols, d.gridRows);
        if (d.gridCols * d.gridRows > largest.width() * largest.height())
            largest = QSize(d.gridCols, d.gridRows);

        QCOMPARE(QFileInfo(dir.filePath(PuzzleStore::pictureName(n))).size(), 388854);
        QCOMPARE(QFileInfo(dir.filePath(PuzzleStore::thumbnailName(n))).size(), 30054);
        QImage picture = store.readPicture(n);
        QCOMPARE(picture.size(), QSize(360, 360));
        QVERIFY2(colourCount(picture) > 20, qPrintable(d.puzzleName));
        resampleBitmap(picture, 100, 100);
        QCOMPARE(store.readThumbnail(n).convertToFormat(QImage::Format_RGB888), picture);
    }
    QCOMPARE(names.size(), entries.size());
    QCOMPARE(modes, QSet<int>({0, 1, 2, 3}));
    QVERIFY(rotating > 0 && rotating < entries.size());
    QCOMPARE(timed, 1);
    QCOMPARE(smallest, QSize(2, 2));
    QCOMPARE(largest, QSize(5, 4));

}

void TestStarter::takesTheLowestFreeNumbers()
{
    QTemporaryDir dir;
    QFile own(dir.filePath(QStringLiteral("Puz1.tvn")));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("Mon puzzle\r\n3\r\n3\r\n");
    own.close();
    PuzzleStore store(dir.path());
    QCOMPARE(addStarterPuzzles(store), (QList<int>{0, 2, 3, 4, 5}));
    QCOMPARE(store.readDescription(1).puzzleName, QStringLiteral("Mon puzzle"));
}

QTEST_GUILESS_MAIN(TestStarter)
#include "tst_starter.moc"
