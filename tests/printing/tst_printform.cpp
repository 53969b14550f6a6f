#include "printing/PrintForm.h"
#include "printing/SheetPainting.h"
#include "store/PuzzleStore.h"
#include "ModalAnswerer.h"
#include "TestPuzzles.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace tivane;

Q_DECLARE_METATYPE(tivane::SheetSize)

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// A store in a temporary folder with one puzzle of flat cells.
struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<PuzzleStore> store;
    int puzzle = -1;

    explicit Fixture(int cols = 3, int rows = 2, QImage picture = {})
    {
        store = std::make_unique<PuzzleStore>(dir.path());
        puzzle = TestPuzzles::add(*store, TestPuzzles::description(QStringLiteral("Chat"), cols, rows),
                                  picture);
    }
};

template <typename T = QWidget>
T *child(QWidget *form, const char *name)
{
    return form->findChild<T *>(QLatin1String(name));
}

bool openForm(PrintForm &form, int puzzle)
{
    return form.openFor(puzzle) && QTest::qWaitForWindowExposed(&form);
}

// Chooses the cut lines' colour through the colour dialog, as a teacher would.
bool chooseColour(PrintForm &form, const QColor &colour)
{
    ModalAnswerer answerer([colour](QWidget *modal) {
        if (auto *dialog = qobject_cast<QColorDialog *>(modal)) {
            dialog->setCurrentColor(colour);
            dialog->accept();
        }
    });
    QTest::mouseClick(child(&form, "Pcoul"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return form.lineColour() == colour; }) && answerer.names == QStringList{"CD"};
}

void click(PrintForm &form, const char *name)
{
    QTest::mouseClick(child(&form, name), Qt::LeftButton);
}

QString textOf(QWidget *widget)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return box->title();
    return {};
}

// The colour of picture cell (col, row) of a cols x rows picture drawn in `edges`, at its centre.
QPoint cellCentre(const Edges &edges, int cols, int rows, int col, int row)
{
    return {edges.left + (2 * col + 1) * edges.width() / (2 * cols),
            edges.top + (2 * row + 1) * edges.height() / (2 * rows)};
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
           && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A PDF printer on A4 paper writing `path`.
std::unique_ptr<QPrinter> pdfPrinter(const QString &path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setOutputFileName(path);
    return printer;
}

// Renders the first page of a PDF with pdftoppm; `crop` (in rendered pixels) limits the area.
QImage renderPdf(const QString &pdf, int dpi, const QRect &crop = {})
{
    QStringList arguments{"-png", "-r", QString::number(dpi), "-singlefile"};
    if (!crop.isNull())
        arguments << "-x" << QString::number(crop.x()) << "-y" << QString::number(crop.y()) << "-W"
                  << QString::number(crop.width()) << "-H" << QString::number(crop.height());
    const QString prefix = pdf + QStringLiteral("-page");
    arguments << pdf << prefix;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), arguments);
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Where a point of the printer's printable area falls on the page rendered at `dpi`.
QPoint onPage(const QPrinter &printer, QPoint device, int dpi)
{
    const QPoint origin = printer.pageLayout().paintRectPixels(printer.resolution()).topLeft();
    const QPointF page = QPointF(origin + device) * dpi / printer.resolution();
    return {int(page.x()), int(page.y())};
}

} // namespace

class TestPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void opensWithTheFullPageLayout();
    void previewPixels();
    void foldLinesAreDashed_data();
    void foldLinesAreDashed();
    void sizeAndMove();
    void quarterMarginStopsAtTheGuard();
    void marginSliderPagesOnAClickBesideItsKnob();
    void keptBetweenOpenings();
    void colourDialogCancelChangesNothing();
    void unreadableFilesGiveAMessage_data();
    void unreadableFilesGiveAMessage();
    void printsIntoPdf_data();
    void printsIntoPdf();
    void paperPictureIsSmooth();
    void printThatCannotStart();
    void printDialogCancelChangesNothing();
    void printDialogPrintsToFile();
};

