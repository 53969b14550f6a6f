#pragma once
// BMP pictures from untrusted bytes: the checks every reader makes before decoding.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace tivane {

// Whether an uncompressed BMP is shorter than its rows need; Qt's reader fills the missing
// rows without a word. `head` is the start of the file (34 bytes are enough), `fileSize` its
// whole size. Anything that is not a BMP header is left to the reader, which refuses it.
bool bmpIsTruncated(QByteArrayView head, qint64 fileSize);

// Decodes a BMP picture. The size is read from its header first, and a picture wider or taller
// than maxSide is refused before any pixel is decoded. Throws Error naming `name` for other
// formats, truncated files and pictures too large.
QImage decodeBmp(const QByteArray &bytes, const QString &name, int maxSide);

} // namespace tivane
