#pragma once
// Runs a user action that writes to the puzzle store, which another program may be writing to
// at that very moment: the store then refuses at once (StoreBusy), and the action is tried again
// every IntervalMs, from a timer, for up to GiveUpMs, so the window never waits. Any other
// failure, and a store still busy after that, is shown in one message, as runGuarded does.

#include <QDeadlineTimer>
#include <QObject>

#include <functional>

class QTimer;
class QWidget;

namespace tivane {

class StoreRetry : public QObject
{
    Q_OBJECT
public:
    static constexpr int IntervalMs = 100;
    static constexpr int GiveUpMs = 3000;

    // Messages go over `window`, which also owns the retry.
    explicit StoreRetry(QWidget *window);

    // Runs `action` now and again while it throws StoreBusy; `finished` then runs with whether
    // it went through. Returns false, doing nothing, while an earlier action runs or waits for
    // its next try: a second click does not save a second time.
    bool run(std::function<void()> action, std::function<void(bool succeeded)> finished = {});

    // An action runs or waits for its next try.
    bool isActive() const { return m_active; }

private:
    void attempt();

    QWidget *m_window;
    QTimer *m_timer;
    QDeadlineTimer m_deadline;
    std::function<void()> m_action;
    std::function<void(bool)> m_finished;
    bool m_active = false;
};

} // namespace tivane