void TestPrintForm::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const char *parent, QRect geometry, const char *text = "") {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << geometry
                            << QString::fromUtf8(text);
    };
    row("Pimp", "TFimp", {0, 0, 481, 377});
    row("page", "Pimp", {16, 16, 296, 296});
    row("LanceImp", "Pimp", {40, 328, 97, 33}, "IMPRIMER");
    row("annuler", "Pimp", {184, 328, 97, 33}, "FERMER");
    row("GroupBox1", "Pimp", {320, 8, 145, 137}, "TAILLE");
    row("Plein", "GroupBox1", {16, 24, 121, 25}, "Pleine page");
    row("demi", "GroupBox1", {16, 48, 121, 25}, "Demi-page");
    row("quart", "GroupBox1", {16, 72, 121, 25}, "Quart de page");
    row("SpeedButton1", "GroupBox1", {16, 104, 113, 25}, ">> DEPLACER >>");
    row("GroupBox4", "Pimp", {320, 152, 145, 41}, "TRAITS");
    row("Pcoul", "GroupBox4", {24, 18, 97, 15});
    row("GroupBox2", "Pimp", {320, 200, 145, 105}, "MARGES");
    row("Hmarge", "GroupBox2", {8, 24, 129, 33});
    row("LabelH", "GroupBox2", {8, 64, 129, 17}, "Horizontale : 0 mm");
    row("LabelV", "GroupBox2", {24, 80, 113, 17}, "Verticale : 43 mm");
    row("GroupBox3", "Pimp", {320, 312, 145, 49}, "PHOTO");
    row("dimensions", "GroupBox3", {8, 24, 129, 17}, "21,0 cm X 21,0 cm.");
}

void TestPrintForm::controls()
{
    QFETCH(QString, name);
    Fixture fixture;
    PrintForm form(*fixture.store);
    QCOMPARE(form.objectName(), QStringLiteral("TFimp"));
    QCOMPARE(form.size(), QSize(481, 377));
    auto *widget = form.findChild<QWidget *>(name);
    QVERIFY(widget);
    QTEST(widget->parentWidget()->objectName(), "parent");
    QTEST(widget->geometry(), "geometry");
    QTEST(textOf(widget), "text");
}

