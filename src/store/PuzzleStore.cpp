#include "store/PuzzleStore.h"

#include "core/Error.h"
#include "store/BmpDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLockFile>
#include <QMap>
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
const QString LockName = QStringLiteral(".tivane.lock");

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

// Whether `a` rather than `b` is the description of their number n: "puz<N>.tvn", then a name in
// lower case, then the first by name.
bool isPreferred(const QString &a, const QString &b, int n)
{
    const auto rank = [n](const QString &name) {
        return name == PuzzleStore::descriptionName(n) ? 0 : name == name.toLower() ? 1 : 2;
    };
    const int ra = rank(a);
    const int rb = rank(b);
    return ra != rb ? ra < rb : a < b;
}

QString notAPuzzleName()
{
    return QStringLiteral("ce n'est pas un fichier de puzzle : son nom n'est pas de la forme "
                          "« puz » suivi d'un numéro et de « .tvn ».");
}

} // namespace

// The store's lock file, held for as long as it lives; taken without waiting.
class PuzzleStore::Lock
{
public:
    explicit Lock(const PuzzleStore &store) : m_file(QDir(store.m_directory).filePath(LockName))
    {
        if (store.faultAt(LockName))
            throw cannotWrite(LockName, fileErrorText(QFileDevice::WriteError));
        if (!QFileInfo(store.m_directory).isDir())
            throw cannotWrite(LockName, QStringLiteral("le dossier des puzzles %1 n'existe pas.")
                                            .arg(quoted(QDir::toNativeSeparators(store.m_directory))));
        m_file.setStaleLockTime(StaleLockMs);
        if (m_file.tryLock(0))
            return;
        if (m_file.error() == QLockFile::LockFailedError)
            throw StoreBusy(QStringLiteral("Le dossier des puzzles %1 est occupé : un autre programme Tivane y "
                                           "enregistre un puzzle en ce moment. Réessayez dans un instant.")
                                .arg(quoted(QDir::toNativeSeparators(store.m_directory))));
        throw cannotWrite(LockName, m_file.error() == QLockFile::PermissionError
                                        ? fileErrorText(QFileDevice::PermissionsError)
                                        : fileErrorText(QFileDevice::OpenError));
    }

private:
    QLockFile m_file;
};

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
    for (qsizetype i = 0; i < PrefixLength; ++i) {
        const char16_t c = fileName.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return std::nullopt;
    }
    const QString digits =
        fileName.mid(PrefixLength, fileName.size() - PrefixLength - DescriptionSuffix.size());
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int n = integerRule(digits.toLatin1());
    if (n == std::numeric_limits<int>::max())
        return std::nullopt;
    return n;
}

QString PuzzleStore::lockFileName() { return LockName; }

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

std::optional<QString> PuzzleStore::descriptionFileName(int n) const
{
    if (n < 0)
        return std::nullopt;
    // The usual spelling always wins: no listing needed when it is there.
    const QString usual = descriptionName(n);
    if (QFileInfo::exists(QDir(m_directory).filePath(usual)))
        return usual;
    std::optional<QString> found;
    for (const QString &name : entryNames())
        if (numberFromName(name) == n && (!found || isPreferred(name, *found, n)))
            found = name;
    return found;
}

QString PuzzleStore::descriptionTarget(int n) const
{
    return descriptionFileName(n).value_or(descriptionName(n));
}

int PuzzleStore::lowestFreeNumber() const
{
    QSet<int> taken;
    for (const QString &name : entryNames())
        if (const std::optional<int> n = numberFromName(name))
            taken.insert(*n);
    int n = 0;
    while (taken.contains(n))
        ++n;
    return n;
}

StoreListing PuzzleStore::listPuzzles() const
{
    const QStringList found =
        QDir(m_directory).entryList({QStringLiteral("*") + DescriptionSuffix},
                                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Unsorted);
    StoreListing listing;
    QMap<int, QStringList> byNumber;
    for (const QString &name : found) {
        if (const std::optional<int> n = numberFromName(name))
            byNumber[*n].append(name);
        else
            listing.leftOut.append({name, notAPuzzleName()});
    }
    for (auto it = byNumber.begin(); it != byNumber.end(); ++it) {
        const int n = it.key();
        QStringList &names = it.value();
        std::sort(names.begin(), names.end(), [n](const QString &a, const QString &b) { return isPreferred(a, b, n); });
        listing.entries.append({n, names.constFirst()});
        for (qsizetype i = 1; i < names.size(); ++i)
            listing.leftOut.append({names[i], QStringLiteral("il donne le même numéro de puzzle que %1, qui est "
                                                             "gardé ; celui-ci est laissé de côté.")
                                                  .arg(quoted(names.constFirst()))});
    }
    std::sort(listing.leftOut.begin(), listing.leftOut.end(),
              [](const LeftOutFile &a, const LeftOutFile &b) { return a.fileName < b.fileName; });
    return listing;
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

PuzzleDescription PuzzleStore::readDescription(int n, DescriptionLines lines, QByteArray *bytes) const
{
    requireNumber(n);
    return readDescriptionFile(descriptionFileName(n).value_or(descriptionName(n)), lines, bytes);
}

PuzzleDescription PuzzleStore::readDescriptionFile(const QString &name, DescriptionLines lines,
                                                   QByteArray *bytesRead) const
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
    if (bytesRead)
        *bytesRead = bytes;
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
    const QByteArray text = formatDescription(description, lines);
    const Lock lock(*this);
    writeFile(descriptionTarget(n), text);
}

