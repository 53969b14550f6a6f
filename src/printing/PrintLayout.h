#pragma once
// Where a puzzle's picture and its cut lines go on a printed sheet of 296 x 210 mm: the sheet's
// orientation, the zones of a full, half or quarter page, the margins, the picture rectangle in
// millimetres and on the printer, and the texts the print form shows. No widgets here.

#include <QLine>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

namespace tivane {

enum class SheetSize { Full = 0, Half = 1, Quarter = 2 };
enum class SheetOrientation { Landscape = 0, Portrait = 1 };

namespace PrintSheet {
constexpr int LongSideMm = 296;
constexpr int ShortSideMm = 210;
constexpr int PreviewSide = 296;      // the preview is one pixel per millimetre
constexpr int MarginSliderMax = 60;   // millimetres
constexpr int MarginPageStep = 10;
// The margin slider stops before the picture gets narrower than this.
constexpr int MinPictureSideMm = 10;
}

// A rectangle given by its edges, right and bottom excluded, as the sheet's arithmetic uses them.
struct Edges
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Edges &) const = default;
};

// Height over width of the picture, in single precision like the rest of the sheet's arithmetic.
float photoRatio(QSize picture);

// Half-way values go to the even neighbour.
int roundHalfEven(double value);

// Landscape for a wide or square picture on a full or quarter page, and for a tall one on a
// half page; portrait otherwise.
SheetOrientation sheetOrientation(float ratio, SheetSize size);

// The sheet in millimetres: 296 x 210 landscape, 210 x 296 portrait.
QSize sheetSizeMm(SheetOrientation orientation);

// Where the sheet's top-left corner lies in the 296 x 296 preview.
QPoint previewOffset(SheetOrientation orientation);

// The zone the margins are measured in, width x height in millimetres. It is the zone of the
// sheet's orientation, except for a square picture, which is measured as a tall one: the slider
// then sets the margin along the zone's short side.
QSize marginZone(float ratio, SheetSize size);

// The slider's largest position for that picture and size: 60 mm, less where the picture
// would get narrower than MinPictureSideMm.
int marginMaximum(float ratio, SheetSize size);

// How many zones the sheet has, and the zone ">> DEPLACER >>" moves the picture to.
int slotCount(SheetSize size);
int nextSlot(int slot, SheetSize size);

// The zones' centres in sheet millimetres: left to right, then top to bottom.
QList<QPoint> zoneCentres(SheetSize size, SheetOrientation orientation);

// The dashed fold lines between the zones, in sheet millimetres.
QList<QLine> foldLines(SheetSize size, SheetOrientation orientation);

// The picture's size for a margin position. A picture too tall for its zone is fitted to the
// zone's height; the margin then becomes what is left on each side, within the slider's range.
struct PhotoSize
{
    int marginMm = 0;          // the slider's position, as "Horizontale" shows it
    int widthMm = 0;
    int heightMm = 0;
    int verticalMarginMm = 0;  // as "Verticale" shows it

    bool operator==(const PhotoSize &) const = default;
};
PhotoSize photoSize(float ratio, SheetSize size, int margin);

// The picture's rectangle in sheet millimetres, centred on zone `slot` (its sides are the
// picture's halves rounded down, so an odd size draws one millimetre smaller).
Edges pictureEdges(const PhotoSize &photo, QPoint zoneCentre);

// The cut lines inside a picture rectangle: cols - 1 vertical lines from top to bottom, then
// rows - 1 horizontal lines from left to right, at whole cell steps.
QList<QLine> cutLines(const Edges &picture, int cols, int rows);

// The picture rectangle on a printer whose printable area is `printable` device pixels.
Edges deviceEdges(const Edges &pictureMm, SheetOrientation orientation, QSize printable);

// Everything the form draws and prints for one state.
struct SheetLayout
{
    SheetSize size = SheetSize::Full;
    SheetOrientation orientation = SheetOrientation::Landscape;
    int slot = 0;
    int cols = 1;
    int rows = 1;
    PhotoSize photo;
    QList<QPoint> zoneCentres;
    QList<QLine> foldLines;
    Edges pictureMm;
    QList<QLine> cutLinesMm;
};
// `slot` outside the size's zones counts as zone 0.
SheetLayout sheetLayout(QSize picture, SheetSize size, int slot, int margin, int cols, int rows);

// "21,0 cm X 21,0 cm."
QString dimensionsText(int widthMm, int heightMm);
// "Horizontale : 0 mm", "Verticale : 43 mm"
QString horizontalMarginText(int marginMm);
QString verticalMarginText(int marginMm);

} // namespace tivane
