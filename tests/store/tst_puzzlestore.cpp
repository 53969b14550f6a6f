#include "core/PictureRoutines.h"
#include "ErrorOf.h"
#include "store/PuzzleStore.h"
#include "core/Error.h"
#include "store/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <tuple>

using namespace tivane;

namespace {

const QByteArray LapinsBytes = QByteArray("Lapins\r\n3\r\n2\r\nmod\xE8le=OUI\r\nrotation=OUI\r\n"
                                          "temps=0\r\ntypemod=2\r\n");

void writeBytes(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(dir).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray fileBytes(const QString &dir, const QString &name)
{
    QFile file(QDir(dir).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

PuzzleDescription description(const QString &name, int cols, int rows, int mode = 1)
{
    PuzzleDescription d;
    d.puzzleName = name;
    d.gridCols = cols;
    d.gridRows = rows;
    d.modelAllowed = mode != 0;
    d.modelMode = mode;
    return d;
}

QImage picture(int size, QRgb top, QRgb bottom)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(top);
    for (int y = size / 2; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, bottom);
    return image;
}

quint32 le32(const QByteArray &bytes, int at)
{
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8
           | quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

} // namespace

class TestPuzzleStore : public QObject
{
    Q_OBJECT

private slots:
    void windows1252RoundTrip();

    void formatIsByteExact();
    void formatRejectsOutOfRange_data();
    void formatRejectsOutOfRange();

    void parseReadings_data();
    void parseReadings();
    void parseErrors_data();
    void parseErrors();
    void integerRule_data();
    void integerRule();

    void writeThenRead_data();
    void writeThenRead();
    void lowestFreeNumber();
    void enumerateInIncreasingNumber();
    void namesMatchWithoutCase();
    void deleteKeepsPictures();

    void savedPicturesAreBottomUp24Bit();
    void saveChecksBeforeWriting();
    void failedSaveLeavesNoPuzzle();
    void replacePuzzleWholeOrNothing_data();
    void replacePuzzleWholeOrNothing();

    void badDescriptionFiles();
    void badPictureFiles_data();
    void badPictureFiles();
    void onePixelPicture();
};

void TestPuzzleStore::windows1252RoundTrip()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromWindows1252(all);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0xE8), QChar(u'è'));
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    QCOMPARE(toWindows1252(text), all);
    // Outside the code page, a character (surrogate pairs included) is one '?'.
    QCOMPARE(toWindows1252(QStringLiteral("a\u263A\U0001F600b")), QByteArray("a??b"));
}

void TestPuzzleStore::formatIsByteExact()
{
    PuzzleDescription lapins = description(QStringLiteral("Lapins"), 3, 2, 2);
    lapins.rotationEnabled = true;
    QCOMPARE(formatDescription(lapins, DescriptionLines::All), LapinsBytes);

    PuzzleDescription edited = description(QStringLiteral("Été\r\nà l'école €"), 6, 1, 0);
    edited.timeLimit = 600;
    QCOMPARE(formatDescription(edited, DescriptionLines::UpToTime),
             QByteArray("\xC9t\xE9  \xE0 l'\xE9" "cole \x80\r\n6\r\n1\r\nmod\xE8le=NON\r\n"
                        "rotation=NON\r\ntemps=600\r\n"));
}

void TestPuzzleStore::formatRejectsOutOfRange_data()
{
    QTest::addColumn<PuzzleDescription>("d");
    QTest::addColumn<int>("lines");
    PuzzleDescription d = description(QStringLiteral("x"), 2, 2);
    QTest::newRow("columns 0") << description(QStringLiteral("x"), 0, 2) << 7;
    QTest::newRow("rows 7") << description(QStringLiteral("x"), 2, 7) << 7;
    d.timeLimit = 601;
    QTest::newRow("time 601") << d << 6;
    d.timeLimit = -1;
    QTest::newRow("time -1") << d << 7;
    QTest::newRow("mode 4") << description(QStringLiteral("x"), 2, 2, 4) << 7;
    QTest::newRow("three lines") << description(QStringLiteral("x"), 2, 2) << 3;
}

