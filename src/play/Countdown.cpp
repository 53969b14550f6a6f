#include "play/Countdown.h"

#include "play/Clock.h"

namespace tivane {

Countdown::Countdown(QObject *parent) : QObject(parent)
{
    m_timer.setParent(this);
    m_timer.setObjectName(QStringLiteral("Tjeu"));
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &Countdown::tick);
}

QString Countdown::text() const { return clockText(m_secondsLeft); }

bool Countdown::isRed() const { return m_shown && clockIsRed(m_secondsLeft); }

void Countdown::start(int seconds)
{
    m_secondsLeft = seconds;
    m_shown = true;
    m_timer.start();
    emit changed();
}

void Countdown::stop() { m_timer.stop(); }

void Countdown::clear()
{
    m_timer.stop();
    m_secondsLeft = 0;
    m_shown = false;
    emit changed();
}

void Countdown::tick()
{
    --m_secondsLeft;
    emit changed();
    if (m_secondsLeft != 0)
        return;
    m_timer.stop();
    emit ranOut();
}

} // namespace tivane
