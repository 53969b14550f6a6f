#pragma once
// The countdown of a timed game: once a second from the time limit down to zero, with the
// clock's text and colour; ranOut() at zero. Until it is cleared it keeps showing where it
// stopped.

#include <QObject>
#include <QString>
#include <QTimer>

namespace tivane {

class Countdown : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 1000;

    explicit Countdown(QObject *parent = nullptr);

    int secondsLeft() const { return m_secondsLeft; }
    bool isActive() const { return m_timer.isActive(); }
    // From start() until clear(): the clock is on show.
    bool isShown() const { return m_shown; }
    // "mm:ss"; "00:00" once cleared.
    QString text() const;
    // The last ten seconds of a clock on show are red.
    bool isRed() const;

    // Shows `seconds` and counts down from there.
    void start(int seconds);
    // Stops counting; the clock shows where it stopped.
    void stop();
    // Stops, and the clock goes back to "00:00" in black, out of sight.
    void clear();
    // One second passed (the timer calls it; so may a test): at zero the countdown stops and
    // ranOut() follows.
    void tick();

signals:
    // The seconds left, or whether the clock is on show, changed.
    void changed();
    void ranOut();

private:
    QTimer m_timer;
    int m_secondsLeft = 0;
    bool m_shown = false;
};

} // namespace tivane
