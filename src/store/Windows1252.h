#pragma once
// Windows-1252, the 8-bit code page of description files. Qt 6 has no converter for it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tivane {

// Characters the code page cannot hold become '?'.
QByteArray toWindows1252(const QString &text);

// Every byte decodes; the five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081..U+009D.
QString fromWindows1252(QByteArrayView bytes);

} // namespace tivane
