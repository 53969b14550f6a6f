#pragma once
// The pictures that stand for the children: a child's own picture in the store's folder
// "eleves/", or, for a child without one, the first letter of the first name on a coloured disc.

#include <QImage>
#include <QString>
#include <QStringList>

namespace tivane {

class PuzzleStore;
struct Pupil;

// Far above a framed photo saved by the program; larger files are not read.
inline constexpr qint64 MaxPupilPictureBytes = 8 * 1024 * 1024;
inline constexpr int MaxPupilPictureSide = 4096;

// The pictures drawn by the program that a child may take instead of a photo, by file name
// ("chat.png"...), in the order they are offered.
QStringList builtinPupilPictures();
QImage builtinPupilPicture(const QString &name);

// The first letter, upper-cased, white on a disc whose colour follows the name, on a
// transparent square of `side` pixels.
QImage letterDisc(const QString &firstName, int side);

// The child's picture scaled to side x side, or its letter disc when it has none or when the
// picture cannot be read (missing, too large, not a picture): a bad file never stops a child.
QImage pupilPicture(const PuzzleStore &store, const Pupil &pupil, int side);

} // namespace tivane
