#include "play/BoardSurface.h"

#include "core/PointerInput.h"
#include "play/TouchReader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tivane {

BoardSurface::BoardSurface(QWidget *parent) : QWidget(parent), m_touch(new TouchReader(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMouseTracking(true);
    m_back = QImage(1, 1, QImage::Format_RGB32);
    m_back.fill(Qt::black);
}

QImage &BoardSurface::backBuffer()
{
    syncBufferSize();
    return m_back;
}

void BoardSurface::present()
{
    ++m_frames;
    update();
    emit framePresented();
}

int BoardSurface::frameIntervalUs() const
{
    if (m_frameIntervalUs >= 0)
        return m_frameIntervalUs;
    const QScreen *s = screen();
    const qreal hz = s ? s->refreshRate() : 0.0;
    return static_cast<int>(1e6 / (hz >= 20.0 && hz <= 500.0 ? hz : 60.0));
}

bool BoardSurface::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        for (const QEventPoint &point : static_cast<QTouchEvent *>(event)->points()) {
            switch (point.state()) {
            case QEventPoint::Pressed:
                m_touch->pressed(point.id(), point.position());
                break;
            case QEventPoint::Updated:
                m_touch->moved(point.id(), point.position());
                break;
            case QEventPoint::Released:
                m_touch->released(point.id(), point.position());
                break;
            default:
                break;
            }
        }
        // Taken: Qt makes no mouse events from these touches.
        event->accept();
        return true;
    case QEvent::TouchCancel:
        m_touch->cancelled();
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

void BoardSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect r = event->rect();
    // Beyond the buffer the surface is black. The buffer follows the surface's size when it is
    // next drawn into: a surface that was never drawn into (the first frame of the program) is
    // painted black without making a buffer of its size first.
    if (!m_back.rect().contains(r))
        painter.fillRect(r, Qt::black);
    painter.drawImage(r.topLeft(), m_back, r);
}

void BoardSurface::syncBufferSize()
{
    if (m_back.size() == size() || size().isEmpty())
        return;
    QImage next(size(), QImage::Format_RGB32);
    next.fill(Qt::black);
    QPainter p(&next);
    p.drawImage(0, 0, m_back);
    p.end();
    m_back = next;
}

void BoardSurface::mouseMoveEvent(QMouseEvent *event)
{
    if (!isFromRealMouse(*event))
        return;
    emit mouseMoved(event->position().toPoint(), event->buttons());
}

void BoardSurface::mousePressEvent(QMouseEvent *event)
{
    if (!isFromRealMouse(*event))
        return;
    if (event->button() == Qt::LeftButton)
        m_leftPressIsDouble = false;
    emit mousePressed(event->position().toPoint(), event->button(), event->modifiers(), false);
}

void BoardSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!isFromRealMouse(*event))
        return;
    if (event->button() == Qt::LeftButton)
        m_leftPressIsDouble = true;
    emit mousePressed(event->position().toPoint(), event->button(), event->modifiers(), true);
}

void BoardSurface::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isFromRealMouse(*event))
        return;
    const QPoint pos = event->position().toPoint();
    emit mouseReleased(pos, event->button());
    if (event->button() == Qt::LeftButton && !m_leftPressIsDouble && rect().contains(pos))
        emit clicked();
}

} // namespace tivane
