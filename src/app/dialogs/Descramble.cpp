#include "app/dialogs/Descramble.h"

#include <QByteArray>

namespace tivane {

namespace {

// sign +1 scrambles, -1 descrambles. Unsigned char arithmetic gives the mod 256 wrap.
QString shift(const QString &key, const QString &data, int sign)
{
    if (data.isEmpty())
        return QString();
    if (key.isEmpty())
        return data;
    const QByteArray k = key.toLatin1();
    QByteArray out = data.toLatin1();
    qsizetype ki = 0;
    for (char &c : out) {
        const int code = static_cast<unsigned char>(c) + sign * static_cast<unsigned char>(k.at(ki));
        c = static_cast<char>(static_cast<unsigned char>(code & 0xFF));
        if (++ki == k.size())
            ki = 0;
    }
    return QString::fromLatin1(out);
}

} // namespace

QString descramble(const QString &key, const QString &data)
{
    return shift(key, data, -1);
}

QString scramble(const QString &key, const QString &text)
{
    return shift(key, text, +1);
}

} // namespace tivane
