#include "core/Error.h"
#include "store/AtomicWriter.h"
#include "store/FileReading.h"
#include "ErrorOf.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tivane;

class TestFileWriting : public QObject
{
    Q_OBJECT

private slots:
    void cappedReading_data();
    void cappedReading();
    void writeIsWholeOrNothing();
    void replaceAllIsAllOrNothing_data();
    void replaceAllIsAllOrNothing();
};

void TestFileWriting::cappedReading_data()
{
    QTest::addColumn<QString>("kind");      // "file" of `bytes` bytes, "folder", "pipe", "missing"
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("expected");  // the message; empty: read whole

    QTest::newRow("empty") << "file" << 0 << QString();
    QTest::newRow("at the cap") << "file" << 100 << QString();
    QTest::newRow("one byte above") << "file" << 101 << "Impossible de lire le fichier « f » : trop grand.";
    QTest::newRow("folder") << "folder" << 0 << "Impossible de lire le fichier « f » : ce n'est pas un fichier.";
    // A pipe would never answer: it is refused without being opened.
    QTest::newRow("pipe") << "pipe" << 0 << "Impossible de lire le fichier « f » : ce n'est pas un fichier.";
    QTest::newRow("missing") << "missing" << 0 << "Impossible de lire le fichier « f » : le fichier n'existe pas.";
}

void TestFileWriting::cappedReading()
{
    QFETCH(QString, kind);
    QFETCH(int, bytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("f"));
    const QByteArray content(bytes, 'x');
    if (kind == QLatin1String("file"))
        QVERIFY(writeBytes(path, content));
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("f")));
    else if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    QByteArray read;
    QCOMPARE(errorOf([&] { read = readRegularFile(path, 100, QStringLiteral("trop grand.")); }), expected);
    if (expected.isEmpty())
        QCOMPARE(read, content);
}

// A failed write leaves the earlier file as it was and no temporary file; the message names the
// file as the caller calls it.
void TestFileWriting::writeIsWholeOrNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    AtomicWriter writer;
    const QString path = dir.filePath(QStringLiteral("envoi.zip"));
    writer.write(path, "l'ancienne", QStringLiteral("envoi.zip"));
    QCOMPARE(fileBytes(path), QByteArray("l'ancienne"));

    QStringList asked;
    writer.setFaultHook([&asked](const QString &name) {
        asked << name;
        return true;
    });
    QCOMPARE(errorOf([&] { writer.write(path, "la nouvelle", QStringLiteral("Envoi")); }),
             QStringLiteral("Impossible d'enregistrer le fichier « Envoi » : ") + fileErrorText(QFileDevice::WriteError));
    QCOMPARE(asked, QStringList{QStringLiteral("envoi.zip")});
    QCOMPARE(fileBytes(path), QByteArray("l'ancienne"));
    QCOMPARE(entryNames(dir.path()), QStringList{QStringLiteral("envoi.zip")});

    writer.setFaultHook({});
    const QString message =
        errorOf([&] { writer.write(dir.filePath(QStringLiteral("absent/x.zip")), "x", QStringLiteral("x.zip")); });
    QVERIFY2(message.startsWith(QStringLiteral("Impossible d'enregistrer le fichier « x.zip » : ")), qPrintable(message));
    QCOMPARE(entryNames(dir.path()), QStringList{QStringLiteral("envoi.zip")});
}

void TestFileWriting::replaceAllIsAllOrNothing_data()
{
    QTest::addColumn<QString>("failing");  // the bare name the seam refuses
    QTest::addColumn<QString>("named");    // the file the message names; empty: no failure

    QTest::newRow("no failure") << QString() << QString();
    QTest::newRow("first written") << "a.tmp" << "A";
    QTest::newRow("new one written") << "c.tmp" << "C";
    QTest::newRow("first renamed") << "A" << "A";
    QTest::newRow("second renamed") << "B" << "B";
    QTest::newRow("new one renamed, last") << "C" << "C";
}

// Two files replaced and a new one: a failure at any step leaves the folder byte for byte as it
// was, the new file included (it is removed again).
void TestFileWriting::replaceAllIsAllOrNothing()
{
    QFETCH(QString, failing);
    QFETCH(QString, named);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeBytes(dir.path(), QStringLiteral("a"), "old a"));
    QVERIFY(writeBytes(dir.path(), QStringLiteral("b"), "old b"));
    const QStringList before = snapshot(dir.path());

    AtomicWriter writer;
    writer.setFaultHook([&failing](const QString &name) { return name == failing; });
    const QString message = errorOf([&] {
        writer.replaceAll({{dir.filePath(QStringLiteral("a")), "new a", QStringLiteral("A")},
                           {dir.filePath(QStringLiteral("b")), "new b", QStringLiteral("B")},
                           {dir.filePath(QStringLiteral("c")), "new c", QStringLiteral("C")}});
    });
    if (named.isEmpty()) {
        QCOMPARE(message, QString());
        QCOMPARE(entryNames(dir.path()), (QStringList{"a", "b", "c"}));
        QCOMPARE(fileBytes(dir.path(), QStringLiteral("a")), QByteArray("new a"));
        QCOMPARE(fileBytes(dir.path(), QStringLiteral("c")), QByteArray("new c"));
        return;
    }
    QVERIFY2(message.startsWith(QStringLiteral("Impossible d'enregistrer le fichier « %1 » : ").arg(named)),
             qPrintable(message));
    QCOMPARE(snapshot(dir.path()), before);
}

QTEST_GUILESS_MAIN(TestFileWriting)
#include "tst_filewriting.moc"
