#include "store/PuzzleStore.h"

#include "core/Error.h"
#include "store/BmpDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QSet>

#include <QBuffer>

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace tivane {

namespace {

const QString DescriptionSuffix = QStringLiteral(".tvn");
constexpr qsizetype PrefixLength = 3;  // "puz"

// No description comes near this; a larger file is not one.
constexpr qint64 MaxDescriptionBytes = 64 * 1024 * 1024;

QString bareName(const QString &path) { return QFileInfo(path).fileName(); }

[[noreturn]] void cannotOpen(const QString &path, const QString &reason)
{
    throw cannotRead(bareName(path), reason);
}

// Opens a regular file for reading; a directory or a device (which might never answer) is refused.
void openForReading(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        cannotOpen(file.fileName(), QStringLiteral("le fichier n'existe pas."));
    if (!info.isFile())
        cannotOpen(file.fileName(), QStringLiteral("ce n'est pas un fichier."));
    if (!file.open(QIODevice::ReadOnly))
        cannotOpen(file.fileName(), fileErrorText(file));
}

void requireNumber(int n)
{
    if (n < 0)
        throw Error(QStringLiteral("Numéro de puzzle invalide : %1.").arg(n));
}

void requirePicture(const QImage &picture, const QString &bareName)
{
    if (picture.isNull())
        throw cannotWrite(bareName, QStringLiteral("l'image est vide."));
}

// A 24-bit BMP (54-byte header, rows bottom-up) in memory.
QByteArray bmpBytes(const QImage &picture, const QString &bareName)
{
    requirePicture(picture, bareName);
    // Both are written as 24 bits per pixel; other formats are brought to one of them first.
    QImage image = picture;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_RGB888)
        image.convertTo(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (image.isNull() || !writer.write(image))
        throw cannotWrite(bareName, QStringLiteral("la mémoire manque pour préparer l'image."));
    return bytes;
}

// Renames over an existing file in one step, as QFile::rename does not.
bool renameOver(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    return !error;
}

} // namespace

PuzzleStore::PuzzleStore(const QString &directory, QObject *parent)
    : QObject(parent), m_directory(QDir(directory).absolutePath())
{
}

QString PuzzleStore::descriptionName(int n) { return QStringLiteral("puz%1.tvn").arg(n); }
QString PuzzleStore::pictureName(int n) { return QStringLiteral("image%1.bmp").arg(n); }
QString PuzzleStore::thumbnailName(int n) { return QStringLiteral("vignette%1.bmp").arg(n); }

std::optional<int> PuzzleStore::numberFromName(const QString &fileName)
{
    if (fileName.size() <= PrefixLength + DescriptionSuffix.size()
        || !fileName.endsWith(DescriptionSuffix, Qt::CaseInsensitive))
        return std::nullopt;
    const QString middle =
        fileName.mid(PrefixLength, fileName.size() - PrefixLength - DescriptionSuffix.size());
    const int n = integerRule(middle.toLatin1());
    if (n < 0 || n == std::numeric_limits<int>::max())
        return std::nullopt;
    return n;
}

QStringList PuzzleStore::entryNames() const
{
    return QDir(m_directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                           | QDir::NoDotAndDotDot,
                                       QDir::Unsorted);
}

QString PuzzleStore::filePath(const QString &bareName) const
{
    const QDir dir(m_directory);
    const QString exact = dir.filePath(bareName);
    if (QFileInfo::exists(exact))
        return exact;
    QString match;
    for (const QString &name : entryNames())
        if (name.compare(bareName, Qt::CaseInsensitive) == 0 && (match.isEmpty() || name < match))
            match = name;
    return match.isEmpty() ? exact : dir.filePath(match);
}

bool PuzzleStore::exists(const QString &bareName) const
{
    return QFileInfo::exists(filePath(bareName));
}

int PuzzleStore::lowestFreeNumber() const
{
    QSet<QString> names;
    for (const QString &name : entryNames())
        names.insert(name.toLower());
    int n = 0;
    while (names.contains(descriptionName(n)))
        ++n;
    return n;
}

QList<StoreEntry> PuzzleStore::enumerate() const
{
    const QStringList found =
        QDir(m_directory).entryList({QStringLiteral("*") + DescriptionSuffix},
                                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Unsorted);
    QList<StoreEntry> entries;
    entries.reserve(found.size());
    for (const QString &name : found)
        if (const std::optional<int> n = numberFromName(name))
            entries.append({*n, name});
    std::sort(entries.begin(), entries.end(), [](const StoreEntry &a, const StoreEntry &b) {
        return a.number != b.number ? a.number < b.number : a.fileName < b.fileName;
    });
    return entries;
}

QByteArray PuzzleStore::readFile(const QString &bareName) const
{
    QFile file(filePath(bareName));
    openForReading(file);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        cannotOpen(file.fileName(), fileErrorText(file));
    return bytes;
}

PuzzleDescription PuzzleStore::readDescription(int n, DescriptionLines lines) const
{
    requireNumber(n);
    return readDescriptionFile(descriptionName(n), lines);
}

PuzzleDescription PuzzleStore::readDescriptionFile(const QString &name, DescriptionLines lines) const
{
    const QString path = filePath(name);
    if (!QFileInfo::exists(path))
        throw cannotRead(name, QStringLiteral("le fichier n'existe pas."));
    QFile file(path);
    openForReading(file);
    if (file.size() > MaxDescriptionBytes)
        cannotOpen(path, QStringLiteral("il est trop grand pour être une description de puzzle."));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        cannotOpen(path, fileErrorText(file));
    return parseDescription(bytes, lines, bareName(path));
}

void PuzzleStore::writeFile(const QString &name, const QByteArray &bytes)
{
    writeFileAs(name, bytes, name);
}

void PuzzleStore::writeFileAs(const QString &name, const QByteArray &bytes, const QString &reportedName)
{
    if (faultAt(name))
        throw cannotWrite(reportedName, fileErrorText(QFileDevice::WriteError));
    QSaveFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        throw cannotWrite(reportedName, fileErrorText(file));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw cannotWrite(reportedName, fileErrorText(file));
}

void PuzzleStore::writeDescription(int n, const PuzzleDescription &description, DescriptionLines lines)
{
    requireNumber(n);
    writeFile(descriptionName(n), formatDescription(description, lines));
}

void PuzzleStore::deletePuzzle(int n)
{
    requireNumber(n);
    const QString target = descriptionName(n);
    const QDir dir(m_directory);
    for (const QString &name : entryNames()) {
        if (name.compare(target, Qt::CaseInsensitive) != 0)
            continue;
        if (faultAt(name))
            throw cannotDelete(name, fileErrorText(QFileDevice::RemoveError));
        QFile file(dir.filePath(name));
        if (!file.remove())
            throw cannotDelete(name, fileErrorText(file));
    }
    emit changed();
}

QImage PuzzleStore::readPicture(const QString &name) const
{
    QFile file(filePath(name));
    openForReading(file);
    if (bmpIsTruncated(file.peek(34), file.size()))
        cannotOpen(file.fileName(), QStringLiteral("l'image BMP est incomplète."));
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    QImage picture;
    if (!reader.read(&picture))
        cannotOpen(file.fileName(), QStringLiteral("ce n'est pas une image BMP valide."));
    return picture;
}

void PuzzleStore::writePicture(const QString &name, const QImage &picture)
{
    writeFile(name, bmpBytes(picture, name));
}

void PuzzleStore::savePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                             const QImage &picture, const QImage &thumbnail)
{
    requireNumber(n);
    const QByteArray text = formatDescription(description, lines);
    requirePicture(picture, pictureName(n));
    requirePicture(thumbnail, thumbnailName(n));
    writePicture(pictureName(n), picture);
    writePicture(thumbnailName(n), thumbnail);
    writeFile(descriptionName(n), text);
    emit changed();
}

