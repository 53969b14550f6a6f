#pragma once
// Files for tests: whole contents read and written, images encoded in memory, and a folder's state to compare before and
// after an action ("the store was left as it was").

#include <QBuffer>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

namespace tivane {

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline QByteArray fileBytes(const QString &dir, const QString &name)
{
    return fileBytes(QDir(dir).filePath(name));
}

// The image encoded in `format` ("bmp", "png", "jpeg"...), empty when the writer fails.
inline QByteArray encodedImage(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

[[nodiscard]] inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
[[nodiscard]] inline bool writeBytes(const QString &dir, const QString &name, const QByteArray &bytes)
{
    return writeBytes(QDir(dir).filePath(name), bytes);
}

// The names in a folder (hidden ones too), sorted.
inline QStringList entryNames(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Every file and folder under root with a checksum of its content: "relative/path sha1", sorted.
inline QStringList snapshot(const QString &root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString digest = it.fileInfo().isDir()
            ? QStringLiteral("folder")
            : QString::fromLatin1(QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha1).toHex());
        lines << base.relativeFilePath(path) + QLatin1Char(' ') + digest;
    }
    lines.sort();
    return lines;
}

} // namespace tivane
