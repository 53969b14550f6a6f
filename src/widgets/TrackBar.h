#pragma once
// A slider that behaves as a track bar: a click anywhere in its band beside the knob pages
// towards the click, as a click on its groove does; the knob drags as on any slider.

#include <QSlider>

namespace tivane {

class TrackBar : public QSlider
{
    Q_OBJECT
public:
    explicit TrackBar(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace tivane
