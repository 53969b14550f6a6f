#include "authoring/UpDownControl.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace tivane {

UpDownControl::UpDownControl(Qt::Orientation orientation, int minimum, int maximum, int position,
                             QWidget *parent)
    : QWidget(parent),
      m_orientation(orientation),
      m_minimum(minimum),
      m_maximum(maximum),
      m_position(std::clamp(position, minimum, maximum)),
      m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    const bool vertical = orientation == Qt::Vertical;
    m_up->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    m_down->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDownControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_orientation == Qt::Vertical) {
        const int half = height() / 2;
        m_up->setGeometry(0, 0, width(), half);
        m_down->setGeometry(0, half, width(), height() - half);
    } else {
        const int half = width() / 2;
        m_down->setGeometry(0, 0, half, height());
        m_up->setGeometry(half, 0, width() - half, height());
    }
}

void UpDownControl::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
    showInBuddy();
}

void UpDownControl::setBuddy(QLineEdit *buddy)
{
    m_buddy = buddy;
    showInBuddy();
    connect(buddy, &QLineEdit::textChanged, this, [this](const QString &text) {
        bool number = false;
        const int value = text.toInt(&number);
        m_position = std::clamp(number ? value : m_minimum, m_minimum, m_maximum);
    });
}

void UpDownControl::step(int delta)
{
    setPosition(m_position + delta);
    emit clicked();
}

void UpDownControl::showInBuddy()
{
    if (m_buddy && m_buddy->text() != QString::number(m_position))
        m_buddy->setText(QString::number(m_position));
}

} // namespace tivane
