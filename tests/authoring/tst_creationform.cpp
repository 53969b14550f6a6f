// The creation form TFcreer: its controls, the grid on the preview, saving a new puzzle byte
// for byte, and everything that must write nothing or keep the form open.

#include "AuthoringTestSupport.h"
#include "TestPuzzles.h"
#include "authoring/AuthoringPictures.h"
#include "authoring/CreationForm.h"
#include "authoring/UpDownControl.h"
#include "store/PuzzleStore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace tivane;
using namespace tivane::AuthoringTest;

namespace {

// A store in one temporary folder and the teacher's pictures in another.
struct Fixture
{
    QTemporaryDir storeDir;
    QTemporaryDir pictures;
    PuzzleStore store{storeDir.path()};
    CreationForm form{store};
    QImage source = busyPicture(800, 600);
    QString sourcePath = pictures.filePath(QStringLiteral("lapins.png"));

    Fixture() { writePng(sourcePath, source); }
};

} // namespace

class TestCreationForm : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void drawnPictures();
    void framedZoneFillsThePreview();
    void gridOnThePreview();
    void toneSliderPagesOnAClickBesideItsKnob();
    void save_data();
    void save();
    void newPuzzleTakesTheLowestFreeNumber();
    void saveBeforeFramingWritesNothing();
    void failedSaveKeepsTheFormOpen();
    void saveWhileAnotherProgramSaves_data();
    void saveWhileAnotherProgramSaves();
    void cancellingTheOpenDialog();
    void cancellingTheFramingClosesTheForm();
    void unreadablePictureKeepsTheForm();
    void nameAndTimeBoxesRefuseWhatCannotBeSaved();
    void settingsStayBetweenOpenings();
    void openDialogNeverMovesTheWorkingDirectory();
    void contoursAndToneBeforeAnyPicture();
};

void TestCreationForm::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");   // width 0: only the position is fixed
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, QRect geometry, const QString &text = QString()) {
        QTest::newRow(name) << QString::fromLatin1(name) << geometry << text;
    };
    row("Panel1", {0, 0, 648, 437});
    row("Label1", {8, 8, 257, 25}, QStringLiteral("CREATION D'UN PUZZLE"));
    row("Image1", {16, 48, 33, 33});
    row("Image2", {16, 88, 33, 33});
    row("Image3", {16, 136, 33, 33});
    row("Image4", {16, 208, 33, 33});
    row("Image5", {16, 278, 33, 33});
    row("Label3", {56, 56, 113, 25}, QStringLiteral("Choisis l'image:"));
    row("SpeedButton5", {168, 44, 41, 41});
    row("Label5", {56, 96, 41, 25}, QStringLiteral("Nom: "));
    row("Edit1", {96, 96, 169, 21}, QStringLiteral("Nom du puzzle"));
    row("Label6", {56, 144, 137, 25}, QStringLiteral("Nombre de pièces:"));
    row("Shape1", {192, 128, 49, 49});
    row("Label2", {192, 136, 49, 33}, QStringLiteral("4"));
    row("UV", {240, 128, 25, 49});
    row("UH", {192, 176, 49, 25});
    row("Label4", {56, 216, 81, 25}, QStringLiteral("Réglages:"));
    row("TTval", {134, 208, 137, 33});
    row("R1", {24, 242, 0, 0}, QStringLiteral("atone"));
    row("R2", {72, 242, 0, 0}, QStringLiteral("naturel"));
    row("R3", {128, 242, 0, 0}, QStringLiteral("contrasté"));
    row("contours", {200, 242, 65, 25}, QStringLiteral("Contours"));
    row("Label7", {56, 278, 65, 25}, QStringLiteral("Options:"));
    row("mod1", {120, 280, 145, 17}, QStringLiteral("Pas de modèle"));
    row("Mod2", {120, 296, 145, 17}, QStringLiteral("Modèle sur clic"));
    row("Mod3", {120, 312, 145, 17}, QStringLiteral("Modèle permanent"));
    row("Mod4", {120, 328, 145, 17}, QStringLiteral("Modèle en dessous"));
    row("Brotation", {120, 360, 145, 17}, QStringLiteral("Rotation des pièces"));
    row("Label8", {88, 388, 113, 17}, QStringLiteral("Temps limite en s"));
    row("Label9", {104, 402, 97, 17}, QStringLiteral("(0 = sans limite)"));
    row("temps", {208, 392, 33, 24}, QStringLiteral("0"));
    row("UD", {241, 392, 20, 24});
    row("Bevel1", {272, 16, 362, 362});
    row("im", {273, 17, 360, 360});
    row("SpeedButton2", {304, 392, 121, 33}, QStringLiteral("ENREGISTRER"));
    row("SpeedButton1", {480, 392, 121, 33}, QStringLiteral("QUITTER"));
}

