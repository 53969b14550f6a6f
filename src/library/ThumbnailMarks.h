#pragma once
// The marks the chooser draws over a thumbnail picture: the piece grid and up to three badges
// (model, rotation, clock). Pure picture work, no widget.

#include <QImage>
#include <QPoint>

namespace tivane {

struct PuzzleDescription;

// What a puzzle's description says about the marks of its thumbnail.
struct ThumbnailMarks
{
    int columns = 1;
    int rows = 1;
    bool model = false;     // the model may be shown
    bool rotation = false;  // pieces are dealt turned
    bool timed = false;     // a time limit above 0

    static ThumbnailMarks of(const PuzzleDescription &description);
};

// The three 22 x 22 badges, with their key colour already made transparent.
struct ThumbnailBadges
{
    QImage model;
    QImage rotation;
    QImage clock;

    // The built-in badges.
    static ThumbnailBadges builtin();
    // A badge drawn on keyColour: pixels of exactly that colour become transparent.
    static QImage keyedOut(const QImage &badge, QRgb keyColour);
};

namespace ThumbnailLayout {
// The grid marks are drawn for a 100 x 100 picture: lines run from 0 to 99 whatever its size.
inline constexpr int MarkExtent = 100;
inline constexpr QPoint ModelBadgeAt{76, 78};
inline constexpr QPoint RotationBadgeAt{2, 78};
inline constexpr QPoint ClockBadgeAt{2, 2};

// Six thumbnails to a row on a pitch of 110 pixels, 10 from the box's edges.
inline constexpr int PerRow = 6;
inline constexpr int Pitch = 110;
inline constexpr int Margin = 10;
constexpr QPoint place(int position)
{
    return {position % PerRow * Pitch + Margin, position / PerRow * Pitch + Margin};
}
} // namespace ThumbnailLayout

// The side a thumbnail is shown at; a thumbnail picture of another size is resampled to it.
inline constexpr int ThumbnailSide = 100;

// A thumbnail as the chooser shows it: the picture brought to ThumbnailSide x ThumbnailSide with
// resampleBitmap when it has another size, then decorated.
QImage thumbnailForDisplay(const QImage &picture, const ThumbnailMarks &marks, const ThumbnailBadges &badges);

// A copy of picture with white one-pixel grid lines (x = c * (width div columns), then
// y = d * (height div rows)) and the badges that apply, in the order model, rotation, clock.
// Grids below 1 x 1 are drawn as 1 x 1.
QImage decorateThumbnail(const QImage &picture, const ThumbnailMarks &marks,
                         const ThumbnailBadges &badges);

} // namespace tivane
