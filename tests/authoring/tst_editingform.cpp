// The editing form TFedit: filled from a stored puzzle, saved whole or not at all, the model
// mode kept, the tone applied on top of the stored one.

#include "AuthoringTestSupport.h"
#include "TestPuzzles.h"
#include "authoring/EditingForm.h"
#include "authoring/UpDownControl.h"
#include "store/PuzzleStore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>

using namespace tivane;
using namespace tivane::AuthoringTest;

namespace {

const QStringList PuzzleFiles{QStringLiteral("image0.bmp"), QStringLiteral("puz0.tvn"), QStringLiteral("vignette0.bmp")};

struct Fixture
{
    QTemporaryDir storeDir;
    PuzzleStore store{storeDir.path()};
    EditingForm form{store};
    QImage stored = busyPicture(360, 360);

    // Puzzle 0 with the description bytes given, its picture and the picture's thumbnail.
    void addPuzzle(const QByteArray &description)
    {
        store.writePicture(PuzzleStore::pictureName(0), stored);
        store.writePicture(PuzzleStore::thumbnailName(0), thumbnailOf(stored));
        store.writeFile(PuzzleStore::descriptionName(0), description);
    }

    static QImage thumbnailOf(QImage picture)
    {
        resampleBitmap(picture, 100, 100);
        return picture;
    }

    QList<QByteArray> files() const
    {
        QList<QByteArray> bytes;
        for (const QString &name : PuzzleFiles)
            bytes << fileBytes(storeDir.path(), name);
        return bytes;
    }
};

const QByteArray Lapins("Lapins\r\n3\r\n2\r\nmod\xE8le=OUI\r\nrotation=OUI\r\ntemps=45\r\ntypemod=2\r\n");

// Saves with ENREGISTRER and acknowledges the message; true once the form has closed.
bool saveAndClose(EditingForm &form, QString *message = nullptr)
{
    ModalAnswerer answerer;
    QTest::mouseClick(button(&form, "SpeedButton2"), Qt::LeftButton);
    const bool closed = QTest::qWaitFor([&] { return !form.isVisible(); });
    if (message && !answerer.texts.isEmpty())
        *message = answerer.texts.first();
    return closed;
}

} // namespace

class TestEditingForm : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void openFillsTheForm_data();
    void openFillsTheForm();
    void saveWithoutChangeRewritesTheSame();
    void modelModeLine_data();
    void modelModeLine();
    void failedSaveLeavesTheOldFiles_data();
    void failedSaveLeavesTheOldFiles();
    void changedElsewhereIsNotOverwritten_data();
    void changedElsewhereIsNotOverwritten();
    void toneSavedTwiceBrightensTwice();
    void newValuesAreSaved();
    void unreadablePuzzleIsNotOpened_data();
    void unreadablePuzzleIsNotOpened();
    void cancellingTheOpenDialogKeepsTheForm();
    void messagesGoOverTheShowingWindow();
    void newPictureReplacesTheStoredOne();
    void cancellingTheFramingClosesTheForm();
};

void TestEditingForm::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, QRect geometry, const QString &text = QString()) {
        QTest::newRow(name) << QString::fromLatin1(name) << geometry << text;
    };
    row("Panel1", {0, 0, 648, 402});
    row("Label1", {8, 8, 257, 25}, QStringLiteral("EDITION D'UN PUZZLE"));
    row("Bmodele", {120, 280, 137, 17}, QStringLiteral("Afficher le modèle"));
    row("Label7", {56, 286, 65, 25}, QStringLiteral("Options:"));
    row("Brotation", {120, 296, 145, 17}, QStringLiteral("Rotation des pièces"));
    row("Label8", {88, 316, 113, 17}, QStringLiteral("Temps limite en s"));
    row("Label9", {104, 330, 97, 17}, QStringLiteral("(0 = sans limite)"));
    row("temps", {208, 320, 33, 24}, QStringLiteral("0"));
    row("UD", {241, 320, 20, 24});
    row("SpeedButton2", {16, 352, 121, 33}, QStringLiteral("ENREGISTRER"));
    row("SpeedButton1", {144, 352, 121, 33}, QStringLiteral("QUITTER"));
    row("Image5", {16, 278, 33, 33});
    row("SpeedButton5", {168, 44, 41, 41});
    row("Edit1", {96, 96, 169, 21}, QStringLiteral("Nom du puzzle"));
    row("UV", {240, 128, 25, 49});
    row("UH", {192, 176, 49, 25});
    row("TTval", {134, 208, 137, 33});
    row("contours", {200, 242, 65, 25}, QStringLiteral("Contours"));
    row("im", {273, 17, 360, 360});
}

