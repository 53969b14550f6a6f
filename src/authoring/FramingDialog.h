#pragma once
// The framing dialog TFchoix: the whole picture in negative with the square zone in its true
// colours; dragging slides the zone along the picture's long side. VALIDER keeps the zone,
// ANNULER drops it. The display is a copy scaled to the view, made once per picture, so a
// large photo drags as smoothly as a small one; the zone is given in the picture's own pixels.

#include "authoring/FramingLogic.h"
#include "widgets/FormParts.h"

#include <QImage>
#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;

namespace tivane {

// Ph: shows the view and turns the pointer's presses, moves and releases into drags.
class FramingView : public QWidget
{
    Q_OBJECT
public:
    FramingView(FramingLogic &logic, QWidget *parent);

    // The picture scaled to the view, in true colours and in negative.
    void setPictures(const QImage &display, const QImage &negative);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    FramingLogic &m_logic;
    QImage m_display;
    QImage m_negative;
};

class FramingDialog : public FramelessDialog
{
    Q_OBJECT
public:
    explicit FramingDialog(QWidget *parent = nullptr);

    // Lays out `picture` (full resolution) for framing and makes its display copies; the zone
    // starts at the left or top end. Open the dialog afterwards with open().
    void prepare(const QImage &picture);

    const FramingLogic &logic() const { return m_logic; }
    SelectionRect selection() const { return m_logic.selection(); }
    // VALIDER closed the dialog (accepted); ANNULER did not (rejected).
    bool zoneFramed() const { return m_zoneFramed; }

    // The zone cut from the full-resolution picture.
    QImage framedZone() const;
    // Lets go of the full-resolution picture once the zone has been taken.
    void releasePicture() { m_picture = QImage(); }

    FramingView *view() const { return m_view; }

private:
    void validate();
    void cancel();

    FramingLogic m_logic;
    QImage m_picture;
    bool m_zoneFramed = false;

    QFrame *m_panel = nullptr;        // Panel1
    QLabel *m_hint = nullptr;         // Label6
    FramingView *m_view = nullptr;    // Ph
    QToolButton *m_validate = nullptr; // SpeedButton2
    QToolButton *m_cancel = nullptr;  // SpeedButton1
};

// The picture scaled to `size` for display: a large picture is first sampled down to a few
// times that size, then smoothed, so the cost follows the view, not the photo.
QImage displayCopy(const QImage &picture, QSize size);

} // namespace tivane