void TestPrintForm::opensWithTheFullPageLayout()
{
    Fixture fixture(3, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    QVERIFY(form.isModal());
    QVERIFY(child<QRadioButton>(&form, "Plein")->isChecked());
    QCOMPARE(form.layout().orientation, SheetOrientation::Landscape);
    QCOMPARE(form.layout().pictureMm, (Edges{40, 0, 250, 210}));
    QCOMPARE(form.layout().cols, 3);
    QCOMPARE(form.layout().rows, 2);
    QCOMPARE(child<QLabel>(&form, "LabelH")->text(), QStringLiteral("Horizontale : 0 mm"));
    QCOMPARE(child<QLabel>(&form, "LabelV")->text(), QStringLiteral("Verticale : 43 mm"));
    QCOMPARE(child<QLabel>(&form, "dimensions")->text(), QStringLiteral("21,0 cm X 21,0 cm."));
    // The cut lines are white until a colour is chosen.
    QCOMPARE(form.lineColour(), QColor(Qt::white));

    click(form, "annuler");
    QTRY_VERIFY(!form.isVisible());
}

void TestPrintForm::previewPixels()
{
    Fixture fixture(3, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    QVERIFY(chooseColour(form, Red));

    const QImage page = child(&form, "page")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(page.size(), QSize(296, 296));
    // A landscape sheet: 43 grey rows above and below, the picture from x 40 to 249.
    QCOMPARE(page.pixel(150, 20), SheetColours::Surround);
    QCOMPARE(page.pixel(150, 42), SheetColours::Surround);
    QCOMPARE(page.pixel(150, 253), SheetColours::Surround);
    QCOMPARE(page.pixel(20, 100), SheetColours::Sheet);
    QCOMPARE(page.pixel(39, 100), SheetColours::Sheet);
    QCOMPARE(page.pixel(250, 100), SheetColours::Sheet);
    const Edges picture{40, 43, 250, 253};
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            QCOMPARE(page.pixel(cellCentre(picture, 3, 2, col, row)), TestPuzzles::cellColour(row * 3 + col));
    // Cut lines at whole 70 and 105 mm steps, drawn up to the picture's far edge.
    const QRgb red = Red.rgb();
    for (int y : {43, 100, 252})
        for (int x : {110, 180})
            QCOMPARE(page.pixel(x, y), red);
    for (int x : {40, 150, 249})
        QCOMPARE(page.pixel(x, 148), red);
    QCOMPARE(page.pixel(110, 253), SheetColours::Surround);
    QCOMPARE(page.pixel(250, 148), SheetColours::Sheet);
    QVERIFY(page.pixel(111, 100) != red);
    QVERIFY(page.pixel(109, 100) != red);
}

void TestPrintForm::foldLinesAreDashed_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QList<QLine>>("folds");  // preview pixels, end included

    // A half page is a portrait sheet folded across; a quarter page a landscape one folded both ways.
    QTest::newRow("half page") << "demi" << QList<QLine>{QLine(43, 148, 252, 148)};
    QTest::newRow("quarter page") << "quart" << QList<QLine>{QLine(148, 43, 148, 252), QLine(0, 148, 295, 148)};
}

void TestPrintForm::foldLinesAreDashed()
{
    QFETCH(QString, size);
    QFETCH(QList<QLine>, folds);
    // A 1 x 1 puzzle on a white picture: nothing but the folds is dark.
    QImage white(360, 360, QImage::Format_RGB32);
    white.fill(Qt::white);
    Fixture fixture(1, 1, white);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    QTest::mouseClick(child(&form, size.toLatin1().constData()), Qt::LeftButton);
    QTRY_VERIFY(child<QRadioButton>(&form, size.toLatin1().constData())->isChecked());

    const QImage page = child(&form, "page")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QSet<QPoint> dark;
    for (const QLine &fold : folds) {
        // Dashes of 18 pixels and gaps of 6, from the line's start.
        const QPoint step((fold.dx() > 0) - (fold.dx() < 0), (fold.dy() > 0) - (fold.dy() < 0));
        const int length = qMax(qAbs(fold.dx()), qAbs(fold.dy())) + 1;
        for (int i = 0; i < length; ++i) {
            const QPoint at = fold.p1() + i * step;
            const bool inDash = i % 24 < 18;
            QCOMPARE(page.pixel(at), inDash ? SheetColours::Fold : SheetColours::Sheet);
            if (inDash)
                dark.insert(at);
        }
    }
    // Nothing else on the page is black.
    int allDark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            allDark += page.pixel(x, y) == SheetColours::Fold;
    QCOMPARE(allDark, dark.size());
}

void TestPrintForm::sizeAndMove()
{
    Fixture fixture(2, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    auto *margin = child<QSlider>(&form, "Hmarge");

    click(form, "demi");
    QCOMPARE(form.layout().size, SheetSize::Half);
    QCOMPARE(form.layout().orientation, SheetOrientation::Portrait);
    QCOMPARE(child<QLabel>(&form, "dimensions")->text(), QStringLiteral("14,8 cm X 14,8 cm."));
    click(form, "SpeedButton1");
    QCOMPARE(form.layout().slot, 1);
    QCOMPARE(form.layout().pictureMm, (Edges{31, 148, 179, 296}));
    margin->setValue(10);
    QCOMPARE(child<QLabel>(&form, "LabelH")->text(), QStringLiteral("Horizontale : 10 mm"));
    QCOMPARE(child<QLabel>(&form, "LabelV")->text(), QStringLiteral("Verticale : 41 mm"));
    QCOMPARE(form.layout().pictureMm, (Edges{41, 158, 169, 286}));
    // The preview follows: the picture now sits in the bottom half of the portrait sheet.
    const QImage page = child(&form, "page")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(page.pixel(43 + 60, 170), TestPuzzles::cellColour(0));
    QCOMPARE(page.pixel(43 + 60, 60), SheetColours::Sheet);

    // Another size starts over: first zone, no margin.
    click(form, "quart");
    QCOMPARE(form.layout().slot, 0);
    QCOMPARE(margin->value(), 0);
    QCOMPARE(child<QLabel>(&form, "LabelH")->text(), QStringLiteral("Horizontale : 0 mm"));
    QList<QPoint> visited;
    for (int i = 0; i < 4; ++i) {
        click(form, "SpeedButton1");
        visited << form.layout().zoneCentres.at(form.layout().slot);
    }
    QCOMPARE(visited, (QList<QPoint>{{222, 52}, {74, 157}, {222, 157}, {74, 52}}));
}

// Hmarge pages by 10 on a click in the middle of its band, right of the knob and then left.
void TestPrintForm::marginSliderPagesOnAClickBesideItsKnob()
{
    Fixture fixture(2, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    auto *margin = child<QSlider>(&form, "Hmarge");
    const QPoint rightOfKnob(margin->width() - 8, margin->height() / 2);
    QTest::mouseClick(margin, Qt::LeftButton, {}, rightOfKnob);
    QTest::mouseClick(margin, Qt::LeftButton, {}, rightOfKnob);
    QCOMPARE(margin->value(), 20);
    QCOMPARE(child<QLabel>(&form, "LabelH")->text(), QStringLiteral("Horizontale : 20 mm"));
    QTest::mouseClick(margin, Qt::LeftButton, {}, QPoint(8, margin->height() / 2));
    QCOMPARE(margin->value(), 10);
    QCOMPARE(form.layout().photo.marginMm, 10);
}

void TestPrintForm::quarterMarginStopsAtTheGuard()
{
    Fixture fixture(1, 1);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    auto *margin = child<QSlider>(&form, "Hmarge");
    QCOMPARE(margin->maximum(), 60);
    QCOMPARE(margin->pageStep(), 10);

    click(form, "quart");
    QCOMPARE(margin->maximum(), 47);
    margin->setValue(60);
    QCOMPARE(margin->value(), 47);
    QCOMPARE(child<QLabel>(&form, "LabelH")->text(), QStringLiteral("Horizontale : 47 mm"));
    QCOMPARE(child<QLabel>(&form, "LabelV")->text(), QStringLiteral("Verticale : 68 mm"));
    QCOMPARE(child<QLabel>(&form, "dimensions")->text(), QStringLiteral("1,1 cm X 1,1 cm."));
    QCOMPARE(form.layout().pictureMm, (Edges{69, 47, 79, 57}));

    // Back on a full page the slider reaches 60 again.
    click(form, "Plein");
    QCOMPARE(margin->maximum(), 60);
    QCOMPARE(margin->value(), 0);
}

void TestPrintForm::keptBetweenOpenings()
{
    Fixture fixture(2, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    click(form, "quart");
    click(form, "SpeedButton1");
    click(form, "SpeedButton1");
    QVERIFY(chooseColour(form, Blue));
    child<QSlider>(&form, "Hmarge")->setValue(20);
    click(form, "annuler");
    QTRY_VERIFY(!form.isVisible());

    // The picture is read again: the store's picture changed meanwhile.
    const QImage other = TestPuzzles::cellsPicture(3, 3);
    fixture.store->writePicture(PuzzleStore::pictureName(fixture.puzzle), other);
    QVERIFY(openForm(form, fixture.puzzle));
    QVERIFY(child<QRadioButton>(&form, "quart")->isChecked());
    QCOMPARE(form.layout().slot, 2);
    QCOMPARE(form.lineColour(), Blue);
    QCOMPARE(child<QSlider>(&form, "Hmarge")->value(), 0);
    QCOMPARE(child<QLabel>(&form, "LabelH")->text(), QStringLiteral("Horizontale : 0 mm"));
    QCOMPARE(form.photo().pixel(300, 300), TestPuzzles::cellColour(8));
    form.reject();
}

void TestPrintForm::colourDialogCancelChangesNothing()
{
    Fixture fixture(2, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    const QImage before = child(&form, "page")->grab().toImage();
    {
        ModalAnswerer answerer([](QWidget *modal) {
            if (auto *dialog = qobject_cast<QColorDialog *>(modal)) {
                dialog->setCurrentColor(Red);
                dialog->reject();
            }
        });
        click(form, "Pcoul");
        QTRY_COMPARE(answerer.names, QStringList{"CD"});
        QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(&form));
    }
    QCOMPARE(form.lineColour(), QColor(Qt::white));
    QCOMPARE(child<ColourSwatch>(&form, "Pcoul")->colour(), QColor(Qt::white));
    QCOMPARE(child(&form, "page")->grab().toImage(), before);
    form.reject();
}

void TestPrintForm::unreadableFilesGiveAMessage_data()
{
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<QString>("bytes");  // empty: the file is removed
    QTest::addColumn<QString>("message");

    QTest::newRow("picture that is not a BMP") << "image0.bmp" << "not a picture"
                                               << "Impossible de lire le fichier « image0.bmp » :";
    QTest::newRow("missing picture") << "image0.bmp" << ""
                                     << "Impossible de lire le fichier « image0.bmp » : le fichier n'existe pas.";
    QTest::newRow("grid that is not a number") << "puz0.tvn" << "Chat\r\ndeux\r\n2\r\n"
                                               << "puz0.tvn";
}

void TestPrintForm::unreadableFilesGiveAMessage()
{
    QFETCH(QString, damaged);
    QFETCH(QString, bytes);
    QFETCH(QString, message);
    Fixture fixture(2, 2);
    QCOMPARE(fixture.puzzle, 0);
    if (bytes.isEmpty())
        QVERIFY(QFile::remove(fixture.store->filePath(damaged)));
    else
        fixture.store->writeFile(damaged, bytes.toLatin1());

    // The message goes over the window the form was opened from, the form not being up.
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    PrintForm form(*fixture.store, &owner);
    QWidget *over = nullptr;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (!qobject_cast<QMessageBox *>(modal))
            return;
        over = modal->parentWidget();
        ModalAnswerer::clickStandard(modal, QMessageBox::Ok);
    });
    QVERIFY(!form.openFor(fixture.puzzle));
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.titles.constFirst(), QStringLiteral("TIVANE"));
    QVERIFY2(answerer.texts.constFirst().contains(message), qPrintable(answerer.texts.constFirst()));
    QVERIFY(!form.isVisible());
    QCOMPARE(over, &owner);
}

void TestPrintForm::printsIntoPdf_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("moves");

    QTest::newRow("3 x 2, full page") << 3 << 2 << "Plein" << 0;
    QTest::newRow("2 x 4, half page, second half") << 2 << 4 << "demi" << 1;
    QTest::newRow("1 x 1, quarter page, bottom right") << 1 << 1 << "quart" << 3;
}

