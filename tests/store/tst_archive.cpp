#include "core/Error.h"
#include "TestFiles.h"
#include "core/PictureRoutines.h"
#include "store/BmpDecoding.h"
#include "store/PuzzleArchive.h"
#include "store/PuzzleStore.h"
#include "store/ZipArchive.h"
#include "TestPuzzles.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

using namespace tivane;

namespace {

using Compression = ZipArchive::Compression;
using Entries = QList<std::pair<QString, QByteArray>>;

constexpr qint64 MiB = 1024 * 1024;

// The message of the Error that `action` throws; empty when it throws none.
template<typename Action>
QString errorOf(Action action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}



QStringList withoutFiles(QStringList lines, const QStringList &names)
{
    lines.removeIf([&](const QString &line) { return names.contains(line.section(QLatin1Char(' '), 0, 0)); });
    return lines;
}

void putLe32(QByteArray &bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

void putLe16(QByteArray &bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value);
    bytes[at + 1] = char(value >> 8);
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

// Applies `patch` to the local header (fields counted from its signature) and the central
// directory record of the entry called `name`: patch(bytes, headerStart, isCentral).
template<typename Patch>
QByteArray patchEntry(QByteArray zip, const QByteArray &name, Patch patch)
{
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0; at = zip.indexOf("PK\x03\x04", at + 4))
        if (zip.mid(at + 30, le16(zip, at + 26)) == name)
            patch(zip, at, false);
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4))
        if (zip.mid(at + 46, le16(zip, at + 28)) == name)
            patch(zip, at, true);
    return zip;
}

QByteArray withDeclaredSize(const QByteArray &zip, const QByteArray &name, quint32 size)
{
    return patchEntry(zip, name, [size](QByteArray &b, qsizetype at, bool central) {
        putLe32(b, at + (central ? 24 : 22), size);
    });
}

QByteArray withCrcFlipped(const QByteArray &zip, const QByteArray &name)
{
    return patchEntry(zip, name, [](QByteArray &b, qsizetype at, bool central) {
        const qsizetype crc = at + (central ? 16 : 14);
        b[crc] = char(b[crc] ^ 0x01);
    });
}

// Sets the "encrypted" flag, as traditional ZIP encryption does.
QByteArray withEncryptedFlag(const QByteArray &zip, const QByteArray &name)
{
    return patchEntry(zip, name, [](QByteArray &b, qsizetype at, bool central) {
        const qsizetype flags = at + (central ? 8 : 6);
        putLe16(b, flags, le16(b, flags) | 1);
    });
}

QByteArray zipOf(const Entries &entries, Compression compression = Compression::Deflate)
{
    ZipArchive archive = ZipArchive::create(QStringLiteral("test.zip"));
    for (const auto &[name, bytes] : entries)
        archive.add(name, bytes, compression);
    return archive.finish();
}

// A puzzle's three files, as the store writes them.
struct SampleFiles
{
    QByteArray description;
    QByteArray picture;
    QByteArray thumbnail;
};

SampleFiles sampleFiles(int cols = 3, int rows = 2)
{
    const QImage picture = TestPuzzles::cellsPicture(cols, rows, 40);
    QImage thumbnail = picture;
    resampleBitmap(thumbnail, 10, 10);
    return {formatDescription(TestPuzzles::description(QStringLiteral("Poissons"), cols, rows, 2, true, 45),
                              DescriptionLines::All),
            encodedImage(picture.convertToFormat(QImage::Format_RGB888), "bmp"),
            encodedImage(thumbnail.convertToFormat(QImage::Format_RGB888), "bmp")};
}

Entries sampleEntries(const SampleFiles &files = sampleFiles())
{
    return {{QStringLiteral("puz.tvn"), files.description},
            {QStringLiteral("image.bmp"), files.picture},
            {QStringLiteral("vignette.bmp"), files.thumbnail}};
}

Entries replaced(Entries entries, const QString &name, const QByteArray &bytes)
{
    for (auto &entry : entries)
        if (entry.first == name)
            entry.second = bytes;
    return entries;
}