void TestPuzzleStore::formatRejectsOutOfRange()
{
    QFETCH(PuzzleDescription, d);
    QFETCH(int, lines);
    QVERIFY_THROWS_EXCEPTION(Error, formatDescription(d, DescriptionLines(lines)));
}

void TestPuzzleStore::parseReadings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("model");
    QTest::addColumn<bool>("rotation");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("hasTime");
    QTest::addColumn<bool>("hasMode");

    const QByteArray head("Nom\r\n3\r\n2\r\n");
    QTest::newRow("creation form file") << LapinsBytes << 7 << QStringLiteral("Lapins") << 3 << 2 << true << true << 0 << 2 << true << true;
    QTest::newRow("lower-case oui") << head + "mod\xE8le=oui\r\nrotation=oUi\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << true << 0 << 0 << false << false;
    QTest::newRow("OUIX") << head + "mod\xE8le=OUIX\r\nrotation=OUIX\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << true << 0 << 0 << false << false;
    QTest::newRow("NO") << head + "mod\xE8le=NO\r\nrotation=NO\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 0 << 0 << false << false;
    QTest::newRow("UTF-8 è") << head + "mod\xC3\xA8le=OUI\r\nrotation=OUI\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << false << true << 0 << 0 << false << false;
    QTest::newRow("key not checked") << head + "xxxxxxxOUI\r\nxxxxxxxxxOUI\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << true << 0 << 0 << false << false;
    QTest::newRow("five lines") << head + "mod\xE8le=OUI\r\nrotation=NON\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << false << 0 << 0 << false << false;
    QTest::newRow("six lines") << head + "mod\xE8le=OUI\r\nrotation=NON\r\ntemps=120\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << false << 120 << 0 << true << false;
    QTest::newRow("empty sixth line") << head + "mod\xE8le=OUI\r\nrotation=NON\r\n\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << false << 0 << 0 << true << false;
    QTest::newRow("temps= 45x") << head + "mod\xE8le=NON\r\nrotation=NON\r\ntemps= 45x\r\ntypemod=1\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 45 << 1 << true << true;
    QTest::newRow("temps= only") << head + "mod\xE8le=NON\r\nrotation=NON\r\ntemps=\r\ntypemod=\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 0 << 0 << true << true;
    QTest::newRow("temps=abc") << head + "mod\xE8le=NON\r\nrotation=NON\r\ntemps=abc\r\ntypemod=x3" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 0 << 0 << true << true;
    QTest::newRow("no final line break") << head + "mod\xE8le=NON\r\nrotation=NON\r\ntemps=30\r\ntypemod=3" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 30 << 3 << true << true;
    QTest::newRow("LF only") << QByteArray("Nom\n4\n5\nmod\xE8le=OUI\nrotation=OUI\ntemps=9\ntypemod=2\n") << 7 << QStringLiteral("Nom") << 4 << 5 << true << true << 9 << 2 << true << true;
    // Numbers skip blanks and whole empty lines before them; the rest of their line is dropped.
    QTest::newRow("number skips lines") << QByteArray("Nom\r\n\r\n  +4 colonnes\r\n\t3\r\nmod\xE8le=OUI\r\nrotation=NON\r\n") << 7 << QStringLiteral("Nom") << 4 << 3 << true << false << 0 << 0 << false << false;
    QTest::newRow("ends after rows") << QByteArray("Nom\r\n1\r\n6") << 7 << QStringLiteral("Nom") << 1 << 6 << false << false << 0 << 0 << false << false;
    QTest::newRow("Windows-1252 name") << QByteArray("\xC9l\xE9phant \x80\r\n2\r\n2\r\n") << 7 << QStringLiteral("Éléphant €") << 2 << 2 << false << false << 0 << 0 << false << false;
    QTest::newRow("empty name") << QByteArray("\r\n2\r\n2\r\n") << 7 << QString() << 2 << 2 << false << false << 0 << 0 << false << false;
    // The readers' sets: the scan and the modify action stop after line 6, the print action after 3.
    QTest::newRow("scan reads six") << LapinsBytes << 6 << QStringLiteral("Lapins") << 3 << 2 << true << true << 0 << 0 << true << false;
    QTest::newRow("print reads three") << LapinsBytes << 3 << QStringLiteral("Lapins") << 3 << 2 << false << false << 0 << 0 << false << false;
    QTest::newRow("print ignores bad line 4") << head + "\xFF\xFE\x00\x01" << 3 << QStringLiteral("Nom") << 3 << 2 << false << false << 0 << 0 << false << false;
}