void TestCreationForm::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    QTemporaryDir dir;
    PuzzleStore store(dir.path());
    CreationForm form(store);
    QCOMPARE(form.objectName(), QStringLiteral("TFcreer"));
    QCOMPARE(form.size(), QSize(648, 437));
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);

    const QList<QWidget *> found = controlsNamed(&form, name);
    QCOMPARE(found.size(), 1);
    QWidget *control = found.first();
    if (geometry.width() == 0)
        QCOMPARE(control->pos(), geometry.topLeft());
    else
        QCOMPARE(control->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(control); label && !text.isEmpty())
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), text);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        QCOMPARE(edit->text(), text);
}

// The placeholder is white with grey writing across its middle; the step discs are blue
// rounds on a clear ground.
void TestCreationForm::drawnPictures()
{
    const QImage placeholder = noPicturePlaceholder();
    QCOMPARE(placeholder.size(), QSize(360, 360));
    QCOMPARE(placeholder.format(), QImage::Format_RGB888);
    int grey = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            const QRgb pixel = placeholder.pixel(x, y);
            const bool ink = pixel != qRgb(255, 255, 255);
            if (ink && (y < 150 || y > 210))
                QFAIL(qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            if (ink && (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel)))
                QFAIL("the writing is not grey");
            grey += pixel == qRgb(128, 128, 128);
        }
    }
    QVERIFY2(grey > 1000, qPrintable(QString::number(grey)));

    for (int n = 1; n <= 5; ++n) {
        const QImage disc = stepDisc(n).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(disc.size(), QSize(33, 33));
        QCOMPARE(qAlpha(disc.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(disc.pixel(32, 32)), 0);
        const QRgb edge = disc.pixel(16, 3);
        QVERIFY(qBlue(edge) > 150 && qRed(edge) < 100);
    }
    QCOMPARE(openFolderGlyph().size(), QSize(32, 32));
}

// Opening shows the placeholder; a framed zone, resampled, replaces it with the grid on top.
void TestCreationForm::framedZoneFillsThePreview()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    QCOMPARE(f.form.previewPicture(), noPicturePlaceholder());
    QVERIFY(f.form.previewFresh());

    ModalAnswerer answerer(answering({f.sourcePath, 45}));
    QVERIFY(choosePicture(f.form, answerer));
    QCOMPARE(answerer.names, (QStringList{"OP", "TFchoix"}));
    QVERIFY(f.form.zoneFramed());
    QVERIFY(f.form.pictureChosen());
    QCOMPARE(f.form.framingDialog()->selection(), (SelectionRect{100, 0, 700, 600}));
    const QImage expected = expectedPicture(f.source, QRect(100, 0, 600, 600));
    QCOMPARE(f.form.framedPicture(), expected);
    QImage contour = expected;
    convolve3x3(contour, ContourKernel);
    QCOMPARE(f.form.contourPicture(), contour);
    QCOMPARE(f.form.previewPicture(), withGrid(expected, 2, 2));
    QVERIFY(!f.form.previewFresh());
    QVERIFY(!child<QToolButton>(&f.form, "contours")->isChecked());
    // The full-resolution picture is not kept once the zone is taken.
    QVERIFY(f.form.framingDialog()->framedZone().isNull());
    QVERIFY(f.form.isVisible());
}