// A BMP header declaring width x height, 24 bits, with only the given pixel bytes after it.
QByteArray bmpHeader(qint32 width, qint32 height, int pixelBytes = 0)
{
    QByteArray bytes(54 + pixelBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLe32(bytes, 2, quint32(bytes.size()));
    putLe32(bytes, 10, 54);
    putLe32(bytes, 14, 40);
    putLe32(bytes, 18, quint32(width));
    putLe32(bytes, 22, quint32(height));
    putLe16(bytes, 26, 1);
    putLe16(bytes, 28, 24);
    return bytes;
}

// What Python's zipfile makes of an archive: {"bad": first bad entry or null, "comment",
// "entries": [[name, method, size, compressed size, flags, extra length], ...]}.
std::optional<QJsonObject> pythonZipInfo(const QString &path)
{
    static const QString script = QStringLiteral(
        "import json, sys, zipfile\n"
        "with zipfile.ZipFile(sys.argv[1]) as z:\n"
        "    print(json.dumps({'bad': z.testzip(), 'comment': z.comment.decode('latin-1'),\n"
        "        'entries': [[i.filename, i.compress_type, i.file_size, i.compress_size, i.flag_bits,\n"
        "                     len(i.extra)] for i in z.infolist()]}))\n");
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    if (!python.waitForFinished(30000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return std::nullopt;
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// A store holding puzzles 0 and 2, and the pictures of puzzle 1, deleted.
struct ReceivingStore
{
    QTemporaryDir root;
    std::unique_ptr<PuzzleStore> store;

    QString path(const QString &name) const { return root.filePath(name); }

    bool make()
    {
        if (!root.isValid() || !QDir(root.path()).mkpath(QStringLiteral("store"))
            || !QDir(root.path()).mkpath(QStringLiteral("archives")))
            return false;
        store = std::make_unique<PuzzleStore>(root.filePath(QStringLiteral("store")));
        for (int i = 0; i < 3; ++i)
            TestPuzzles::add(*store, TestPuzzles::description(QStringLiteral("Reçu %1").arg(i), 2, 2),
                             TestPuzzles::cellsPicture(2, 2 + i));
        store->deletePuzzle(1);
        return store->contains(0) && !store->contains(1) && store->contains(2)
            && store->exists(PuzzleStore::pictureName(1));
    }
};

const QStringList NewPuzzleFiles = {QStringLiteral("store/puz1.tvn"), QStringLiteral("store/image1.bmp"),
                                    QStringLiteral("store/vignette1.bmp")};

} // namespace

class TestArchive : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void archiveIsStandardZip();
    void compressionPerEntry_data();
    void compressionPerEntry();
    void exportReplacesAnOlderArchive();

    void hostileArchives_data();
    void hostileArchives();
    void foreignArchiveIsNormalised();
    void archiveFileChecks_data();
    void archiveFileChecks();
    void importFailingSave();

    void exportMissingStoreFile_data();
    void exportMissingStoreFile();
    void exportFailingWriteKeepsOldArchive();

    void decodeBmp_data();
    void decodeBmp();
};

// Puzzle 7 of one store goes to another as its lowest free number, files byte for byte.
void TestArchive::roundTrip()
{
    QTemporaryDir sourceDir;
    QVERIFY(sourceDir.isValid());
    PuzzleStore source(sourceDir.path());
    for (int i = 0; i < 8; ++i)
        TestPuzzles::add(source, TestPuzzles::description(QStringLiteral("Lapins %1").arg(QChar(u'A' + i)), 3, 2, 2,
                                                          true, 45),
                         TestPuzzles::cellsPicture(3, 2 + i % 3));

    ReceivingStore target;
    QVERIFY(target.make());
    const QString archive = target.path(QStringLiteral("archives/lapins.zip"));
    exportPuzzle(source, 7, archive);

    // Nothing records the number: not the names, not a comment, not an extra field.
    const QByteArray zip = fileBytes(archive);
    for (const char *number : {"puz7", "image7", "vignette7"})
        QVERIFY2(!zip.contains(number), number);
    {
        const ZipArchive read = ZipArchive::openForReading(zip, QStringLiteral("lapins.zip"));
        QCOMPARE(read.entryCount(), qint64(3));
        QCOMPARE(read.entry(0).name, QByteArray("puz.tvn"));
        QCOMPARE(read.entry(1).name, QByteArray("image.bmp"));
        QCOMPARE(read.entry(2).name, QByteArray("vignette.bmp"));
    }

    const QStringList before = snapshot(target.root.path());
    const QString workingDirectory = QDir::currentPath();
    QSignalSpy changed(target.store.get(), &PuzzleStore::changed);
    QCOMPARE(importPuzzle(*target.store, archive), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(QDir::currentPath(), workingDirectory);

    const QString store = target.path(QStringLiteral("store"));
    QCOMPARE(fileBytes(store + "/puz1.tvn"), fileBytes(sourceDir.filePath("puz7.tvn")));
    QCOMPARE(fileBytes(store + "/image1.bmp"), fileBytes(sourceDir.filePath("image7.bmp")));
    QCOMPARE(fileBytes(store + "/vignette1.bmp"), fileBytes(sourceDir.filePath("vignette7.bmp")));
    // Nothing else changed: no staging copies, no other file touched.
    QCOMPARE(withoutFiles(snapshot(target.root.path()), NewPuzzleFiles), withoutFiles(before, NewPuzzleFiles));
    QCOMPARE(target.store->readDescription(1).puzzleName, QStringLiteral("Lapins H"));
}

void TestArchive::archiveIsStandardZip()
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("python3 is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.filePath(QStringLiteral("store")));
    QVERIFY(QDir().mkpath(store.directory()));
    TestPuzzles::add(store, TestPuzzles::description(QStringLiteral("Lapins"), 3, 2));
    const QString archive = dir.filePath(QStringLiteral("lapins.zip"));
    exportPuzzle(store, 0, archive);

    const std::optional<QJsonObject> info = pythonZipInfo(archive);
    QVERIFY(info);
    QVERIFY((*info)[QStringLiteral("bad")].isNull());
    QCOMPARE((*info)[QStringLiteral("comment")].toString(), QString());
    const QJsonArray entries = (*info)[QStringLiteral("entries")].toArray();
    QCOMPARE(entries.size(), 3);
    const QStringList names = {QStringLiteral("puz.tvn"), QStringLiteral("image.bmp"), QStringLiteral("vignette.bmp")};
    const QList<qint64> sizes = {store.readFile(QStringLiteral("puz0.tvn")).size(), 388854, 30054};
    for (int i = 0; i < 3; ++i) {
        const QJsonArray entry = entries[i].toArray();
        QCOMPARE(entry[0].toString(), names[i]);
        QCOMPARE(entry[2].toInteger(), sizes[i]);
        // The pictures' flat cells deflate well; a description this short may not.
        if (i > 0)
            QCOMPARE(entry[1].toInt(), 8);
        if (entry[1].toInt() == 8)
            QVERIFY(entry[3].toInteger() < entry[2].toInteger());
        else
            QCOMPARE(entry[3].toInteger(), entry[2].toInteger());
        QCOMPARE(entry[4].toInt() & 0x7, 0);            // not encrypted, normal deflate level
        QCOMPARE(entry[5].toInt(), 0);                  // no extra fields
    }
}

// Deflated when it shrinks the entry, stored otherwise; the archive stays standard.
void TestArchive::compressionPerEntry_data()
{
    QTest::addColumn<QByteArray>("thumbnail");
    QTest::addColumn<int>("method");

    QByteArray noise(4096, '\0');
    QRandomGenerator random(12);
    for (char &c : noise)
        c = char(random.bounded(256));
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("incompressible") << noise << 0;
    QTest::newRow("one byte") << QByteArray("x") << 0;
    QTest::newRow("compressible") << QByteArray(4096, 'a') << 8;
}

void TestArchive::compressionPerEntry()
{
    QFETCH(QByteArray, thumbnail);
    QFETCH(int, method);
    const SampleFiles sample = sampleFiles();
    const QByteArray zip =
        buildPuzzleArchive({sample.description, sample.picture, thumbnail}, QStringLiteral("essai.zip"));

    const ZipArchive read = ZipArchive::openForReading(zip, QStringLiteral("essai.zip"));
    QCOMPARE(read.entry(2).method, method);
    QCOMPARE(read.entry(0).method, 8);
    QCOMPARE(read.read(2, MiB), thumbnail);

    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        return;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("essai.zip"));
    QVERIFY(writeBytes(path, zip));
    const std::optional<QJsonObject> info = pythonZipInfo(path);
    QVERIFY(info);
    QVERIFY((*info)[QStringLiteral("bad")].isNull());
    const QJsonArray entry = (*info)[QStringLiteral("entries")].toArray()[2].toArray();
    QCOMPARE(entry[1].toInt(), method);
    QCOMPARE(entry[2].toInteger(), qint64(thumbnail.size()));
}

// The new archive holds exactly the three entries, whatever the old file held.
void TestArchive::exportReplacesAnOlderArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    TestPuzzles::add(store, TestPuzzles::description(QStringLiteral("Lapins"), 2, 3));
    const QString archive = dir.filePath(QStringLiteral("envoi.zip"));
    QVERIFY(writeBytes(archive, zipOf(replaced(sampleEntries(), QStringLiteral("puz.tvn"), "old")
                                      << std::pair(QStringLiteral("notes.txt"), QByteArray("old")))));

    exportPuzzle(store, 0, archive);
    const QByteArray zip = fileBytes(archive);
    const ZipArchive read = ZipArchive::openForReading(zip, QStringLiteral("envoi.zip"));
    QCOMPARE(read.entryCount(), qint64(3));
    QCOMPARE(read.read(0, MiB), store.readFile(QStringLiteral("puz0.tvn")));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("envoi*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("envoi.zip")});
}

void TestArchive::hostileArchives_data()
{
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QString>("expected");  // a part of the message; empty: imported as puzzle 1

    const SampleFiles sample = sampleFiles();
    const Entries good = sampleEntries(sample);
    const QByteArray goodZip = zipOf(good);
    QByteArray emptyZip("PK\x05\x06", 4);
    emptyZip.append(18, '\0');
    const QByteArray bomb(20 * MiB, '\0');
    const QByteArray bombZip = zipOf(replaced(good, QStringLiteral("image.bmp"), bomb));
    QByteArray zeroColumns = sample.description;
    zeroColumns.replace("\r\n3\r\n", "\r\n0\r\n");
    QByteArray longTime = sample.description;
    longTime.replace("temps=45", "temps=700");

    QTest::newRow("not a ZIP") << QByteArray("Ceci n'est pas une archive.\r\n") << "ce n'est pas une archive ZIP.";
    QTest::newRow("empty file") << QByteArray() << "ce n'est pas une archive ZIP.";
    QTest::newRow("cut in half") << goodZip.left(goodZip.size() / 2) << "ce n'est pas une archive ZIP.";
    QTest::newRow("empty ZIP") << emptyZip << "l'archive est vide.";
    QTest::newRow("entry missing") << zipOf(good.first(2)) << "il manque « vignette.bmp » dans l'archive.";
    QTest::newRow("only a stray file") << zipOf({{QStringLiteral("lisezmoi.txt"), "x"}})
                                       << "il manque « puz.tvn », « image.bmp » et « vignette.bmp »";
    QTest::newRow("second image under sub/")
        << zipOf(Entries(good) << std::pair(QStringLiteral("sub/image.bmp"), sample.picture))
        << "l'archive contient deux fois « image.bmp ».";
    QTest::newRow("same name twice, other case")
        << zipOf(Entries(good) << std::pair(QStringLiteral("PUZ.TVN"), sample.description))
        << "l'archive contient deux fois « puz.tvn ».";
    QTest::newRow("extra entries are ignored")
        << zipOf(Entries{{QStringLiteral("puz0.tvn"), sample.description},
                         {QStringLiteral("../evil.tvn"), sample.description},
                         {QStringLiteral("/tmp/x"), "x"}}
                 + good)
        << QString();
    QTest::newRow("folders and capitals")
        << zipOf({{QStringLiteral("Envoi/PUZ.TVN"), sample.description},
                  {QStringLiteral("Envoi\\Image.Bmp"), sample.picture},
                  {QStringLiteral("Envoi/"), {}},
                  {QStringLiteral("Envoi/VIGNETTE.bmp"), sample.thumbnail}},
                 Compression::Store)
        << QString();
    QTest::newRow("2 GiB declared") << withDeclaredSize(goodZip, "image.bmp", 0x80000000u)
                                    << "« image.bmp » dépasse 16 Mio une fois décompressé.";
    QTest::newRow("deflate bomb") << bombZip << "« image.bmp » dépasse 16 Mio une fois décompressé.";
    QTest::newRow("deflate bomb declaring less")
        << withDeclaredSize(bombZip, "image.bmp", quint32(sample.picture.size()))
        << "« image.bmp » dépasse 16 Mio une fois décompressé.";
    QTest::newRow("size unlike declared") << withDeclaredSize(goodZip, "vignette.bmp", 30054)
                                          << "« vignette.bmp » est endommagé.";
    QTest::newRow("damaged CRC") << withCrcFlipped(goodZip, "puz.tvn")
                                 << "« puz.tvn » est endommagé (somme de contrôle fausse).";
    QTest::newRow("encrypted") << withEncryptedFlag(goodZip, "vignette.bmp") << "« vignette.bmp » est chiffré";
    QTest::newRow("0 columns") << zipOf(replaced(good, QStringLiteral("puz.tvn"), zeroColumns))
                               << "la grille de 0 colonne(s) sur 2 ligne(s) n'est pas valable";
    QTest::newRow("not a number") << zipOf(replaced(good, QStringLiteral("puz.tvn"), "Nom\r\ntrois\r\n2\r\n"))
                                  << "la ligne 2 ne commence pas par un nombre entier.";
    QTest::newRow("time limit too long") << zipOf(replaced(good, QStringLiteral("puz.tvn"), longTime))
                                         << "le temps limite : 700";
    QTest::newRow("PNG picture")
        << zipOf(replaced(good, QStringLiteral("image.bmp"), encodedImage(TestPuzzles::cellsPicture(3, 2, 40), "png")))
        << "« image.bmp » : ce n'est pas une image BMP valide.";
    QTest::newRow("60000 x 60000 picture")
        << zipOf(replaced(good, QStringLiteral("image.bmp"), bmpHeader(60000, 60000, 64)))
        << "« image.bmp » : l'image mesure 60000 × 60000 pixels ; elle ne doit pas dépasser 4096 pixels de côté.";
    QTest::newRow("1025 x 1 thumbnail")
        << zipOf(replaced(good, QStringLiteral("vignette.bmp"), bmpHeader(1025, 1, 1028 * 3)))
        << "« vignette.bmp » : l'image mesure 1025 × 1 pixels ; elle ne doit pas dépasser 1024 pixels de côté.";
    QTest::newRow("truncated thumbnail")
        << zipOf(replaced(good, QStringLiteral("vignette.bmp"), sample.thumbnail.left(100)))
        << "« vignette.bmp » : l'image BMP est incomplète.";
    QTest::newRow("empty thumbnail") << zipOf(replaced(good, QStringLiteral("vignette.bmp"), {}))
                                     << "« vignette.bmp » : ce n'est pas une image BMP valide.";
}

// Each archive is either imported as puzzle 1 and nothing else, or refused with one message
// naming it, the store and everything around it left byte for byte as they were.
void TestArchive::hostileArchives()
{
    QFETCH(QByteArray, zip);
    QFETCH(QString, expected);

    ReceivingStore target;
    QVERIFY(target.make());
    const QString archive = target.path(QStringLiteral("archives/hostile.zip"));
    QVERIFY(writeBytes(archive, zip));
    const QStringList before = snapshot(target.root.path());
    const QString workingDirectory = QDir::currentPath();
    const QStringList workingFiles = QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const bool tmpXExisted = QFileInfo::exists(QStringLiteral("/tmp/x"));

    int puzzle = -1;
    const QString message = errorOf([&] { puzzle = importPuzzle(*target.store, archive); });

    QCOMPARE(QDir::currentPath(), workingDirectory);
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), workingFiles);
    QCOMPARE(QFileInfo::exists(QStringLiteral("/tmp/x")), tmpXExisted);
    if (expected.isEmpty()) {
        QCOMPARE(message, QString());
        QCOMPARE(puzzle, 1);
        QCOMPARE(withoutFiles(snapshot(target.root.path()), NewPuzzleFiles), withoutFiles(before, NewPuzzleFiles));
        const SampleFiles sample = sampleFiles();
        QCOMPARE(fileBytes(target.path(QStringLiteral("store/puz1.tvn"))), sample.description);
        QCOMPARE(fileBytes(target.path(QStringLiteral("store/image1.bmp"))), sample.picture);
        QCOMPARE(fileBytes(target.path(QStringLiteral("store/vignette1.bmp"))), sample.thumbnail);
    } else {
        QVERIFY2(message.contains(expected), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("« hostile.zip »")), qPrintable(message));
        QCOMPARE(snapshot(target.root.path()), before);
    }
}

