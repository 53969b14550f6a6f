#include "core/PictureRoutines.h"
#include "TestFiles.h"
#include "ErrorOf.h"
#include "HostileFiles.h"
#include "StoreWriter.h"
#include "TestPuzzles.h"
#include "store/PuzzleStore.h"
#include "core/Error.h"
#include "store/Windows1252.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLockFile>
#include <QProcess>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <tuple>

using namespace tivane;

namespace {

const QByteArray LapinsBytes = QByteArray("Lapins\r\n3\r\n2\r\nmod\xE8le=OUI\r\nrotation=OUI\r\n"
                                          "temps=0\r\ntypemod=2\r\n");

using TestPuzzles::description;

QImage picture(int size, QRgb top, QRgb bottom)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(top);
    for (int y = size / 2; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, bottom);
    return image;
}

// A 24-bit BMP of that size, grey.
QByteArray bmpOf(QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(qRgb(128, 128, 128));
    return encodedImage(image, "bmp");
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
    void listingOnePuzzlePerNumber_data();
    void listingOnePuzzlePerNumber();
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

    void picturesTooLargeAreRefusedBeforeDecoding_data();
    void picturesTooLargeAreRefusedBeforeDecoding();
    void twoProgramsSaveAtOnce_data();
    void twoProgramsSaveAtOnce();
    void busyStoreRefusesAtOnce();
    void lockOfAProgramThatDied_data();
    void lockOfAProgramThatDied();
    void failedNewPuzzleIsNotListed_data();
    void failedNewPuzzleIsNotListed();
    void changesByAnotherProgramAreKept_data();
    void changesByAnotherProgramAreKept();
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
    // Values the forms never write are brought to what the clock and the board can show.
    QTest::newRow("temps=99999999999") << HostileFiles::HugeTimeLimit << 7 << QStringLiteral("Horloge") << 2 << 2 << true << false << 5999 << 2 << true << true;
    QTest::newRow("temps=6000") << head + "mod\xE8le=NON\r\nrotation=NON\r\ntemps=6000\r\ntypemod=0\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 5999 << 0 << true << true;
    QTest::newRow("temps=5999") << head + "mod\xE8le=NON\r\nrotation=NON\r\ntemps=5999\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << false << false << 5999 << 0 << true << false;
    QTest::newRow("temps=600, typemod=3") << head + "mod\xE8le=OUI\r\nrotation=NON\r\ntemps=600\r\ntypemod=3\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << false << 600 << 3 << true << true;
    QTest::newRow("temps=-30, typemod=4") << head + "mod\xE8le=OUI\r\nrotation=NON\r\ntemps=-30\r\ntypemod=4\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << false << 0 << 0 << true << true;
    QTest::newRow("typemod=-1") << head + "mod\xE8le=OUI\r\nrotation=NON\r\ntemps=1\r\ntypemod=-1\r\n" << 7 << QStringLiteral("Nom") << 3 << 2 << true << false << 1 << 0 << true << true;
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
    QTEST(int(d.modelMode), "mode");
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
    QCOMPARE(entryNames(dir.path()), QStringList{QStringLiteral("puz4.tvn")});
    QCOMPARE(store.readDescription(4), written);
    // Rewriting truncates: a six-line rewrite of a seven-line file drops the mode.
    PuzzleDescription shorter = written;
    shorter.puzzleName = QStringLiteral("x");
    shorter.hasModelModeLine = false;
    shorter.modelMode = ModelMode::None;
    store.writeDescription(4, shorter, DescriptionLines::UpToTime);
    QCOMPARE(store.readDescription(4), shorter);
}

void TestPuzzleStore::lowestFreeNumber()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QCOMPARE(store.lowestFreeNumber(), 0);
    QVERIFY(store.listPuzzles().entries.isEmpty());

    // Pictures, the staging name and names that are not puzzle names do not take a number.
    for (const char *name : {"image0.bmp", "vignette0.bmp", "puz.tvn", "puz0 - Copie.tvn", "puz1.tvn", "PUZ3.TVN"})
        QVERIFY(writeBytes(dir.path(), QString::fromLatin1(name), "x\r\n2\r\n2\r\n"));
    QCOMPARE(store.lowestFreeNumber(), 0);
    // Any spelling of a number takes it, even one the list leaves out as a duplicate.
    QVERIFY(writeBytes(dir.path(), QStringLiteral("Abc00.tvn"), "x\r\n2\r\n2\r\n"));
    QCOMPARE(store.lowestFreeNumber(), 2);
    // A directory in the way of a number is passed over, since nothing could be written there.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("puz2.tvn")));
    QCOMPARE(store.lowestFreeNumber(), 4);
}

