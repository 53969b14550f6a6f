#pragma once
// BMP pictures from untrusted bytes: the checks every reader makes before decoding.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

class QIODevice;

namespace tivane {

namespace PictureLimits {
// Either side of a thumbnail, read from its header before decoding.
inline constexpr int MaxThumbnailSide = 1024;
// Either side of a puzzle picture.
inline constexpr int MaxPictureSide = 4096;
// A run of 255 pixels takes two bytes of run-length data, so a real run-length picture never
// comes near this many pixels per byte of file; a forged one that skips its rows does.
inline constexpr qint64 MaxPixelsPerCompressedByte = 1024;
} // namespace PictureLimits

// Whether an uncompressed BMP is shorter than its rows need; Qt's reader fills the missing
// rows without a word. `head` is the start of the file (34 bytes are enough), `fileSize` its
// whole size. Anything that is not a BMP header is left to the reader, which refuses it.
bool bmpIsTruncated(QByteArrayView head, qint64 fileSize);

// Decodes a BMP picture. The size is read from its header first, and a picture wider or taller
// than maxSide, or a run-length picture declaring far more pixels than its bytes can hold, is
// refused before any pixel is decoded. Throws Error naming `name` for other formats, truncated
// files and pictures too large.
QImage decodeBmp(const QByteArray &bytes, const QString &name, int maxSide);
// The same from an open device of `size` bytes, read from its current position.
QImage decodeBmp(QIODevice &device, qint64 size, const QString &name, int maxSide);

} // namespace tivane
