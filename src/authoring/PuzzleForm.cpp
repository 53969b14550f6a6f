#include "authoring/PuzzleForm.h"

#include "authoring/AuthoringPictures.h"
#include "authoring/FramingDialog.h"
#include "authoring/GridOverlay.h"
#include "authoring/InputRules.h"
#include "authoring/PictureLoader.h"
#include "authoring/UpDownControl.h"
#include "authoring/WaitCursor.h"
#include "core/Fonts.h"
#include "core/WinColor.h"
#include "widgets/ActionGuard.h"
#include "widgets/FileDialogs.h"
#include "widgets/StoreRetry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardPaths>
#include <QToolButton>

namespace tivane {

namespace {

constexpr quint32 Blue = 0xFF0000;
const QColor DarkGreen(0, 94, 0);
const QColor DarkRed(183, 0, 0);

// What differs in the layout of the two forms.
struct FormLayout
{
    QSize client;
    QString title;
    QPoint optionsLabel;   // Label7
    QPoint rotation;       // Brotation
    QPoint timeLabel;      // Label8
    QPoint timeHint;       // Label9
    QPoint timeBox;        // temps
    QPoint timeUpDown;     // UD
    QPoint saveButton;     // SpeedButton2
    QPoint quitButton;     // SpeedButton1
};

const FormLayout CreationLayout{QSize(648, 437), QStringLiteral("CREATION D'UN PUZZLE"),
                                {56, 278}, {120, 360}, {88, 388}, {104, 402},
                                {208, 392}, {241, 392}, {304, 392}, {480, 392}};
const FormLayout EditingLayout{QSize(648, 402), QStringLiteral("EDITION D'UN PUZZLE"),
                               {56, 286}, {120, 296}, {88, 316}, {104, 330},
                               {208, 320}, {241, 320}, {16, 352}, {144, 352}};

const FormLayout &layoutOf(bool creation) { return creation ? CreationLayout : EditingLayout; }

QLabel *formLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text,
                  int fontHeight, const QColor &colour = winColor(Blue), Qt::Alignment alignment = Qt::AlignLeft)
{
    QLabel *label = makeLabel(parent, QLatin1String(name), geometry, text, formFont(fontHeight), colour);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QString firstPictureFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

} // namespace

PreviewImage::PreviewImage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("im"));
}

void PreviewImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PreviewImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

PuzzleForm::PuzzleForm(PuzzleStore &store, Kind kind, QWidget *parent)
    : FramelessDialog(layoutOf(kind == Kind::Creation).client, parent),
      m_store(store),
      m_curves(buildToneCurves()),
      // The editing form always has a picture, so cancelling the open dialog never closes it.
      m_pictureChosen(kind == Kind::Editing)
{
    if (kind == Kind::Creation)
        m_placeholder = noPicturePlaceholder();
    buildForm(kind);
    buildPictureDialog();
    m_framing = new FramingDialog(this);
    connect(m_framing, &QDialog::finished, this, &PuzzleForm::framingFinished);
    m_storeRetry = new StoreRetry(this);
    // Checking R1 at creation applies the tone to the still empty framed picture.
    applyTone();
}

