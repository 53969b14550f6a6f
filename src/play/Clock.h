#pragma once
// The countdown clock's text and colour.

#include <QString>

namespace tivane {

// "mm:ss", each part at least two digits; minutes are not limited to two.
inline QString clockText(int timeLeft)
{
    return QStringLiteral("%1:%2").arg(timeLeft / 60, 2, 10, QLatin1Char('0')).arg(timeLeft % 60, 2, 10, QLatin1Char('0'));
}

// The last ten seconds show in red.
inline bool clockIsRed(int timeLeft) { return timeLeft <= 10; }

} // namespace tivane
