#include "printing/PrintForm.h"

#include "core/Error.h"
#include "core/Fonts.h"
#include "core/WinColor.h"
#include "printing/SheetPainting.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormParts.h"
#include "widgets/TrackBar.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace tivane {

namespace {

constexpr int FormWidth = 481;
constexpr int FormHeight = 377;
const QColor PanelColour(189, 190, 189);

QString printTarget(const QPrinter &printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName()
                                              : QFileInfo(printer.outputFileName()).fileName();
}

Error jobCannotStart(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return cannotWrite(printTarget(printer), QStringLiteral("le fichier ne peut pas être créé."));
    if (printer.printerName().isEmpty())
        return Error(QStringLiteral("Impossible de lancer l'impression : aucune imprimante n'est choisie."));
    return Error(QStringLiteral("Impossible de lancer l'impression sur l'imprimante %1.")
                     .arg(quoted(printer.printerName())));
}

Error jobFailed(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return cannotWrite(printTarget(printer), fileErrorText(QFileDevice::WriteError));
    return Error(QStringLiteral("L'impression sur l'imprimante %1 a échoué.").arg(quoted(printer.printerName())));
}

QGroupBox *makeGroupBox(QWidget *parent, const char *name, const QRect &geometry, const QString &title)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setFont(formFont(13, true));
    return box;
}

QRadioButton *makeRadio(QWidget *parent, const char *name, int top, const QString &text)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(QLatin1String(name));
    radio->setGeometry(16, top, 121, 25);
    radio->setFont(formFont(13));
    radio->setCursor(Qt::PointingHandCursor);
    return radio;
}

QLabel *makeMarginLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(formFont(11));
    return label;
}

} // namespace

SheetPreview::SheetPreview(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetPreview::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void SheetPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

ColourSwatch::ColourSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(const QColor &colour)
{
    m_colour = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
}

void ColourSwatch::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

PrintForm::PrintForm(PuzzleStore &store, QWidget *parent)
    : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("TFimp"));
    setWindowTitle(QStringLiteral("TIVANE"));
    setModal(true);
    setFixedSize(FormWidth, FormHeight);
    buildForm();
    refresh();
}

PrintForm::~PrintForm() = default;

void PrintForm::buildForm()
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Pimp"));
    m_panel->setGeometry(0, 0, FormWidth, FormHeight);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(2);
    QPalette grey = m_panel->palette();
    grey.setColor(QPalette::Window, PanelColour);
    grey.setColor(QPalette::Button, PanelColour);
    m_panel->setPalette(grey);
    m_panel->setAutoFillBackground(true);

    m_page = new SheetPreview(m_panel);
    m_page->setObjectName(QStringLiteral("page"));
    m_page->setGeometry(16, 16, PrintSheet::PreviewSide, PrintSheet::PreviewSide);

    m_printButton = makeSpeedButton(m_panel, QStringLiteral("LanceImp"), QRect(40, 328, 97, 33),
                                    QStringLiteral("IMPRIMER"), formFont(13, true), winColor(WinColors::Maroon));
    connect(m_printButton, &QToolButton::clicked, this, &PrintForm::choosePrinter);
    m_closeButton = makeSpeedButton(m_panel, QStringLiteral("annuler"), QRect(184, 328, 97, 33),
                                    QStringLiteral("FERMER"), formFont(13, true), winColor(WinColors::Maroon));
    connect(m_closeButton, &QToolButton::clicked, this, &PrintForm::reject);

    QGroupBox *sizeBox = makeGroupBox(m_panel, "GroupBox1", QRect(320, 8, 145, 137), QStringLiteral("TAILLE"));
    m_full = makeRadio(sizeBox, "Plein", 24, QStringLiteral("Pleine page"));
    m_half = makeRadio(sizeBox, "demi", 48, QStringLiteral("Demi-page"));
    m_quarter = makeRadio(sizeBox, "quart", 72, QStringLiteral("Quart de page"));
    m_full->setChecked(true);
    m_sizes = new QButtonGroup(this);
    m_sizes->addButton(m_full, int(SheetSize::Full));
    m_sizes->addButton(m_half, int(SheetSize::Half));
    m_sizes->addButton(m_quarter, int(SheetSize::Quarter));
    connect(m_sizes, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            sizeChosen();
    });
    m_moveButton = makeSpeedButton(sizeBox, QStringLiteral("SpeedButton1"), QRect(16, 104, 113, 25),
                                   QStringLiteral(">> DEPLACER >>"), formFont(11, true), winColor(WinColors::Maroon));
    connect(m_moveButton, &QToolButton::clicked, this, &PrintForm::moveToNextZone);

    QGroupBox *linesBox = makeGroupBox(m_panel, "GroupBox4", QRect(320, 152, 145, 41), QStringLiteral("TRAITS"));
    linesBox->setAlignment(Qt::AlignRight);
    m_swatch = new ColourSwatch(linesBox);
    m_swatch->setObjectName(QStringLiteral("Pcoul"));
    m_swatch->setGeometry(24, 18, 97, 15);
    m_swatch->setColour(m_lineColour);
    connect(m_swatch, &ColourSwatch::clicked, this, &PrintForm::chooseColour);

    QGroupBox *marginBox = makeGroupBox(m_panel, "GroupBox2", QRect(320, 200, 145, 105), QStringLiteral("MARGES"));
    m_margin = new TrackBar(Qt::Horizontal, marginBox);
    m_margin->setObjectName(QStringLiteral("Hmarge"));
    m_margin->setGeometry(8, 24, 129, 33);
    m_margin->setRange(0, PrintSheet::MarginSliderMax);
    m_margin->setPageStep(PrintSheet::MarginPageStep);
    m_margin->setTickPosition(QSlider::TicksBelow);
    m_margin->setTickInterval(PrintSheet::MarginPageStep);
    connect(m_margin, &QSlider::valueChanged, this, &PrintForm::marginChanged);
    m_horizontal = makeMarginLabel(marginBox, "LabelH", QRect(8, 64, 129, 17), QStringLiteral("Horizontale :"));
    m_vertical = makeMarginLabel(marginBox, "LabelV", QRect(24, 80, 113, 17), QStringLiteral("Verticale :"));

    QGroupBox *photoBox = makeGroupBox(m_panel, "GroupBox3", QRect(320, 312, 145, 49), QStringLiteral("PHOTO"));
    m_dimensions = makeLabel(photoBox, QStringLiteral("dimensions"), QRect(8, 24, 129, 17), QString(),
                             formFont(15), winColor(WinColors::Maroon));
}