void PuzzleForm::buildForm(Kind kind)
{
    const FormLayout &layout = layoutOf(kind == Kind::Creation);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(rect());

    QLabel *title = makeLabel(m_panel, QStringLiteral("Label1"), QRect(8, 8, 257, 25), layout.title,
                              formFont(21), winColor(WinColors::Navy));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    const QPoint discs[] = {{16, 48}, {16, 88}, {16, 136}, {16, 208}, {16, 278}};
    for (int i = 0; i < 5; ++i) {
        auto *disc = new QLabel(m_panel);
        disc->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        disc->setGeometry(QRect(discs[i], QSize(33, 33)));
        disc->setPixmap(QPixmap::fromImage(stepDisc(i + 1)));
    }

    // Step 1: the picture.
    formLabel(m_panel, "Label3", QRect(56, 56, 113, 25), QStringLiteral("Choisis l'image:"), 16);
    QToolButton *choose = makeSpeedButton(m_panel, QStringLiteral("SpeedButton5"), QRect(168, 44, 41, 41),
                                          QString(), formFont(11), Qt::black);
    choose->setIcon(QPixmap::fromImage(openFolderGlyph()));
    choose->setIconSize(QSize(32, 32));
    connect(choose, &QToolButton::clicked, this, &PuzzleForm::choosePicture);

    // Step 2: the name.
    formLabel(m_panel, "Label5", QRect(56, 96, 41, 25), QStringLiteral("Nom: "), 16);
    m_name = new QLineEdit(QStringLiteral("Nom du puzzle"), m_panel);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setGeometry(96, 96, 169, 21);
    m_name->setFont(formFont(11));
    m_name->setValidator(new PuzzleNameValidator(m_name));

    // Step 3: the grid.
    formLabel(m_panel, "Label6", QRect(56, 144, 137, 25), QStringLiteral("Nombre de pièces:"), 16);
    auto *shape = new ShapeWidget(Qt::white, 1, m_panel);
    shape->setGeometry(192, 128, 49, 49);
    m_pieceCount = makeLabel(m_panel, QStringLiteral("Label2"), QRect(192, 136, 49, 33), QStringLiteral("4"),
                             formFont(27), winColor(Blue));
    m_pieceCount->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_rows = new UpDownControl(Qt::Vertical, 1, 6, 2, m_panel);
    m_rows->setObjectName(QStringLiteral("UV"));
    m_rows->setGeometry(240, 128, 25, 49);
    m_cols = new UpDownControl(Qt::Horizontal, 1, 6, 2, m_panel);
    m_cols->setObjectName(QStringLiteral("UH"));
    m_cols->setGeometry(192, 176, 49, 25);
    connect(m_rows, &UpDownControl::clicked, this, &PuzzleForm::drawGrid);
    connect(m_cols, &UpDownControl::clicked, this, &PuzzleForm::drawGrid);

    // Step 4: the tone.
    formLabel(m_panel, "Label4", QRect(56, 216, 81, 25), QStringLiteral("Réglages:"), 16);
    m_toneStrength = new QSlider(Qt::Horizontal, m_panel);
    m_toneStrength->setObjectName(QStringLiteral("TTval"));
    m_toneStrength->setGeometry(134, 208, 137, 33);
    m_toneStrength->setRange(0, 100);
    m_toneStrength->setValue(0);
    m_toneStrength->setPageStep(25);
    m_toneStrength->setTickInterval(25);
    m_toneStrength->setTickPosition(QSlider::TicksAbove);
    connect(m_toneStrength, &QSlider::valueChanged, this, &PuzzleForm::applyTone);

    m_toneButtons = new QButtonGroup(this);
    const struct
    {
        const char *name;
        const char *text;
        QRect geometry;
    } tones[] = {{"R1", "atone", QRect(24, 242, 48, 17)},
                 {"R2", "naturel", QRect(72, 242, 56, 17)},
                 {"R3", "contrasté", QRect(128, 242, 72, 17)}};
    for (int curve = 1; curve <= 3; ++curve) {
        auto *button = new QRadioButton(QString::fromUtf8(tones[curve - 1].text), m_panel);
        button->setObjectName(QLatin1String(tones[curve - 1].name));
        button->setGeometry(tones[curve - 1].geometry);
        button->setFont(formFont(11));
        m_toneButtons->addButton(button, curve);
    }
    m_toneButtons->button(1)->setChecked(true);
    connect(m_toneButtons, &QButtonGroup::idClicked, this, &PuzzleForm::toneButtonClicked);

    m_contours = makeSpeedButton(m_panel, QStringLiteral("contours"), QRect(200, 242, 65, 25),
                                 QStringLiteral("Contours"), formFont(11), Qt::black);
    m_contours->setCheckable(true);
    m_contours->setCursor(Qt::ArrowCursor);
    connect(m_contours, &QToolButton::clicked, this, &PuzzleForm::applyTone);

    // Step 5: the options; the model options are the form's own.
    formLabel(m_panel, "Label7", QRect(layout.optionsLabel, QSize(65, 25)), QStringLiteral("Options:"), 16);
    m_rotation = new QCheckBox(QStringLiteral("Rotation des pièces"), m_panel);
    m_rotation->setObjectName(QStringLiteral("Brotation"));
    m_rotation->setGeometry(QRect(layout.rotation, QSize(145, 17)));
    m_rotation->setFont(formFont(13));

    formLabel(m_panel, "Label8", QRect(layout.timeLabel, QSize(113, 17)), QStringLiteral("Temps limite en s"), 13,
              Qt::black, Qt::AlignRight);
    formLabel(m_panel, "Label9", QRect(layout.timeHint, QSize(97, 17)), QStringLiteral("(0 = sans limite)"), 13,
              Qt::black, Qt::AlignRight);
    m_time = new QLineEdit(QStringLiteral("0"), m_panel);
    m_time->setObjectName(QStringLiteral("temps"));
    m_time->setGeometry(QRect(layout.timeBox, QSize(33, 24)));
    m_time->setFont(formFont(13));
    m_time->setValidator(new TimeLimitValidator(m_time));
    m_timeUpDown = new UpDownControl(Qt::Vertical, 0, MaxTimeLimit, 0, m_panel);
    m_timeUpDown->setObjectName(QStringLiteral("UD"));
    m_timeUpDown->setGeometry(QRect(layout.timeUpDown, QSize(20, 24)));
    m_timeUpDown->setBuddy(m_time);

    // The preview.
    auto *bevel = new QFrame(m_panel);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(272, 16, 362, 362);
    m_preview = new PreviewImage(m_panel);
    m_preview->setGeometry(273, 17, 360, 360);

    QToolButton *save = makeSpeedButton(m_panel, QStringLiteral("SpeedButton2"), QRect(layout.saveButton, QSize(121, 33)),
                                        QStringLiteral("ENREGISTRER"), formFont(13, true), DarkGreen);
    QToolButton *quit = makeSpeedButton(m_panel, QStringLiteral("SpeedButton1"), QRect(layout.quitButton, QSize(121, 33)),
                                        QStringLiteral("QUITTER"), formFont(13, true), DarkRed);
    connect(save, &QToolButton::clicked, this, &PuzzleForm::saveClicked);
    connect(quit, &QToolButton::clicked, this, [this] { done(QDialog::Rejected); });
}

