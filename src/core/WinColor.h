#pragma once
// Colours are written as Windows values 0x00BBGGRR: blue is the high byte.

#include <QColor>
#include <QtGlobal>

namespace tivane {

constexpr QRgb winRgb(quint32 bbggrr)
{
    return 0xFF000000u | ((bbggrr & 0xFFu) << 16) | (bbggrr & 0xFF00u) | ((bbggrr >> 16) & 0xFFu);
}

inline QColor winColor(quint32 bbggrr) { return QColor::fromRgb(winRgb(bbggrr)); }

namespace WinColors {
constexpr quint32 Green = 0x008000;
constexpr quint32 Silver = 0xC0C0C0;
constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Black = 0x000000;
constexpr quint32 Navy = 0x800000;
constexpr quint32 Purple = 0x800080;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 Lime = 0x00FF00;
constexpr quint32 Blue = 0xFF0000;
constexpr quint32 Maroon = 0x000080;
constexpr quint32 DarkGreen = 0x005E00;  // the forms' ENREGISTRER and VALIDER
constexpr quint32 DarkRed = 0x0000B7;    // the forms' QUITTER and ANNULER
}

} // namespace tivane
