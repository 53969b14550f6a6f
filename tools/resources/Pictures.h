#pragma once
// The built-in pictures, each drawn from scratch by one function.

#include <QImage>
#include <QList>
#include <QString>

#include <utility>

namespace Pictures {

// Top-bar glyphs, 24 x 24 on transparency.
QImage createGlyph();
QImage playGlyph();
QImage instructionsGlyph();

// Sound switch glyphs, 20 x 20 on transparency.
QImage soundOnGlyph();
QImage soundOffGlyph();

// Game badges, 22 x 22, hard-edged on lime (0, 255, 0).
QImage modelBadge();
QImage rotationBadge();
QImage clockBadge();

// The demonstration puzzle picture, 360 x 360.
QImage demoPicture();

// The missing-picture placeholder, 180 x 180. Needs `boldFamily` loaded.
QImage questionMark(const QString &boldFamily);

// The product name, 480 x 86, 256 colours on green (0, 128, 0). Needs `boldFamily` loaded.
QImage logo(const QString &boldFamily);

// The no-model sign, 180 x 180 on lime (0, 255, 0). Needs `boldFamily` loaded.
QImage noModelSign(const QString &boldFamily);

// The about-box background, 325 x 211: a light metal frame around a black panel at
// (18, 19, 289, 161), with room for two buttons along the bottom edge.
QImage aboutBackground();

// A blue disc 33 x 33 with a white number, on transparency. Needs `boldFamily` loaded.
QImage stepDisc(int number, const QString &boldFamily);

// An open folder, 32 x 32 on transparency.
QImage openFolderGlyph();

// 360 x 360: white, with "PAS D'IMAGE" in grey capitals in the middle. Needs `boldFamily` loaded.
QImage noPicturePlaceholder(const QString &boldFamily);

// The pictures a child may take instead of a photo, each 240 x 240 on transparency, with its
// file name ("chat.png"...).
QList<std::pair<QString, QImage>> pupilPictures();

} // namespace Pictures