void TestPrintForm::printsIntoPdf()
{
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QString, size);
    QFETCH(int, moves);
    Fixture fixture(cols, rows);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    click(form, size.toLatin1().constData());
    for (int i = 0; i < moves; ++i)
        click(form, "SpeedButton1");
    QVERIFY(chooseColour(form, Blue));

    const QString pdf = fixture.dir.filePath(QStringLiteral("sheet.pdf"));
    const auto printer = pdfPrinter(pdf);
    QVERIFY(form.printOn(*printer));
    const bool landscape = form.layout().orientation == SheetOrientation::Landscape;
    QCOMPARE(printer->pageLayout().orientation(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

    constexpr int Dpi = 50;
    const QImage page = renderPdf(pdf, Dpi);
    QVERIFY2(!page.isNull(), "pdftoppm could not render the PDF");
    QCOMPARE(page.width() > page.height(), landscape);

    const QSize printable(printer->width(), printer->height());
    const Edges device = deviceEdges(form.layout().pictureMm, form.layout().orientation, printable);
    const auto pixel = [&](QPoint devicePoint) { return page.pixel(onPage(*printer, devicePoint, Dpi)); };

    // Each cell's colour at its centre; paper white just outside the picture.
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col) {
            const QRgb found = pixel(cellCentre(device, cols, rows, col, row));
            QVERIFY2(near(found, TestPuzzles::cellColour(row * cols + col)),
                     qPrintable(QStringLiteral("cell %1, %2: %3").arg(col).arg(row).arg(found, 0, 16)));
        }
    const int gap = printer->resolution() / 10;  // a couple of rendered pixels
    const QPoint middle((device.left + device.right) / 2, (device.top + device.bottom) / 2);
    if (device.left > gap)
        QCOMPARE(pixel({device.left - gap, middle.y()}), qRgb(255, 255, 255));
    if (device.bottom + gap < printable.height())
        QCOMPARE(pixel({middle.x(), device.bottom + gap}), qRgb(255, 255, 255));
    // No fold line, no grey: the sheet around the picture prints white.
    const QRect pictureOnPage(onPage(*printer, {device.left, device.top}, Dpi),
                              onPage(*printer, {device.right, device.bottom}, Dpi));
    for (int y = 0; y < page.height(); y += 3)
        for (int x = 0; x < page.width(); x += 3)
            if (!pictureOnPage.adjusted(-2, -2, 2, 2).contains(x, y))
                QCOMPARE(page.pixel(x, y), qRgb(255, 255, 255));

    // The cut lines where the layout puts them, in the chosen colour, and nowhere else.
    const QList<QLine> lines = cutLines(device, cols, rows);
    QCOMPARE(lines.size(), cols - 1 + rows - 1);
    // Each line is looked for where it crosses the middle of a row (or column) of cells.
    for (const QLine &line : lines) {
        const bool vertical = line.dx() == 0;
        for (int k = 0; k < (vertical ? rows : cols); ++k) {
            const QPoint middleOfCell = cellCentre(device, cols, rows, k, k);
            const QPoint at = onPage(*printer, vertical ? QPoint(line.x1(), middleOfCell.y())
                                                        : QPoint(middleOfCell.x(), line.y1()), Dpi);
            bool found = false;
            for (int d = -1; d <= 1; ++d)
                found = found || page.pixel(vertical ? at + QPoint(d, 0) : at + QPoint(0, d)) == Blue.rgb();
            QVERIFY2(found, qPrintable(QStringLiteral("no cut line at %1, %2").arg(at.x()).arg(at.y())));
        }
    }
    if (lines.isEmpty()) {
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                QVERIFY(!near(page.pixel(x, y), Blue.rgb(), 40));
    }
}

