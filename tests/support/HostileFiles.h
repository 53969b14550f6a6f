#pragma once
// Store files as they were found in the wild, that once made the program slow, confusing or
// unusable: kept as fixtures so that the faults stay gone.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>

namespace tivane {

namespace HostileFiles {

// The 60-byte thumbnail that decoded to 125 MB: an RLE8 BMP declaring width x height, with one
// palette entry and run-length data that ends at once ("end of bitmap").
inline QByteArray rleBomb(qint32 width = 5600, qint32 height = 5600)
{
    QByteArray bytes(60, '\0');
    char *b = bytes.data();
    const auto put32 = [b](int at, quint32 value) { qToLittleEndian(value, b + at); };
    const auto put16 = [b](int at, quint16 value) { qToLittleEndian(value, b + at); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 60);        // file size
    put32(10, 58);       // pixel data after the one palette entry
    put32(14, 40);       // information header
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);        // planes
    put16(28, 8);        // bits per pixel
    put32(30, 1);        // RLE8
    put32(34, 2);        // data size
    put32(46, 1);        // colours used
    b[56] = char(0xFF);  // the palette entry: red
    b[58] = 0;           // escape...
    b[59] = 1;           // ...end of bitmap
    return bytes;
}

// A description whose time limit no clock can show.
inline const QByteArray HugeTimeLimit = QByteArray("Horloge\r\n2\r\n2\r\nmod\xE8le=OUI\r\nrotation=NON\r\n"
                                                   "temps=99999999999\r\ntypemod=2\r\n");

// A description of `name` on a cols x rows grid, as the creation form writes it.
inline QByteArray description(const QByteArray &name, int cols = 2, int rows = 2)
{
    return name + "\r\n" + QByteArray::number(cols) + "\r\n" + QByteArray::number(rows)
           + "\r\nmod\xE8le=OUI\r\nrotation=NON\r\ntemps=0\r\ntypemod=1\r\n";
}

// Writes bytes to name in dir, as another program would; false when it cannot.
inline bool writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(dir).filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace HostileFiles

} // namespace tivane
