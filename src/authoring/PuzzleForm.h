#pragma once
// What the creation form TFcreer and the editing form TFedit share: the five numbered steps
// (choose and frame a picture, name, grid, tone, options), the 360 x 360 preview with its
// inverted grid, the working pictures and settings each form keeps between openings, and the
// one way a form opens and saves. Each variant brings its layout, title, placeholder and
// message, fills itself at an opening, and adds its model options and its own write.

#include "authoring/FormLayout.h"
#include "core/PictureRoutines.h"
#include "store/PuzzleDescription.h"
#include "widgets/FormParts.h"

#include <QFrame>
#include <QImage>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tivane {

class FramingDialog;
class PuzzleStore;
class StoreRetry;
class TrackBar;
class UpDownControl;

// What the creation form opens for: a puzzle still to be made, numbered when it is saved.
inline constexpr int NewPuzzle = -1;

// What a variant brings to the form.
struct FormVariant
{
    QString title;         // Label1
    FormLayout layout;
    QImage placeholder;    // shown at each opening; none when the form always opens on a picture
    QString savedMessage;  // shown once a save went through, before the form closes
};

// im: shows the preview's picture, which the form draws into (nothing while it is null).
class PreviewImage : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewImage(QWidget *parent);

    QImage &picture() { return m_picture; }
    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

class PuzzleForm : public FramelessDialog
{
    Q_OBJECT
public:
    // Fills the form for puzzle N (NewPuzzle for the creation form) and opens it; returns at
    // once, finished() tells when it closed. A puzzle that cannot be read gets one message and
    // the form is not shown (false).
    bool openFor(int puzzle);

    // The working state, for whoever needs to look (tests among them).
    bool zoneFramed() const { return m_zoneFramed; }
    bool pictureChosen() const { return m_pictureChosen; }
    bool previewFresh() const { return m_previewFresh; }
    int drawnCols() const { return m_drawnCols; }
    int drawnRows() const { return m_drawnRows; }
    int toneCurve() const { return m_toneCurve; }
    const QImage &framedPicture() const { return m_framedPicture; }
    const QImage &contourPicture() const { return m_contourPicture; }
    const QImage &previewPicture() const;

    FramingDialog *framingDialog() const { return m_framing; }
    QFileDialog *pictureDialog() const { return m_pictureDialog; }

    // The preview's picture with the grid taken off: what a save writes.
    QImage pictureWithoutGrid() const;

protected:
    PuzzleForm(PuzzleStore &store, const FormVariant &variant, QWidget *parent);

    // The variant's part of an opening, before the form shows; throws when the puzzle cannot
    // be read, and then changes nothing.
    virtual void prepareFor(int puzzle) = 0;
    // Whether ENREGISTRER saves now.
    virtual bool readyToSave() const { return true; }
    // The model answer and mode of the puzzle saved, from the variant's own controls.
    virtual void addModelChoice(PuzzleDescription &description) const = 0;
    // Writes the puzzle's three files; thrown StoreBusy is tried again a little later.
    virtual void writePuzzle(const PuzzleDescription &description, const QImage &picture,
                             const QImage &thumbnail) = 0;

    const FormLayout &formLayout() const { return m_layout; }
    // Panel1, which holds every control; the variants put their model options on it.
    QFrame *panel() const { return m_panel; }
    // The preview gets the placeholder, without grid.
    void showPlaceholder();
    // Starts from a stored picture, with TTval back at 0.
    void startFromPicture(const QImage &picture);

    void setZoneFramed(bool framed) { m_zoneFramed = framed; }

    PuzzleStore &m_store;

    QLineEdit *m_name = nullptr;            // Edit1
    UpDownControl *m_rows = nullptr;        // UV
    UpDownControl *m_cols = nullptr;        // UH
    QCheckBox *m_rotation = nullptr;        // Brotation
    QLineEdit *m_time = nullptr;            // temps
    UpDownControl *m_timeUpDown = nullptr;  // UD

private:
    void buildForm(const QString &title);
    void buildPictureDialog();

    // The steps, named after what sets them off.
    void choosePicture();
    void pictureDialogFinished(int result);
    void pictureFileChosen(const QString &path);
    void framingFinished();
    void takeFramedZone();
    // The framed and "Contours" pictures made from `picture` at 360 x 360, contours up, and the
    // preview showing it without tone, under the grid.
    void takePicture(QImage picture);
    void drawGrid();
    void applyTone();
    void toneButtonClicked(int curve);
    void saveClicked();
    // Name, grid, rotation and time limit from the controls, the model fields from the variant.
    PuzzleDescription descriptionFromControls() const;

    const FormLayout m_layout;
    const QImage m_placeholder;
    const QString m_savedMessage;
    ToneCurves m_curves;
    // Saves go through it: another program writing to the store at that moment only delays them.
    StoreRetry *m_storeRetry = nullptr;

    // Kept between openings, as each form's own.
    QImage m_framedPicture;   // the framed zone at 360 x 360, without tone
    QImage m_contourPicture;  // m_framedPicture through the contour kernel
    int m_toneCurve = 1;
    int m_drawnCols = 2;
    int m_drawnRows = 2;
    bool m_previewFresh = true;
    bool m_pictureChosen = false;
    bool m_zoneFramed = false;

    QFrame *m_panel = nullptr;              // Panel1
    QLabel *m_pieceCount = nullptr;         // Label2
    TrackBar *m_toneStrength = nullptr;     // TTval
    QButtonGroup *m_toneButtons = nullptr;  // R1, R2, R3 (ids 1..3, the curves)
    QToolButton *m_contours = nullptr;      // contours
    PreviewImage *m_preview = nullptr;      // im
    QFileDialog *m_pictureDialog = nullptr; // OP
    FramingDialog *m_framing = nullptr;     // TFchoix
};

} // namespace tivane