void TestPrintForm::paperPictureIsSmooth()
{
    // Black on the left, white on the right, one puzzle piece: no cut line in the way.
    QImage halves(360, 360, QImage::Format_RGB32);
    halves.fill(Qt::white);
    QPainter(&halves).fillRect(0, 0, 180, 360, Qt::black);
    Fixture fixture(1, 1, halves);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));

    const QString pdf = fixture.dir.filePath(QStringLiteral("sheet.pdf"));
    const auto printer = pdfPrinter(pdf);
    QVERIFY(form.printOn(*printer));
    const Edges device = deviceEdges(form.layout().pictureMm, form.layout().orientation,
                                     QSize(printer->width(), printer->height()));
    // Across the boundary at 300 dpi, where one picture pixel spans about 7 rendered pixels:
    // scaled as blocks the step takes one pixel, scaled smoothly it takes several.
    constexpr int Dpi = 300;
    const QPoint boundary = onPage(*printer, {(device.left + device.right) / 2, device.top + device.height() / 3}, Dpi);
    const QImage strip = renderPdf(pdf, Dpi, QRect(boundary.x() - 30, boundary.y(), 60, 1));
    QVERIFY(!strip.isNull());
    int between = 0;
    for (int x = 0; x < strip.width(); ++x) {
        const int grey = qGray(strip.pixel(x, 0));
        between += grey > 20 && grey < 235;
    }
    QVERIFY(qGray(strip.pixel(0, 0)) < 20);
    QVERIFY(qGray(strip.pixel(59, 0)) > 235);
    QVERIFY2(between >= 4, qPrintable(QString::number(between)));
}