void TestCreationForm::gridOnThePreview()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    ModalAnswerer answerer(answering({f.sourcePath}));
    QVERIFY(choosePicture(f.form, answerer));
    const QImage framed = f.form.framedPicture();
    auto *label = child<QLabel>(&f.form, "Label2");

    stepTo(child<UpDownControl>(&f.form, "UH"), 4);
    stepTo(child<UpDownControl>(&f.form, "UV"), 3);
    QCOMPARE(f.form.drawnCols(), 4);
    QCOMPARE(f.form.drawnRows(), 3);
    QCOMPARE(label->text(), QStringLiteral("12"));
    QCOMPARE(f.form.previewPicture(), withGrid(framed, 4, 3));
    // The vertical line at x = 90 inverts columns 89 and 90, not 88 or 91.
    const QImage preview = f.form.previewPicture();
    QCOMPARE(preview.pixel(89, 10), qRgb(255, 255, 255) ^ (framed.pixel(89, 10) & 0xFFFFFF));
    QCOMPARE(preview.pixel(90, 10), qRgb(255, 255, 255) ^ (framed.pixel(90, 10) & 0xFFFFFF));
    QCOMPARE(preview.pixel(88, 10), framed.pixel(88, 10));
    QCOMPARE(preview.pixel(91, 10), framed.pixel(91, 10));

    stepTo(child<UpDownControl>(&f.form, "UH"), 1);
    stepTo(child<UpDownControl>(&f.form, "UV"), 1);
    QCOMPARE(label->text(), QStringLiteral("1"));
    QCOMPARE(f.form.previewPicture(), framed);
    // The arrows stop at the ends of 1..6; the grid stays as it is.
    QTest::mouseClick(child<UpDownControl>(&f.form, "UH")->downButton(), Qt::LeftButton);
    QCOMPARE(f.form.drawnCols(), 1);
    QCOMPARE(f.form.previewPicture(), framed);
}

// TTval pages by 25 on a click in the middle of its band, right of the knob and then left,
// and the preview takes the tone.
void TestCreationForm::toneSliderPagesOnAClickBesideItsKnob()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    ModalAnswerer answerer(answering({f.sourcePath}));
    QVERIFY(choosePicture(f.form, answerer));
    auto *tone = child<QSlider>(&f.form, "TTval");
    QCOMPARE(tone->value(), 0);

    const QPoint rightOfKnob(tone->width() - 8, tone->height() / 2);
    QTest::mouseClick(tone, Qt::LeftButton, {}, rightOfKnob);
    QTest::mouseClick(tone, Qt::LeftButton, {}, rightOfKnob);
    QCOMPARE(tone->value(), 50);
    QTest::mouseClick(tone, Qt::LeftButton, {}, QPoint(8, tone->height() / 2));
    QCOMPARE(tone->value(), 25);
    QCOMPARE(f.form.previewPicture(),
             withGrid(expectedPicture(f.source, QRect(0, 0, 600, 600), 1, 25), 2, 2));
}

void TestCreationForm::save_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("rotation");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("curve");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("dragBy");
    QTest::addColumn<QRect>("zone");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("Pas de modèle") << 0 << false << "0" << "Lapins" << 3 << 2 << 1 << 0 << 0 << QRect(0, 0, 600, 600)
                                   << QByteArray("Lapins\r\n3\r\n2\r\nmod\xE8le=NON\r\nrotation=NON\r\ntemps=0\r\ntypemod=0\r\n");
    QTest::newRow("Modèle sur clic") << 1 << true << "45" << "Le château" << 4 << 3 << 2 << 25 << 45 << QRect(100, 0, 600, 600)
                                     << QByteArray("Le ch\xE2teau\r\n4\r\n3\r\nmod\xE8le=OUI\r\nrotation=OUI\r\ntemps=45\r\ntypemod=1\r\n");
    QTest::newRow("Modèle permanent, contrasté") << 2 << true << "0" << "Lapins" << 3 << 2 << 3 << 50 << 0 << QRect(0, 0, 600, 600)
                                                 << QByteArray("Lapins\r\n3\r\n2\r\nmod\xE8le=OUI\r\nrotation=OUI\r\ntemps=0\r\ntypemod=2\r\n");
    QTest::newRow("Modèle en dessous") << 3 << false << "600" << "" << 1 << 1 << 1 << 100 << 300 << QRect(200, 0, 600, 600)
                                       << QByteArray("\r\n1\r\n1\r\nmod\xE8le=OUI\r\nrotation=NON\r\ntemps=600\r\ntypemod=3\r\n");
    QTest::newRow("6 x 6, naturel") << 2 << false << "7" << "Six" << 6 << 6 << 2 << 75 << 10 << QRect(22, 0, 600, 600)
                                    << QByteArray("Six\r\n6\r\n6\r\nmod\xE8le=OUI\r\nrotation=NON\r\ntemps=7\r\ntypemod=2\r\n");
}

