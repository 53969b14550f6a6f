#include "core/Error.h"
#include "TestFiles.h"
#include "library/ArchiveExchange.h"
#include "library/PuzzleChooser.h"
#include "store/PuzzleArchive.h"
#include "store/PuzzleStore.h"
#include "ModalAnswerer.h"
#include "TestPuzzles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tivane;

namespace {

QAction *menuEntry(const PuzzleChooser &chooser, const char *name)
{
    return chooser.findChild<QAction *>(QLatin1String(name));
}

// A chooser, shown, over a store of puzzles 0 and 2 (1 was deleted, its pictures stay), with a
// folder for archives beside the store.
struct Rig
{
    QTemporaryDir root;
    std::unique_ptr<PuzzleStore> store;
    std::unique_ptr<PuzzleChooser> chooser;

    QString archive(const QString &name) const { return root.filePath(name); }
    QString storePath() const { return root.filePath(QStringLiteral("store")); }
    // The chooser's "Exporter" and "Importer".
    ArchiveExchange *exchange() const { return chooser->findChild<ArchiveExchange *>(); }

    bool make()
    {
        if (!root.isValid() || !QDir(root.path()).mkdir(QStringLiteral("store")))
            return false;
        store = std::make_unique<PuzzleStore>(storePath());
        for (const QString &name : {QStringLiteral("Zéro"), QStringLiteral("Un"), QStringLiteral("Deux")})
            TestPuzzles::add(*store, TestPuzzles::description(name, 2, 3));
        store->deletePuzzle(1);
        chooser = std::make_unique<PuzzleChooser>(*store);
        chooser->scanPuzzles();
        chooser->openForChoice();
        return QTest::qWaitForWindowExposed(chooser.get()) && chooser->puzzleNumbers() == QList<int>{0, 2};
    }

    // Ctrl + right click on the thumbnail of `puzzle`, then "Exporter" in the menu.
    bool exportThroughMenu(int puzzle)
    {
        const QList<int> numbers = chooser->puzzleNumbers();
        const qsizetype at = numbers.indexOf(puzzle);
        if (at < 0)
            return false;
        auto *thumbnail = chooser->findChild<ThumbnailLabel *>(QStringLiteral("VV%1").arg(numbers.at(at)));
        auto *menu = chooser->findChild<QMenu *>(QStringLiteral("PP"));
        QTest::mousePress(thumbnail, Qt::RightButton, Qt::ControlModifier, QPoint(50, 50));
        QTest::mouseRelease(thumbnail, Qt::RightButton, Qt::ControlModifier, QPoint(50, 50));
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000))
            return false;
        menu->hide();
        menuEntry(*chooser, "Exporter1")->trigger();
        return true;
    }
};

// Picks `name` in `folder` in a file dialog and accepts it, as a user typing the name would.
void choose(QWidget *modal, const QString &folder, const QString &name)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    QVERIFY(dialog);
    dialog->setDirectory(folder);
    // selectFile() leaves the name box alone while it has the focus: type into it instead.
    auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(nameBox);
    nameBox->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

void checkDialog(const QFileDialog *dialog, QFileDialog::AcceptMode mode)
{
    QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Fichiers archives compressés (*.zip)")});
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("zip"));
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog->acceptMode(), mode);
    QCOMPARE(dialog->fileMode(), mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
}

} // namespace

class TestArchiveExchange : public QObject
{
    Q_OBJECT

private slots:
    void menuEntriesAreOn();
    void exportThroughTheMenu();
    void exportAsksBeforeReplacing_data();
    void exportAsksBeforeReplacing();
    void importThroughTheMenu_data();
    void importThroughTheMenu();
    void failureShowsOneMessage_data();
    void failureShowsOneMessage();
};

