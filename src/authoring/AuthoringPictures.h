#pragma once
// The small built-in pictures of the authoring forms (drawn by tools/resources): the numbered
// step discs, the open-folder glyph and the placeholder shown before a picture is chosen.

#include <QImage>

namespace tivane {

// A blue disc 33 x 33 with a white number 1..5, on transparency.
QImage stepDisc(int number);

// An open folder, 32 x 32 on transparency.
QImage openFolderGlyph();

// 360 x 360 at 24 bits: white, with "PAS D'IMAGE" in grey capitals in the middle.
QImage noPicturePlaceholder();

} // namespace tivane
