#pragma once
// Why a write in a folder failed, asked of the file system itself: a full disk often shows only
// when the data reaches it, and a file device may then report no error at all, or name the
// wrong one.

#include <QString>

namespace tivane {

enum class WriteFailure { DiskFull, ReadOnly, InUse, Other };

// `systemError` is errno as the failing call left it (0 when unknown); `bytesNeeded` what was
// still to be written, when known.
WriteFailure diagnoseWriteFailure(const QString &folder, int systemError, qint64 bytesNeeded = 0);

// The cause as the end of a French sentence: "le disque est plein.", ...; empty for Other.
QString writeFailureText(WriteFailure failure);

// Whether nothing can be written in the folder: a read-only mount or no write permission.
bool isReadOnlyFolder(const QString &folder);

} // namespace tivane
