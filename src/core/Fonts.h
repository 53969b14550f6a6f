#pragma once
// The fonts the forms name: Liberation Sans stands in for Arial and for MS Sans Serif.

#include <QFont>

namespace tivane {

inline QFont formFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace tivane