void TestArchiveExchange::menuEntriesAreOn()
{
    Rig rig;
    QVERIFY(rig.make());
    QVERIFY(menuEntry(*rig.chooser, "Exporter1")->isEnabled());
    QVERIFY(menuEntry(*rig.chooser, "Importer1")->isEnabled());
    QVERIFY(rig.exchange());
}

// The puzzle whose thumbnail was clicked goes to the name typed, ".zip" added.
void TestArchiveExchange::exportThroughTheMenu()
{
    Rig rig;
    QVERIFY(rig.make());
    QSignalSpy exported(rig.exchange(), &ArchiveExchange::exported);
    QString directory;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("SD"))
            return;
        auto *dialog = static_cast<QFileDialog *>(modal);
        checkDialog(dialog, QFileDialog::AcceptSave);
        directory = dialog->directory().absolutePath();
        choose(modal, rig.root.path(), QStringLiteral("envoi"));
    });
    QVERIFY(rig.exportThroughMenu(2));

    QTRY_COMPARE(exported.count(), 1);
    QCOMPARE(answerer.names, QStringList{QStringLiteral("SD")});
    QCOMPARE(directory, rig.storePath());
    const QString archive = rig.archive(QStringLiteral("envoi.zip"));
    QCOMPARE(exported.first().at(0).toInt(), 2);
    QCOMPARE(exported.first().at(1).toString(), archive);
    const ArchivedPuzzle puzzle = readPuzzleArchive(fileBytes(archive), QStringLiteral("envoi.zip"));
    QCOMPARE(puzzle.description.puzzleName, QStringLiteral("Deux"));
    // The store is as it was.
    QCOMPARE(rig.chooser->puzzleNumbers(), (QList<int>{0, 2}));
}

void TestArchiveExchange::exportAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("Oui") << true;
    QTest::newRow("Non") << false;
}

