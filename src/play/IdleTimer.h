#pragma once
// Counts the seconds since the user last did something (BoardModes resets it); after 30 of them
// it says the screen is idle (and starts counting again).

#include <QObject>
#include <QTimer>

namespace tivane {

class IdleTimer : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 1000;
    static constexpr int DefaultLimit = 30;

    explicit IdleTimer(QObject *parent = nullptr);

    int ticks() const { return m_ticks; }
    int limit() const { return m_limit; }
    bool isActive() const { return m_timer.isActive(); }

    // Mouse activity: the count starts again.
    void reset() { m_ticks = 0; }
    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }
    // One second passed (the timer calls it; so may a test).
    void tick();

signals:
    void idleLimitReached();

private:
    QTimer m_timer;
    int m_ticks = 0;
    int m_limit = DefaultLimit;
};

} // namespace tivane
