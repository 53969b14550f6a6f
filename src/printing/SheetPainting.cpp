#include "printing/SheetPainting.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace tivane {

namespace {

constexpr int PaperDotsPerInch = 300;
constexpr int MaxPaperPictureSide = 4096;

// The classic dash of a one-pixel pen: 18 pixels drawn, 6 left.
const QList<qreal> FoldDash = {18, 6};

// A horizontal or vertical line drawn up to, but not including, its end point.
void drawOpenLine(QPainter &painter, QLine line)
{
    const QPoint step((line.dx() > 0) - (line.dx() < 0), (line.dy() > 0) - (line.dy() < 0));
    if (step.isNull())
        return;
    painter.drawLine(line.p1(), line.p2() - step);
}

QRect toRect(const Edges &edges)
{
    return QRect(edges.left, edges.top, edges.width(), edges.height());
}

} // namespace

QImage renderPreview(const SheetLayout &layout, const QImage &photo, const QColor &lineColour)
{
    using namespace PrintSheet;
    QImage preview(PreviewSide, PreviewSide, QImage::Format_RGB32);
    preview.fill(SheetColours::Surround);

    QPainter painter(&preview);
    const QPoint offset = previewOffset(layout.orientation);
    painter.translate(offset);
    painter.fillRect(QRect(QPoint(0, 0), sheetSizeMm(layout.orientation)), QColor(SheetColours::Sheet));

    QPen fold(QColor(SheetColours::Fold), 1);
    fold.setDashPattern(FoldDash);
    painter.setPen(fold);
    for (const QLine &line : layout.foldLines)
        drawOpenLine(painter, line);

    const QRect picture = toRect(layout.pictureMm);
    if (!photo.isNull() && picture.width() > 0 && picture.height() > 0)
        painter.drawImage(picture, photo);

    painter.setPen(QPen(lineColour, 1));
    for (const QLine &line : layout.cutLinesMm)
        drawOpenLine(painter, line);
    return preview;
}

int paperLineWidth(int resolution)
{
    return std::max(3, int(std::lround(3.0 * resolution / PaperDotsPerInch)));
}

QImage paperPicture(const QImage &photo, QSize target, int resolution)
{
    if (photo.isNull() || target.isEmpty())
        return {};
    const double scale = resolution > PaperDotsPerInch ? double(PaperDotsPerInch) / resolution : 1.0;
    const auto side = [scale](int pixels) {
        return std::clamp(int(std::lround(pixels * scale)), 1, MaxPaperPictureSide);
    };
    return photo.convertToFormat(QImage::Format_RGB32)
        .scaled(side(target.width()), side(target.height()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void paintOnPaper(QPainter &painter, const SheetLayout &layout, const QImage &photo,
                  const QColor &lineColour, QSize printable, int resolution)
{
    const Edges device = deviceEdges(layout.pictureMm, layout.orientation, printable);
    const QRect picture = toRect(device);
    if (!photo.isNull() && picture.width() > 0 && picture.height() > 0) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(picture, paperPicture(photo, picture.size(), resolution));
        painter.restore();
    }
    painter.setPen(QPen(lineColour, paperLineWidth(resolution), Qt::SolidLine, Qt::FlatCap));
    for (const QLine &line : cutLines(device, layout.cols, layout.rows))
        painter.drawLine(line);
}

} // namespace tivane