void TestPuzzleStore::listingOnePuzzlePerNumber_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("listed");   // "N name", in increasing N
    QTest::addColumn<QStringList>("leftOut");  // "name: start of the reason", by name

    const QString notPuzzle = QStringLiteral("ce n'est pas un fichier de puzzle");
    const auto same = [](const char *kept) {
        return QStringLiteral("il donne le même numéro de puzzle que « %1 »").arg(QLatin1String(kept));
    };
    QTest::newRow("no other spelling") << QStringList{"puz10.tvn", "Puz2.tvn", "PUZ0.TVN", "image4.bmp", "puz5.tvn.bak"}
                                       << QStringList{"0 PUZ0.TVN", "2 Puz2.tvn", "10 puz10.tvn"} << QStringList{};
    QTest::newRow("lower case wins") << QStringList{"Puz3.tvn", "puz3.tvn", "PUZ3.TVN"} << QStringList{"3 puz3.tvn"}
                                     << QStringList{"PUZ3.TVN: " + same("puz3.tvn"), "Puz3.tvn: " + same("puz3.tvn")};
    QTest::newRow("the usual name wins") << QStringList{"abc7.tvn", "puz07.tvn", "puz7.tvn", "Puz7.tvn"}
                                         << QStringList{"7 puz7.tvn"}
                                         << QStringList{"Puz7.tvn: " + same("puz7.tvn"), "abc7.tvn: " + same("puz7.tvn"),
                                                        "puz07.tvn: " + same("puz7.tvn")};
    QTest::newRow("else lower case, else first by name") << QStringList{"Puz8.tvn", "img8.tvn", "PUZ9.tvn", "Puz9.tvn"}
                                                         << QStringList{"8 img8.tvn", "9 PUZ9.tvn"}
                                                         << QStringList{"Puz8.tvn: " + same("img8.tvn"),
                                                                        "Puz9.tvn: " + same("PUZ9.tvn")};
    // What a file manager's copy and a teacher's backup are called: not puzzles at all.
    QTest::newRow("not puzzle names")
        << QStringList{"puz40.tvn", "puz40 - Copie.tvn", "sauvegarde.tvn", "puz.tvn", "puz-1.tvn", ".pz7.tvn",
                       "pu1.tvn", "puzz1.tvn", "puz1a.tvn", "puz99999999999.tvn", "pùz1.tvn"}
        << QStringList{"40 puz40.tvn"}
        << QStringList{".pz7.tvn: " + notPuzzle, "pu1.tvn: " + notPuzzle, "puz-1.tvn: " + notPuzzle,
                       "puz.tvn: " + notPuzzle, "puz1a.tvn: " + notPuzzle, "puz40 - Copie.tvn: " + notPuzzle,
                       "puz99999999999.tvn: " + notPuzzle, "puzz1.tvn: " + notPuzzle, "pùz1.tvn: " + notPuzzle,
                       "sauvegarde.tvn: " + notPuzzle};
}

// Every number names one file, which every reader by number reads: the chooser's thumbnail, the
// game, the editing and print forms and the delete all act on the same puzzle.
void TestPuzzleStore::listingOnePuzzlePerNumber()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, leftOut);

    QTemporaryDir dir;
    for (const QString &name : files)
        QVERIFY(writeBytes(dir.path(), name, name.toUtf8() + "\r\n2\r\n2\r\n"));
    PuzzleStore store(dir.path());
    const StoreListing listing = store.listPuzzles();
    QStringList gotListed;
    for (const StoreEntry &entry : listing.entries) {
        gotListed << QStringLiteral("%1 %2").arg(entry.number).arg(entry.fileName);
        QCOMPARE(store.descriptionFileName(entry.number), std::optional<QString>(entry.fileName));
        QCOMPARE(store.readDescription(entry.number).puzzleName, entry.fileName);
    }
    QCOMPARE(gotListed, listed);
    QStringList gotLeftOut;
    for (const LeftOutFile &file : listing.leftOut)
        gotLeftOut << file.fileName + QStringLiteral(": ") + file.reason;
    QCOMPARE(gotLeftOut.size(), leftOut.size());
    for (int i = 0; i < leftOut.size(); ++i)
        QVERIFY2(gotLeftOut[i].startsWith(leftOut[i]), qPrintable(gotLeftOut[i] + QStringLiteral(" / ") + leftOut[i]));
    QCOMPARE(store.listPuzzles().entries, listing.entries);
}

