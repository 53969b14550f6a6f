#include "store/PuzzleArchive.h"

#include "core/Error.h"
#include "store/BmpDecoding.h"
#include "store/FileReading.h"
#include "store/PuzzleStore.h"
#include "store/ZipArchive.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <array>

namespace tivane {

namespace {

using ArchiveLimits::MaxArchiveBytes;
using ArchiveLimits::MaxEntryBytes;
using ArchiveLimits::MaxPictureSide;
using ArchiveLimits::MaxThumbnailSide;

enum Slot { DescriptionSlot, PictureSlot, ThumbnailSlot, SlotCount };

// The entry names, in the order the archive holds them.
const std::array<QLatin1StringView, SlotCount> EntryNames = {
    QLatin1StringView("puz.tvn"), QLatin1StringView("image.bmp"), QLatin1StringView("vignette.bmp")};

QString entryName(int slot) { return QString(EntryNames[slot]); }

// The slot an entry fills, by its name without folders (either separator), case ignored.
int slotOf(const QByteArray &storedName)
{
    const qsizetype cut = std::max(storedName.lastIndexOf('/'), storedName.lastIndexOf('\\'));
    const QByteArrayView bare = QByteArrayView(storedName).sliced(cut + 1);
    for (int slot = 0; slot < SlotCount; ++slot)
        if (bare.compare(QByteArrayView(EntryNames[slot].data(), EntryNames[slot].size()), Qt::CaseInsensitive) == 0)
            return slot;
    return -1;
}

QString quotedList(const QStringList &names)
{
    QStringList quotedNames;
    for (const QString &name : names)
        quotedNames << quoted(name);
    if (quotedNames.size() == 1)
        return quotedNames.constFirst();
    const QString last = quotedNames.takeLast();
    return quotedNames.join(QStringLiteral(", ")) + QStringLiteral(" et ") + last;
}

QString byteCount(qint64 bytes) { return QStringLiteral("%1 Mio").arg(bytes / (1024 * 1024)); }

// A check on the puzzle inside failed: say which archive it came from.
[[noreturn]] void notAPuzzle(const QString &archiveName, const Error &inner)
{
    throw Error(QStringLiteral("L'archive %1 ne contient pas un puzzle valable. %2")
                    .arg(quoted(archiveName), inner.message()));
}

// A store file for the archive, refused above the entry cap rather than read whole.
QByteArray readStoreFile(const PuzzleStore &store, const QString &bareName)
{
    return readRegularFile(store.filePath(bareName), MaxEntryBytes,
                           QStringLiteral("il dépasse %1, la taille permise dans une archive d'échange.")
                               .arg(byteCount(MaxEntryBytes)));
}

} // namespace

QByteArray buildPuzzleArchive(const PuzzleFiles &files, const QString &archiveName)
{
    using Compression = ZipArchive::Compression;
    const std::array<const QByteArray *, SlotCount> contents = {&files.description, &files.picture,
                                                                &files.thumbnail};
    std::array<Compression, SlotCount> compression;
    for (int slot = 0; slot < SlotCount; ++slot)
        compression[slot] = contents[slot]->isEmpty() ? Compression::Store : Compression::Deflate;

    // Whether deflating shrinks an entry is known only once it is deflated: a second pass
    // stores those it did not.
    for (;;) {
        ZipArchive writer = ZipArchive::create(archiveName);
        for (int slot = 0; slot < SlotCount; ++slot)
            writer.add(entryName(slot), *contents[slot], compression[slot]);
        const QByteArray bytes = writer.finish();

        const ZipArchive written = ZipArchive::openForReading(bytes, archiveName);
        bool again = false;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const ZipArchive::Entry entry = written.entry(slot);
            if (compression[slot] == Compression::Deflate && entry.compressedSize >= entry.size) {
                compression[slot] = Compression::Store;
                again = true;
            }
        }
        if (!again)
            return bytes;
    }
}

