#pragma once
// The class's files in the store folder. Other installations ignore them, and a puzzle archive
// never carries them.

#include <QString>

namespace tivane::ClassFiles {

inline const QString ClassList = QStringLiteral("eleves.csv");
inline const QString Record = QStringLiteral("carnet.csv");
// The children's pictures, by bare name.
inline const QString PicturesFolder = QStringLiteral("eleves");

// Far above a class's list and ten years of a class's record; a larger file is not theirs.
inline constexpr qint64 MaxClassListBytes = 1024 * 1024;
inline constexpr qint64 MaxRecordBytes = 64 * 1024 * 1024;

} // namespace tivane::ClassFiles
