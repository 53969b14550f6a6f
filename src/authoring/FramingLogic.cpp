#include "authoring/FramingLogic.h"

#include "core/Error.h"

#include <algorithm>
#include <cmath>

namespace tivane {

namespace {

// Halves to even, as the default rounding mode does; a view is never less than a pixel.
int roundedSide(double side)
{
    return std::max(1, static_cast<int>(std::nearbyint(side)));
}

// trunc(position x scale), the product taken in double as the scale's own precision allows.
int scaled(int position, float scale)
{
    return static_cast<int>(std::trunc(double(position) * double(scale)));
}

int viewEdge(int picturePosition, int pictureSide, int viewSide)
{
    return static_cast<int>((qint64(picturePosition) * viewSide * 2 + pictureSide) / (qint64(pictureSide) * 2));
}

// Moves the span [low, high] by delta, kept within [0, limit]; returns the move made.
int shiftWithin(int &low, int &high, int delta, int limit)
{
    delta = std::min(std::max(delta, -low), limit - high);
    low += delta;
    high += delta;
    return delta;
}

} // namespace

void FramingLogic::prepare(QSize pictureSize)
{
    if (pictureSize.isEmpty())
        throw Error(QStringLiteral("L'image à cadrer est vide."));
    m_pictureSize = pictureSize;
    const int width = pictureSize.width();
    const int height = pictureSize.height();
    const float ratio = static_cast<float>(double(height) / double(width));
    if (ratio > 1.0f) {
        m_viewSize = QSize(roundedSide(ViewSide / double(ratio)), ViewSide);
        m_selection = {0, 0, width, width};
    } else {
        m_viewSize = QSize(ViewSide, roundedSide(double(ratio) * ViewSide));
        m_selection = {0, 0, height, height};
    }
    m_viewScaleY = static_cast<float>(double(height) / m_viewSize.height());
    m_viewScaleX = static_cast<float>(double(width) / m_viewSize.width());
    release();
}

QPoint FramingLogic::viewTopLeft() const
{
    return QPoint(ViewCentre.x() - m_viewSize.width() / 2, ViewCentre.y() - m_viewSize.height() / 2);
}

QRect FramingLogic::zoneInView() const
{
    const int w = m_pictureSize.width();
    const int h = m_pictureSize.height();
    const int vw = m_viewSize.width();
    const int vh = m_viewSize.height();
    const int left = viewEdge(m_selection.left, w, vw);
    const int top = viewEdge(m_selection.top, h, vh);
    return QRect(left, top, viewEdge(m_selection.right, w, vw) - left,
                 viewEdge(m_selection.bottom, h, vh) - top);
}

int FramingLogic::toPictureX(int viewX) const { return scaled(viewX, m_viewScaleX); }
int FramingLogic::toPictureY(int viewY) const { return scaled(viewY, m_viewScaleY); }

void FramingLogic::press(QPoint viewPoint)
{
    m_dragging = true;
    m_dragX = toPictureX(viewPoint.x());
    m_dragY = toPictureY(viewPoint.y());
}

bool FramingLogic::move(QPoint viewPoint)
{
    if (!m_dragging)
        return false;
    const int nx = toPictureX(viewPoint.x());
    const int ny = toPictureY(viewPoint.y());
    const int delta = horizontal()
        ? shiftWithin(m_selection.left, m_selection.right, nx - m_dragX, m_pictureSize.width())
        : shiftWithin(m_selection.top, m_selection.bottom, ny - m_dragY, m_pictureSize.height());
    // Also when the zone was held at an end: moving back then moves it back at once.
    m_dragX = nx;
    m_dragY = ny;
    return delta != 0;
}

void FramingLogic::release()
{
    m_dragging = false;
    m_dragX = -1;
    m_dragY = -1;
}

} // namespace tivane