void TestEditingForm::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    Fixture f;
    QCOMPARE(f.form.objectName(), QStringLiteral("TFedit"));
    QCOMPARE(f.form.size(), QSize(648, 402));
    QVERIFY(f.form.windowFlags() & Qt::FramelessWindowHint);
    for (const char *absent : {"mod1", "Mod2", "Mod3", "Mod4"})
        QVERIFY(!child<QWidget>(&f.form, absent));
    QCOMPARE(controlsNamed<QRadioButton>(&f.form, QString()).size(), 3);  // R1..R3 only
    QVERIFY(child<QRadioButton>(&f.form, "R1")->isChecked());

    const QList<QWidget *> found = controlsNamed(&f.form, name);
    QCOMPARE(found.size(), 1);
    QWidget *control = found.first();
    QCOMPARE(control->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(control); label && !text.isEmpty())
        QCOMPARE(label->text(), text);
    if (auto *b = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(b->text(), text);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        QCOMPARE(edit->text(), text);
}

void TestEditingForm::openFillsTheForm_data()
{
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("model");
    QTest::addColumn<bool>("rotation");
    QTest::addColumn<int>("time");

    QTest::newRow("seven lines") << Lapins << "Lapins" << 3 << 2 << true << true << 45;
    QTest::newRow("six lines fill UD") << QByteArray("Six\r\n4\r\n3\r\nmod\xE8le=NON\r\nrotation=OUI\r\ntemps=120\r\n")
                                       << "Six" << 4 << 3 << false << true << 120;
    QTest::newRow("five lines give 0") << QByteArray("Cinq\r\n6\r\n1\r\nmod\xE8le=oui\r\nrotation=non\r\n")
                                       << "Cinq" << 6 << 1 << true << false << 0;
    QTest::newRow("time without digits") << QByteArray("\xC9t\xE9\r\n1\r\n6\r\nmod\xE8le=NO\r\nrotation=OUIX\r\ntemps=\r\n")
                                         << "\u00C9t\u00E9" << 1 << 6 << false << true << 0;
}

void TestEditingForm::openFillsTheForm()
{
    QFETCH(QByteArray, description);
    QFETCH(QString, name);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(bool, model);
    QFETCH(bool, rotation);
    QFETCH(int, time);

    Fixture f;
    f.addPuzzle(description);
    // Left over from an earlier opening: tone and contours start afresh.
    child<QSlider>(&f.form, "TTval")->setValue(70);
    button(&f.form, "contours")->setChecked(true);

    QVERIFY(f.form.openFor(0));
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    QCOMPARE(f.form.puzzle(), 0);
    QCOMPARE(child<QLineEdit>(&f.form, "Edit1")->text(), name);
    QCOMPARE(child<UpDownControl>(&f.form, "UH")->position(), cols);
    QCOMPARE(child<UpDownControl>(&f.form, "UV")->position(), rows);
    QCOMPARE(child<QCheckBox>(&f.form, "Bmodele")->isChecked(), model);
    QCOMPARE(child<QCheckBox>(&f.form, "Brotation")->isChecked(), rotation);
    QCOMPARE(child<UpDownControl>(&f.form, "UD")->position(), time);
    QCOMPARE(child<QLineEdit>(&f.form, "temps")->text(), QString::number(time));
    QCOMPARE(child<QSlider>(&f.form, "TTval")->value(), 0);
    QVERIFY(!button(&f.form, "contours")->isChecked());
    QCOMPARE(child<QLabel>(&f.form, "Label2")->text(), QString::number(cols * rows));
    const QImage stored = f.stored.convertToFormat(QImage::Format_RGB888);
    QCOMPARE(f.form.framedPicture(), stored);
    QCOMPARE(f.form.previewPicture(), withGrid(stored, cols, rows));
    QImage contour = stored;
    convolve3x3(contour, ContourKernel);
    QCOMPARE(f.form.contourPicture(), contour);
}

