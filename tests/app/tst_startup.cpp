#include "ErrorOf.h"
#include "TestFiles.h"
#include "app/CommandLine.h"
#include "app/StoreFolder.h"
#include "app/Translations.h"
#include "core/Error.h"
#include "store/PuzzleStore.h"
#include "store/StarterPuzzles.h"
#include "widgets/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <iterator>
#include <sys/stat.h>

using namespace tivane;

namespace {

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void storeFolder_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default") << QString() << QStringLiteral("/home/lou/Tivane");
        QTest::newRow("absolute argument") << QStringLiteral("/srv/classe/puzzles") << QStringLiteral("/srv/classe/puzzles");
        QTest::newRow("relative argument") << QStringLiteral("puzzles/../CP") << QDir::current().filePath(QStringLiteral("CP"));
    }

    void storeFolder()
    {
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        QCOMPARE(storeFolderFor(QFile::encodeName(argument), QStringLiteral("/home/lou")), expected);
    }

    // An old USB stick's folder "Classe de Zélie" in Latin-1: the store is that folder, created
    // when missing, and no folder with a replacement character appears beside it.
    void aFolderNameThatIsNotText()
    {
        QTemporaryDir parent;
        const QByteArray named = QFile::encodeName(parent.path()) + "/Classe de Z\xe9lie";
        const QString folder = storeFolderFor(named, QString());
        QVERIFY(checkStoreFolder(folder));
        struct stat info {};
        QCOMPARE(::stat(named.constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode));

        PuzzleStore store(folder);
        store.writeFile(QStringLiteral("puz4.tvn"), "Chez Z\xe9lie\r\n2\r\n2\r\n");
        QCOMPARE(::stat((named + "/puz4.tvn").constData(), &info), 0);
        QCOMPARE(store.listPuzzles().entries.size(), 1);
        const std::filesystem::path parentPath(QFile::encodeName(parent.path()).toStdString());
        const auto inParent = std::distance(std::filesystem::directory_iterator(parentPath), {});
        QCOMPARE(inParent, 1);

        // Named again, the folder that now holds a puzzle is found as it is.
        const QString again = storeFolderFor(named, QString());
        QVERIFY(!checkStoreFolder(again));
        QCOMPARE(PuzzleStore(again).listPuzzles().entries.first().number, 4);
        // QTemporaryDir cannot remove a name it cannot decode.
        std::filesystem::remove_all(parentPath / "Classe de Z\xe9lie");
    }

    void aNewStoreIsSeededOnce()
    {
        QTemporaryDir home;
        const QString folder = storeFolderFor(QByteArray(), home.path());
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(prepareStoreFolder(folder));
        PuzzleStore store(folder);
        QCOMPARE(store.listPuzzles().entries.size(), starterPuzzleCount());
        QVERIFY(starterPuzzleCount() >= 4);

        // A second start, and a start after every puzzle was deleted (their pictures stay),
        // leave the store as it is.
        const QStringList seeded = snapshot(folder);
        QVERIFY(!prepareStoreFolder(folder));
        QCOMPARE(snapshot(folder), seeded);
        for (const StoreEntry &entry : store.listPuzzles().entries)
            store.deletePuzzle(entry.number);
        const QStringList emptied = snapshot(folder);
        QVERIFY(!prepareStoreFolder(folder));
        QCOMPARE(snapshot(folder), emptied);
        QVERIFY(store.listPuzzles().entries.isEmpty());
    }

    // The check made before the first frame creates the folder and writes nothing in it.
    void checkingANewStoreWritesNothing()
    {
        QTemporaryDir home;
        const QString folder = storeFolderFor(QByteArray(), home.path());
        QVERIFY(checkStoreFolder(folder));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(snapshot(folder), QStringList{});
        QVERIFY(checkStoreFolder(folder));
        PuzzleStore store(folder);
        addStarterPuzzles(store);
        QVERIFY(!checkStoreFolder(folder));
    }

    void aStoreWithPuzzlesIsLeftAlone()
    {
        QTemporaryDir dir;
        QFile own(QDir(dir.path()).filePath(QStringLiteral("Puz7.tvn")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("Mon puzzle\r\n3\r\n3\r\n");
        own.close();
        const QStringList before = snapshot(dir.path());
        QVERIFY(!prepareStoreFolder(dir.path()));
        QCOMPARE(snapshot(dir.path()), before);
    }

    void foldersThatCannotServe()
    {
        QTemporaryDir dir;
        QFile file(QDir(dir.path()).filePath(QStringLiteral("fichier")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString underAFile = QDir(file.fileName()).filePath(QStringLiteral("Tivane"));
        QCOMPARE(errorOf([&] { prepareStoreFolder(underAFile); }),
                 QStringLiteral("Le dossier des puzzles « %1 » ne peut pas être créé.").arg(underAFile));
        QCOMPARE(errorOf([&] { prepareStoreFolder(file.fileName()); }),
                 QStringLiteral("Le dossier des puzzles « %1 » n'est pas un dossier.").arg(file.fileName()));
        QVERIFY(!QFileInfo::exists(underAFile));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("output");
        QTest::newRow("nothing") << QStringList{} << -1 << QString() << QString();
        QTest::newRow("a folder") << QStringList{"/tmp/classe"} << -1 << QStringLiteral("/tmp/classe") << QString();
        QTest::newRow("a folder after --") << QStringList{"--", "-moins"} << -1 << QStringLiteral("-moins") << QString();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QString() << QStringLiteral("Utilisation : tivane [DOSSIER]");
        QTest::newRow("-h") << QStringList{"/tmp/x", "-h"} << 0 << QString() << QStringLiteral("Options :");
        QTest::newRow("--version") << QStringList{"--version"} << 0 << QString() << QStringLiteral("Tivane 9.8.7\n");
        QTest::newRow("unknown option") << QStringList{"--plein-ecran"} << 2 << QString()
                                        << QStringLiteral("tivane : option inconnue « --plein-ecran ».");
        QTest::newRow("two folders") << QStringList{"a", "b"} << 2 << QString()
                                     << QStringLiteral("un seul dossier des puzzles");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, folder);
        QFETCH(QString, output);
        QByteArrayList raw{"tivane"};
        for (const QString &argument : arguments)
            raw << QFile::encodeName(argument);
        const CommandLine command = parseCommandLine(raw, QStringLiteral("9.8.7"));
        QCOMPARE(command.exitCode, exitCode);
        QCOMPARE(QFile::decodeName(command.storeFolder), folder);
        QVERIFY2(command.output.contains(output), qPrintable(command.output));
    }

    void qtDialogsSpeakFrench()
    {
        QVERIFY(installFrenchTranslations(*qApp));
        QMessageBox box(QMessageBox::Question, QStringLiteral("TIVANE"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const auto text = [&box](QMessageBox::StandardButton which) { return box.button(which)->text().remove(QLatin1Char('&')); };
        QCOMPARE(text(QMessageBox::Yes), QStringLiteral("Oui"));
        QCOMPARE(text(QMessageBox::No), QStringLiteral("Non"));
        QCOMPARE(text(QMessageBox::Cancel), QStringLiteral("Annuler"));

        // Our own questions read the same whatever the translation.
        QMessageBox *question = askYesNo(nullptr, QStringLiteral("Suppression d'un puzzle"),
                                         QStringLiteral("Confirmez-vous l'effacement ?"), [](bool) {});
        QCOMPARE(question->button(QMessageBox::Yes)->text(), QStringLiteral("Oui"));
        QCOMPARE(question->button(QMessageBox::No)->text(), QStringLiteral("Non"));
        question->done(0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
