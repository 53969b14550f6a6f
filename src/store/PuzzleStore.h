#pragma once
// The puzzle store: a directory holding, for each puzzle number N, its description puz<N>.tvn,
// its picture image<N>.bmp (360 x 360) and its thumbnail vignette<N>.bmp (100 x 100).
// A puzzle exists exactly when its description does. Names are matched without regard to case,
// so stores from Windows machines ("Puz3.tvn") work. Every file is written through the store's
// AtomicWriter.
// Failures throw Error with a French message naming the file. One store object serves the whole
// run; it announces every change it makes with changed().
//
// Other programs, on this machine or another, may use the same directory at the same time. Every
// write of puzzles (giving out a number included) holds the lock file ".tivane.lock" in the
// store; when another program holds it, the write throws StoreBusy at once, without waiting, and
// the caller tries again later. A lock left by a program that died is broken: at once on the same
// machine, after StaleLockMs from another one. The files a save that died left behind are
// removed by the next save, under the lock.
//
// A read-only store (a school share mounted read-only, a locked USB stick) plays as any other;
// every write throws ReadOnlyStore, having changed nothing.

#include "core/Error.h"
#include "store/AtomicWriter.h"
#include "store/BmpDecoding.h"
#include "store/PuzzleDescription.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <utility>

namespace tivane {

// Nothing can be written in the store folder.
class ReadOnlyStore : public Error
{
public:
    using Error::Error;
};

// What a write of the store is for, as its messages say.
enum class StoreAction { Save, Delete };

// A description file found in the store, with the number read from its name.
struct StoreEntry
{
    int number = 0;
    QString fileName;  // as it is spelled on disk

    bool operator==(const StoreEntry &) const = default;
};

// A ".tvn" file that the list leaves out, and why, in French.
struct LeftOutFile
{
    QString fileName;
    QString reason;

    bool operator==(const LeftOutFile &) const = default;
};

// What the store holds: one description file per number, and the ".tvn" files passed over.
struct StoreListing
{
    QList<StoreEntry> entries;   // in increasing N
    QList<LeftOutFile> leftOut;  // by name
};

class PuzzleStore : public QObject
{
    Q_OBJECT
public:
    // The store in `directory`, made absolute once here: the working directory is never used.
    explicit PuzzleStore(const QString &directory, QObject *parent = nullptr);

    const QString &directory() const { return m_directory; }

    static QString descriptionName(int n);  // "puz<N>.tvn"
    static QString pictureName(int n);      // "image<N>.bmp"
    static QString thumbnailName(int n);    // "vignette<N>.bmp"

    // N from a description name: three letters (not checked further), decimal digits and ".tvn",
    // case ignored. None for any other name ("puz.tvn", "puz40 - Copie.tvn", "sauvegarde.tvn")
    // and for a number too large.
    static std::optional<int> numberFromName(const QString &fileName);

    // The path of bareName in the store: the entry spelled that way if there is one, else the
    // first (by name) that matches without regard to case, else the bare name in the store.
    QString filePath(const QString &bareName) const;
    bool exists(const QString &bareName) const;
    bool contains(int n) const { return descriptionFileName(n).has_value(); }

    // The description of puzzle N as listPuzzles() lists it. When several names give N,
    // "puz<N>.tvn" wins, then a name in lower case, then the first by name; the others are
    // left out of the list. Every reader by number reads this file, so a thumbnail always
    // plays its own puzzle.
    std::optional<QString> descriptionFileName(int n) const;

    // The lowest N >= 0 that no description name gives, left-out duplicates included.
    int lowestFreeNumber() const;

    // Every "*.tvn" entry, of any kind: one per number, and the rest with their reasons.
    StoreListing listPuzzles() const;