void TestPrintForm::printThatCannotStart()
{
    Fixture fixture(2, 2);
    QWidget owner;
    PrintForm form(*fixture.store, &owner);
    QVERIFY(openForm(form, fixture.puzzle));
    const auto printer = pdfPrinter(fixture.dir.filePath(QStringLiteral("absent/sheet.pdf")));
    // The message goes over the form, which is up.
    QWidget *over = nullptr;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (!qobject_cast<QMessageBox *>(modal))
            return;
        over = modal->parentWidget();
        ModalAnswerer::clickStandard(modal, QMessageBox::Ok);
    });
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!form.printOn(*printer));
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(over, &form);
    QVERIFY2(answerer.texts.constFirst().startsWith(QStringLiteral("Impossible d'enregistrer le fichier « sheet.pdf » :")),
             qPrintable(answerer.texts.constFirst()));
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(fixture.dir.filePath(QStringLiteral("absent/sheet.pdf"))));
    form.reject();
}

void TestPrintForm::printDialogCancelChangesNothing()
{
    Fixture fixture(2, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    const SheetLayout before = form.layout();
    {
        ModalAnswerer answerer([](QWidget *modal) {
            if (auto *dialog = qobject_cast<QPrintDialog *>(modal))
                dialog->reject();
        });
        click(form, "LanceImp");
        QTRY_COMPARE(answerer.names, QStringList{"PD"});
        QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(&form));
        QCOMPARE(answerer.count(), 1);  // and no message
    }
    QCOMPARE(form.layout().pictureMm, before.pictureMm);
    QVERIFY(QDir(fixture.dir.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    form.reject();
}

void TestPrintForm::printDialogPrintsToFile()
{
    Fixture fixture(2, 2);
    PrintForm form(*fixture.store);
    QVERIFY(openForm(form, fixture.puzzle));
    const QString pdf = fixture.dir.filePath(QStringLiteral("from-dialog.pdf"));
    bool typed = false;
    // Qt's dialog with no printer installed offers only "print to file"; its file name is typed in.
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        auto *fileName = modal->findChild<QLineEdit *>(QStringLiteral("filename"));
        if (!dialog || !fileName || !fileName->isEnabled()) {
            modal->close();
            return;
        }
        fileName->setText(pdf);
        typed = true;
        dialog->accept();
    });
    click(form, "LanceImp");
    QTRY_COMPARE(answerer.names, QStringList{"PD"});
    if (!typed)
        QSKIP("a printer is installed: the dialog does not print to a file by default");
    QTRY_VERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &form; }));
    QCOMPARE(answerer.count(), 1);  // no message
    const QImage page = renderPdf(pdf, 50);
    QVERIFY(!page.isNull());
    QVERIFY(page.width() > page.height());
}

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