void TestPuzzleStore::namesMatchWithoutCase()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    QVERIFY(writeBytes(dir.path(), QStringLiteral("Puz3.tvn"), LapinsBytes));
    QVERIFY(store.contains(3));
    QCOMPARE(store.readDescription(3).puzzleName, QStringLiteral("Lapins"));
    QCOMPARE(store.readDescriptionFile(QStringLiteral("PUZ3.TVN"), DescriptionLines::UpToTime).gridCols, 3);

    // Writing puzzle 3 replaces the file that is there rather than adding a second spelling.
    store.writeDescription(3, description(QStringLiteral("Chats"), 2, 2), DescriptionLines::All);
    QCOMPARE(entryNames(dir.path()), QStringList{QStringLiteral("Puz3.tvn")});
    QCOMPARE(store.readDescription(3).puzzleName, QStringLiteral("Chats"));

    const QImage image = picture(4, qRgb(255, 0, 0), qRgb(0, 0, 255));
    store.writePicture(QStringLiteral("Image3.BMP"), image);
    QCOMPARE(store.readPicture(3).pixel(0, 3), qRgb(0, 0, 255));

    // Every spelling of the description goes when the puzzle is deleted.
    QVERIFY(writeBytes(dir.path(), QStringLiteral("puz3.tvn"), LapinsBytes));
    store.deletePuzzle(3);
    QVERIFY(!store.contains(3));
    QCOMPARE(entryNames(dir.path()), QStringList{QStringLiteral("Image3.BMP")});
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
    QCOMPARE(store.listPuzzles().entries.size(), 2);
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
    QCOMPARE(entryNames(dir.path()), QStringList());
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
    QVERIFY(store.listPuzzles().entries.isEmpty());
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
    const QStringList listingBefore = entryNames(dir.path());

    int changes = 0;
    connect(&store, &PuzzleStore::changed, this, [&] { ++changes; });
    store.setFaultHook([&](const QString &name) { return name == failing; });
    const PuzzleDescription after = description(QStringLiteral("Après"), 4, 3, 0);
    const QString error = errorOf([&] {
        store.replacePuzzle(3, after, DescriptionLines::All, picture(360, qRgb(200, 0, 0), qRgb(0, 200, 0)),
                            picture(100, qRgb(0, 0, 200), qRgb(9, 9, 9)));
    });

    QCOMPARE(entryNames(dir.path()), listingBefore);
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
    QVERIFY(writeBytes(dir.path(), QStringLiteral("puz8.tvn"), longName + "\r\n2\r\n3\r\n"));
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
        QVERIFY(writeBytes(dir.path(), QStringLiteral("image5.bmp"), fileBytes(dir.path(), QStringLiteral("whole.bmp")).left(keep)));
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

void TestPuzzleStore::picturesTooLargeAreRefusedBeforeDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("thumbnail");
    QTest::addColumn<QString>("reason");  // empty: read whole
    QTest::addColumn<QSize>("size");

    const auto tooLarge = [](int w, int h, int side) {
        return QStringLiteral("l'image mesure %1 × %2 pixels ; elle ne doit pas dépasser %3 pixels de côté.")
            .arg(w).arg(h).arg(side);
    };
    QTest::newRow("RLE bomb as thumbnail") << HostileFiles::rleBomb() << true << tooLarge(5600, 5600, 1024) << QSize();
    QTest::newRow("RLE bomb as picture") << HostileFiles::rleBomb() << false << tooLarge(5600, 5600, 4096) << QSize();
    QTest::newRow("1024 x 1024 in 60 bytes")
        << HostileFiles::rleBomb(1024, 1024) << true
        << QStringLiteral("l'image compressée annonce 1024 × 1024 pixels pour 60 octets seulement ; "
                          "elle est falsifiée ou abîmée.")
        << QSize();
    QTest::newRow("2000 x 2000 thumbnail") << bmpOf(QSize(2000, 2000)) << true << tooLarge(2000, 2000, 1024) << QSize();
    QTest::newRow("1025 x 1 thumbnail") << bmpOf(QSize(1025, 1)) << true << tooLarge(1025, 1, 1024) << QSize();
    QTest::newRow("1024 x 1024 thumbnail") << bmpOf(QSize(1024, 1024)) << true << QString() << QSize(1024, 1024);
    QTest::newRow("1 x 4097 picture") << bmpOf(QSize(1, 4097)) << false << tooLarge(1, 4097, 4096) << QSize();
    QTest::newRow("4096 x 2 picture") << bmpOf(QSize(4096, 2)) << false << QString() << QSize(4096, 2);
}

