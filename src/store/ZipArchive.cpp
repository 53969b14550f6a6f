#include "store/ZipArchive.h"

#include "core/Error.h"

#include <zip.h>

#include <limits>
#include <memory>
#include <utility>

namespace tivane {

namespace {

constexpr int NormalDeflateLevel = 6;

// Owns a zip_error_t for the length of one call.
class ZipError
{
public:
    ZipError() { zip_error_init(&m_error); }
    ~ZipError() { zip_error_fini(&m_error); }
    ZipError(const ZipError &) = delete;
    ZipError &operator=(const ZipError &) = delete;

    zip_error_t *get() { return &m_error; }
    int code() const { return zip_error_code_zip(&m_error); }

private:
    zip_error_t m_error;
};

struct FileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

QString entryLabel(const QByteArray &name) { return quoted(QString::fromUtf8(name)); }

// What went wrong with one entry, after its quoted name.
QString entryErrorText(int zipError)
{
    switch (zipError) {
    case ZIP_ER_CRC:
        return QStringLiteral("est endommagé (somme de contrôle fausse).");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB:
        return QStringLiteral("est endommagé.");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("est compressé d'une façon qui n'est pas prise en charge.");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("est chiffré.");
    case ZIP_ER_MEMORY:
        return QStringLiteral("ne tient pas en mémoire.");
    default:
        return QStringLiteral("ne peut pas être lu (erreur %1 de la bibliothèque ZIP).").arg(zipError);
    }
}

QString byteCount(qint64 bytes)
{
    constexpr qint64 MiB = 1024 * 1024;
    if (bytes >= MiB && bytes % MiB == 0)
        return QStringLiteral("%1 Mio").arg(bytes / MiB);
    return QStringLiteral("%1 octets").arg(bytes);
}

} // namespace

QString ZipArchive::errorText(int zipError)
{
    switch (zipError) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("ce n'est pas une archive ZIP.");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB:
        return QStringLiteral("l'archive est endommagée.");
    case ZIP_ER_CRC:
        return QStringLiteral("l'archive est endommagée (somme de contrôle fausse).");
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("les archives en plusieurs parties ne sont pas prises en charge.");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("la méthode de compression n'est pas prise en charge.");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("l'archive est chiffrée.");
    case ZIP_ER_MEMORY:
        return QStringLiteral("la mémoire manque.");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        return QStringLiteral("erreur de lecture.");
    case ZIP_ER_WRITE:
        return QStringLiteral("erreur d'écriture.");
    default:
        return QStringLiteral("erreur %1 de la bibliothèque ZIP.").arg(zipError);
    }
}

ZipArchive::ZipArchive(zip *archive, zip_source *target, const QString &archiveName)
    : m_archive(archive), m_target(target), m_archiveName(archiveName)
{
}

ZipArchive::ZipArchive(ZipArchive &&other) noexcept
    : m_archive(std::exchange(other.m_archive, nullptr)),
      m_target(std::exchange(other.m_target, nullptr)),
      m_archiveName(std::move(other.m_archiveName)),
      m_pending(std::move(other.m_pending))
{
}

ZipArchive &ZipArchive::operator=(ZipArchive &&other) noexcept
{
    if (this != &other) {
        ZipArchive gone(std::move(*this));
        m_archive = std::exchange(other.m_archive, nullptr);
        m_target = std::exchange(other.m_target, nullptr);
        m_archiveName = std::move(other.m_archiveName);
        m_pending = std::move(other.m_pending);
    }
    return *this;
}

ZipArchive::~ZipArchive()
{
    if (m_archive)
        zip_discard(m_archive);
    if (m_target)
        zip_source_free(m_target);
}

void ZipArchive::failReading(const QString &reason) const
{
    throw cannotRead(m_archiveName, reason);
}

void ZipArchive::failWriting(const QString &reason) const
{
    throw cannotWrite(m_archiveName, reason);
}

zip *ZipArchive::checkedArchive() const
{
    if (!m_archive)
        throw Error(QStringLiteral("L'archive %1 est déjà fermée.").arg(quoted(m_archiveName)));
    return m_archive;
}

ZipArchive ZipArchive::openForReading(const QByteArray &bytes, const QString &archiveName)
{
    // libzip takes an empty buffer for an empty archive; an empty file is not one.
    if (bytes.isEmpty())
        throw cannotRead(archiveName, errorText(ZIP_ER_NOZIP));
    ZipError error;
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0,
                                                    error.get());
    if (!source)
        throw cannotRead(archiveName, errorText(error.code()));
    zip_t *archive = zip_open_from_source(source, ZIP_RDONLY, error.get());
    if (!archive) {
        zip_source_free(source);
        throw cannotRead(archiveName, errorText(error.code()));
    }
    return ZipArchive(archive, nullptr, archiveName);
}