void TestPuzzleStore::parseReadings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lines);
    const PuzzleDescription d = parseDescription(bytes, DescriptionLines(lines), QStringLiteral("puz1.tvn"));
    QTEST(d.puzzleName, "name");
    QTEST(d.gridCols, "cols");
    QTEST(d.gridRows, "rows");
    QTEST(d.modelAllowed, "model");
    QTEST(d.rotationEnabled, "rotation");
    QTEST(d.timeLimit, "time");
    QTEST(d.modelMode, "mode");
    QTEST(d.hasTimeLine, "hasTime");
    QTEST(d.hasModelModeLine, "hasMode");
}

void TestPuzzleStore::parseErrors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("n'est pas valable");
    QTest::newRow("line 2 abc") << QByteArray("Nom\r\nabc\r\n2\r\n") << QStringLiteral("Impossible de lire le fichier « puz5.tvn » : la ligne 2 ne commence pas par un nombre entier.");
    QTest::newRow("line 3 3x") << QByteArray("Nom\r\n2\r\n3x\r\n") << QStringLiteral("Impossible de lire le fichier « puz5.tvn » : la ligne 3 ne commence pas par un nombre entier.");
    QTest::newRow("line 2 sign only") << QByteArray("Nom\r\n-\r\n2\r\n") << QStringLiteral("ne commence pas par un nombre entier");
    QTest::newRow("line 2 too large") << QByteArray("Nom\r\n99999999999\r\n2\r\n") << QStringLiteral("ne commence pas par un nombre entier");
    QTest::newRow("columns 0") << QByteArray("Nom\r\n0\r\n2\r\n") << QStringLiteral("Impossible de lire le fichier « puz5.tvn » : la grille de 0 colonne(s)");
    QTest::newRow("columns 99") << QByteArray("Nom\r\n99\r\n2\r\n") << QStringLiteral("99 colonne(s)");
    QTest::newRow("rows -1") << QByteArray("Nom\r\n2\r\n-1\r\n") << QStringLiteral("-1 ligne(s)");
    QTest::newRow("rows missing") << QByteArray("Nom\r\n2\r\n") << QStringLiteral("n'est pas valable");
    // A picture's header, then bytes that are no number.
    QTest::newRow("binary") << QByteArray::fromHex("424d76ee0500000000003600000028000000680100006801000001001800")
                                   + "\r\n" + QByteArray::fromHex("ff00fe7f")
                            << QStringLiteral("ne commence pas par un nombre entier");
}

void TestPuzzleStore::parseErrors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString error = errorOf([&] { parseDescription(bytes, DescriptionLines::All, QStringLiteral("puz5.tvn")); });
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestPuzzleStore::integerRule_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    QTest::newRow("blank 45 letter") << QByteArray(" 45x") << 45;
    QTest::newRow("sign") << QByteArray("  -12") << -12;
    QTest::newRow("plus") << QByteArray("+7 8") << 7;
    QTest::newRow("sign then blank") << QByteArray("- 5") << 0;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("saturates") << QByteArray("123456789012345678901234") << 2147483647;
}

void TestPuzzleStore::integerRule()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(::integerRule(text), value);
}

void TestPuzzleStore::writeThenRead_data()
{
    QTest::addColumn<PuzzleDescription>("written");
    QTest::addColumn<int>("lines");
    PuzzleDescription full = description(QStringLiteral("Le château d'Œdipe — « 1 »"), 6, 6, 3);
    full.rotationEnabled = true;
    full.timeLimit = 600;
    full.hasTimeLine = full.hasModelModeLine = true;
    QTest::newRow("creation, every option") << full << 7;
    PuzzleDescription plain = description(QString(), 1, 1, 0);
    plain.hasTimeLine = plain.hasModelModeLine = true;
    QTest::newRow("creation, empty name, 1x1") << plain << 7;
    PuzzleDescription edited = description(QStringLiteral("Modifié"), 5, 4, 0);
    edited.modelAllowed = true;
    edited.timeLimit = 45;
    edited.hasTimeLine = true;
    QTest::newRow("editing form, six lines") << edited << 6;
}

