#include "widgets/TrackBar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace tivane {

TrackBar::TrackBar(Qt::Orientation orientation, QWidget *parent) : QSlider(orientation, parent) {}

void TrackBar::mousePressEvent(QMouseEvent *event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPoint at = event->position().toPoint();
    const bool horizontal = orientation() == Qt::Horizontal;
    const bool besideHandle = horizontal ? at.x() < handle.left() || at.x() > handle.right()
                                         : at.y() < handle.top() || at.y() > handle.bottom();
    if (!besideHandle || groove.isEmpty()) {
        QSlider::mousePressEvent(event);
        return;
    }
    // The style only pages on a press on its thin groove: the press is moved onto it, level
    // with the click, so paging (and its repeat while the button is held) stays the style's.
    const QPoint onGroove = horizontal
        ? QPoint(std::clamp(at.x(), groove.left(), groove.right()), groove.center().y())
        : QPoint(groove.center().x(), std::clamp(at.y(), groove.top(), groove.bottom()));
    QMouseEvent moved(event->type(), QPointF(onGroove), event->scenePosition(), event->globalPosition(),
                      event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
    QSlider::mousePressEvent(&moved);
    event->setAccepted(moved.isAccepted());
}

} // namespace tivane