// ENREGISTRER writes the description byte for byte, the toned zone without the grid and its
// 100 x 100 resample, says so, and closes the form; the preview keeps its grid.
void TestCreationForm::save()
{
    QFETCH(int, mode);
    QFETCH(bool, rotation);
    QFETCH(QString, time);
    QFETCH(QString, name);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(int, curve);
    QFETCH(int, tone);
    QFETCH(int, dragBy);
    QFETCH(QRect, zone);
    QFETCH(QByteArray, bytes);

    Fixture f;
    QSignalSpy finished(&f.form, &QDialog::finished);
    QSignalSpy changed(&f.store, &PuzzleStore::changed);
    QVERIFY(f.form.openFor(NewPuzzle));
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    {
        ModalAnswerer answerer(answering({f.sourcePath, dragBy}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    QCOMPARE(f.form.framingDialog()->selection().toRect(), zone);

    auto *edit = child<QLineEdit>(&f.form, "Edit1");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, name);
    QCOMPARE(edit->text(), name);
    stepTo(child<UpDownControl>(&f.form, "UH"), cols);
    stepTo(child<UpDownControl>(&f.form, "UV"), rows);
    const char *const modelButtons[] = {"mod1", "Mod2", "Mod3", "Mod4"};
    QTest::mouseClick(child<QRadioButton>(&f.form, modelButtons[mode]), Qt::LeftButton);
    if (rotation)
        QTest::mouseClick(child<QCheckBox>(&f.form, "Brotation"), Qt::LeftButton);
    auto *timeBox = child<QLineEdit>(&f.form, "temps");
    timeBox->selectAll();
    QTest::keyClick(timeBox, Qt::Key_Delete);
    QTest::keyClicks(timeBox, time);
    const char *const toneButtons[] = {"R1", "R2", "R3"};
    QTest::mouseClick(child<QRadioButton>(&f.form, toneButtons[curve - 1]), Qt::LeftButton);
    child<QSlider>(&f.form, "TTval")->setValue(tone);
    // Model and tone buttons are two groups: choosing in one leaves the other as it is.
    QVERIFY(child<QRadioButton>(&f.form, modelButtons[mode])->isChecked());
    QVERIFY(child<QRadioButton>(&f.form, toneButtons[curve - 1])->isChecked());
    QCOMPARE(f.form.toneCurve(), curve);

    const QImage expected = expectedPicture(f.source, zone, curve, tone);
    QCOMPARE(f.form.previewPicture(), withGrid(expected, cols, rows));

    QStringList buttons;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            for (const QAbstractButton *b : box->buttons())
                buttons << b->text();
            box->buttons().constFirst()->click();
        }
    });
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_VERIFY(!f.form.isVisible());
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.texts.first(), QStringLiteral("Le nouveau puzzle a bien été enregistré."));
    QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(answerer.titles, QStringList{QStringLiteral("TIVANE")});
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QVERIFY(f.form.puzzleSaved());
    QCOMPARE(changed.size(), 1);
    QVERIFY(!QApplication::overrideCursor());

    QCOMPARE(entryNames(f.storeDir.path()), (QStringList{"image0.bmp", "puz0.tvn", "vignette0.bmp"}));
    QCOMPARE(fileBytes(f.storeDir.path(), QStringLiteral("puz0.tvn")), bytes);
    QCOMPARE(QFileInfo(f.storeDir.filePath(QStringLiteral("image0.bmp"))).size(), 388854);
    QCOMPARE(QFileInfo(f.storeDir.filePath(QStringLiteral("vignette0.bmp"))).size(), 30054);
    QCOMPARE(f.store.readPicture(0), rgb32(expected));
    QImage thumbnail = expected;
    resampleBitmap(thumbnail, 100, 100);
    QCOMPARE(f.store.readThumbnail(0), rgb32(thumbnail));
    // The grid was never on the saved picture, and is still on the preview.
    QCOMPARE(f.form.previewPicture(), withGrid(expected, cols, rows));
}

