#include "core/StepPacer.h"

namespace tivane {

StepPacer::StepPacer(int intervalMs, std::function<void()> step, QObject *parent)
    : QObject(parent), m_step(std::move(step))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &StepPacer::runStep);
}

void StepPacer::Suspend()
{
    m_suspended = true;
    m_timer.stop();
}

void StepPacer::Resume()
{
    if (m_terminated || !m_suspended)
        return;
    m_suspended = false;
    m_timer.start();
}

void StepPacer::Terminate()
{
    m_terminated = true;
    Suspend();
}

void StepPacer::runStep()
{
    if (m_suspended || m_terminated)
        return;
    if (m_step)
        m_step();
    // The step may have suspended or terminated the pacer.
    if (!m_suspended && !m_terminated)
        m_timer.start();
}

} // namespace tivane