// An archive made elsewhere: six description lines, an 8-bit top-down picture, data written
// stored. The store receives its own formats: seven lines, 24-bit bottom-up pictures.
void TestArchive::foreignArchiveIsNormalised()
{
    const SampleFiles sample = sampleFiles(2, 3);
    const PuzzleDescription expected = parseDescription(sample.description, DescriptionLines::UpToTime, {});
    const QByteArray sixLines = formatDescription(expected, DescriptionLines::UpToTime);
    const QImage picture = TestPuzzles::cellsPicture(2, 3, 60).convertToFormat(QImage::Format_Indexed8);
    // The rows of the upside-down picture, bottom-up, are those of the picture top-down.
    QByteArray topDown = encodedImage(picture.mirrored(false, true), "bmp");
    putLe32(topDown, 22, quint32(-60));

    ReceivingStore target;
    QVERIFY(target.make());
    const QString archive = target.path(QStringLiteral("archives/ailleurs.zip"));
    QVERIFY(writeBytes(archive, zipOf({{QStringLiteral("puz.tvn"), sixLines},
                                        {QStringLiteral("image.bmp"), topDown},
                                        {QStringLiteral("vignette.bmp"), sample.thumbnail}},
                                       Compression::Store)));
    QCOMPARE(importPuzzle(*target.store, archive), 1);

    const PuzzleDescription read = target.store->readDescription(1);
    QCOMPARE(read.puzzleName, expected.puzzleName);
    QCOMPARE(read.gridCols, 2);
    QCOMPARE(read.gridRows, 3);
    QCOMPARE(read.timeLimit, 45);
    QCOMPARE(read.modelMode, ModelMode::None);
    QVERIFY(read.hasModelModeLine);
    const QByteArray stored = fileBytes(target.path(QStringLiteral("store/image1.bmp")));
    QCOMPARE(stored.size(), qsizetype(54 + 60 * 180));
    QCOMPARE(le16(stored, 28), quint16(24));
    QCOMPARE(target.store->readPicture(1).convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));
}