void TestPuzzleStore::writeThenRead()
{
    QFETCH(PuzzleDescription, written);
    QFETCH(int, lines);
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    store.writeDescription(4, written, DescriptionLines(lines));
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("puz4.tvn")});
    QCOMPARE(store.readDescription(4), written);
    // Rewriting truncates: a six-line rewrite of a seven-line file drops the mode.
    PuzzleDescription shorter = written;
    shorter.puzzleName = QStringLiteral("x");
    shorter.hasModelModeLine = false;
    shorter.modelMode = 0;
    store.writeDescription(4, shorter, DescriptionLines::UpToTime);
    QCOMPARE(store.readDescription(4), shorter);
}

void TestPuzzleStore::lowestFreeNumber()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QCOMPARE(store.lowestFreeNumber(), 0);
    QVERIFY(store.enumerate().isEmpty());

    // Pictures, the staging name and numbers written with zeros do not take a number.
    for (const char *name : {"image0.bmp", "vignette0.bmp", "puz.tvn", "puz00.tvn", "puz1.tvn", "PUZ3.TVN"})
        writeBytes(dir.path(), QString::fromLatin1(name), "x\r\n2\r\n2\r\n");
    QCOMPARE(store.lowestFreeNumber(), 0);
    writeBytes(dir.path(), QStringLiteral("Puz0.tvn"), "x\r\n2\r\n2\r\n");
    QCOMPARE(store.lowestFreeNumber(), 2);
    // A directory in the way of a number is passed over, since nothing could be written there.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("puz2.tvn")));
    QCOMPARE(store.lowestFreeNumber(), 4);
}

void TestPuzzleStore::enumerateInIncreasingNumber()
{
    QTemporaryDir dir;
    for (const char *name : {"puz10.tvn", "Puz2.tvn", "puz.tvn", "PUZ0.TVN", "puz12.tvn", "Puz12.tvn",
                             "puz-1.tvn", "x.tvn", "puz5.tvn.bak", "image4.bmp", ".pz7.tvn"})
        writeBytes(dir.path(), QString::fromLatin1(name), "x\r\n2\r\n2\r\n");
    const QList<StoreEntry> expected = {{0, QStringLiteral("PUZ0.TVN")}, {2, QStringLiteral("Puz2.tvn")},
                                        {7, QStringLiteral(".pz7.tvn")}, {10, QStringLiteral("puz10.tvn")},
                                        {12, QStringLiteral("Puz12.tvn")}, {12, QStringLiteral("puz12.tvn")}};
    QCOMPARE(PuzzleStore(dir.path()).enumerate(), expected);
}

void TestPuzzleStore::namesMatchWithoutCase()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    writeBytes(dir.path(), QStringLiteral("Puz3.tvn"), LapinsBytes);
    QVERIFY(store.contains(3));
    QCOMPARE(store.readDescription(3).puzzleName, QStringLiteral("Lapins"));
    QCOMPARE(store.readDescriptionFile(QStringLiteral("PUZ3.TVN"), DescriptionLines::UpToTime).gridCols, 3);

    // Writing puzzle 3 replaces the file that is there rather than adding a second spelling.
    store.writeDescription(3, description(QStringLiteral("Chats"), 2, 2), DescriptionLines::All);
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("Puz3.tvn")});
    QCOMPARE(store.readDescription(3).puzzleName, QStringLiteral("Chats"));

    const QImage image = picture(4, qRgb(255, 0, 0), qRgb(0, 0, 255));
    store.writePicture(QStringLiteral("Image3.BMP"), image);
    QCOMPARE(store.readPicture(3).pixel(0, 3), qRgb(0, 0, 255));

    // Every spelling of the description goes when the puzzle is deleted.
    writeBytes(dir.path(), QStringLiteral("puz3.tvn"), LapinsBytes);
    store.deletePuzzle(3);
    QVERIFY(!store.contains(3));
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("Image3.BMP")});
}