void TestArchiveExchange::exportAsksBeforeReplacing()
{
    QFETCH(bool, replace);
    Rig rig;
    QVERIFY(rig.make());
    const QString archive = rig.archive(QStringLiteral("envoi.zip"));
    QVERIFY(writeBytes(archive, "l'ancienne archive"));
    QSignalSpy exported(rig.exchange(), &ArchiveExchange::exported);
    QStringList messages;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (modal->objectName() == QLatin1String("SD")) {
            choose(modal, rig.root.path(), QStringLiteral("envoi.zip"));
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            ModalAnswerer::clickStandard(modal, replace ? QMessageBox::Yes : QMessageBox::No);
        }
    });
    QVERIFY(rig.exportThroughMenu(0));

    QTRY_COMPARE(answerer.count(), 2);
    QCOMPARE(answerer.titles.at(1), QStringLiteral("TIVANE"));
    QCOMPARE(messages, QStringList{QStringLiteral("Le fichier « envoi.zip » existe déjà.\nVoulez-vous le remplacer ?")});
    if (replace) {
        QTRY_COMPARE(exported.count(), 1);
        QCOMPARE(readPuzzleArchive(fileBytes(archive), QStringLiteral("envoi.zip")).description.puzzleName,
                 QStringLiteral("Zéro"));
    } else {
        QVERIFY(!QTest::qWaitFor([&exported] { return exported.count() > 0; }, 100));
        QCOMPARE(fileBytes(archive), QByteArray("l'ancienne archive"));
    }
    QCOMPARE(QDir(rig.root.path()).entryList({QStringLiteral("envoi*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("envoi.zip")});
}

void TestArchiveExchange::importThroughTheMenu_data()
{
    QTest::addColumn<int>("busyMs");
    QTest::newRow("store free") << 0;
    QTest::newRow("another program saving for 300 ms") << 300;
}

// The archive's puzzle takes the lowest free number, and the list shows it at once; while another
// program saves into the store, the import waits for it (from a timer) instead of failing.
void TestArchiveExchange::importThroughTheMenu()
{
    QFETCH(int, busyMs);
    Rig rig;
    QVERIFY(rig.make());
    QLockFile otherProgram(QDir(rig.storePath()).filePath(PuzzleStore::lockFileName()));
    if (busyMs > 0) {
        QVERIFY(otherProgram.tryLock(0));
        QTimer::singleShot(busyMs, [&otherProgram] { otherProgram.unlock(); });
    }
    QTemporaryDir elsewhere;
    PuzzleStore other(elsewhere.path());
    for (int i = 0; i < 4; ++i)
        TestPuzzles::add(other, TestPuzzles::description(QStringLiteral("Ailleurs %1").arg(i), 4, 1));
    exportPuzzle(other, 3, rig.archive(QStringLiteral("ailleurs.zip")));

    QSignalSpy imported(rig.exchange(), &ArchiveExchange::imported);
    ModalAnswerer answerer([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("OD"))
            return;
        checkDialog(static_cast<QFileDialog *>(modal), QFileDialog::AcceptOpen);
        choose(modal, rig.root.path(), QStringLiteral("ailleurs.zip"));
    });
    menuEntry(*rig.chooser, "Importer1")->trigger();

    QTRY_COMPARE(imported.count(), 1);
    QCOMPARE(imported.first().at(0).toInt(), 1);
    QTRY_COMPARE(rig.chooser->puzzleNumbers(), (QList<int>{0, 1, 2}));
    QCOMPARE(rig.store->readDescription(1).puzzleName, QStringLiteral("Ailleurs 3"));
    QCOMPARE(fileBytes(rig.store->filePath(QStringLiteral("image1.bmp"))),
             fileBytes(other.filePath(QStringLiteral("image3.bmp"))));
    QCOMPARE(answerer.names, QStringList{QStringLiteral("OD")});
    QVERIFY(rig.chooser->isVisible());
    QCOMPARE(imported.count(), 1);
}

void TestArchiveExchange::failureShowsOneMessage_data()
{
    QTest::addColumn<bool>("import");
    QTest::addColumn<QString>("expected");
    QTest::newRow("import of a text file")
        << true << "Impossible de lire le fichier « envoi.zip » : ce n'est pas une archive ZIP.";
    QTest::newRow("export without its picture")
        << false << "Impossible de lire le fichier « image2.bmp » : le fichier n'existe pas.";
}

// One message naming the file; the store, the list and the archives folder stay as they were.
void TestArchiveExchange::failureShowsOneMessage()
{
    QFETCH(bool, import);
    QFETCH(QString, expected);
    Rig rig;
    QVERIFY(rig.make());
    if (import)
        QVERIFY(writeBytes(rig.archive(QStringLiteral("envoi.zip")), "Ceci n'est pas une archive."));
    else
        QVERIFY(QFile::remove(rig.store->filePath(QStringLiteral("image2.bmp"))));
    const QStringList storeBefore = snapshot(rig.storePath());
    const QStringList archivesBefore = snapshot(rig.root.path());

    QStringList messages;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (qobject_cast<QFileDialog *>(modal)) {
            choose(modal, rig.root.path(), QStringLiteral("envoi.zip"));
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            ModalAnswerer::clickStandard(modal, QMessageBox::Ok);
        }
    });
    if (import)
        menuEntry(*rig.chooser, "Importer1")->trigger();
    else
        QVERIFY(rig.exportThroughMenu(2));

    QTRY_COMPARE(answerer.count(), 2);
    QVERIFY(!QTest::qWaitFor([&answerer] { return answerer.count() > 2; }, 50));
    QCOMPARE(messages, QStringList{expected});
    QCOMPARE(snapshot(rig.storePath()), storeBefore);
    QCOMPARE(snapshot(rig.root.path()), archivesBefore);
    QCOMPARE(rig.chooser->puzzleNumbers(), (QList<int>{0, 2}));
    QVERIFY(rig.chooser->isVisible());
}

QTEST_MAIN(TestArchiveExchange)
#include "tst_archiveexchange.moc"