void PuzzleStore::replacePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                                const QImage &picture, const QImage &thumbnail)
{
    requireNumber(n);
    const std::array<QString, 3> targets{pictureName(n), thumbnailName(n), descriptionName(n)};
    const std::array<QByteArray, 3> contents{bmpBytes(picture, targets[0]), bmpBytes(thumbnail, targets[1]),
                                             formatDescription(description, lines)};
    const QDir dir(m_directory);
    const auto temporaryName = [](const QString &target) { return target + QStringLiteral(".tmp"); };

    // The old files, kept to be put back if a later rename fails; none for a file not there.
    std::array<QString, 3> paths;
    std::array<std::optional<QByteArray>, 3> oldContents;
    for (size_t i = 0; i < targets.size(); ++i) {
        paths[i] = filePath(targets[i]);
        if (QFileInfo(paths[i]).isFile())
            oldContents[i] = readFile(targets[i]);
    }

    size_t written = 0;
    size_t renamed = 0;
    try {
        for (; written < targets.size(); ++written)
            writeFileAs(temporaryName(targets[written]), contents[written], targets[written]);
        for (; renamed < targets.size(); ++renamed) {
            if (faultAt(targets[renamed])
                || !renameOver(dir.filePath(temporaryName(targets[renamed])), paths[renamed]))
                throw cannotWrite(targets[renamed], fileErrorText(QFileDevice::RenameError));
        }
    } catch (...) {
        for (size_t i = renamed; i < written; ++i)
            QFile::remove(dir.filePath(temporaryName(targets[i])));
        // Best effort: the failure being reported is the one that stopped the save.
        for (size_t i = 0; i < renamed; ++i) {
            if (!oldContents[i]) {
                QFile::remove(paths[i]);
                continue;
            }
            QSaveFile file(paths[i]);
            if (file.open(QIODevice::WriteOnly) && file.write(*oldContents[i]) == oldContents[i]->size())
                file.commit();
        }
        throw;
    }
    emit changed();
}

int PuzzleStore::saveNewPuzzle(const PuzzleDescription &description, const QImage &picture,
                               const QImage &thumbnail)
{
    const int n = lowestFreeNumber();
    savePuzzle(n, description, DescriptionLines::All, picture, thumbnail);
    return n;
}

} // namespace tivane