void PuzzleStore::deletePuzzle(int n, const std::optional<QByteArray> &expectedDescription)
{
    requireNumber(n);
    const Lock lock(*this);
    if (expectedDescription) {
        const std::optional<QString> current = descriptionFileName(n);
        if (!current)
            throw cannotDelete(descriptionName(n), QStringLiteral("le puzzle a déjà été supprimé, sans doute "
                                                                  "depuis un autre poste."));
        if (readFile(*current) != *expectedDescription)
            throw cannotDelete(*current, QStringLiteral("le puzzle a été modifié entre-temps, sans doute depuis "
                                                        "un autre poste ; il n'a pas été supprimé."));
    }
    const QDir dir(m_directory);
    for (const QString &name : entryNames()) {
        if (numberFromName(name) != n)
            continue;
        if (faultAt(name))
            throw cannotDelete(name, fileErrorText(QFileDevice::RemoveError));
        QFile file(dir.filePath(name));
        if (!file.remove())
            throw cannotDelete(name, fileErrorText(file));
    }
    emit changed();
}

QImage PuzzleStore::readPicture(const QString &name, int maxSide) const
{
    QFile file(filePath(name));
    openForReading(file);
    return decodeBmp(file, file.size(), bareName(file.fileName()), maxSide);
}

void PuzzleStore::writePicture(const QString &name, const QImage &picture)
{
    writeFile(name, bmpBytes(picture, name));
}

void PuzzleStore::savePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                             const QImage &picture, const QImage &thumbnail)
{
    requireNumber(n);
    const Lock lock(*this);
    savePuzzleLocked(n, description, lines, picture, thumbnail);
}

void PuzzleStore::savePuzzleLocked(int n, const PuzzleDescription &description, DescriptionLines lines,
                                   const QImage &picture, const QImage &thumbnail)
{
    const QByteArray text = formatDescription(description, lines);
    requirePicture(picture, pictureName(n));
    requirePicture(thumbnail, thumbnailName(n));
    writePicture(pictureName(n), picture);
    writePicture(thumbnailName(n), thumbnail);
    writeFile(descriptionTarget(n), text);
    emit changed();
}

void PuzzleStore::replacePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                                const QImage &picture, const QImage &thumbnail,
                                const std::optional<QByteArray> &expectedDescription)
{
    requireNumber(n);
    const QByteArray text = formatDescription(description, lines);
    const QByteArray pictureBytes = bmpBytes(picture, pictureName(n));
    const QByteArray thumbnailBytes = bmpBytes(thumbnail, thumbnailName(n));
    const Lock lock(*this);
    const std::optional<QString> current = descriptionFileName(n);
    if (expectedDescription) {
        if (!current)
            throw cannotWrite(descriptionName(n), QStringLiteral("le puzzle a été supprimé entre-temps, sans doute "
                                                                 "depuis un autre poste ; rien n'a été enregistré."));
        if (readFile(*current) != *expectedDescription)
            throw cannotWrite(*current, QStringLiteral("le puzzle a été modifié entre-temps, sans doute depuis un "
                                                       "autre poste ; rien n'a été enregistré."));
    }
    const std::array<QString, 3> targets{pictureName(n), thumbnailName(n), current.value_or(descriptionName(n))};
    const std::array<QByteArray, 3> contents{pictureBytes, thumbnailBytes, text};
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
    const Lock lock(*this);
    const int n = lowestFreeNumber();
    savePuzzleLocked(n, description, DescriptionLines::All, picture, thumbnail);
    return n;
}

void PuzzleStore::runLocked(const std::function<void()> &work)
{
    const Lock lock(*this);
    work();
}

} // namespace tivane
