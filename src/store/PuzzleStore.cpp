#include "store/PuzzleStore.h"

#include "core/Error.h"
#include "core/WriteFailure.h"
#include "store/BmpDecoding.h"
#include "store/FileReading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLockFile>
#include <QBuffer>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>
#include <utility>

namespace tivane {

namespace {

const QString DescriptionSuffix = QStringLiteral(".tvn");
constexpr qsizetype PrefixLength = 3;  // "puz"
const QString LockName = QStringLiteral(".tivane.lock");

// No description comes near this; a larger file is not one.
constexpr qint64 MaxDescriptionBytes = 64 * 1024 * 1024;

QString bareName(const QString &path) { return QFileInfo(path).fileName(); }

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

// What an edit or a deletion says when the puzzle it began from was removed or changed meanwhile.
struct UnchangedCheck
{
    Error (*failure)(const QString &fileName, const QString &reason);
    const char *removed;
    const char *changed;
};

const UnchangedCheck DeletionCheck{
    cannotDelete, "le puzzle a déjà été supprimé, sans doute depuis un autre poste.",
    "le puzzle a été modifié entre-temps, sans doute depuis un autre poste ; il n'a pas été supprimé."};
const UnchangedCheck EditCheck{
    cannotWrite, "le puzzle a été supprimé entre-temps, sans doute depuis un autre poste ; rien n'a été enregistré.",
    "le puzzle a été modifié entre-temps, sans doute depuis un autre poste ; rien n'a été enregistré."};

// Puzzle N's description name, if the description still holds `expected`; else throws.
QString requireUnchanged(const PuzzleStore &store, int n, const QByteArray &expected, const UnchangedCheck &check)
{
    const std::optional<QString> current = store.descriptionFileName(n);
    if (!current)
        throw check.failure(PuzzleStore::descriptionName(n), QString::fromUtf8(check.removed));
    if (store.readFile(*current) != expected)
        throw check.failure(*current, QString::fromUtf8(check.changed));
    return *current;
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

// The store's lock file, held for as long as it lives; taken without waiting. The lock file is
// never named to the user: a failure to take it says what stops the folder being written.
class PuzzleStore::Lock
{
public:
    Lock(const PuzzleStore &store, StoreAction action) : m_file(QDir(store.m_directory).filePath(LockName))
    {
        const QString folder = quoted(QDir::toNativeSeparators(store.m_directory));
        const auto refuse = [&](const QString &cause) {
            return Error((action == StoreAction::Delete ? QStringLiteral("Impossible de supprimer le puzzle : ")
                                                        : QStringLiteral("Impossible d'enregistrer le puzzle : "))
                         + QStringLiteral("le dossier des puzzles %1 ne peut pas être modifié, car %2").arg(folder, cause));
        };
        if (!QFileInfo(store.m_directory).isDir())
            throw refuse(QStringLiteral("il n'existe pas."));
        if (isReadOnlyFolder(store.m_directory))
            throw ReadOnlyStore(readOnlyMessage(store.m_directory));
        if (store.m_writer.faultAt(LockName))
            throw refuse(fileErrorText(QFileDevice::WriteError));
        m_file.setStaleLockTime(StaleLockMs);
        errno = 0;
        if (m_file.tryLock(0))
            return;
        if (m_file.error() == QLockFile::LockFailedError)
            throw StoreBusy(QStringLiteral("Le dossier des puzzles %1 est occupé : un autre programme Tivane y "
                                           "enregistre un puzzle en ce moment. Réessayez dans un instant.")
                                .arg(folder));
        const WriteFailure failure = diagnoseWriteFailure(store.m_directory, errno);
        if (failure == WriteFailure::ReadOnly)
            throw ReadOnlyStore(readOnlyMessage(store.m_directory));
        throw refuse(failure == WriteFailure::Other ? QStringLiteral("il ne peut pas être écrit.")
                                                    : writeFailureText(failure));
    }

private:
    QLockFile m_file;
};

QString PuzzleStore::readOnlyMessage(const QString &directory)
{
    return QStringLiteral("Le dossier des puzzles %1 est en lecture seule : aucun puzzle ne peut y être "
                          "enregistré, modifié ou supprimé. Rien n'a été changé.")
        .arg(quoted(QDir::toNativeSeparators(directory)));
}

bool PuzzleStore::isReadOnly() const { return isReadOnlyFolder(m_directory); }

// What a save that died left behind: the temporary and kept files of the writer, for the
// store's own names only (a teacher's "notes.old" stays).
void PuzzleStore::removeLeftovers() const
{
    static const QRegularExpression leftover(QStringLiteral("^(puz|image|vignette)\\d+\\.(tvn|bmp)\\.(tmp|old)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QDir dir(m_directory);
    for (const QString &name : entryNames())
        if (leftover.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
}

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
    return readRegularFile(filePath(bareName));
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
    const QByteArray bytes = readRegularFile(path, MaxDescriptionBytes,
                                             QStringLiteral("il est trop grand pour être une description de puzzle."));
    if (bytesRead)
        *bytesRead = bytes;
    return parseDescription(bytes, lines, bareName(path));
}

void PuzzleStore::writeFile(const QString &name, const QByteArray &bytes)
{
    m_writer.write(filePath(name), bytes, name);
}

void PuzzleStore::writeDescription(int n, const PuzzleDescription &description, DescriptionLines lines)
{
    requireNumber(n);
    const QByteArray text = formatDescription(description, lines);
    const Lock lock(*this, StoreAction::Save);
    writeFile(descriptionTarget(n), text);
}

void PuzzleStore::deletePuzzle(int n, const std::optional<QByteArray> &expectedDescription)
{
    requireNumber(n);
    const Lock lock(*this, StoreAction::Delete);
    removeLeftovers();
    if (expectedDescription)
        requireUnchanged(*this, n, *expectedDescription, DeletionCheck);
    const QDir dir(m_directory);
    for (const QString &name : entryNames())
        if (numberFromName(name) == n)
            m_writer.remove(dir.filePath(name), name);
    emit changed();
}

QImage PuzzleStore::readPicture(const QString &name, int maxSide) const
{
    QFile file(filePath(name));
    openRegularFile(file, bareName(file.fileName()));
    return decodeBmp(file, file.size(), bareName(file.fileName()), maxSide);
}

void PuzzleStore::writePicture(const QString &name, const QImage &picture)
{
    writeFile(name, bmpBytes(picture, name));
}

void PuzzleStore::savePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                             const QImage &picture, const QImage &thumbnail)
{
    replacePuzzle(n, description, lines, picture, thumbnail);
}

void PuzzleStore::putPuzzleFiles(int n, const QString &descriptionFile, const QByteArray &text,
                                 const QByteArray &pictureBytes, const QByteArray &thumbnailBytes)
{
    removeLeftovers();
    // The description last: a puzzle is listed only once its pictures are in place.
    m_writer.replaceAll({{filePath(pictureName(n)), pictureBytes, pictureName(n)},
                         {filePath(thumbnailName(n)), thumbnailBytes, thumbnailName(n)},
                         {filePath(descriptionFile), text, descriptionFile}});
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
    const Lock lock(*this, StoreAction::Save);
    const QString descriptionFile = expectedDescription ? requireUnchanged(*this, n, *expectedDescription, EditCheck)
                                                        : descriptionTarget(n);
    putPuzzleFiles(n, descriptionFile, text, pictureBytes, thumbnailBytes);
}

int PuzzleStore::saveNewPuzzle(const PuzzleDescription &description, const QImage &picture,
                               const QImage &thumbnail)
{
    const QByteArray text = formatDescription(description, DescriptionLines::All);
    const Lock lock(*this, StoreAction::Save);
    const int n = lowestFreeNumber();
    putPuzzleFiles(n, descriptionTarget(n), text, bmpBytes(picture, pictureName(n)), bmpBytes(thumbnail, thumbnailName(n)));
    return n;
}

void PuzzleStore::runLocked(const std::function<void()> &work)
{
    const Lock lock(*this, StoreAction::Save);
    work();
}

} // namespace tivane
