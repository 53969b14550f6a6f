#include "widgets/FormParts.h"

#include "core/WinColor.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

namespace tivane {

FramelessDialog::FramelessDialog(QSize clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setFixedSize(clientSize);
}

void FramelessDialog::reject()
{
    // Only the dialog's own button closes it.
}

void FramelessDialog::closeFromButton()
{
    done(QDialog::Accepted);
}

void FramelessDialog::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

ShapeWidget::ShapeWidget(const QColor &fill, int penWidth, QWidget *parent)
    : QWidget(parent), m_fill(fill), m_penWidth(penWidth)
{
    setObjectName(QStringLiteral("Shape1"));
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    if (m_fill.isValid())
        p.fillRect(r, m_fill);
    const int w = m_penWidth;
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), Qt::black);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), Qt::black);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), Qt::black);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), Qt::black);
}

void applySilverPalette(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, winColor(WinColors::Silver));
    palette.setColor(QPalette::Button, winColor(WinColors::Silver));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
                  const QFont &font, const QColor &colour, const QColor &background)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    return label;
}

QToolButton *makeSpeedButton(QWidget *parent, const QString &name, const QRect &geometry,
                             const QString &text, const QFont &font, const QColor &colour)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setText(text);
    button->setFont(font);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
    return button;
}

} // namespace tivane
