#pragma once
// The countdown clock's text and colour.

#include <QString>

// "mm:ss", each part at least two digits; minutes are not limited to two.
inline QString ClockText(int timeLeft)
{
    return QStringLiteral("%1:%2").arg(timeLeft / 60, 2, 10, QLatin1Char('0')).arg(timeLeft % 60, 2, 10, QLatin1Char('0'));
}

// The last ten seconds show in red.
inline bool ClockIsRed(int timeLeft) { return timeLeft <= 10; }