// Sizes come from the header, before any pixel is decoded: the 60-byte file that once decoded to
// 125 MB is refused with its size, which only the header tells.
void TestPuzzleStore::picturesTooLargeAreRefusedBeforeDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, thumbnail);
    QFETCH(QString, reason);
    QFETCH(QSize, size);

    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    const QString name = thumbnail ? QStringLiteral("vignette7.bmp") : QStringLiteral("image7.bmp");
    QVERIFY(HostileFiles::writeFile(dir.path(), name, bytes));
    QImage read;
    const QString error = errorOf([&] { read = thumbnail ? store.readThumbnail(7) : store.readPicture(7); });
    if (reason.isEmpty()) {
        QCOMPARE(error, QString());
        QCOMPARE(read.size(), size);
    } else {
        QCOMPARE(error, QStringLiteral("Impossible de lire le fichier « %1 » : %2").arg(name, reason));
    }
}

void TestPuzzleStore::twoProgramsSaveAtOnce_data()
{
    QTest::addColumn<bool>("processes");
    QTest::newRow("two threads") << false;
    QTest::newRow("two processes") << true;
}

// Two store objects on one folder each save 50 new puzzles at the same moment: every puzzle gets
// its own number and its own three files.
void TestPuzzleStore::twoProgramsSaveAtOnce()
{
    QFETCH(bool, processes);
    constexpr int Each = 50;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    if (processes) {
        QProcess first, second;
        first.start(QStringLiteral(STORE_WRITER), {dir.path(), QStringLiteral("1"), QString::number(Each)});
        second.start(QStringLiteral(STORE_WRITER), {dir.path(), QStringLiteral("2"), QString::number(Each)});
        for (QProcess *writer : {&first, &second}) {
            QVERIFY(writer->waitForFinished(60000));
            QVERIFY2(writer->exitStatus() == QProcess::NormalExit && writer->exitCode() == 0,
                     writer->readAllStandardError().constData());
        }
    } else {
        std::unique_ptr<QThread> first(QThread::create([&] { StoreWriter::saveMany(dir.path(), 1, Each); }));
        std::unique_ptr<QThread> second(QThread::create([&] { StoreWriter::saveMany(dir.path(), 2, Each); }));
        first->start();
        second->start();
        QVERIFY(first->wait(60000));
        QVERIFY(second->wait(60000));
    }

    PuzzleStore store(dir.path());
    const StoreListing listing = store.listPuzzles();
    QCOMPARE(listing.leftOut, QList<LeftOutFile>());
    QCOMPARE(listing.entries.size(), 2 * Each);
    QSet<QString> names;
    for (int n = 0; n < 2 * Each; ++n) {
        QCOMPARE(listing.entries[n].number, n);
        QCOMPARE(listing.entries[n].fileName, PuzzleStore::descriptionName(n));
        const PuzzleDescription d = store.readDescription(n);
        const QStringList tagAndIndex = d.puzzleName.split(QLatin1Char('-'));
        QCOMPARE(tagAndIndex.size(), 2);
        const int tag = tagAndIndex[0].toInt();
        const int i = tagAndIndex[1].toInt();
        PuzzleDescription expected = StoreWriter::description(tag, i);
        expected.hasTimeLine = expected.hasModelModeLine = true;
        QCOMPARE(d, expected);
        // Both pictures are this puzzle's, whole.
        QCOMPARE(QFileInfo(dir.filePath(PuzzleStore::pictureName(n))).size(), 388854);
        QCOMPARE(QFileInfo(dir.filePath(PuzzleStore::thumbnailName(n))).size(), 30054);
        QCOMPARE(store.readPicture(n).pixel(359, 359), StoreWriter::colour(tag, i));
        QCOMPARE(store.readThumbnail(n).pixel(0, 0), StoreWriter::colour(tag, i));
        names.insert(d.puzzleName);
    }
    QCOMPARE(names.size(), 2 * Each);
    QVERIFY(!QFileInfo::exists(dir.filePath(PuzzleStore::lockFileName())));
}

