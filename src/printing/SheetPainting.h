#pragma once
// Draws a sheet layout: on the preview at one pixel per millimetre, and on a printer's page.

#include "printing/PrintLayout.h"

#include <QColor>
#include <QImage>

class QPainter;

namespace tivane {

namespace SheetColours {
constexpr QRgb Surround = 0xFFBFBFBFu;  // the preview around the sheet
constexpr QRgb Sheet = 0xFFFFFFFFu;
constexpr QRgb Fold = 0xFF000000u;
}

// The 296 x 296 preview: grey around the white sheet, dashed fold lines, the picture stretched
// pixel by pixel into its rectangle, and one-pixel cut lines in `lineColour`.
QImage renderPreview(const SheetLayout &layout, const QImage &photo, const QColor &lineColour);

// The picture and its cut lines on a page whose printable area is `printable` device pixels at
// `resolution` dots per inch; the painter's origin is the printable area's top-left corner.
// The picture is scaled smoothly so that a small picture does not print as blocks.
void paintOnPaper(QPainter &painter, const SheetLayout &layout, const QImage &photo,
                  const QColor &lineColour, QSize printable, int resolution);

// The cut lines' width on paper, in device pixels: three dots of a 300 dpi printer.
int paperLineWidth(int resolution);

// The picture as it goes to the printer for a device rectangle of `target` pixels: smoothly
// scaled to at most 300 dots per inch (beyond that a 360-pixel picture gains nothing).
QImage paperPicture(const QImage &photo, QSize target, int resolution);

} // namespace tivane
