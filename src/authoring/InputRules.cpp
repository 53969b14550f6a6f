#include "authoring/InputRules.h"

#include "store/Windows1252.h"

#include <algorithm>

namespace tivane {

bool isPuzzleNameCharacter(QChar c)
{
    if (c.isSurrogate() || c.category() == QChar::Other_Control)
        return false;
    // The code page writes what it cannot hold as '?'.
    return c == QLatin1Char('?') || toWindows1252(QString(c)) != "?";
}

QValidator::State PuzzleNameValidator::validate(QString &input, int &) const
{
    return std::all_of(input.cbegin(), input.cend(), isPuzzleNameCharacter) ? Acceptable : Invalid;
}

QValidator::State TimeLimitValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Intermediate;
    if (input.size() > 3 || !std::all_of(input.cbegin(), input.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return Invalid;
    return input.toInt() <= MaxTimeLimit ? Acceptable : Invalid;
}

void TimeLimitValidator::fixup(QString &input) const
{
    if (input.isEmpty())
        input = QStringLiteral("0");
}

int timeLimitValue(const QString &text)
{
    return std::clamp(text.toInt(), 0, MaxTimeLimit);
}

} // namespace tivane