void PuzzleForm::buildPictureDialog()
{
    m_pictureDialog = makeFileDialog(this, QStringLiteral("OP"), QStringLiteral("Ouvrir une image"),
                                     QFileDialog::AcceptOpen);
    m_pictureDialog->setNameFilters(pictureNameFilters());
    // The dialog keeps the folder it was left in for the next time.
    m_pictureDialog->setDirectory(firstPictureFolder());
    connect(m_pictureDialog, &QDialog::finished, this, &PuzzleForm::pictureDialogFinished);
}

const QImage &PuzzleForm::previewPicture() const
{
    return m_preview->picture();
}

void PuzzleForm::choosePicture()
{
    m_pictureDialog->open();
}

void PuzzleForm::pictureDialogFinished(int result)
{
    const QStringList files = m_pictureDialog->selectedFiles();
    if (result == QDialog::Accepted && !files.isEmpty()) {
        pictureFileChosen(files.constFirst());
        return;
    }
    if (!m_pictureChosen)
        done(QDialog::Rejected);
}

void PuzzleForm::pictureFileChosen(const QString &path)
{
    m_pictureChosen = true;
    const bool prepared = runGuarded(this, [&] {
        WaitCursor wait;
        m_framing->prepare(loadPicture(path));
    });
    if (prepared)
        m_framing->open();
}

void PuzzleForm::framingFinished()
{
    m_zoneFramed = m_framing->zoneFramed();
    if (!m_zoneFramed) {
        m_framing->releasePicture();
        done(QDialog::Rejected);
        return;
    }
    runGuarded(this, [this] { takeFramedZone(); });
    m_framing->releasePicture();
}

void PuzzleForm::takeFramedZone()
{
    WaitCursor wait;
    QImage framed = m_framing->framedZone();
    resampleBitmap(framed, PreviewSide, PreviewSide);
    QImage contour = framed;
    convolve3x3(contour, ContourKernel);
    m_framedPicture = framed;
    m_contourPicture = contour;
    m_preview->setPicture(framed);
    m_previewFresh = true;
    drawGrid();
    m_contours->setChecked(false);
}

void PuzzleForm::drawGrid()
{
    QImage &picture = m_preview->picture();
    if (!m_previewFresh)
        invertGrid(picture, m_drawnCols, m_drawnRows);
    m_previewFresh = false;
    m_drawnCols = m_cols->position();
    m_drawnRows = m_rows->position();
    invertGrid(picture, m_drawnCols, m_drawnRows);
    m_pieceCount->setText(QString::number(m_drawnRows * m_drawnCols));
    m_preview->update();
}

void PuzzleForm::applyTone()
{
    QImage working = m_contours->isChecked() ? m_contourPicture : m_framedPicture;
    if (!working.isNull())
        toneFilter(working, m_curves, m_toneCurve, 1, static_cast<float>(m_toneStrength->value() / 100.0));
    m_preview->setPicture(working);
    m_previewFresh = true;
    drawGrid();
}

void PuzzleForm::toneButtonClicked(int curve)
{
    m_toneCurve = curve;
    applyTone();
}

void PuzzleForm::showPlaceholder()
{
    m_preview->setPicture(m_placeholder);
    m_previewFresh = true;
}

void PuzzleForm::startFromPicture(const QImage &picture)
{
    QImage framed = picture;
    // Stored pictures are 360 x 360; one of another size (made elsewhere) is brought to it.
    if (framed.size() != QSize(PreviewSide, PreviewSide))
        resampleBitmap(framed, PreviewSide, PreviewSide);
    else
        framed.convertTo(QImage::Format_RGB888);
    QImage contour = framed;
    convolve3x3(contour, ContourKernel);
    m_framedPicture = framed;
    m_contourPicture = contour;
    m_contours->setChecked(false);
    {
        const QSignalBlocker quiet(m_toneStrength);
        m_toneStrength->setValue(0);
    }
    applyTone();
}

QImage PuzzleForm::pictureWithoutGrid() const
{
    QImage picture = m_preview->picture().copy();
    if (!m_previewFresh)
        invertGrid(picture, m_drawnCols, m_drawnRows);
    return picture;
}

QImage PuzzleForm::thumbnailOf(const QImage &picture)
{
    QImage thumbnail = picture;
    resampleBitmap(thumbnail, 100, 100);
    return thumbnail;
}

PuzzleDescription PuzzleForm::descriptionFromControls() const
{
    PuzzleDescription d;
    d.puzzleName = m_name->text();
    d.gridCols = m_drawnCols;
    d.gridRows = m_drawnRows;
    d.rotationEnabled = m_rotation->isChecked();
    d.timeLimit = m_timeUpDown->position();
    return d;
}

void PuzzleForm::saveClicked()
{
    runGuarded(this, [this] { save(); });
}

} // namespace tivane
