#pragma once
// The exchange archive: one puzzle as a standard ZIP file of three entries, "puz.tvn",
// "image.bmp" and "vignette.bmp", in that order, under no number, so that any store can take it
// under its own lowest free number. Archives come from other machines: reading one takes only
// those three entries, checks all of them, and writes nothing until every check has passed.

#include "store/BmpDecoding.h"
#include "store/PuzzleDescription.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tivane {

class PuzzleStore;

namespace ArchiveLimits {
// Each entry, as declared and as actually decompressed.
inline constexpr qint64 MaxEntryBytes = 16 * 1024 * 1024;
// The archive file: room for three entries at their cap.
inline constexpr qint64 MaxArchiveBytes = 64 * 1024 * 1024;
// Either side of the picture and of the thumbnail, read from the header before decoding.
inline constexpr int MaxPictureSide = PictureLimits::MaxPictureSide;
inline constexpr int MaxThumbnailSide = PictureLimits::MaxThumbnailSide;
} // namespace ArchiveLimits

// The files of one puzzle, byte for byte, as the archive holds them.
struct PuzzleFiles
{
    QByteArray description;  // puz.tvn
    QByteArray picture;      // image.bmp
    QByteArray thumbnail;    // vignette.bmp
};

// A puzzle read from an archive and checked: ready to be saved.
struct ArchivedPuzzle
{
    PuzzleDescription description;
    QImage picture;
    QImage thumbnail;
};

// The bytes of an exchange archive. Each entry is deflated at the normal level, or stored when
// deflating would not make it smaller (an empty entry is always stored).
QByteArray buildPuzzleArchive(const PuzzleFiles &files, const QString &archiveName);

// Reads an exchange archive from its bytes. Only entries whose name without its folders is one
// of the three (case ignored) are read; everything else is passed over. Throws Error naming
// archiveName for anything but a ZIP archive holding each of the three exactly once, unencrypted,
// undamaged and within the size caps, with a description that reads by the store's rules and
// two BMP pictures within MaxPictureSide and MaxThumbnailSide.
ArchivedPuzzle readPuzzleArchive(const QByteArray &zip, const QString &archiveName);
// readPuzzleArchive on the file at archivePath, refused above MaxArchiveBytes before it is read.
ArchivedPuzzle readPuzzleArchiveFile(const QString &archivePath);

// Writes puzzle N of the store to archivePath. The three files are read first (a missing or
// unreadable one throws, and nothing is written); the archive is then replaced at once through
// the store's writer, so a failure leaves any earlier archive as it was.
void exportPuzzle(const PuzzleStore &store, int puzzle, const QString &archivePath);

// Adds the puzzle of the archive at archivePath to the store under the lowest free number,
// which it returns. The store is left as it was when the archive is refused. Throws StoreBusy,
// having written nothing, while another program writes to the store.
int importPuzzle(PuzzleStore &store, const QString &archivePath);

} // namespace tivane
