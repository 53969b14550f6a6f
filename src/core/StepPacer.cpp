#include "core/StepPacer.h"

#include <algorithm>

namespace tivane {

namespace {
constexpr int DefaultFrameIntervalUs = 16667;  // 60 Hz
}

StepPacer::StepPacer(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StepPacer::runStep);
}

void StepPacer::start(Step step)
{
    if (m_terminated)
        return;
    m_timer.stop();
    m_step = std::move(step);
    m_suspended = false;
    m_lastFrame.invalidate();
    runStep();
}

void StepPacer::startAfter(Step step, int delayMs)
{
    if (m_terminated)
        return;
    m_step = std::move(step);
    m_suspended = false;
    m_lastFrame.invalidate();
    m_timer.start(std::max(0, delayMs));
}

void StepPacer::suspend()
{
    m_suspended = true;
    m_timer.stop();
}

void StepPacer::resume(int delayMs)
{
    if (m_terminated || !m_suspended)
        return;
    m_suspended = false;
    if (m_step)
        m_timer.start(std::max(0, delayMs));
}

void StepPacer::stop()
{
    m_timer.stop();
    m_step = nullptr;
}

void StepPacer::terminate()
{
    m_terminated = true;
    m_suspended = true;
    stop();
}

void StepPacer::runStep()
{
    if (m_suspended || m_terminated || !m_step)
        return;
    // The step may start a new run or stop this one: keep what it was given.
    const Step step = m_step;
    const int next = step();
    if (m_suspended || m_terminated || m_timer.isActive() || !m_step)
        return;
    schedule(next);
}

void StepPacer::schedule(int delay)
{
    if (delay == Done) {
        m_step = nullptr;
        return;
    }
    m_timer.start(delay == NextFrame ? frameDelayMs() : std::max(0, delay));
}

int StepPacer::frameDelayMs()
{
    const qint64 intervalNs = qint64(m_frameIntervalUs ? m_frameIntervalUs() : DefaultFrameIntervalUs) * 1000;
    if (intervalNs <= 0)
        return 0;
    // Frames keep to the refresh cadence on average: each is due one interval after the one
    // before, whatever the timer's rounding to milliseconds.
    if (!m_lastFrame.isValid()) {
        m_lastFrame.start();
        m_nextFrameNs = intervalNs;
    } else {
        m_nextFrameNs += intervalNs;
    }
    const qint64 remainingNs = m_nextFrameNs - m_lastFrame.nsecsElapsed();
    if (remainingNs <= 0) {
        // Late (a slow frame): start the cadence again from now.
        m_lastFrame.start();
        m_nextFrameNs = 0;
        return 0;
    }
    return int((remainingNs + 999'999) / 1'000'000);
}

} // namespace tivane