ArchivedPuzzle readPuzzleArchive(const QByteArray &zip, const QString &archiveName)
{
    const ZipArchive archive = ZipArchive::openForReading(zip, archiveName);

    std::array<qint64, SlotCount> index;
    index.fill(-1);
    const qint64 count = archive.entryCount();
    for (qint64 i = 0; i < count; ++i) {
        const int slot = slotOf(archive.entry(i).name);
        if (slot < 0)
            continue;
        if (index[slot] >= 0)
            throw cannotRead(archiveName, QStringLiteral("l'archive contient deux fois %1.").arg(quoted(entryName(slot))));
        index[slot] = i;
    }
    QStringList missing;
    for (int slot = 0; slot < SlotCount; ++slot)
        if (index[slot] < 0)
            missing << entryName(slot);
    if (count == 0)
        throw cannotRead(archiveName, QStringLiteral("l'archive est vide."));
    if (!missing.isEmpty())
        throw cannotRead(archiveName, QStringLiteral("il manque %1 dans l'archive.").arg(quotedList(missing)));

    // Every declaration is checked before any entry is decompressed.
    for (int slot = 0; slot < SlotCount; ++slot) {
        const ZipArchive::Entry entry = archive.entry(index[slot]);
        if (entry.encrypted)
            throw cannotRead(archiveName, QStringLiteral("%1 est chiffré dans l'archive.").arg(quoted(entryName(slot))));
        if (entry.size > quint64(MaxEntryBytes))
            throw cannotRead(archiveName, QStringLiteral("%1 dépasse %2 une fois décompressé.")
                                              .arg(quoted(entryName(slot)), byteCount(MaxEntryBytes)));
    }
    std::array<QByteArray, SlotCount> bytes;
    for (int slot = 0; slot < SlotCount; ++slot)
        bytes[slot] = archive.read(index[slot], MaxEntryBytes);

    ArchivedPuzzle puzzle;
    try {
        puzzle.description = parseDescription(bytes[DescriptionSlot], DescriptionLines::All,
                                              entryName(DescriptionSlot));
        // What the store could not write back is refused here, with the archive's name.
        formatDescription(puzzle.description, DescriptionLines::All);
        puzzle.picture = decodeBmp(bytes[PictureSlot], entryName(PictureSlot), MaxPictureSide);
        puzzle.thumbnail = decodeBmp(bytes[ThumbnailSlot], entryName(ThumbnailSlot), MaxThumbnailSide);
    } catch (const Error &error) {
        notAPuzzle(archiveName, error);
    }
    return puzzle;
}

void exportPuzzle(const PuzzleStore &store, int puzzle, const QString &archivePath)
{
    if (puzzle < 0)
        throw Error(QStringLiteral("Numéro de puzzle invalide : %1.").arg(puzzle));
    const QString archiveName = QFileInfo(archivePath).fileName();
    PuzzleFiles files;
    files.description = readStoreFile(store, PuzzleStore::descriptionName(puzzle));
    files.picture = readStoreFile(store, PuzzleStore::pictureName(puzzle));
    files.thumbnail = readStoreFile(store, PuzzleStore::thumbnailName(puzzle));
    const QByteArray bytes = buildPuzzleArchive(files, archiveName);

    // The earlier archive is replaced only by a complete new one.
    store.writer().write(archivePath, bytes, archiveName);
}

ArchivedPuzzle readPuzzleArchiveFile(const QString &archivePath)
{
    const QByteArray bytes =
        readRegularFile(archivePath, MaxArchiveBytes, QStringLiteral("l'archive dépasse %1.").arg(byteCount(MaxArchiveBytes)));
    return readPuzzleArchive(bytes, QFileInfo(archivePath).fileName());
}

int importPuzzle(PuzzleStore &store, const QString &archivePath)
{
    const ArchivedPuzzle puzzle = readPuzzleArchiveFile(archivePath);
    return store.saveNewPuzzle(puzzle.description, puzzle.picture, puzzle.thumbnail);
}

} // namespace tivane
