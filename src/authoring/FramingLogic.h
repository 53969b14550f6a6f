#pragma once
// The arithmetic of the framing dialog, without a widget: where and how large the picture is
// shown, the square zone (the largest that fits, in picture pixels) and how a drag slides it
// along the picture's long side.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tivane {

// The zone in picture pixels; right and bottom are exclusive and right - left = bottom - top.
struct SelectionRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    QRect toRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const SelectionRect &) const = default;
};

class FramingLogic
{
public:
    // The view's long side, and the centre of the picture area in the dialog's panel.
    static constexpr int ViewSide = 360;
    static constexpr QPoint ViewCentre{188, 212};

    // Lays out a picture of this size (neither side 0): the view is 360 on its long side, the
    // other side rounded half to even; the zone starts at the left or top end. Ends any drag.
    void prepare(QSize pictureSize);

    QSize pictureSize() const { return m_pictureSize; }
    QSize viewSize() const { return m_viewSize; }
    // Where the view sits in the panel: centred on ViewCentre (integer halves).
    QPoint viewTopLeft() const;
    // Picture pixels per view pixel.
    float viewScaleX() const { return m_viewScaleX; }
    float viewScaleY() const { return m_viewScaleY; }
    // The zone slides horizontally exactly when the view is 360 wide, so a square picture's or an
    // almost square portrait's zone, which covers the whole width, cannot move.
    bool horizontal() const { return m_viewSize.width() == ViewSide; }

    const SelectionRect &selection() const { return m_selection; }
    // The zone in view pixels, edges rounded to the nearest pixel.
    QRect zoneInView() const;

    // Pointer events in view coordinates. A press starts a drag; each move slides the zone by
    // the pointer's own movement, stopping at the picture's ends; a release ends the drag.
    // move() tells whether the zone moved.
    void press(QPoint viewPoint);
    bool move(QPoint viewPoint);
    void release();

    bool dragging() const { return m_dragging; }
    // The pointer's last place in picture pixels during a drag, -1 outside one.
    int dragX() const { return m_dragX; }
    int dragY() const { return m_dragY; }

private:
    int toPictureX(int viewX) const;
    int toPictureY(int viewY) const;

    QSize m_pictureSize;
    QSize m_viewSize;
    float m_viewScaleX = 1.0f;
    float m_viewScaleY = 1.0f;
    SelectionRect m_selection;
    bool m_dragging = false;
    int m_dragX = -1;
    int m_dragY = -1;
};

} // namespace tivane