void TestArchive::archiveFileChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("expected");

    QTest::newRow("missing") << "absente.zip" << false << "Impossible de lire le fichier « absente.zip » : le fichier n'existe pas.";
    QTest::newRow("folder") << "dossier.zip" << true << "Impossible de lire le fichier « dossier.zip » : ce n'est pas un fichier.";
}

void TestArchive::archiveFileChecks()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(QString, expected);
    ReceivingStore target;
    QVERIFY(target.make());
    if (folder)
        QVERIFY(QDir(target.path(QStringLiteral("archives"))).mkdir(name));
    const QStringList before = snapshot(target.root.path());
    QCOMPARE(errorOf([&] { importPuzzle(*target.store, target.path(QStringLiteral("archives/") + name)); }), expected);
    QCOMPARE(snapshot(target.root.path()), before);
}

// A save that fails half-way lists no new puzzle and leaves no temporary file; only the
// pictures of the free number, which nothing lists, may have been replaced.
void TestArchive::importFailingSave()
{
    ReceivingStore target;
    QVERIFY(target.make());
    const QString archive = target.path(QStringLiteral("archives/envoi.zip"));
    QVERIFY(writeBytes(archive, zipOf(sampleEntries())));
    const QStringList before = snapshot(target.root.path());
    target.store->setFaultHook([](const QString &name) { return name == QStringLiteral("puz1.tvn"); });

    QCOMPARE(errorOf([&] { importPuzzle(*target.store, archive); }),
             QStringLiteral("Impossible d'enregistrer le fichier « puz1.tvn » : ")
                 + fileErrorText(QFileDevice::WriteError));
    QVERIFY(!target.store->contains(1));
    QCOMPARE(withoutFiles(snapshot(target.root.path()), NewPuzzleFiles), withoutFiles(before, NewPuzzleFiles));
}