// The description gets its seven lines with the same values, the pictures the same pixels:
// here, the same bytes.
void TestEditingForm::saveWithoutChangeRewritesTheSame()
{
    Fixture f;
    f.addPuzzle(Lapins);
    const QList<QByteArray> before = f.files();
    QSignalSpy finished(&f.form, &QDialog::finished);
    QSignalSpy changed(&f.store, &PuzzleStore::changed);
    QVERIFY(f.form.openFor(0));
    QString message;
    QVERIFY(saveAndClose(f.form, &message));
    QCOMPARE(message, QStringLiteral("Les modifications ont bien été enregistrées."));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(f.files(), before);
    QCOMPARE(entryNames(f.storeDir.path()), PuzzleFiles);
    QVERIFY(!QApplication::overrideCursor());
}

void TestEditingForm::modelModeLine_data()
{
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QByteArray>("lines4to7");

    const QByteArray head("M\r\n2\r\n2\r\n");
    const QByteArray yes("mod\xE8le=OUI\r\nrotation=NON\r\ntemps=0\r\n");
    const QByteArray no("mod\xE8le=NON\r\nrotation=NON\r\ntemps=0\r\n");
    for (int mode = 0; mode <= 3; ++mode) {
        const QByteArray stored = head + (mode ? yes : no) + "typemod=" + QByteArray::number(mode) + "\r\n";
        const QByteArray kept = mode ? QByteArray::number(mode) : QByteArray("1");
        QTest::addRow("mode %d, checked", mode) << stored << true << yes + "typemod=" + kept + "\r\n";
        QTest::addRow("mode %d, unchecked", mode) << stored << false << no + "typemod=0\r\n";
    }
    QTest::newRow("six lines, checked") << head + yes << true << yes + "typemod=1\r\n";
    QTest::newRow("six lines, unchecked") << head + yes << false << no + "typemod=0\r\n";
    QTest::newRow("mode 7, checked") << head + yes + "typemod=7\r\n" << true << yes + "typemod=1\r\n";
}

// Checked, line 7 keeps a stored mode of 1, 2 or 3 and is 1 otherwise; unchecked, it is 0.
void TestEditingForm::modelModeLine()
{
    QFETCH(QByteArray, description);
    QFETCH(bool, checked);
    QFETCH(QByteArray, lines4to7);

    Fixture f;
    f.addPuzzle(description);
    QVERIFY(f.form.openFor(0));
    auto *model = child<QCheckBox>(&f.form, "Bmodele");
    if (model->isChecked() != checked)
        QTest::mouseClick(model, Qt::LeftButton);
    QCOMPARE(model->isChecked(), checked);
    QVERIFY(saveAndClose(f.form));
    QCOMPARE(fileBytes(f.storeDir.path(), QStringLiteral("puz0.tvn")), QByteArray("M\r\n2\r\n2\r\n") + lines4to7);
}

