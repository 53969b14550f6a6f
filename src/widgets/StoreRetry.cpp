#include "widgets/StoreRetry.h"

#include "core/Error.h"
#include "widgets/ActionGuard.h"

#include <QTimer>
#include <QWidget>

#include <utility>

namespace tivane {

StoreRetry::StoreRetry(QWidget *window) : QObject(window), m_window(window), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(IntervalMs);
    connect(m_timer, &QTimer::timeout, this, &StoreRetry::attempt);
}

bool StoreRetry::run(std::function<void()> action, std::function<void(bool)> finished)
{
    if (m_active)
        return false;
    m_active = true;
    m_action = std::move(action);
    m_finished = std::move(finished);
    m_deadline.setRemainingTime(GiveUpMs);
    attempt();
    return true;
}

void StoreRetry::attempt()
{
    bool busy = false;
    const bool succeeded = runGuarded(m_window, [&] {
        try {
            m_action();
        } catch (const StoreBusy &) {
            // The last try's refusal is shown like any other failure.
            if (m_deadline.hasExpired())
                throw;
            busy = true;
        }
    });
    if (busy) {
        m_timer->start();
        return;
    }
    // Cleared first: what follows may start another action.
    m_active = false;
    m_action = {};
    if (const std::function<void(bool)> finished = std::exchange(m_finished, {}))
        finished(succeeded);
}

} // namespace tivane
