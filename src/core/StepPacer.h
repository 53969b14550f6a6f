#pragma once
// Runs a state machine one step at a time on the main thread, each step started by a timer:
// a step does its work (draws one frame, moves the credits...) and says when the next one is
// due: after a number of milliseconds, at the next display refresh, or never (the run is over).
// Nothing waits or sleeps: between steps the event loop runs every other handler.
// The board's animations, the idle demonstration and the about box's credits all run on one.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace tivane {

class StepPacer : public QObject
{
    Q_OBJECT
public:
    // What a step returns besides a delay in milliseconds.
    static constexpr int NextFrame = -1;  // the next display refresh
    static constexpr int Done = -2;       // the run is over

    using Step = std::function<int()>;

    explicit StepPacer(QObject *parent = nullptr);

    // The display's refresh interval, asked at each frame (60 Hz when not set; 0 runs frames
    // back to back, for tests).
    void setFrameInterval(std::function<int()> microseconds) { m_frameIntervalUs = std::move(microseconds); }

    // Starts a new run, dropping the one under way: the first step runs now, in this call.
    void start(Step step);
    // Starts a new run whose first step comes after `delayMs`.
    void startAfter(Step step, int delayMs);

    // A run is under way and takes its steps: started, not over, not suspended.
    bool isRunning() const { return m_step && !m_suspended; }
    // A run is under way but waits for resume().
    bool isSuspended() const { return m_step && m_suspended; }
    bool isTerminated() const { return m_terminated; }

    // A suspended run keeps its place and takes no step until it is resumed; resuming waits
    // `delayMs` before the next step.
    void suspend();
    void resume(int delayMs);
    // Drops the run under way without finishing it.
    void stop();
    // After this no step runs again, and nothing starts or resumes.
    void terminate();

private:
    void runStep();
    void schedule(int delay);
    int frameDelayMs();

    Step m_step;
    QTimer m_timer;
    QElapsedTimer m_lastFrame;
    std::function<int()> m_frameIntervalUs;
    qint64 m_nextFrameNs = 0;
    bool m_suspended = false;
    bool m_terminated = false;
};

} // namespace tivane
