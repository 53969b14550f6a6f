#pragma once
// A ZIP archive held in memory, read or written through libzip. Every libzip call is checked:
// a failure throws Error with a French message naming the archive. Nothing touches the disk;
// callers read the archive's bytes from a file, or write them, themselves.

#include <QByteArray>
#include <QList>
#include <QString>

struct zip;
struct zip_source;

namespace tivane {

class ZipArchive
{
public:
    enum class Compression { Store, Deflate };

    // One entry as the central directory declares it.
    struct Entry
    {
        QByteArray name;          // as stored, folders included, no conversion
        quint64 size = 0;         // declared uncompressed size
        quint64 compressedSize = 0;
        int method = 0;           // ZIP compression method (0 stored, 8 deflated)
        bool encrypted = false;
    };

    // An archive over `bytes`, which must outlive it. Refuses what is not a ZIP archive.
    static ZipArchive openForReading(const QByteArray &bytes, const QString &archiveName);
    // A new, empty archive, to be filled with add() and completed with finish().
    static ZipArchive create(const QString &archiveName);

    ZipArchive(ZipArchive &&other) noexcept;
    ZipArchive &operator=(ZipArchive &&other) noexcept;
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;
    ~ZipArchive();

    const QString &archiveName() const { return m_archiveName; }

    qint64 entryCount() const;
    Entry entry(qint64 index) const;

    // The uncompressed content of an entry, checked against its CRC. Reading stops as soon as
    // more than maxBytes come out, whatever the entry declares: that throws too.
    QByteArray read(qint64 index, qint64 maxBytes) const;

    // Appends an entry. Deflate uses zlib's normal level (6).
    void add(const QString &name, const QByteArray &bytes, Compression compression);

    // Completes the archive and returns its bytes; the archive is closed afterwards.
    QByteArray finish();

private:
    // The text for a libzip error code ("ce n'est pas une archive ZIP.", ...).
    static QString errorText(int zipError);

    ZipArchive(zip *archive, zip_source *target, const QString &archiveName);

    [[noreturn]] void failReading(const QString &reason) const;
    [[noreturn]] void failWriting(const QString &reason) const;
    zip *checkedArchive() const;

    zip *m_archive = nullptr;
    zip_source *m_target = nullptr;   // the in-memory archive being written; null when reading
    QString m_archiveName;
    QList<QByteArray> m_pending;      // entry contents libzip reads when the archive is completed
};

} // namespace tivane