void TestPuzzleStore::deleteKeepsPictures()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    for (int n = 0; n < 3; ++n)
        QCOMPARE(store.saveNewPuzzle(description(QStringLiteral("P%1").arg(n), 2, 2),
                                     picture(360, qRgb(n, 0, 0), qRgb(n, 0, 0)),
                                     picture(100, qRgb(n, 0, 0), qRgb(n, 0, 0))),
                 n);
    store.deletePuzzle(2);
    store.deletePuzzle(2);  // already gone: nothing to do
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("image2.bmp"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("vignette2.bmp"))));
    QCOMPARE(store.enumerate().size(), 2);
    QCOMPARE(store.lowestFreeNumber(), 2);

    QCOMPARE(store.saveNewPuzzle(description(QStringLiteral("Neuf"), 3, 3),
                                 picture(360, qRgb(9, 9, 9), qRgb(9, 9, 9)),
                                 picture(100, qRgb(8, 8, 8), qRgb(8, 8, 8))),
             2);
    QCOMPARE(store.readPicture(2).pixel(5, 5), qRgb(9, 9, 9));
    QCOMPARE(store.readThumbnail(2).pixel(5, 5), qRgb(8, 8, 8));
    QVERIFY_THROWS_EXCEPTION(Error, store.deletePuzzle(-1));
}

void TestPuzzleStore::savedPicturesAreBottomUp24Bit()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QImage thumb = picture(360, qRgb(200, 30, 10), qRgb(10, 20, 240));
    resampleBitmap(thumb, 100, 100);
    QCOMPARE(store.saveNewPuzzle(description(QStringLiteral("Bleu"), 2, 2),
                                 picture(360, qRgb(200, 30, 10), qRgb(10, 20, 240)), thumb),
             0);
    for (const auto &[name, size, fileSize] : {std::tuple{"image0.bmp", 360, 388854},
                                               std::tuple{"vignette0.bmp", 100, 30054}}) {
        const QByteArray bytes = fileBytes(dir.path(), QString::fromLatin1(name));
        QCOMPARE(bytes.size(), fileSize);
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(le32(bytes, 2), quint32(fileSize));
        QCOMPARE(le32(bytes, 10), 54u);      // pixel data offset
        QCOMPARE(le32(bytes, 14), 40u);      // information header
        QCOMPARE(le32(bytes, 18), quint32(size));
        QCOMPARE(le32(bytes, 22), quint32(size));  // positive height: bottom-up
        QCOMPARE(le32(bytes, 28) & 0xFFFF, 24u);
        QCOMPARE(le32(bytes, 30), 0u);       // no compression
        // The first row in the file is the bottom one, blue-green-red.
        QCOMPARE(bytes.mid(54, 3), QByteArray("\xF0\x14\x0A"));
        QCOMPARE(bytes.right(3), QByteArray("\x0A\x1E\xC8"));
    }
    const QImage back = store.readPicture(0);
    QCOMPARE(back.size(), QSize(360, 360));
    QCOMPARE(back.pixel(0, 0), qRgb(200, 30, 10));
    QCOMPARE(back.pixel(359, 359), qRgb(10, 20, 240));
    QCOMPARE(store.readDescription(0).puzzleName, QStringLiteral("Bleu"));
}

void TestPuzzleStore::saveChecksBeforeWriting()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    const QImage image = picture(360, qRgb(1, 2, 3), qRgb(1, 2, 3));
    const QImage thumb = picture(100, qRgb(1, 2, 3), qRgb(1, 2, 3));
    QVERIFY_THROWS_EXCEPTION(Error, store.saveNewPuzzle(description(QStringLiteral("x"), 0, 2), image, thumb));
    QVERIFY_THROWS_EXCEPTION(Error, store.saveNewPuzzle(description(QStringLiteral("x"), 2, 2), image, QImage()));
    QVERIFY_THROWS_EXCEPTION(Error, store.savePuzzle(-1, description(QStringLiteral("x"), 2, 2), DescriptionLines::All, image, thumb));
    QVERIFY_THROWS_EXCEPTION(Error, store.writeDescription(-3, description(QStringLiteral("x"), 2, 2), DescriptionLines::All));
    QCOMPARE(listing(dir.path()), QStringList());
}

