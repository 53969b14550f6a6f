#pragma once
// The print form TFimp: a preview of the sheet at one pixel per millimetre, the choice of a full,
// half or quarter page and of the zone that receives the picture, the margin slider, the colour
// of the cut lines, and IMPRIMER, which prints the same layout on the printer (or PDF file)
// chosen in the print dialog. The zone, the size and the colour stay from one opening to the next.

#include "printing/PrintLayout.h"

#include <QColor>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPrinter;
class QRadioButton;
class QToolButton;

namespace tivane {

class PuzzleStore;
class TrackBar;

// The preview `page`: shows the sheet drawn elsewhere, pixel for pixel.
class SheetPreview : public QWidget
{
    Q_OBJECT
public:
    explicit SheetPreview(QWidget *parent);
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

// The colour swatch `Pcoul`: a flat panel that reports clicks.
class ColourSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget *parent);
    void setColour(const QColor &colour);
    QColor colour() const { return m_colour; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_colour;
    bool m_pressed = false;
};

class PrintForm : public QDialog
{
    Q_OBJECT
public:
    explicit PrintForm(PuzzleStore &store, QWidget *parent = nullptr);
    ~PrintForm() override;

    // Reads the puzzle's grid and picture, then opens the form (modal, returns at once) with the
    // margin back to 0. A file that cannot be read gets one message and the form stays closed
    // (false).
    bool openFor(int puzzle);

    // Prints the current layout on `printer`, as IMPRIMER does once its dialog is accepted.
    // A job that cannot start or fails is reported; returns whether the page was printed.
    bool printOn(QPrinter &printer);

    const SheetLayout &layout() const { return m_layout; }
    QColor lineColour() const { return m_lineColour; }
    const QImage &photo() const { return m_photo; }

private:
    void buildForm();
    void sizeChosen();
    void resetMargin();
    void moveToNextZone();
    void marginChanged(int margin);
    void chooseColour();
    void choosePrinter();
    void print(QPrinter &printer);
    void refresh();
    SheetSize checkedSize() const;

    PuzzleStore &m_store;
    QImage m_photo;
    QString m_puzzleName;
    int m_cols = 1;
    int m_rows = 1;
    int m_slot = 0;
    QColor m_lineColour = Qt::white;
    SheetLayout m_layout;
    std::unique_ptr<QPrinter> m_printer;  // made at the first print, kept for the run

    QFrame *m_panel = nullptr;            // Pimp
    SheetPreview *m_page = nullptr;       // page
    QToolButton *m_printButton = nullptr; // LanceImp
    QToolButton *m_closeButton = nullptr; // annuler
    QButtonGroup *m_sizes = nullptr;
    QRadioButton *m_full = nullptr;       // Plein
    QRadioButton *m_half = nullptr;       // demi
    QRadioButton *m_quarter = nullptr;    // quart
    QToolButton *m_moveButton = nullptr;  // SpeedButton1
    ColourSwatch *m_swatch = nullptr;     // Pcoul
    TrackBar *m_margin = nullptr;         // Hmarge
    QLabel *m_horizontal = nullptr;       // LabelH
    QLabel *m_vertical = nullptr;         // LabelV
    QLabel *m_dimensions = nullptr;       // dimensions
};

} // namespace tivane