void TestCreationForm::newPuzzleTakesTheLowestFreeNumber()
{
    Fixture f;
    for (int n = 0; n < 4; ++n)
        TestPuzzles::add(f.store, TestPuzzles::description(QStringLiteral("p%1").arg(n), 2, 2));
    f.store.deletePuzzle(2);
    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({f.sourcePath}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    ModalAnswerer answerer;
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_VERIFY(!f.form.isVisible());
    QCOMPARE(f.store.readDescription(2).puzzleName, QStringLiteral("Nom du puzzle"));
    QCOMPARE(f.store.readPicture(2), rgb32(expectedPicture(f.source, QRect(0, 0, 600, 600))));
    QCOMPARE(f.store.listPuzzles().entries.size(), 4);
}

// Before a zone is framed in this opening, ENREGISTRER writes nothing and says nothing, even
// when an earlier opening framed one.
void TestCreationForm::saveBeforeFramingWritesNothing()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    ModalAnswerer answerer(answering({f.sourcePath}));
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QVERIFY(nothingShown(answerer, 0));
    QVERIFY(f.form.isVisible());
    QVERIFY(entryNames(f.storeDir.path()).isEmpty());

    QVERIFY(choosePicture(f.form, answerer));
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_VERIFY(!f.form.isVisible());
    QCOMPARE(f.store.listPuzzles().entries.size(), 1);

    QVERIFY(f.form.openFor(NewPuzzle));
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    // The answerer sees the form itself come up, as a modal window.
    QTRY_COMPARE(answerer.names.constLast(), QStringLiteral("TFcreer"));
    const int shown = answerer.count();
    QVERIFY(!f.form.zoneFramed());
    QVERIFY(!f.form.puzzleSaved());
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QVERIFY(nothingShown(answerer, shown));
    QVERIFY(f.form.isVisible());
    QCOMPARE(f.store.listPuzzles().entries.size(), 1);
}

// A save that fails names the file, writes no description, keeps the form open and does not
// count as saved; the hourglass is gone.
void TestCreationForm::failedSaveKeepsTheFormOpen()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({f.sourcePath}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    f.store.setFaultHook([](const QString &name) { return name == QLatin1String("vignette0.bmp"); });
    ModalAnswerer answerer;
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_COMPARE(answerer.count(), 1);
    QVERIFY2(answerer.texts.first().startsWith(QStringLiteral("Impossible d'enregistrer le fichier « vignette0.bmp » :")),
             qPrintable(answerer.texts.first()));
    QTRY_COMPARE(QApplication::activeModalWidget(), &f.form);
    QVERIFY(f.form.isVisible());
    QVERIFY(!f.form.puzzleSaved());
    QVERIFY(f.store.listPuzzles().entries.isEmpty());
    QVERIFY(!QFileInfo::exists(f.storeDir.filePath(QStringLiteral("puz0.tvn"))));
    QVERIFY(!QApplication::overrideCursor());

    // Once the store takes it, the same form saves.
    f.store.setFaultHook({});
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_VERIFY(!f.form.isVisible());
    QVERIFY(f.form.puzzleSaved());
    QCOMPARE(f.store.listPuzzles().entries.size(), 1);
}

// Cancelling the open dialog closes the form until a picture has been chosen in it once.
void TestCreationForm::cancellingTheOpenDialog()
{
    Fixture f;
    QSignalSpy finished(&f.form, &QDialog::finished);
    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    QVERIFY(!f.form.isVisible());
    QCOMPARE(finished.size(), 1);

    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({f.sourcePath}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    QTest::mouseClick(button(&f.form, "SpeedButton1"), Qt::LeftButton);  // QUITTER
    QVERIFY(!f.form.isVisible());
    QCOMPARE(finished.size(), 2);
    QVERIFY(entryNames(f.storeDir.path()).isEmpty());

    // A later opening: cancelling now leaves the form open.
    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    QVERIFY(f.form.isVisible());
    QCOMPARE(f.form.previewPicture(), noPicturePlaceholder());
}

void TestCreationForm::cancellingTheFramingClosesTheForm()
{
    Fixture f;
    QSignalSpy finished(&f.form, &QDialog::finished);
    QVERIFY(f.form.openFor(NewPuzzle));
    ModalAnswerer answerer(answering({f.sourcePath, 20, false}));
    QVERIFY(choosePicture(f.form, answerer));
    QVERIFY(!f.form.isVisible());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    QVERIFY(!f.form.zoneFramed());
    QVERIFY(f.form.framedPicture().isNull());
}

void TestCreationForm::unreadablePictureKeepsTheForm()
{
    Fixture f;
    const QString garbage = f.pictures.filePath(QStringLiteral("photo.jpg"));
    {
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3000, '\x5A'));
    }
    QVERIFY(f.form.openFor(NewPuzzle));
    ModalAnswerer answerer(answering({garbage}));
    QVERIFY(choosePicture(f.form, answerer));
    QCOMPARE(answerer.names.size(), 2);  // the open dialog, then the message
    QCOMPARE(answerer.texts.last(), QStringLiteral("Impossible de lire le fichier « photo.jpg » : ce n'est pas une image dans un format connu."));
    QVERIFY(f.form.isVisible());
    QVERIFY(f.form.pictureChosen());
    QVERIFY(!f.form.zoneFramed());
    QCOMPARE(f.form.previewPicture(), noPicturePlaceholder());
    QVERIFY(!QApplication::overrideCursor());
}

