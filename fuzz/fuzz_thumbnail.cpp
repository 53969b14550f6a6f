// Links: tivane_library tivane_store
// A thumbnail picture as the chooser reads and shows it: the BMP reader with the thumbnail's
// size limit, then the picture brought to 100 x 100 and decorated with its grid and badges.
// Whatever the bytes, the result is a refusal (Error) or a 100 x 100 thumbnail.
//
// The whole input is the BMP file, so that reproducers stay plain pictures; the marks drawn on
// it (grid of 1..6 by 1..6, each badge or not) are taken from the input's size.

#include "core/Error.h"
#include "library/ThumbnailMarks.h"
#include "store/BmpDecoding.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace tivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ThumbnailBadges badges = ThumbnailBadges::builtin();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QImage picture;
    try {
        picture = decodeBmp(bytes, QStringLiteral("vignette0.bmp"), PictureLimits::MaxThumbnailSide);
    } catch (const Error &) {
        return 0;
    }
    if (picture.isNull() || picture.width() > PictureLimits::MaxThumbnailSide
        || picture.height() > PictureLimits::MaxThumbnailSide)
        std::abort();
    const ThumbnailMarks marks{int(1 + size % 6), int(1 + size / 6 % 6), (size / 36 & 1) != 0,
                               (size / 72 & 1) != 0, (size / 144 & 1) != 0};
    const QImage shown = thumbnailForDisplay(picture, marks, badges);
    if (shown.size() != QSize(ThumbnailSide, ThumbnailSide))
        std::abort();
    return 0;
}
