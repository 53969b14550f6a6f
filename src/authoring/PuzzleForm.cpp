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
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"
#include "widgets/TrackBar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QToolButton>

namespace tivane {

namespace {

QLabel *formLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text,
                  int fontHeight, const QColor &colour = winColor(WinColors::Blue),
                  Qt::Alignment alignment = Qt::AlignLeft)
{
    QLabel *label = makeLabel(parent, QLatin1String(name), geometry, text, formFont(fontHeight), colour);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QImage thumbnailOf(const QImage &picture)
{
    QImage thumbnail = picture;
    resampleBitmap(thumbnail, 100, 100);
    return thumbnail;
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

PuzzleForm::PuzzleForm(PuzzleStore &store, const FormVariant &variant, QWidget *parent)
    : FramelessDialog(variant.layout.client, parent),
      m_store(store),
      m_layout(variant.layout),
      m_placeholder(variant.placeholder),
      m_savedMessage(variant.savedMessage),
      m_curves(buildToneCurves()),
      // A form without placeholder always has a picture, so cancelling the open dialog never
      // closes it.
      m_pictureChosen(variant.placeholder.isNull())
{
    buildForm(variant.title);
    buildPictureDialog();
    m_framing = new FramingDialog(this);
    connect(m_framing, &QDialog::finished, this, &PuzzleForm::framingFinished);
    m_storeRetry = new StoreRetry(this);
    // Checking R1 at creation applies the tone to the still empty framed picture.
    applyTone();
}

void PuzzleForm::buildForm(const QString &titleText)
{
    const FormLayout &layout = m_layout;

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(rect());

    QLabel *title = makeLabel(m_panel, QStringLiteral("Label1"), layout.title, titleText, formFont(21),
                              winColor(WinColors::Navy));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    for (int i = 0; i < int(layout.stepDiscs.size()); ++i) {
        auto *disc = new QLabel(m_panel);
        disc->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        disc->setGeometry(layout.stepDiscs[size_t(i)]);
        disc->setPixmap(QPixmap::fromImage(stepDisc(i + 1)));
    }

    // Step 1: the picture.
    formLabel(m_panel, "Label3", layout.pictureLabel, QStringLiteral("Choisis l'image:"), 16);
    QToolButton *choose = makeSpeedButton(m_panel, QStringLiteral("SpeedButton5"), layout.pictureButton,
                                          QString(), formFont(11), Qt::black);
    choose->setIcon(QPixmap::fromImage(openFolderGlyph()));
    choose->setIconSize(QSize(32, 32));
    connect(choose, &QToolButton::clicked, this, &PuzzleForm::choosePicture);

    // Step 2: the name.
    formLabel(m_panel, "Label5", layout.nameLabel, QStringLiteral("Nom: "), 16);
    m_name = new QLineEdit(QStringLiteral("Nom du puzzle"), m_panel);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setGeometry(layout.nameBox);
    m_name->setFont(formFont(11));
    m_name->setValidator(new PuzzleNameValidator(m_name));

    // Step 3: the grid.
    formLabel(m_panel, "Label6", layout.gridLabel, QStringLiteral("Nombre de pièces:"), 16);
    auto *shape = new ShapeWidget(Qt::white, 1, m_panel);
    shape->setGeometry(layout.pieceCountShape);
    m_pieceCount = makeLabel(m_panel, QStringLiteral("Label2"), layout.pieceCount, QStringLiteral("4"),
                             formFont(27), winColor(WinColors::Blue));
    m_pieceCount->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_rows = new UpDownControl(Qt::Vertical, 1, 6, 2, m_panel);
    m_rows->setObjectName(QStringLiteral("UV"));
    m_rows->setGeometry(layout.rows);
    m_cols = new UpDownControl(Qt::Horizontal, 1, 6, 2, m_panel);
    m_cols->setObjectName(QStringLiteral("UH"));
    m_cols->setGeometry(layout.cols);
    connect(m_rows, &UpDownControl::clicked, this, &PuzzleForm::drawGrid);
    connect(m_cols, &UpDownControl::clicked, this, &PuzzleForm::drawGrid);

    // Step 4: the tone.
    formLabel(m_panel, "Label4", layout.toneLabel, QStringLiteral("Réglages:"), 16);
    m_toneStrength = new TrackBar(Qt::Horizontal, m_panel);
    m_toneStrength->setObjectName(QStringLiteral("TTval"));
    m_toneStrength->setGeometry(layout.toneStrength);
    m_toneStrength->setRange(0, 100);
    m_toneStrength->setValue(0);
    m_toneStrength->setPageStep(25);
    m_toneStrength->setTickInterval(25);
    m_toneStrength->setTickPosition(QSlider::TicksAbove);
    connect(m_toneStrength, &QSlider::valueChanged, this, &PuzzleForm::applyTone);

    m_toneButtons = new QButtonGroup(this);
    const char *const toneNames[] = {"R1", "R2", "R3"};
    const char *const toneTexts[] = {"atone", "naturel", "contrasté"};
    for (int curve = 1; curve <= 3; ++curve) {
        auto *button = new QRadioButton(QString::fromUtf8(toneTexts[curve - 1]), m_panel);
        button->setObjectName(QLatin1String(toneNames[curve - 1]));
        button->setGeometry(layout.toneButtons[size_t(curve - 1)]);
        button->setFont(formFont(11));
        m_toneButtons->addButton(button, curve);
    }
    m_toneButtons->button(1)->setChecked(true);
    connect(m_toneButtons, &QButtonGroup::idClicked, this, &PuzzleForm::toneButtonClicked);

    m_contours = makeSpeedButton(m_panel, QStringLiteral("contours"), layout.contours,
                                 QStringLiteral("Contours"), formFont(11), Qt::black);
    m_contours->setCheckable(true);
    m_contours->setCursor(Qt::ArrowCursor);
    connect(m_contours, &QToolButton::clicked, this, &PuzzleForm::applyTone);

    // Step 5: the options; the model options are the form's own.
    formLabel(m_panel, "Label7", layout.optionsLabel, QStringLiteral("Options:"), 16);
    m_rotation = new QCheckBox(QStringLiteral("Rotation des pièces"), m_panel);
    m_rotation->setObjectName(QStringLiteral("Brotation"));
    m_rotation->setGeometry(layout.rotation);
    m_rotation->setFont(formFont(13));

    formLabel(m_panel, "Label8", layout.timeLabel, QStringLiteral("Temps limite en s"), 13, Qt::black,
              Qt::AlignRight);
    formLabel(m_panel, "Label9", layout.timeHint, QStringLiteral("(0 = sans limite)"), 13, Qt::black,
              Qt::AlignRight);
    m_time = new QLineEdit(QStringLiteral("0"), m_panel);
    m_time->setObjectName(QStringLiteral("temps"));
    m_time->setGeometry(layout.timeBox);
    m_time->setFont(formFont(13));
    m_time->setValidator(new TimeLimitValidator(m_time));
    m_timeUpDown = new UpDownControl(Qt::Vertical, 0, MaxTimeLimit, 0, m_panel);
    m_timeUpDown->setObjectName(QStringLiteral("UD"));
    m_timeUpDown->setGeometry(layout.timeUpDown);
    m_timeUpDown->setBuddy(m_time);

    // The preview.
    auto *bevel = new QFrame(m_panel);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(layout.bevel);
    m_preview = new PreviewImage(m_panel);
    m_preview->setGeometry(layout.preview);

    QToolButton *save = makeSpeedButton(m_panel, QStringLiteral("SpeedButton2"), layout.saveButton,
                                        QStringLiteral("ENREGISTRER"), formFont(13, true),
                                        winColor(WinColors::DarkGreen));
    QToolButton *quit = makeSpeedButton(m_panel, QStringLiteral("SpeedButton1"), layout.quitButton,
                                        QStringLiteral("QUITTER"), formFont(13, true), winColor(WinColors::DarkRed));
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

bool PuzzleForm::openFor(int puzzle)
{
    return runGuarded(this, [&] {
        prepareFor(puzzle);
        QDialog::open();
    });
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
    takePicture(m_framing->framedZone());
}

void PuzzleForm::takePicture(QImage picture)
{
    // At 360 x 360 already (a stored picture), resampling would only copy it.
    if (picture.size() != QSize(PreviewSide, PreviewSide))
        resampleBitmap(picture, PreviewSide, PreviewSide);
    else
        picture.convertTo(QImage::Format_RGB888);
    QImage contour = picture;
    convolve3x3(contour, ContourKernel);
    m_framedPicture = picture;
    m_contourPicture = contour;
    m_contours->setChecked(false);
    m_preview->setPicture(picture);
    m_previewFresh = true;
    drawGrid();
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
    {
        const QSignalBlocker quiet(m_toneStrength);
        m_toneStrength->setValue(0);
    }
    takePicture(picture);
}

QImage PuzzleForm::pictureWithoutGrid() const
{
    QImage picture = m_preview->picture().copy();
    if (!m_previewFresh)
        invertGrid(picture, m_drawnCols, m_drawnRows);
    return picture;
}

PuzzleDescription PuzzleForm::descriptionFromControls() const
{
    PuzzleDescription d;
    d.puzzleName = m_name->text();
    d.gridCols = m_drawnCols;
    d.gridRows = m_drawnRows;
    d.rotationEnabled = m_rotation->isChecked();
    d.timeLimit = m_timeUpDown->position();
    addModelChoice(d);
    return d;
}

void PuzzleForm::saveClicked()
{
    runGuarded(this, [this] {
        if (!readyToSave())
            return;
        const PuzzleDescription description = descriptionFromControls();
        const QImage picture = pictureWithoutGrid();
        const QImage thumbnail = thumbnailOf(picture);
        // A try made later saves what the form showed at the click.
        m_storeRetry->run([this, description, picture, thumbnail] {
            WaitCursor wait;
            writePuzzle(description, picture, thumbnail);
            wait.restore();
            showMessage(this, m_savedMessage, [this] { done(QDialog::Accepted); });
        });
    });
}

} // namespace tivane