void TestCreationForm::nameAndTimeBoxesRefuseWhatCannotBeSaved()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    auto *edit = child<QLineEdit>(&f.form, "Edit1");
    edit->clear();
    typeText(edit, QStringLiteral("Lapins \u263A\u00E9t\u00E9 \u20AC"));
    QCOMPARE(edit->text(), QStringLiteral("Lapins \u00E9t\u00E9 \u20AC"));
    edit->insert(QStringLiteral("un\ndeux"));  // a pasted line break is refused whole
    QCOMPARE(edit->text(), QStringLiteral("Lapins \u00E9t\u00E9 \u20AC"));

    auto *timeBox = child<QLineEdit>(&f.form, "temps");
    auto *upDown = child<UpDownControl>(&f.form, "UD");
    timeBox->clear();
    QTest::keyClicks(timeBox, QStringLiteral("7a00"));
    QCOMPARE(timeBox->text(), QStringLiteral("70"));  // the letter and the 700 are refused
    QCOMPARE(upDown->position(), 70);
    QTest::mouseClick(upDown->upButton(), Qt::LeftButton);
    QCOMPARE(timeBox->text(), QStringLiteral("71"));
    timeBox->clear();
    QCOMPARE(upDown->position(), 0);
    QTest::keyClicks(timeBox, QStringLiteral("600"));
    QTest::mouseClick(upDown->upButton(), Qt::LeftButton);
    QCOMPARE(timeBox->text(), QStringLiteral("600"));
}

// A new opening shows the placeholder and wants a new zone; everything else is as it was left.
void TestCreationForm::settingsStayBetweenOpenings()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({f.sourcePath}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    child<QLineEdit>(&f.form, "Edit1")->setText(QStringLiteral("Gardé"));
    stepTo(child<UpDownControl>(&f.form, "UH"), 5);
    QTest::mouseClick(child<QRadioButton>(&f.form, "R2"), Qt::LeftButton);
    child<QSlider>(&f.form, "TTval")->setValue(30);
    QTest::mouseClick(button(&f.form, "contours"), Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>(&f.form, "Mod4"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(&f.form, "Brotation"), Qt::LeftButton);
    child<QLineEdit>(&f.form, "temps")->setText(QStringLiteral("90"));
    QImage contour = f.form.framedPicture();
    convolve3x3(contour, ContourKernel);
    toneFilter(contour, buildToneCurves(), 2, 1, 0.3f);
    QCOMPARE(f.form.previewPicture(), withGrid(contour, 5, 2));
    const QImage framed = f.form.framedPicture();
    QTest::mouseClick(button(&f.form, "SpeedButton1"), Qt::LeftButton);

    QVERIFY(f.form.openFor(NewPuzzle));
    QCOMPARE(f.form.previewPicture(), noPicturePlaceholder());
    QVERIFY(!f.form.zoneFramed());
    QCOMPARE(child<QLineEdit>(&f.form, "Edit1")->text(), QStringLiteral("Gardé"));
    QCOMPARE(child<UpDownControl>(&f.form, "UH")->position(), 5);
    QVERIFY(child<QRadioButton>(&f.form, "R2")->isChecked());
    QCOMPARE(child<QSlider>(&f.form, "TTval")->value(), 30);
    QVERIFY(button(&f.form, "contours")->isChecked());
    QVERIFY(child<QRadioButton>(&f.form, "Mod4")->isChecked());
    QVERIFY(child<QCheckBox>(&f.form, "Brotation")->isChecked());
    QCOMPARE(child<QLineEdit>(&f.form, "temps")->text(), QStringLiteral("90"));
    QCOMPARE(f.form.framedPicture(), framed);

    // The tone now shows the last opening's framed picture, yet ENREGISTRER still waits for a
    // new zone.
    child<QSlider>(&f.form, "TTval")->setValue(40);
    QVERIFY(!f.form.previewPicture().isNull());
    QVERIFY(f.form.previewPicture() != noPicturePlaceholder());
    ModalAnswerer answerer;
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QVERIFY(nothingShown(answerer, 0));
    QVERIFY(entryNames(f.storeDir.path()).isEmpty());
}

// OP opens in the Pictures folder (or home), lists the picture formats and every file, keeps
// the folder last used and leaves the working directory alone.
void TestCreationForm::openDialogNeverMovesTheWorkingDirectory()
{
    Fixture f;
    const QString working = QDir::currentPath();
    QFileDialog *dialog = f.form.pictureDialog();
    QCOMPARE(dialog->objectName(), QStringLiteral("OP"));
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->nameFilters().size(), 2);
    QCOMPARE(dialog->nameFilters().last(), QStringLiteral("Tous les fichiers (*)"));
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString first = QDir(pictures).exists() ? pictures : QDir::homePath();
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(first).canonicalPath());

    QVERIFY(f.form.openFor(NewPuzzle));
    ModalAnswerer answerer(answering({f.sourcePath}));
    QVERIFY(choosePicture(f.form, answerer));
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(f.pictures.path()).canonicalPath());
    QCOMPARE(QDir::currentPath(), working);
}

