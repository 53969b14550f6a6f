#pragma once
// The puzzle store: a directory holding, for each puzzle number N, its description puz<N>.tvn,
// its picture image<N>.bmp (360 x 360) and its thumbnail vignette<N>.bmp (100 x 100).
// A puzzle exists exactly when its description does. Names are matched without regard to case,
// so stores from Windows machines ("Puz3.tvn") work. Every file is written through QSaveFile.
// Failures throw Error with a French message naming the file. One store object serves the whole
// run; it announces every change it makes with changed().

#include "store/PuzzleDescription.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace tivane {

// A description file found in the store, with the number read from its name.
struct StoreEntry
{
    int number = 0;
    QString fileName;  // as it is spelled on disk

    bool operator==(const StoreEntry &) const = default;
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

    // N from a description name: the characters between a three-letter prefix (not checked) and
    // ".tvn", by integerRule. None for a name with nothing there ("puz.tvn", the exchange's
    // staging name) or whose number is negative or too large.
    static std::optional<int> numberFromName(const QString &fileName);

    // The path of bareName in the store: the entry spelled that way if there is one, else the
    // first (by name) that matches without regard to case, else the bare name in the store.
    QString filePath(const QString &bareName) const;
    bool exists(const QString &bareName) const;
    bool contains(int n) const { return exists(descriptionName(n)); }

    // The lowest N >= 0 without a description.
    int lowestFreeNumber() const;

    // Every "*.tvn" entry that names a number, in increasing N (then by name).
    QList<StoreEntry> enumerate() const;

    // Reads puz<N>.tvn, or a description by the name enumerate() found, up to `lines`.
    // Errors: a missing file, a line 2 or 3 that is not a number, a grid outside 1..6, an
    // unreadable file.
    PuzzleDescription readDescription(int n, DescriptionLines lines = DescriptionLines::All) const;
    PuzzleDescription readDescriptionFile(const QString &bareName, DescriptionLines lines) const;

    // Creates or replaces puz<N>.tvn with six (UpToTime) or seven (All) lines.
    void writeDescription(int n, const PuzzleDescription &description, DescriptionLines lines);

    // Removes puz<N>.tvn (every spelling of it); the pictures stay. Nothing to remove is no error.
    void deletePuzzle(int n);

    // A BMP picture of any size, as decoded.
    QImage readPicture(const QString &bareName) const;
    QImage readPicture(int n) const { return readPicture(pictureName(n)); }
    QImage readThumbnail(int n) const { return readPicture(thumbnailName(n)); }

    // Writes a 24-bit BMP (54-byte header, rows bottom-up).
    void writePicture(const QString &bareName, const QImage &picture);

    // Writes the two pictures, then the description: a save that stops half-way never leaves a
    // listed puzzle without its pictures. Values are checked before anything is written.
    void savePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                    const QImage &picture, const QImage &thumbnail);
    // savePuzzle with all seven lines under the lowest free number, which it returns.
    int saveNewPuzzle(const PuzzleDescription &description, const QImage &picture,
                      const QImage &thumbnail);

    // Replaces puzzle N whole or not at all: the two pictures and then the description are
    // written to temporary files in the store ("<name>.tmp"), and only once all three are
    // written are they renamed over the old files, description last. A failure removes the
    // temporary files and puts back any file already replaced, so the old three stay as they were.
    void replacePuzzle(int n, const PuzzleDescription &description, DescriptionLines lines,
                       const QImage &picture, const QImage &thumbnail);

    // Whole files, by bare name, for readers and writers of other formats.
    QByteArray readFile(const QString &bareName) const;
    void writeFile(const QString &bareName, const QByteArray &bytes);

    // A seam for tests: called with each bare file name before it is written, renamed into place
    // or removed; returning true makes that step fail as a full disk or a refusal would.
    using FaultHook = std::function<bool(const QString &bareName)>;
    void setFaultHook(FaultHook hook) { m_faultHook = std::move(hook); }
    // Whether the seam fails the step on bareName; writers of files beside the store (the archive
    // export) ask it too.
    bool faultAt(const QString &bareName) const { return m_faultHook && m_faultHook(bareName); }

signals:
    // Puzzles were added, changed or removed.
    void changed();

private:
    QStringList entryNames() const;

    // writeFile, naming `reportedName` in its messages.
    void writeFileAs(const QString &bareName, const QByteArray &bytes, const QString &reportedName);

    QString m_directory;
    FaultHook m_faultHook;
};

} // namespace tivane
