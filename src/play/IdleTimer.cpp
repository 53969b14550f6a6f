#include "play/IdleTimer.h"

namespace tivane {

IdleTimer::IdleTimer(QObject *parent) : QObject(parent)
{
    m_timer.setParent(this);
    m_timer.setObjectName(QStringLiteral("personne"));
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &IdleTimer::tick);
}

void IdleTimer::tick()
{
    if (++m_ticks < m_limit)
        return;
    m_ticks = 0;
    emit idleLimitReached();
}

} // namespace tivane
