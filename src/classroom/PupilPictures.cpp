#include "classroom/PupilPictures.h"

#include "classroom/ClassFiles.h"
#include "classroom/ClassList.h"
#include "core/Fonts.h"
#include "store/PuzzleStore.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <array>

namespace tivane {

namespace {

// Bright colours on which white letters read well.
constexpr std::array<QRgb, 8> DiscColours{0xFFE53935, 0xFF8E24AA, 0xFF3949AB, 0xFF039BE5,
                                          0xFF00897B, 0xFF43A047, 0xFFF4511E, 0xFF6D4C41};

QImage readPicture(const PuzzleStore &store, const QString &bareName)
{
    if (!isBarePictureName(bareName))
        return {};
    const QString path = store.filePath(ClassFiles::PicturesFolder + u'/' + bareName);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > MaxPupilPictureBytes)
        return {};
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPupilPictureSide || size.height() > MaxPupilPictureSide)
        return {};
    return reader.read();
}

} // namespace

QStringList builtinPupilPictures()
{
    return QDir(QStringLiteral(":/eleves")).entryList(QDir::Files, QDir::Name);
}

QImage builtinPupilPicture(const QString &name)
{
    return QImage(QStringLiteral(":/eleves/") + name);
}

QImage letterDisc(const QString &firstName, int side)
{
    QImage disc(side, side, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    uint sum = 0;
    for (const QChar c : firstName)
        sum = sum * 31 + c.toCaseFolded().unicode();
    QPainter painter(&disc);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(DiscColours[sum % DiscColours.size()]));
    painter.drawEllipse(QRectF(0, 0, side, side));
    painter.setPen(Qt::white);
    painter.setFont(formFont(side * 11 / 20, true));
    const QString letter = firstName.isEmpty() ? QString() : firstName.left(firstName.at(0).isHighSurrogate() ? 2 : 1).toUpper();
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, letter);
    return disc;
}

QImage pupilPicture(const PuzzleStore &store, const Pupil &pupil, int side)
{
    const QImage picture = pupil.picture.isEmpty() ? QImage() : readPicture(store, pupil.picture);
    if (picture.isNull())
        return letterDisc(pupil.firstName, side);
    const QImage scaled = picture.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - side) / 2, (scaled.height() - side) / 2, side, side);
}

} // namespace tivane
