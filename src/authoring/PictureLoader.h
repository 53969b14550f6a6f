#pragma once
// Reads a picture a teacher picked, in whatever format Qt reads here, into the form the
// authoring routines work on: upright (EXIF orientation applied), opaque (transparency laid on
// white), 24 bits per pixel (QImage::Format_RGB888), an animation's first frame.

#include <QImage>
#include <QString>
#include <QStringList>

namespace tivane {

// The largest picture accepted, in pixels, checked on the size the file declares before decoding.
inline constexpr qint64 MaxPicturePixels = 100'000'000;

// Throws Error naming the file ("Impossible de lire le fichier « photo.jpg » : ...") when it is
// missing, not a picture Qt can decode, or larger than MaxPicturePixels.
QImage loadPicture(const QString &path);

// The open dialog's filters: one listing every picture format read here, then every file.
QStringList pictureNameFilters();

} // namespace tivane