// While another program holds the store's lock, every write is refused at once with StoreBusy
// and leaves the store as it was; the next write after the lock is freed goes through.
void TestPuzzleStore::busyStoreRefusesAtOnce()
{
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    const QImage image = picture(360, qRgb(1, 2, 3), qRgb(4, 5, 6));
    const QImage thumb = picture(100, qRgb(1, 2, 3), qRgb(4, 5, 6));
    QCOMPARE(store.saveNewPuzzle(description(QStringLiteral("Avant"), 2, 2), image, thumb), 0);
    QByteArray bytes;
    store.readDescription(0, DescriptionLines::All, &bytes);

    QLockFile other(dir.filePath(PuzzleStore::lockFileName()));
    QVERIFY(other.tryLock(0));
    const QStringList before = entryNames(dir.path());
    int changes = 0;
    connect(&store, &PuzzleStore::changed, this, [&] { ++changes; });
    const PuzzleDescription d = description(QStringLiteral("Après"), 3, 3);
    const std::function<void()> writes[] = {
        [&] { store.saveNewPuzzle(d, image, thumb); },
        [&] { store.savePuzzle(4, d, DescriptionLines::All, image, thumb); },
        [&] { store.writeDescription(0, d, DescriptionLines::All); },
        [&] { store.replacePuzzle(0, d, DescriptionLines::All, image, thumb, bytes); },
        [&] { store.deletePuzzle(0, bytes); },
    };
    for (const auto &write : writes) {
        bool busy = false;
        try {
            write();
        } catch (const StoreBusy &error) {
            busy = error.message().contains(quoted(QDir::toNativeSeparators(dir.path())));
        }
        QVERIFY(busy);
    }
    QCOMPARE(entryNames(dir.path()), before);
    QCOMPARE(changes, 0);

    other.unlock();
    QCOMPARE(store.saveNewPuzzle(d, image, thumb), 1);
}

void TestPuzzleStore::lockOfAProgramThatDied_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<qint64>("pid");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("broken");

    // No process has so high a number.
    constexpr qint64 Dead = 999'999'999;
    QTest::newRow("this machine, process gone") << QSysInfo::machineHostName() << Dead << 0 << true;
    QTest::newRow("this machine, process alive") << QSysInfo::machineHostName() << QCoreApplication::applicationPid() << 0 << false;
    QTest::newRow("another machine, just now") << QStringLiteral("autre-poste") << Dead << 0 << false;
    QTest::newRow("another machine, a minute ago") << QStringLiteral("autre-poste") << Dead << 60 << true;
}

// A lock left by a program that crashed is broken, so a crash never stops every later save:
// at once on this machine, once it is old enough from another one.
void TestPuzzleStore::lockOfAProgramThatDied()
{
    QFETCH(QString, host);
    QFETCH(qint64, pid);
    QFETCH(int, ageSeconds);
    QFETCH(bool, broken);

    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    const QString lockPath = dir.filePath(PuzzleStore::lockFileName());
    {
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        // What QLockFile writes: the process, the program's name and the machine.
        lock.write(QStringLiteral("%1\n%2\n%3\n").arg(pid).arg(QCoreApplication::applicationName(), host).toUtf8());
        QVERIFY(lock.flush());
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }
    const auto save = [&] {
        store.saveNewPuzzle(description(QStringLiteral("x"), 2, 2), picture(360, 0, 0), picture(100, 0, 0));
    };
    if (broken) {
        save();
        QCOMPARE(store.listPuzzles().entries.size(), 1);
        QVERIFY(!QFileInfo::exists(lockPath));
    } else {
        QVERIFY_THROWS_EXCEPTION(StoreBusy, save());
        QVERIFY(store.listPuzzles().entries.isEmpty());
    }
}

void TestPuzzleStore::failedNewPuzzleIsNotListed_data()
{
    QTest::addColumn<QString>("failing");
    QTest::newRow("picture") << QStringLiteral("image0.bmp");
    QTest::newRow("thumbnail") << QStringLiteral("vignette0.bmp");
    QTest::newRow("description") << QStringLiteral("puz0.tvn");
    QTest::newRow("lock") << QStringLiteral(".tivane.lock");
}