void TestEditingForm::failedSaveLeavesTheOldFiles_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("named");
    QTest::newRow("second file written") << "vignette0.bmp.tmp" << "vignette0.bmp";
    QTest::newRow("first file written") << "image0.bmp.tmp" << "image0.bmp";
    QTest::newRow("second file renamed") << "vignette0.bmp" << "vignette0.bmp";
    QTest::newRow("description renamed") << "puz0.tvn" << "puz0.tvn";
}

// Whatever step fails, the three old files stay byte for byte, nothing else is left behind, the
// message names the file and the form stays open.
void TestEditingForm::failedSaveLeavesTheOldFiles()
{
    QFETCH(QString, failing);
    QFETCH(QString, named);

    Fixture f;
    f.addPuzzle(Lapins);
    const QList<QByteArray> before = f.files();
    QVERIFY(f.form.openFor(0));
    child<QLineEdit>(&f.form, "Edit1")->setText(QStringLiteral("Changé"));
    stepTo(child<UpDownControl>(&f.form, "UH"), 5);
    child<QSlider>(&f.form, "TTval")->setValue(80);
    f.store.setFaultHook([&](const QString &name) { return name == failing; });

    ModalAnswerer answerer;
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_COMPARE(answerer.count(), 1);
    QVERIFY2(answerer.texts.first().startsWith(QStringLiteral("Impossible d'enregistrer le fichier « %1 » :").arg(named)),
             qPrintable(answerer.texts.first()));
    QTRY_COMPARE(QApplication::activeModalWidget(), &f.form);
    QVERIFY(f.form.isVisible());
    QCOMPARE(f.files(), before);
    QCOMPARE(entryNames(f.storeDir.path()), PuzzleFiles);
    QCOMPARE(f.store.readDescription(0).puzzleName, QStringLiteral("Lapins"));
    QVERIFY(!QApplication::overrideCursor());
}

// The stored picture already carries its tone; a new tone goes on top of it.
void TestEditingForm::toneSavedTwiceBrightensTwice()
{
    Fixture f;
    f.addPuzzle(Lapins);
    const ToneCurves curves = buildToneCurves();
    QImage once = f.stored;
    toneFilter(once, curves, 1, 1, 0.5f);
    QImage twice = once;
    toneFilter(twice, curves, 1, 1, 0.5f);

    QVERIFY(f.form.openFor(0));
    child<QSlider>(&f.form, "TTval")->setValue(50);
    QVERIFY(saveAndClose(f.form));
    QCOMPARE(f.store.readPicture(0), rgb32(once));

    QVERIFY(f.form.openFor(0));
    QCOMPARE(child<QSlider>(&f.form, "TTval")->value(), 0);
    child<QSlider>(&f.form, "TTval")->setValue(50);
    QVERIFY(saveAndClose(f.form));
    QCOMPARE(f.store.readPicture(0), rgb32(twice));
    QCOMPARE(f.store.readThumbnail(0), rgb32(Fixture::thumbnailOf(twice)));
    QVERIFY(twice != once);
}

void TestEditingForm::newValuesAreSaved()
{
    Fixture f;
    f.addPuzzle(Lapins);
    QVERIFY(f.form.openFor(0));
    auto *edit = child<QLineEdit>(&f.form, "Edit1");
    edit->selectAll();
    typeText(edit, QStringLiteral("Hérissons"));
    stepTo(child<UpDownControl>(&f.form, "UH"), 6);
    stepTo(child<UpDownControl>(&f.form, "UV"), 5);
    QTest::mouseClick(child<QCheckBox>(&f.form, "Brotation"), Qt::LeftButton);
    auto *timeBox = child<QLineEdit>(&f.form, "temps");
    timeBox->selectAll();
    QTest::keyClicks(timeBox, QStringLiteral("300"));
    QTest::mouseClick(child<QRadioButton>(&f.form, "R3"), Qt::LeftButton);
    QTest::mouseClick(button(&f.form, "contours"), Qt::LeftButton);
    child<QSlider>(&f.form, "TTval")->setValue(25);
    QVERIFY(saveAndClose(f.form));

    QCOMPARE(fileBytes(f.storeDir.path(), QStringLiteral("puz0.tvn")),
             QByteArray("H\xE9rissons\r\n6\r\n5\r\nmod\xE8le=OUI\r\nrotation=NON\r\ntemps=300\r\ntypemod=2\r\n"));
    QImage expected = f.stored;
    convolve3x3(expected, ContourKernel);
    toneFilter(expected, buildToneCurves(), 3, 1, 0.25f);
    QCOMPARE(f.store.readPicture(0), rgb32(expected));

    // The tone buttons stay as they were left; TTval and contours start afresh.
    QVERIFY(f.form.openFor(0));
    QVERIFY(child<QRadioButton>(&f.form, "R3")->isChecked());
    QCOMPARE(f.form.toneCurve(), 3);
    QVERIFY(!button(&f.form, "contours")->isChecked());
    QCOMPARE(f.form.previewPicture(), withGrid(rgb32(expected).convertToFormat(QImage::Format_RGB888), 6, 5));
}

