#include "store/BmpDecoding.h"

#include "core/Error.h"

#include <QBuffer>
#include <QImageReader>
#include <QSize>

#include <optional>

namespace tivane {

namespace {

quint32 littleEndian(QByteArrayView bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// What a BMP header declares, read without Qt, which gives no size for pictures it deems too
// large and does not check that an uncompressed file holds all its rows.
struct BmpHeader
{
    qint64 width = 0;
    qint64 height = 0;   // without its sign: a negative height only means rows stored top-down
    qint64 bitsPerPixel = 0;
    quint32 compression = 0;
    quint32 dataOffset = 0;
};

enum class HeaderState { NotBmp, Truncated, Read };

// Enough of the file for either header.
constexpr qint64 HeadBytes = 54;
constexpr quint32 RunLength8 = 1, RunLength4 = 2;

HeaderState readHeader(QByteArrayView head, BmpHeader &header)
{
    if (head.size() < 18 || !head.startsWith("BM"))
        return HeaderState::NotBmp;
    header.dataOffset = littleEndian(head, 10, 4);
    const quint32 headerSize = littleEndian(head, 14, 4);
    constexpr quint32 CoreHeaderSize = 12;  // the old header with 16-bit sizes
    if (head.size() < (headerSize == CoreHeaderSize ? 26 : 34))
        return HeaderState::Truncated;
    if (headerSize == CoreHeaderSize) {
        header.width = littleEndian(head, 18, 2);
        header.height = littleEndian(head, 20, 2);
        header.bitsPerPixel = littleEndian(head, 24, 2);
    } else {
        header.width = qAbs(qint64(qint32(littleEndian(head, 18, 4))));
        header.height = qAbs(qint64(qint32(littleEndian(head, 22, 4))));
        header.bitsPerPixel = littleEndian(head, 28, 2);
        header.compression = littleEndian(head, 30, 4);
    }
    return HeaderState::Read;
}

} // namespace

bool bmpIsTruncated(QByteArrayView head, qint64 fileSize)
{
    BmpHeader header;
    const HeaderState state = readHeader(head, header);
    if (state != HeaderState::Read)
        return state == HeaderState::Truncated;
    constexpr quint32 Uncompressed = 0, BitFields = 3;
    if ((header.compression != Uncompressed && header.compression != BitFields) || header.width > 1'000'000
        || header.height > 1'000'000 || header.bitsPerPixel > 64)
        return false;
    const qint64 rowBytes = (header.width * header.bitsPerPixel + 31) / 32 * 4;
    return fileSize < qint64(header.dataOffset) + rowBytes * header.height;
}

QImage decodeBmp(const QByteArray &bytes, const QString &name, int maxSide)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodeBmp(buffer, bytes.size(), name, maxSide);
}

QImage decodeBmp(QIODevice &device, qint64 size, const QString &name, int maxSide)
{
    const QString notBmp = QStringLiteral("ce n'est pas une image BMP valide.");
    const QByteArray head = device.peek(HeadBytes);
    BmpHeader header;
    const HeaderState state = readHeader(head, header);
    if (state == HeaderState::NotBmp)
        throw cannotRead(name, notBmp);
    const QString truncated = QStringLiteral("l'image BMP est incomplète.");
    if (state == HeaderState::Truncated)
        throw cannotRead(name, truncated);
    if (header.width > maxSide || header.height > maxSide)
        throw cannotRead(name, QStringLiteral("l'image mesure %1 × %2 pixels ; elle ne doit pas dépasser "
                                              "%3 pixels de côté.")
                                   .arg(header.width)
                                   .arg(header.height)
                                   .arg(maxSide));
    if ((header.compression == RunLength8 || header.compression == RunLength4)
        && header.width * header.height > PictureLimits::MaxPixelsPerCompressedByte * size)
        throw cannotRead(name, QStringLiteral("l'image compressée annonce %1 × %2 pixels pour %3 octets "
                                              "seulement ; elle est falsifiée ou abîmée.")
                                   .arg(header.width)
                                   .arg(header.height)
                                   .arg(size));
    if (bmpIsTruncated(head, size))
        throw cannotRead(name, truncated);

    QImageReader reader(&device, "bmp");
    reader.setAutoDetectImageFormat(false);
    // Qt's reading of the header must agree with ours before any pixel is decoded.
    const QSize declared = reader.size();
    const QSize expected(int(header.width), int(header.height));
    if (expected.isEmpty() || declared.width() != expected.width() || qAbs(declared.height()) != expected.height())
        throw cannotRead(name, notBmp);
    QImage picture;
    if (!reader.read(&picture) || picture.size() != expected)
        throw cannotRead(name, notBmp);
    return picture;
}

} // namespace tivane
