#pragma once
// Reading files that may come from anywhere: only regular files are opened (a folder is refused,
// and a device or a pipe, which might never answer, is not even opened), and a file larger than
// its reader expects is refused before it is read whole. Failures throw Error naming the file.

#include <QByteArray>
#include <QString>

#include <limits>

class QFile;

namespace tivane {

inline constexpr qint64 NoSizeCap = std::numeric_limits<qint64>::max() - 1;

// Opens `file` for reading if it names a regular file; messages name it `name`.
void openRegularFile(QFile &file, const QString &name);

// The bytes of the regular file at `path`, refused with `tooLarge` as the reason when it holds
// more than maxBytes (looked at before reading, and again as it is read, should it grow).
// Messages name the file `name`, by default its bare name.
QByteArray readRegularFile(const QString &path, qint64 maxBytes = NoSizeCap, const QString &tooLarge = {},
                           const QString &name = {});

} // namespace tivane
