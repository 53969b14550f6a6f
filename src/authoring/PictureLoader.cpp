#include "authoring/PictureLoader.h"

#include "core/Error.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <optional>

namespace tivane {

namespace {

// Qt's own cap on what one read may allocate refuses ordinary camera pictures; it is raised
// for a read whose declared size has passed the pixel check, and put back afterwards.
class AllocationLimitRaise
{
public:
    explicit AllocationLimitRaise(QSize declared) : m_previous(QImageReader::allocationLimit())
    {
        // Room for the widest format a reader produces, 8 bytes per pixel (16-bit RGBA).
        const qint64 megabytes = (qint64(declared.width()) * declared.height() * 8 >> 20) + 1;
        if (m_previous != 0 && megabytes > m_previous)
            QImageReader::setAllocationLimit(int(megabytes));
    }
    ~AllocationLimitRaise() { QImageReader::setAllocationLimit(m_previous); }
    AllocationLimitRaise(const AllocationLimitRaise &) = delete;
    AllocationLimitRaise &operator=(const AllocationLimitRaise &) = delete;

private:
    int m_previous;
};

QString tooLarge(QSize size)
{
    return QStringLiteral("l'image est trop grande (%1 × %2 pixels ; au plus %3 millions de pixels).")
        .arg(size.width())
        .arg(size.height())
        .arg(MaxPicturePixels / 1'000'000);
}

QString readerErrorText(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        return QStringLiteral("le fichier n'existe pas.");
    case QImageReader::DeviceError:
        return QStringLiteral("le fichier ne peut pas être lu.");
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("ce n'est pas une image dans un format connu.");
    case QImageReader::InvalidDataError:
        return QStringLiteral("l'image est abîmée ou incomplète.");
    case QImageReader::UnknownError:
        break;
    }
    return QStringLiteral("l'image ne peut pas être décodée.");
}

bool tooManyPixels(QSize size)
{
    return qint64(size.width()) * size.height() > MaxPicturePixels;
}

} // namespace

QImage loadPicture(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        throw cannotRead(name, QStringLiteral("le fichier n'existe pas."));
    if (!info.isFile())
        throw cannotRead(name, QStringLiteral("ce n'est pas un fichier."));

    QImageReader reader(path);
    // A photo saved under the wrong extension is still read by what it holds.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // A BMP stored top-down declares a negative height.
    const QSize raw = reader.size();
    const QSize declared = raw == QSize(-1, -1) ? QSize() : QSize(qAbs(raw.width()), qAbs(raw.height()));
    if (declared.isValid() && tooManyPixels(declared))
        throw cannotRead(name, tooLarge(declared));

    QImage picture;
    {
        // Without a declared size Qt's usual cap stays, which only refuses very large pictures.
        std::optional<AllocationLimitRaise> raise;
        if (declared.isValid())
            raise.emplace(declared);
        if (!reader.read(&picture) || picture.isNull())
            throw cannotRead(name, readerErrorText(reader));
    }
    if (tooManyPixels(picture.size()))
        throw cannotRead(name, tooLarge(picture.size()));

    if (picture.hasAlphaChannel()) {
        QImage opaque(picture.size(), QImage::Format_RGB32);
        if (opaque.isNull())
            throw cannotRead(name, QStringLiteral("la mémoire manque pour ouvrir cette image."));
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, picture);
        painter.end();
        picture = std::move(opaque);
    }
    picture.convertTo(QImage::Format_RGB888);
    if (picture.isNull())
        throw cannotRead(name, QStringLiteral("la mémoire manque pour ouvrir cette image."));
    return picture;
}

QStringList pictureNameFilters()
{
    // Each reader Qt has here, with the extensions its files carry (the dialog matches them
    // without regard to case, so a camera's "IMG_0001.JPG" is listed).
    const struct
    {
        const char *format;
        QStringList suffixes;
    } readers[] = {
        {"bmp", {QStringLiteral("bmp"), QStringLiteral("dib")}},
        {"ico", {QStringLiteral("ico")}},
        {"jpeg", {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"), QStringLiteral("jfif")}},
        {"gif", {QStringLiteral("gif")}},
        {"png", {QStringLiteral("png")}},
        {"webp", {QStringLiteral("webp")}},
        {"tiff", {QStringLiteral("tif"), QStringLiteral("tiff")}},
    };
    const QList<QByteArray> supported = QImageReader::supportedImageFormats();
    QStringList patterns;
    for (const auto &r : readers) {
        if (!supported.contains(QByteArray(r.format)))
            continue;
        for (const QString &suffix : r.suffixes)
            patterns << QStringLiteral("*.") + suffix;
    }
    return {QStringLiteral("Images (%1)").arg(patterns.join(QLatin1Char(' '))),
            QStringLiteral("Tous les fichiers (*)")};
}

} // namespace tivane