void TestPuzzleStore::failedSaveLeavesNoPuzzle()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    // A directory where the thumbnail should go makes the save stop before the description.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("vignette0.bmp")));
    const QString error = errorOf([&] {
        store.saveNewPuzzle(description(QStringLiteral("x"), 2, 2), picture(360, 0, 0), picture(100, 0, 0));
    });
    QVERIFY2(error.startsWith(QStringLiteral("Impossible d'enregistrer le fichier « vignette0.bmp » :")), qPrintable(error));
    QVERIFY(store.enumerate().isEmpty());
    QCOMPARE(store.lowestFreeNumber(), 0);

    // A store directory that does not exist is reported, not created.
    PuzzleStore missing(dir.filePath(QStringLiteral("nowhere")));
    QVERIFY_THROWS_EXCEPTION(Error, missing.writeDescription(0, description(QStringLiteral("x"), 2, 2), DescriptionLines::All));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
}

void TestPuzzleStore::replacePuzzleWholeOrNothing_data()
{
    QTest::addColumn<QString>("failing");   // the bare name the fault hook refuses
    QTest::addColumn<QString>("named");     // the file the message names; empty: no failure

    QTest::newRow("no failure") << QString() << QString();
    QTest::newRow("picture written") << QStringLiteral("image3.bmp.tmp") << QStringLiteral("image3.bmp");
    QTest::newRow("thumbnail written") << QStringLiteral("vignette3.bmp.tmp") << QStringLiteral("vignette3.bmp");
    QTest::newRow("description written") << QStringLiteral("puz3.tvn.tmp") << QStringLiteral("puz3.tvn");
    QTest::newRow("picture renamed") << QStringLiteral("image3.bmp") << QStringLiteral("image3.bmp");
    QTest::newRow("thumbnail renamed") << QStringLiteral("vignette3.bmp") << QStringLiteral("vignette3.bmp");
    QTest::newRow("description renamed") << QStringLiteral("puz3.tvn") << QStringLiteral("puz3.tvn");
}

// Every temporary write and every rename may fail; whichever does, the three old files stay
// byte for byte and no temporary file is left behind.
void TestPuzzleStore::replacePuzzleWholeOrNothing()
{
    QFETCH(QString, failing);
    QFETCH(QString, named);

    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    store.savePuzzle(3, description(QStringLiteral("Avant"), 2, 2, 3), DescriptionLines::All,
                     picture(360, qRgb(10, 20, 30), qRgb(40, 50, 60)), picture(100, qRgb(1, 2, 3), qRgb(4, 5, 6)));
    const QStringList names{QStringLiteral("image3.bmp"), QStringLiteral("vignette3.bmp"), QStringLiteral("puz3.tvn")};
    QList<QByteArray> before;
    for (const QString &name : names)
        before << fileBytes(dir.path(), name);
    const QStringList listingBefore = listing(dir.path());

    int changes = 0;
    connect(&store, &PuzzleStore::changed, this, [&] { ++changes; });
    store.setFaultHook([&](const QString &name) { return name == failing; });
    const PuzzleDescription after = description(QStringLiteral("Après"), 4, 3, 0);
    const QString error = errorOf([&] {
        store.replacePuzzle(3, after, DescriptionLines::All, picture(360, qRgb(200, 0, 0), qRgb(0, 200, 0)),
                            picture(100, qRgb(0, 0, 200), qRgb(9, 9, 9)));
    });

    QCOMPARE(listing(dir.path()), listingBefore);
    if (named.isEmpty()) {
        QCOMPARE(error, QString());
        QCOMPARE(changes, 1);
        PuzzleDescription read = after;
        read.hasTimeLine = read.hasModelModeLine = true;
        QCOMPARE(store.readDescription(3), read);
        QCOMPARE(store.readPicture(3).pixel(0, 0), qRgb(200, 0, 0));
        QCOMPARE(store.readThumbnail(3).pixel(99, 99), qRgb(9, 9, 9));
        return;
    }
    QVERIFY2(error.startsWith(QStringLiteral("Impossible d'enregistrer le fichier « %1 » :").arg(named)), qPrintable(error));
    QCOMPARE(changes, 0);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(fileBytes(dir.path(), names[i]), before[i]);
}

