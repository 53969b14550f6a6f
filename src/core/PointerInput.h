#pragma once
// Telling a real mouse from a touch. Mouse events made from a touch that no widget took carry the
// touch screen as their device when Qt made them, and say so when the window system did. Qt's
// own moves (the pointer entering a new window, a press at a new place) come from the mouse.

#include <QInputDevice>
#include <QMouseEvent>
#include <QPointingDevice>

namespace tivane {

inline bool isFromRealMouse(const QMouseEvent &event)
{
    const QPointingDevice *device = event.pointingDevice();
    return event.source() != Qt::MouseEventSynthesizedBySystem
           && !(device && device->type() == QInputDevice::DeviceType::TouchScreen);
}

} // namespace tivane