void TestArchive::exportMissingStoreFile_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("description") << "puz0.tvn";
    QTest::newRow("picture") << "image0.bmp";
    QTest::newRow("thumbnail") << "vignette0.bmp";
}

// Reported by name, and no archive is written.
void TestArchive::exportMissingStoreFile()
{
    QFETCH(QString, missing);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.filePath(QStringLiteral("store")));
    QVERIFY(QDir().mkpath(store.directory()));
    TestPuzzles::add(store, TestPuzzles::description(QStringLiteral("Lapins"), 3, 2));
    QVERIFY(QFile::remove(store.filePath(missing)));
    const QStringList before = snapshot(dir.path());

    const QString message = errorOf([&] { exportPuzzle(store, 0, dir.filePath(QStringLiteral("lapins.zip"))); });
    QCOMPARE(message, QStringLiteral("Impossible de lire le fichier « %1 » : le fichier n'existe pas.").arg(missing));
    QCOMPARE(snapshot(dir.path()), before);
}

// A write that fails leaves the earlier archive as it was, and no temporary file.
void TestArchive::exportFailingWriteKeepsOldArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.filePath(QStringLiteral("store")));
    QVERIFY(QDir().mkpath(store.directory()));
    TestPuzzles::add(store, TestPuzzles::description(QStringLiteral("Lapins"), 3, 2));
    const QString archive = dir.filePath(QStringLiteral("lapins.zip"));
    QVERIFY(writeBytes(archive, "l'ancienne archive"));
    const QStringList before = snapshot(dir.path());

    QStringList asked;
    store.setFaultHook([&](const QString &name) {
        asked << name;
        return name == QStringLiteral("lapins.zip");
    });
    QCOMPARE(errorOf([&] { exportPuzzle(store, 0, archive); }),
             QStringLiteral("Impossible d'enregistrer le fichier « lapins.zip » : ")
                 + fileErrorText(QFileDevice::WriteError));
    QCOMPARE(asked, QStringList{QStringLiteral("lapins.zip")});
    QCOMPARE(snapshot(dir.path()), before);

    // Into a folder that does not exist: nothing is created on the way.
    store.setFaultHook({});
    const QString message = errorOf([&] { exportPuzzle(store, 0, dir.filePath(QStringLiteral("absent/lapins.zip"))); });
    QVERIFY2(message.startsWith(QStringLiteral("Impossible d'enregistrer le fichier « lapins.zip » : ")),
             qPrintable(message));
    QCOMPARE(snapshot(dir.path()), before);
}

