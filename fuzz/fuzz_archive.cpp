// The exchange archive reader: the import's whole check of an archive from another machine,
// short of writing to the store.
//
// An input that starts with "PK" is read as an archive. Any other input is cut into the three
// entries of an archive built here, so that mutations reach the description and the pictures
// instead of stopping at the archive's CRC: one byte gives the description's length, two more
// (little-endian) the picture's, and the thumbnail is the rest.

#include "core/Error.h"
#include "store/PuzzleArchive.h"
#include "store/ZipArchive.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace tivane;

namespace {

QByteArray wrapInArchive(const std::uint8_t *data, std::size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    std::size_t at = 3;
    const std::size_t descriptionSize = std::min<std::size_t>(data[0], size - at);
    const QByteArray description(bytes + at, qsizetype(descriptionSize));
    at += descriptionSize;
    const std::size_t pictureSize = std::min<std::size_t>(data[1] | (data[2] << 8), size - at);
    const QByteArray picture(bytes + at, qsizetype(pictureSize));
    at += pictureSize;
    const QByteArray thumbnail(bytes + at, qsizetype(size - at));

    ZipArchive archive = ZipArchive::create(QStringLiteral("fuzz.zip"));
    archive.add(QStringLiteral("puz.tvn"), description, ZipArchive::Compression::Store);
    archive.add(QStringLiteral("image.bmp"), picture, ZipArchive::Compression::Store);
    archive.add(QStringLiteral("vignette.bmp"), thumbnail, ZipArchive::Compression::Store);
    return archive.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        if (size >= 2 && data[0] == 'P' && data[1] == 'K') {
            const QByteArray zip = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
            readPuzzleArchive(zip, QStringLiteral("fuzz.zip"));
        } else if (size >= 3) {
            readPuzzleArchive(wrapInArchive(data, size), QStringLiteral("fuzz.zip"));
        }
    } catch (const Error &) {
        // Refusing an archive with a message is the expected outcome for most inputs.
    }
    return 0;
}
