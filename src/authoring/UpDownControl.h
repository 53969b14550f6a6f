#pragma once
// An up-down control: two arrow buttons that step a whole-number position within a range.
// Vertical, the upper button steps up; horizontal, the right one. A buddy edit box shows the
// position and, when typed into, sets it.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tivane {

class UpDownControl : public QWidget
{
    Q_OBJECT
public:
    UpDownControl(Qt::Orientation orientation, int minimum, int maximum, int position, QWidget *parent);

    int position() const { return m_position; }
    // Clamped to the range; shown in the buddy. Emits nothing.
    void setPosition(int position);

    void setBuddy(QLineEdit *buddy);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    // A button stepped the position (or tried to, at an end of the range).
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void step(int delta);
    void showInBuddy();

    Qt::Orientation m_orientation;
    int m_minimum;
    int m_maximum;
    int m_position;
    QToolButton *m_up;
    QToolButton *m_down;
    QLineEdit *m_buddy = nullptr;
};

} // namespace tivane