    // Reads puzzle N's description (descriptionFileName), or a description by its name, up to
    // `lines`; `bytes`, when given, receives the file as it was read. Errors: a missing file, a
    // line 2 or 3 that is not a number, a grid outside 1..6, an unreadable file.
    PuzzleDescription readDescription(int n, DescriptionLines lines = DescriptionLines::All,
                                      QByteArray *bytes = nullptr) const;
    PuzzleDescription readDescriptionFile(const QString &bareName, DescriptionLines lines,
                                          QByteArray *bytes = nullptr) const;

    // Creates or replaces puzzle N's description with six (UpToTime) or seven (All) lines.
    void writeDescription(int n, const PuzzleDescription &description, DescriptionLines lines);

    // Removes every description file that gives N; the pictures stay. Without expectedDescription,
    // nothing to remove is no error. With it (the bytes the caller last read), the removal is
    // refused when the description is gone or no longer holds those bytes: another program
    // removed or changed the puzzle meanwhile.
    void deletePuzzle(int n, const std::optional<QByteArray> &expectedDescription = std::nullopt);

    // A BMP picture, refused above maxSide pixels a side before anything is decoded.
    QImage readPicture(const QString &bareName, int maxSide = PictureLimits::MaxPictureSide) const;
    QImage readPicture(int n) const { return readPicture(pictureName(n)); }
    QImage readThumbnail(int n) const { return readPicture(thumbnailName(n), PictureLimits::MaxThumbnailSide); }

    // Writes a 24-bit BMP (54-byte header, rows bottom-up).
    void writePicture(const QString &bareName, const QImage &picture);

    // replacePuzzle without the check that the puzzle is unchanged.
    void savePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                    const QImage &picture, const QImage &thumbnail);
    // savePuzzle with all seven lines under the lowest free number, which it returns.
    int saveNewPuzzle(const PuzzleDescription &description, const QImage &picture,
                      const QImage &thumbnail);

    // Writes puzzle N whole or not at all (AtomicWriter::replaceAll): the two pictures and then
    // the description go to temporary files in the store ("<name>.tmp"), and only once all
    // three are on the disk are they renamed over the old files, description last. A failure
    // leaves the store byte for byte as it was. Values are checked before anything is written.
    // With expectedDescription (the bytes read when the edit began), nothing is written when the
    // description is gone or changed: another program removed or changed the puzzle meanwhile.
    void replacePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                       const QImage &picture, const QImage &thumbnail,
                       const std::optional<QByteArray> &expectedDescription = std::nullopt);

    // The lock file, and how old another machine's lock must be to be taken as left by a program
    // that died (a save holds it well under a second).
    static QString lockFileName();
    static constexpr int StaleLockMs = 10'000;

    // Whether nothing can be written in the store folder, and what a write then says.
    bool isReadOnly() const;
    static QString readOnlyMessage(const QString &directory);

    // Whole files, by bare name, for readers and writers of other formats.
    QByteArray readFile(const QString &bareName) const;
    void writeFile(const QString &bareName, const QByteArray &bytes);

    // What writes the store's files, and the archives exported from it.
    const AtomicWriter &writer() const { return m_writer; }
    // A seam for tests: the writer's, asked about the lock file too.
    void setFaultHook(AtomicWriter::FaultHook hook) { m_writer.setFaultHook(std::move(hook)); }

    // Runs `work` holding the lock, for writers of other files of the store; throws StoreBusy
    // like the puzzle writes when another program holds it.
    void runLocked(const std::function<void()> &work);

signals:
    // Puzzles were added, changed or removed.
    void changed();

private:
    class Lock;

    QStringList entryNames() const;
    // The bare name puzzle N's description is written to: the listed one, else puz<N>.tvn.
    QString descriptionTarget(int n) const;
    // Puzzle n's three files, put in place together; the lock is held.
    void putPuzzleFiles(int n, const QString &descriptionFile, const QByteArray &text,
                        const QByteArray &pictureBytes, const QByteArray &thumbnailBytes);
    void removeLeftovers() const;

    QString m_directory;
    AtomicWriter m_writer;
};

} // namespace tivane
