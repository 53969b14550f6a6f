#pragma once
// The board surface: drawing goes to a back buffer that Flip() presents at once and then
// waits for the next display refresh. The buffer keeps its content after a flip; a paint
// event presents it unchanged. Mouse input is only forwarded.

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

namespace tivane {

class BoardSurface : public QWidget
{
    Q_OBJECT
public:
    explicit BoardSurface(QWidget *parent = nullptr);

    // The buffer always has the surface's size.
    QImage &backBuffer();

    void Fill(QRgb color);
    // Presents the back buffer now, then waits until the next display refresh.
    void Flip();
    int flipCount() const { return m_flips; }

    // Tests switch the wait off; the refresh interval comes from the screen, 60 Hz when unknown.
    void setFlipPacing(bool on) { m_pacing = on; }
    bool flipPacing() const { return m_pacing; }
    int refreshIntervalUs() const;

signals:
    void mouseMoved(QPoint pos, Qt::MouseButtons buttons);
    void mousePressed(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick);
    void mouseReleased(QPoint pos, Qt::MouseButton button);
    // The left button pressed and released on the surface; the second press of a
    // double-click makes no click.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void waitForRefresh();
    void syncBufferSize();

    QImage m_back;
    QElapsedTimer m_lastFlip;
    bool m_pacing = true;
    bool m_leftPressIsDouble = false;
    int m_flips = 0;
};

} // namespace tivane