ZipArchive ZipArchive::create(const QString &archiveName)
{
    ZipError error;
    zip_source_t *target = zip_source_buffer_create(nullptr, 0, 0, error.get());
    if (!target)
        throw cannotWrite(archiveName, errorText(error.code()));
    // Kept past zip_close, which writes the archive into it.
    zip_source_keep(target);
    zip_t *archive = zip_open_from_source(target, ZIP_TRUNCATE, error.get());
    if (!archive) {
        zip_source_free(target);
        zip_source_free(target);
        throw cannotWrite(archiveName, errorText(error.code()));
    }
    return ZipArchive(archive, target, archiveName);
}

qint64 ZipArchive::entryCount() const
{
    const zip_int64_t count = zip_get_num_entries(checkedArchive(), 0);
    if (count < 0)
        failReading(errorText(zip_error_code_zip(zip_get_error(m_archive))));
    return count;
}

ZipArchive::Entry ZipArchive::entry(qint64 index) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(checkedArchive(), zip_uint64_t(index), ZIP_FL_ENC_RAW, &stat) != 0)
        failReading(errorText(zip_error_code_zip(zip_get_error(m_archive))));
    Entry entry;
    if (stat.valid & ZIP_STAT_NAME)
        entry.name = QByteArray(stat.name);
    if (stat.valid & ZIP_STAT_SIZE)
        entry.size = stat.size;
    if (stat.valid & ZIP_STAT_COMP_SIZE)
        entry.compressedSize = stat.comp_size;
    if (stat.valid & ZIP_STAT_COMP_METHOD)
        entry.method = stat.comp_method;
    if (stat.valid & ZIP_STAT_ENCRYPTION_METHOD)
        entry.encrypted = stat.encryption_method != ZIP_EM_NONE;
    return entry;
}

QByteArray ZipArchive::read(qint64 index, qint64 maxBytes) const
{
    const Entry declared = entry(index);
    const QString name = entryLabel(declared.name);
    const auto fail = [&](int zipError) { failReading(name + QLatin1Char(' ') + entryErrorText(zipError)); };
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(checkedArchive(), zip_uint64_t(index), 0));
    if (!file)
        fail(zip_error_code_zip(zip_get_error(m_archive)));
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<quint64>(declared.size, quint64(maxBytes)) + 1));
    constexpr qint64 Chunk = 64 * 1024;
    for (;;) {
        // One byte past the cap is enough to know the entry is too large.
        const qint64 room = std::min<qint64>(Chunk, maxBytes + 1 - bytes.size());
        const qsizetype at = bytes.size();
        bytes.resize(at + room);
        const zip_int64_t got = zip_fread(file.get(), bytes.data() + at, zip_uint64_t(room));
        if (got < 0)
            fail(zip_error_code_zip(zip_file_get_error(file.get())));
        bytes.resize(at + got);
        if (bytes.size() > maxBytes)
            failReading(QStringLiteral("%1 dépasse %2 une fois décompressé.").arg(name, byteCount(maxBytes)));
        if (got == 0)
            break;
    }
    const int closed = zip_fclose(file.release());
    if (closed != 0)
        fail(closed);
    // libzip checks the CRC but not the length the entry declared.
    if (quint64(bytes.size()) != declared.size)
        fail(ZIP_ER_INCONS);
    return bytes;
}

void ZipArchive::add(const QString &name, const QByteArray &bytes, Compression compression)
{
    zip_t *archive = checkedArchive();
    if (!m_target)
        failWriting(QStringLiteral("l'archive est ouverte en lecture seule."));
    // libzip reads the content only when the archive is completed: keep it alive until then.
    m_pending.append(bytes);
    const QByteArray &kept = m_pending.constLast();
    zip_source_t *source = zip_source_buffer(archive, kept.constData(), zip_uint64_t(kept.size()), 0);
    if (!source)
        failWriting(errorText(zip_error_code_zip(zip_get_error(archive))));
    const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_GUESS);
    if (index < 0) {
        zip_source_free(source);
        failWriting(errorText(zip_error_code_zip(zip_get_error(archive))));
    }
    const bool deflate = compression == Compression::Deflate;
    if (zip_set_file_compression(archive, zip_uint64_t(index), deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 deflate ? NormalDeflateLevel : 0)
        != 0)
        failWriting(errorText(zip_error_code_zip(zip_get_error(archive))));
}

QByteArray ZipArchive::finish()
{
    zip_t *archive = checkedArchive();
    if (!m_target)
        failWriting(QStringLiteral("l'archive est ouverte en lecture seule."));
    if (zip_close(archive) != 0)
        failWriting(errorText(zip_error_code_zip(zip_get_error(archive))));  // the destructor discards it
    m_archive = nullptr;
    m_pending.clear();

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(m_target, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
        || stat.size > zip_uint64_t(std::numeric_limits<qsizetype>::max()))
        failWriting(errorText(zip_error_code_zip(zip_source_error(m_target))));
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    if (zip_source_open(m_target) != 0)
        failWriting(errorText(zip_error_code_zip(zip_source_error(m_target))));
    const zip_int64_t got = zip_source_read(m_target, bytes.data(), stat.size);
    zip_source_close(m_target);
    if (got < 0 || zip_uint64_t(got) != stat.size)
        failWriting(errorText(zip_error_code_zip(zip_source_error(m_target))));
    return bytes;
}

} // namespace tivane