SheetSize PrintForm::checkedSize() const
{
    if (m_half->isChecked())
        return SheetSize::Half;
    if (m_quarter->isChecked())
        return SheetSize::Quarter;
    return SheetSize::Full;
}

bool PrintForm::openFor(int puzzle)
{
    QImage photo;
    PuzzleDescription description;
    const bool read = runGuarded(this, [&] {
        description = m_store.readDescription(puzzle, DescriptionLines::UpToGrid);
        photo = m_store.readPicture(puzzle).convertToFormat(QImage::Format_RGB32);
    });
    if (!read)
        return false;

    m_photo = photo;
    m_puzzleName = description.puzzleName;
    m_cols = description.gridCols;
    m_rows = description.gridRows;
    // The size, the zone and the colour stay from the last opening.
    resetMargin();
    open();
    return true;
}

void PrintForm::sizeChosen()
{
    m_slot = 0;
    resetMargin();
}

void PrintForm::resetMargin()
{
    const QSignalBlocker blocker(m_margin);
    m_margin->setMaximum(marginMaximum(photoRatio(m_photo.size()), checkedSize()));
    m_margin->setValue(0);
    refresh();
}

void PrintForm::moveToNextZone()
{
    m_slot = nextSlot(m_slot, checkedSize());
    refresh();
}

void PrintForm::marginChanged(int)
{
    refresh();
}

void PrintForm::refresh()
{
    m_layout = sheetLayout(m_photo.size(), checkedSize(), m_slot, m_margin->value(), m_cols, m_rows);
    m_slot = m_layout.slot;
    if (m_margin->value() != m_layout.photo.marginMm) {
        const QSignalBlocker blocker(m_margin);
        m_margin->setValue(m_layout.photo.marginMm);
    }
    m_horizontal->setText(horizontalMarginText(m_layout.photo.marginMm));
    m_vertical->setText(verticalMarginText(m_layout.photo.verticalMarginMm));
    m_dimensions->setText(dimensionsText(m_layout.photo.widthMm, m_layout.photo.heightMm));
    m_page->setImage(renderPreview(m_layout, m_photo, m_lineColour));
}

void PrintForm::chooseColour()
{
    auto *dialog = new QColorDialog(m_lineColour, this);
    dialog->setObjectName(QStringLiteral("CD"));
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor &colour) {
        if (!colour.isValid())
            return;
        m_lineColour = colour;
        m_swatch->setColour(colour);
        refresh();
    });
    dialog->open();
}

void PrintForm::choosePrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The dialog shows the orientation the page will be printed in.
    m_printer->setPageOrientation(m_layout.orientation == SheetOrientation::Landscape ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait);
    // The job's title, and the file name the dialog suggests for a PDF.
    QString title = m_puzzleName.simplified();
    title.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    m_printer->setDocName(title.isEmpty() ? QStringLiteral("Tivane") : title);
    auto *dialog = new QPrintDialog(m_printer.get(), this);
    dialog->setObjectName(QStringLiteral("PD"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    closePopupsWithDialog(dialog);
    // One page, printed whole, on a printer or into a PDF file.
    dialog->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    connect(dialog, qOverload<QPrinter *>(&QPrintDialog::accepted), this, [this](QPrinter *printer) {
        printOn(*printer);
    });
    dialog->open();
}

bool PrintForm::printOn(QPrinter &printer)
{
    return runGuarded(this, [&] { print(printer); });
}

void PrintForm::print(QPrinter &printer)
{
    printer.setPageOrientation(m_layout.orientation == SheetOrientation::Landscape ? QPageLayout::Landscape
                                                                                   : QPageLayout::Portrait);
    const QSize printable(printer.width(), printer.height());
    QPainter painter;
    if (!painter.begin(&printer))
        throw jobCannotStart(printer);
    paintOnPaper(painter, m_layout, m_photo, m_lineColour, printable, printer.resolution());
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw jobFailed(printer);
}

} // namespace tivane