// Before any picture has been framed in the run, a tone change or Contours shows the empty
// framed picture: nothing.
void TestCreationForm::contoursAndToneBeforeAnyPicture()
{
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    QTest::mouseClick(button(&f.form, "contours"), Qt::LeftButton);
    QVERIFY(f.form.previewPicture().isNull());
    QCOMPARE(child<QLabel>(&f.form, "Label2")->text(), QStringLiteral("4"));
    child<QSlider>(&f.form, "TTval")->setValue(60);
    QVERIFY(f.form.previewPicture().isNull());
}

void TestCreationForm::saveWhileAnotherProgramSaves_data()
{
    QTest::addColumn<int>("heldMs");  // -1: longer than the form tries
    QTest::newRow("freed after 300 ms") << 300;
    QTest::newRow("held throughout") << -1;
}

// Another program on the same folder holds the store's lock: the save is tried again from a
// timer (the form stays responsive), goes through once the lock is freed, and otherwise ends,
// after 3 s, with a message saying the folder is busy, nothing written, the form open.
void TestCreationForm::saveWhileAnotherProgramSaves()
{
    QFETCH(int, heldMs);
    Fixture f;
    QVERIFY(f.form.openFor(NewPuzzle));
    {
        ModalAnswerer answerer(answering({f.sourcePath}));
        QVERIFY(choosePicture(f.form, answerer));
    }
    auto other = std::make_unique<QLockFile>(f.storeDir.filePath(PuzzleStore::lockFileName()));
    QVERIFY(other->tryLock(0));
    if (heldMs >= 0)
        QTimer::singleShot(heldMs, [&other] { other->unlock(); });

    ModalAnswerer answerer;
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    // The click returned while the store was busy.
    QVERIFY(f.form.isVisible());
    QVERIFY(!f.form.puzzleSaved());
    // A second click meanwhile does not save a second puzzle.
    QTest::mouseClick(button(&f.form, "SpeedButton2"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(answerer.count(), 1, 5000);
    if (heldMs >= 0) {
        QCOMPARE(answerer.texts.first(), QStringLiteral("Le nouveau puzzle a bien été enregistré."));
        QTRY_VERIFY(!f.form.isVisible());
        QVERIFY(f.form.puzzleSaved());
        QCOMPARE(f.store.listPuzzles().entries.size(), 1);
    } else {
        QVERIFY2(answerer.texts.first().startsWith(QStringLiteral("Le dossier des puzzles « %1 » est occupé")
                                                       .arg(QDir::toNativeSeparators(f.storeDir.path()))),
                 qPrintable(answerer.texts.first()));
        QTRY_COMPARE(QApplication::activeModalWidget(), &f.form);
        QVERIFY(!f.form.puzzleSaved());
        QCOMPARE(entryNames(f.storeDir.path()), QStringList{PuzzleStore::lockFileName()});
    }
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestCreationForm)
#include "tst_creationform.moc"
