#include "play/TouchReader.h"

#include <QGuiApplication>
#include <QLineF>
#include <QStyleHints>
#include <QTimer>

namespace tivane {

namespace {
bool beyondSlop(QPointF from, QPointF to) { return QLineF(from, to).length() > TouchReader::TapSlopPx; }
}

TouchReader::TouchReader(QObject *parent)
    : QObject(parent), m_longPress(new QTimer(this)), m_doubleTapWindow(new QTimer(this))
{
    m_longPress->setSingleShot(true);
    m_longPress->setInterval(LongPressMs);
    connect(m_longPress, &QTimer::timeout, this, &TouchReader::longPressElapsed);
    m_doubleTapWindow->setSingleShot(true);
}

void TouchReader::pressed(int id, QPointF pos)
{
    if (m_primary >= 0 || !m_others.isEmpty()) {
        // Another finger: the first one's touch is no tap and no long press any more.
        m_others.insert(id, Finger{pos});
        m_firstIsTap = false;
        m_longPress->stop();
        return;
    }
    m_primary = id;
    m_firstStart = pos;
    m_firstIsTap = true;
    m_doubleTapDown = isDoubleTap(pos);
    emit pointerMoved(pos.toPoint());
    m_longPress->start();
}

void TouchReader::moved(int id, QPointF pos)
{
    if (id != m_primary) {
        if (auto other = m_others.find(id); other != m_others.end() && beyondSlop(other->start, pos))
            other->strayed = true;
        return;
    }
    if (beyondSlop(m_firstStart, pos)) {
        m_firstIsTap = false;
        m_longPress->stop();
    }
    emit pointerMoved(pos.toPoint());
}

void TouchReader::released(int id, QPointF pos)
{
    if (id != m_primary) {
        const auto other = m_others.find(id);
        if (other == m_others.end())
            return;
        const bool tap = !other->strayed && !beyondSlop(other->start, pos);
        m_others.erase(other);
        if (tap && m_primary >= 0)
            emit turnRequested();
        return;
    }
    m_primary = -1;
    m_longPress->stop();
    if (!m_firstIsTap || beyondSlop(m_firstStart, pos))
        return;
    m_doubleTapWindow->stop();
    if (m_doubleTapDown)
        return;
    m_doubleTapWindow->start(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    m_lastTapPos = pos;
    emit pointerMoved(pos.toPoint());
    emit tapped(pos.toPoint());
}

void TouchReader::cancelled()
{
    m_longPress->stop();
    m_primary = -1;
    m_others.clear();
    m_firstIsTap = false;
}

void TouchReader::longPressElapsed()
{
    if (m_primary < 0 || !m_firstIsTap || !m_others.isEmpty() || (canTurn && !canTurn()))
        return;
    m_firstIsTap = false;
    emit turnRequested();
}

bool TouchReader::isDoubleTap(QPointF pos) const
{
    return m_doubleTapWindow->isActive() && !beyondSlop(m_lastTapPos, pos);
}

} // namespace tivane