// A save that fails at any file leaves no puzzle listed, names the file, and frees the lock:
// the next save takes the same number.
void TestPuzzleStore::failedNewPuzzleIsNotListed()
{
    QFETCH(QString, failing);
    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    store.setFaultHook([&](const QString &name) { return name == failing; });
    const auto save = [&] {
        return store.saveNewPuzzle(description(QStringLiteral("x"), 2, 2), picture(360, 0, 0), picture(100, 0, 0));
    };
    bool busy = false;
    QString error;
    try {
        save();
    } catch (const StoreBusy &) {
        busy = true;
    } catch (const Error &e) {
        error = e.message();
    }
    QVERIFY(!busy);
    // The lock file is never the subject of a message: the folder is.
    const QString expected = failing == PuzzleStore::lockFileName()
        ? QStringLiteral("Impossible d'enregistrer le puzzle : le dossier des puzzles « %1 » ne peut pas être modifié")
              .arg(QDir::toNativeSeparators(store.directory()))
        : QStringLiteral("Impossible d'enregistrer le fichier « %1 » :").arg(failing);
    QVERIFY2(error.startsWith(expected), qPrintable(error));
    QVERIFY(store.listPuzzles().entries.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath(PuzzleStore::lockFileName())));
    store.setFaultHook({});
    QCOMPARE(save(), 0);
}

void TestPuzzleStore::changesByAnotherProgramAreKept_data()
{
    QTest::addColumn<bool>("edit");     // else delete
    QTest::addColumn<bool>("removed");  // else changed
    QTest::addColumn<QString>("message");

    QTest::newRow("edit of a removed puzzle") << true << true
        << QStringLiteral("Impossible d'enregistrer le fichier « puz1.tvn » : le puzzle a été supprimé entre-temps, "
                          "sans doute depuis un autre poste ; rien n'a été enregistré.");
    QTest::newRow("edit of a changed puzzle") << true << false
        << QStringLiteral("Impossible d'enregistrer le fichier « puz1.tvn » : le puzzle a été modifié entre-temps, "
                          "sans doute depuis un autre poste ; rien n'a été enregistré.");
    QTest::newRow("delete of a removed puzzle") << false << true
        << QStringLiteral("Impossible de supprimer le fichier « puz1.tvn » : le puzzle a déjà été supprimé, "
                          "sans doute depuis un autre poste.");
    QTest::newRow("delete of a changed puzzle") << false << false
        << QStringLiteral("Impossible de supprimer le fichier « puz1.tvn » : le puzzle a été modifié entre-temps, "
                          "sans doute depuis un autre poste ; il n'a pas été supprimé.");
}

// An edit or a delete checks, under the lock, that the description is still the one it began
// from: another program's change is never silently overwritten, and nothing is written.
void TestPuzzleStore::changesByAnotherProgramAreKept()
{
    QFETCH(bool, edit);
    QFETCH(bool, removed);
    QFETCH(QString, message);

    QTemporaryDir dir;
    PuzzleStore here(dir.path());
    PuzzleStore there(dir.path());
    for (int n = 0; n < 2; ++n)
        here.saveNewPuzzle(description(QStringLiteral("P%1").arg(n), 2, 2), picture(360, qRgb(n, 0, 0), 0),
                           picture(100, qRgb(n, 0, 0), 0));
    QByteArray opened;
    here.readDescription(1, DescriptionLines::All, &opened);

    if (removed)
        there.deletePuzzle(1);
    else
        there.writeDescription(1, description(QStringLiteral("Changé ailleurs"), 4, 4), DescriptionLines::All);
    const QStringList before = entryNames(dir.path());
    QList<QByteArray> bytes;
    for (const QString &name : before)
        bytes << fileBytes(dir.path(), name);

    int changes = 0;
    connect(&here, &PuzzleStore::changed, this, [&] { ++changes; });
    const QString error = errorOf([&] {
        if (edit)
            here.replacePuzzle(1, description(QStringLiteral("Mon travail"), 3, 3), DescriptionLines::All,
                               picture(360, qRgb(9, 9, 9), 0), picture(100, qRgb(9, 9, 9), 0), opened);
        else
            here.deletePuzzle(1, opened);
    });
    QCOMPARE(error, message);
    QCOMPARE(changes, 0);
    QCOMPARE(entryNames(dir.path()), before);
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(fileBytes(dir.path(), before[i]), bytes[i]);

    // Unchanged since it was read, the same edit or delete goes through.
    if (!removed) {
        here.readDescription(1, DescriptionLines::All, &opened);
        if (edit)
            here.replacePuzzle(1, description(QStringLiteral("Mon travail"), 3, 3), DescriptionLines::All,
                               picture(360, qRgb(9, 9, 9), 0), picture(100, qRgb(9, 9, 9), 0), opened);
        else
            here.deletePuzzle(1, opened);
        QCOMPARE(here.contains(1), edit);
        QCOMPARE(changes, 1);
    }
}

QTEST_GUILESS_MAIN(TestPuzzleStore)
#include "tst_puzzlestore.moc"
