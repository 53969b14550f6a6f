#pragma once
// Runs a step on the main thread, then waits the interval before the next one.
// A single-shot timer restarted after each step keeps the cadence "a step, then the
// interval" even when a step takes long. Starts suspended.

#include <QObject>
#include <QTimer>
#include <functional>

namespace tivane {

class StepPacer : public QObject
{
    Q_OBJECT
public:
    StepPacer(int intervalMs, std::function<void()> step, QObject *parent = nullptr);

    bool Suspended() const { return m_suspended; }
    bool Terminated() const { return m_terminated; }
    int interval() const { return m_timer.interval(); }

    void Suspend();
    void Resume();
    // After this no step runs again, and Resume does nothing.
    void Terminate();

private:
    void runStep();

    std::function<void()> m_step;
    QTimer m_timer;
    bool m_suspended = true;
    bool m_terminated = false;
};

} // namespace tivane