void TestEditingForm::unreadablePuzzleIsNotOpened_data()
{
    QTest::addColumn<QString>("remove");      // a file of the puzzle taken away
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<QString>("message");

    QTest::newRow("no description") << "puz0.tvn" << Lapins
                                    << QStringLiteral("Impossible de lire le fichier « puz0.tvn » : le fichier n'existe pas.");
    QTest::newRow("no picture") << "image0.bmp" << Lapins
                                << QStringLiteral("Impossible de lire le fichier « image0.bmp » : le fichier n'existe pas.");
    QTest::newRow("grid not a number") << QString() << QByteArray("X\r\ntrois\r\n2\r\n")
                                       << QStringLiteral("Impossible de lire le fichier « puz0.tvn » : la ligne 2 ne commence pas par un nombre entier.");
}

void TestEditingForm::unreadablePuzzleIsNotOpened()
{
    QFETCH(QString, remove);
    QFETCH(QByteArray, description);
    QFETCH(QString, message);

    Fixture f;
    f.addPuzzle(description);
    if (!remove.isEmpty())
        QVERIFY(QFile::remove(f.storeDir.filePath(remove)));
    QSignalSpy finished(&f.form, &QDialog::finished);
    ModalAnswerer answerer;
    QVERIFY(!f.form.openFor(0));
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.texts.first(), message);
    QVERIFY(nothingShown(answerer, 1));
    QVERIFY(!f.form.isVisible());
    QCOMPARE(finished.size(), 0);
}

// The editing form always has a picture: cancelling the open dialog leaves it as it was.
void TestEditingForm::cancellingTheOpenDialogKeepsTheForm()
{
    Fixture f;
    f.addPuzzle(Lapins);
    QVERIFY(f.form.openFor(0));
    const QImage preview = f.form.previewPicture();
    ModalAnswerer answerer(answering({}));
    QVERIFY(choosePicture(f.form, answerer));
    QVERIFY(f.form.isVisible());
    QCOMPARE(f.form.previewPicture(), preview);
}

// A puzzle that cannot be opened is reported over the window the form was opened from; the
// save's message goes over the form.
void TestEditingForm::messagesGoOverTheShowingWindow()
{
    QTemporaryDir storeDir;
    PuzzleStore store(storeDir.path());
    QWidget chooser;
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    EditingForm form(store, &chooser);
    QList<QWidget *> over;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (!qobject_cast<QMessageBox *>(modal))
            return;
        over << modal->parentWidget();
        ModalAnswerer::clickStandard(modal, QMessageBox::Ok);
    });

    QVERIFY(!form.openFor(0));
    QTRY_COMPARE(over.size(), 1);
    QCOMPARE(over.constFirst(), &chooser);

    TestPuzzles::add(store, TestPuzzles::description(QStringLiteral("Lapins"), 3, 2));
    QVERIFY(form.openFor(0));
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(button(&form, "SpeedButton2"), Qt::LeftButton);
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(over.size(), 2);
    QCOMPARE(over.constLast(), &form);
    QVERIFY(answerer.texts.contains(QStringLiteral("Les modifications ont bien été enregistrées.")));
}

