#pragma once
// Reads the fingers on the board as the mouse's actions, so that a child plays on a touch screen
// or an interactive whiteboard as with the mouse:
// - the first finger down is the pointer: where it touches and where it moves, the pointer moves;
// - a tap (down and up without moving beyond TapSlopPx) is a left click where it lifted; the
//   second tap of a double tap, like the second click of a double-click, is none;
// - a second finger's tap while the first is down is a right button press (turns the piece in
//   the hand);
// - the first finger held still for LongPressMs, alone, is also a right press when a turn would
//   be taken then (canTurn); its lifting is then no tap. Otherwise a long press is a slow tap.
// Time passes only through timers: the long press's, and the double tap's window.

#include <QHash>
#include <QObject>
#include <QPointF>

#include <functional>

class QTimer;

namespace tivane {

class TouchReader : public QObject
{
    Q_OBJECT
public:
    static constexpr int LongPressMs = 500;
    static constexpr qreal TapSlopPx = 16;

    explicit TouchReader(QObject *parent = nullptr);

    // The touch points as the surface receives them, by finger id.
    void pressed(int id, QPointF pos);
    void moved(int id, QPointF pos);
    void released(int id, QPointF pos);
    // The window system took the touches back: nothing they began is acted on.
    void cancelled();

    // Whether a long press would turn something now; when unset, it always would.
    std::function<bool()> canTurn;

signals:
    void pointerMoved(QPoint pos);
    void tapped(QPoint pos);
    void turnRequested();

private:
    void longPressElapsed();
    bool isDoubleTap(QPointF pos) const;

    struct Finger
    {
        QPointF start;
        bool strayed = false;  // moved beyond TapSlopPx
    };

    QTimer *m_longPress;
    QTimer *m_doubleTapWindow;  // runs from a tap for the double-click interval
    int m_primary = -1;         // the first finger, the pointer
    QPointF m_firstStart;
    bool m_firstIsTap = false;  // no slide, no other finger, no turn by a long press yet
    QHash<int, Finger> m_others;
    QPointF m_lastTapPos;
    bool m_doubleTapDown = false;
};

} // namespace tivane
