#pragma once
// What the creation form TFcreer and the editing form TFedit share: the five numbered steps
// (choose and frame a picture, name, grid, tone, options), the 360 x 360 preview with its
// inverted grid, and the working pictures and settings each form keeps between openings.
// Each form adds its own model options and its own save.

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
class QRadioButton;
class QSlider;
class QToolButton;

namespace tivane {

class FramingDialog;
class PuzzleStore;
class StoreRetry;
class UpDownControl;

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
    enum class Kind { Creation, Editing };

    PuzzleForm(PuzzleStore &store, Kind kind, QWidget *parent);

    // ENREGISTRER: runs inside the action guard, so a failure is shown and the form stays.
    virtual void save() = 0;

    // Name, grid, rotation and time limit from the controls; the model fields are the form's.
    PuzzleDescription descriptionFromControls() const;
    static QImage thumbnailOf(const QImage &picture);

    // Panel1, which holds every control; the forms put their model options on it.
    QFrame *panel() const { return m_panel; }
    // The preview gets the placeholder, without grid.
    void showPlaceholder();
    // Starts from a stored picture: framed and "Contours" pictures made from it, contours up,
    // TTval at 0, the tone and grid applied.
    void startFromPicture(const QImage &picture);

    void setZoneFramed(bool framed) { m_zoneFramed = framed; }

    PuzzleStore &m_store;
    // Saves go through it: another program writing to the store at that moment only delays them.
    StoreRetry *m_storeRetry = nullptr;

    QLineEdit *m_name = nullptr;            // Edit1
    UpDownControl *m_rows = nullptr;        // UV
    UpDownControl *m_cols = nullptr;        // UH
    QCheckBox *m_rotation = nullptr;        // Brotation
    QLineEdit *m_time = nullptr;            // temps
    UpDownControl *m_timeUpDown = nullptr;  // UD

private:
    void buildForm(Kind kind);
    void buildPictureDialog();

    // The steps, named after what sets them off.
    void choosePicture();
    void pictureDialogFinished(int result);
    void pictureFileChosen(const QString &path);
    void framingFinished();
    void takeFramedZone();
    void drawGrid();
    void applyTone();
    void toneButtonClicked(int curve);
    void saveClicked();

    ToneCurves m_curves;
    QImage m_placeholder;

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
    QSlider *m_toneStrength = nullptr;      // TTval
    QButtonGroup *m_toneButtons = nullptr;  // R1, R2, R3 (ids 1..3, the curves)
    QToolButton *m_contours = nullptr;      // contours
    PreviewImage *m_preview = nullptr;      // im
    QFileDialog *m_pictureDialog = nullptr; // OP
    FramingDialog *m_framing = nullptr;     // TFchoix
};

} // namespace tivane
