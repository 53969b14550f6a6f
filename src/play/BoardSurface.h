#pragma once
// The board surface: a back buffer the size of the widget that every frame is drawn into;
// present() shows it (update()), and a paint event presents it unchanged. The buffer keeps its
// content between frames. Mouse input is only forwarded; touches go to its TouchReader, which
// reads them as the mouse's actions. Mouse events made from touches are ignored.

#include <QImage>
#include <QWidget>

namespace tivane {

class TouchReader;

class BoardSurface : public QWidget
{
    Q_OBJECT
public:
    explicit BoardSurface(QWidget *parent = nullptr);

    // The buffer always has the surface's size.
    QImage &backBuffer();

    // Shows the back buffer as it is now: one frame.
    void present();
    int frameCount() const { return m_frames; }

    TouchReader *touch() const { return m_touch; }

    // The display's refresh interval, which paces the animations drawn here: from the screen,
    // 60 Hz when unknown; a test may set its own (0: frames back to back).
    int frameIntervalUs() const;
    void setFrameIntervalUs(int microseconds) { m_frameIntervalUs = microseconds; }

signals:
    void framePresented();
    void mouseMoved(QPoint pos, Qt::MouseButtons buttons);
    void mousePressed(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick);
    void mouseReleased(QPoint pos, Qt::MouseButton button);
    // The left button pressed and released on the surface; the second press of a
    // double-click makes no click.
    void clicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void syncBufferSize();

    QImage m_back;
    TouchReader *m_touch;
    int m_frameIntervalUs = -1;  // -1: from the screen
    bool m_leftPressIsDouble = false;
    int m_frames = 0;
};

} // namespace tivane