void TestPuzzleStore::badDescriptionFiles()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QCOMPARE(errorOf([&] { store.readDescription(5); }), QStringLiteral("Impossible de lire le fichier « puz5.tvn » : le fichier n'existe pas."));

    // A picture saved under a description's name.
    store.writePicture(QStringLiteral("puz5.tvn"), picture(20, qRgb(13, 10, 32), qRgb(10, 13, 10)));
    QVERIFY(!errorOf([&] { store.readDescription(5); }).isEmpty());

    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("puz6.tvn")));
    QCOMPARE(errorOf([&] { store.readDescription(6); }),
             QStringLiteral("Impossible de lire le fichier « puz6.tvn » : ce n'est pas un fichier."));

    // A pipe would never answer; it is refused without being opened.
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("puz7.tvn"))).constData(), 0600), 0);
    QCOMPARE(errorOf([&] { store.readDescription(7); }),
             QStringLiteral("Impossible de lire le fichier « puz7.tvn » : ce n'est pas un fichier."));

    // A 10 MB name is still a name.
    const QByteArray longName(10 * 1024 * 1024, 'a');
    writeBytes(dir.path(), QStringLiteral("puz8.tvn"), longName + "\r\n2\r\n3\r\n");
    const PuzzleDescription d = store.readDescription(8);
    QCOMPARE(d.puzzleName.size(), longName.size());
    QCOMPARE(d.gridRows, 3);

    QFile huge(dir.filePath(QStringLiteral("puz9.tvn")));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(65) * 1024 * 1024));
    huge.close();
    QVERIFY(errorOf([&] { store.readDescription(9); }).startsWith(QStringLiteral("Impossible de lire le fichier « puz9.tvn » :")));
    QVERIFY_THROWS_EXCEPTION(Error, store.readDescription(-1));
}

void TestPuzzleStore::badPictureFiles_data()
{
    QTest::addColumn<int>("keep");
    QTest::addColumn<QString>("reason");
    QTest::newRow("0 bytes") << 0 << QStringLiteral("ce n'est pas une image BMP valide.");
    QTest::newRow("header only") << 54 << QStringLiteral("l'image BMP est incomplète.");
    QTest::newRow("one byte short") << 388853 << QStringLiteral("l'image BMP est incomplète.");
    QTest::newRow("missing") << -1 << QStringLiteral("le fichier n'existe pas.");
}

void TestPuzzleStore::badPictureFiles()
{
    QFETCH(int, keep);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    store.writePicture(QStringLiteral("whole.bmp"), picture(360, qRgb(1, 2, 3), qRgb(4, 5, 6)));
    if (keep >= 0)
        writeBytes(dir.path(), QStringLiteral("image5.bmp"), fileBytes(dir.path(), QStringLiteral("whole.bmp")).left(keep));
    QCOMPARE(errorOf([&] { store.readPicture(5); }), QStringLiteral("Impossible de lire le fichier « image5.bmp » : ") + reason);
}

void TestPuzzleStore::onePixelPicture()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QImage one(1, 1, QImage::Format_RGB888);
    one.fill(qRgb(12, 34, 56));
    store.writePicture(QStringLiteral("image0.bmp"), one);
    QCOMPARE(fileBytes(dir.path(), QStringLiteral("image0.bmp")).size(), 58);  // one row padded to 4 bytes
    QImage back = store.readPicture(0);
    QCOMPARE(back.size(), QSize(1, 1));
    resampleBitmap(back, 100, 100);
    QCOMPARE(back.pixel(99, 99), qRgb(12, 34, 56));
}

QTEST_GUILESS_MAIN(TestPuzzleStore)
#include "tst_puzzlestore.moc"