void TestArchive::decodeBmp_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");        // invalid: refused
    QTest::addColumn<QString>("expected");  // a part of the message when refused

    const QImage cells = TestPuzzles::cellsPicture(2, 2, 16);
    QByteArray topDown = encodedImage(cells.mirrored(false, true), "bmp");
    putLe32(topDown, 22, quint32(-16));
    QTest::newRow("24 bits") << encodedImage(cells, "bmp") << QSize(16, 16) << QString();
    QTest::newRow("top-down") << topDown << QSize(16, 16) << QString();
    QTest::newRow("8 bits") << encodedImage(cells.convertToFormat(QImage::Format_Indexed8), "bmp") << QSize(16, 16) << QString();
    QTest::newRow("4096 wide") << bmpHeader(4096, 1, 4096 * 3) << QSize(4096, 1) << QString();
    QTest::newRow("4097 wide") << bmpHeader(4097, 1, 4100 * 3) << QSize() << "4097 × 1 pixels";
    QTest::newRow("4097 high") << bmpHeader(1, -4097, 4097 * 4) << QSize() << "1 × 4097 pixels";
    QTest::newRow("60000 square") << bmpHeader(60000, 60000, 12) << QSize() << "60000 × 60000 pixels";
    QTest::newRow("PNG") << encodedImage(cells, "png") << QSize() << "ce n'est pas une image BMP valide.";
    QTest::newRow("empty") << QByteArray() << QSize() << "ce n'est pas une image BMP valide.";
    QTest::newRow("header cut") << encodedImage(cells, "bmp").left(30) << QSize() << "l'image BMP est incomplète.";
    QTest::newRow("rows missing") << encodedImage(cells, "bmp").left(500) << QSize() << "l'image BMP est incomplète.";
    QTest::newRow("no pixels") << bmpHeader(0, 0) << QSize() << "ce n'est pas une image BMP valide.";
}

// Refused before decoding when too large, whatever Qt would have done.
void TestArchive::decodeBmp()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QString, expected);
    QImage picture;
    const QString message = errorOf([&] { picture = tivane::decodeBmp(bytes, QStringLiteral("x.bmp"), 4096); });
    if (size.isValid()) {
        QCOMPARE(message, QString());
        QCOMPARE(picture.size(), size);
    } else {
        QVERIFY2(message.startsWith(QStringLiteral("Impossible de lire le fichier « x.bmp » : ")), qPrintable(message));
        QVERIFY2(message.contains(expected), qPrintable(message));
    }
}

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