void TestEditingForm::newPictureReplacesTheStoredOne()
{
    Fixture f;
    f.addPuzzle(Lapins);
    QTemporaryDir pictures;
    const QImage source = busyPicture(500, 700);
    const QString path = pictures.filePath(QStringLiteral("nouvelle.png"));
    QVERIFY(writePng(path, source));

    QVERIFY(f.form.openFor(0));
    child<QSlider>(&f.form, "TTval")->setValue(40);
    ModalAnswerer answerer(answering({path, 20}));
    QVERIFY(choosePicture(f.form, answerer));
    // 20 view pixels at 700 / 360 = 1.9444: (25 - 5) -> 48 - 9 = 39 picture rows.
    const QRect zone(0, 39, 500, 500);
    QCOMPARE(f.form.framingDialog()->selection().toRect(), zone);
    // The new picture shows without tone until the tone is next touched.
    QCOMPARE(f.form.previewPicture(), withGrid(expectedPicture(source, zone), 3, 2));
    QVERIFY(saveAndClose(f.form));
    QCOMPARE(f.store.readPicture(0), rgb32(expectedPicture(source, zone)));
}

void TestEditingForm::cancellingTheFramingClosesTheForm()
{
    Fixture f;
    f.addPuzzle(Lapins);
    QTemporaryDir pictures;
    const QString path = pictures.filePath(QStringLiteral("nouvelle.png"));
    QVERIFY(writePng(path, busyPicture(300, 200)));
    const QList<QByteArray> before = f.files();

    QSignalSpy finished(&f.form, &QDialog::finished);
    QVERIFY(f.form.openFor(0));
    ModalAnswerer answerer(answering({path, 0, false}));
    QVERIFY(choosePicture(f.form, answerer));
    QVERIFY(!f.form.isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(f.files(), before);
}

void TestEditingForm::changedElsewhereIsNotOverwritten_data()
{
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QString>("message");
    QTest::newRow("removed by another program") << true
        << QStringLiteral("Impossible d'enregistrer le fichier « puz0.tvn » : le puzzle a été supprimé entre-temps, "
                          "sans doute depuis un autre poste ; rien n'a été enregistré.");
    QTest::newRow("changed by another program") << false
        << QStringLiteral("Impossible d'enregistrer le fichier « puz0.tvn » : le puzzle a été modifié entre-temps, "
                          "sans doute depuis un autre poste ; rien n'a été enregistré.");
}

// Another program removes or changes the puzzle while the form is open: the save says so, writes
// nothing, and leaves the form open.
void TestEditingForm::changedElsewhereIsNotOverwritten()
{
    QFETCH(bool, removed);
    QFETCH(QString, message);

    Fixture f;
    f.addPuzzle(Lapins);
    QVERIFY(f.form.openFor(0));
    child<QLineEdit>(&f.form, "Edit1")->setText(QStringLiteral("Mon travail"));
    PuzzleStore other(f.storeDir.path());
    if (removed)
        other.deletePuzzle(0);
    else
        other.writeDescription(0, TestPuzzles::description(QStringLiteral("Changé ailleurs"), 4, 4), DescriptionLines::All);
    const QStringList names = entryNames(f.storeDir.path());
    QList<QByteArray> before;
    for (const QString &name : names)
        before << fileBytes(f.storeDir.path(), name);

    ModalAnswerer answerer;
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.texts.first(), message);
    QTRY_COMPARE(QApplication::activeModalWidget(), &f.form);
    QCOMPARE(entryNames(f.storeDir.path()), names);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(fileBytes(f.storeDir.path(), names[i]), before[i]);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestEditingForm)
#include "tst_editingform.moc"
