#pragma once
// Pieces shared by the small modal dialogs: the borderless dialog that only its own button
// closes, the bordered rectangle that grounds them, and their labels and flat buttons.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QRect>
#include <QWidget>

class QLabel;
class QToolButton;

namespace tivane {

// A fixed-size, borderless, modal dialog centred on the primary screen when shown.
// Escape and the window manager's close request are refused: only a call to done(),
// accept() or closeFromButton() closes it.
class FramelessDialog : public QDialog
{
    Q_OBJECT
public:
    FramelessDialog(QSize clientSize, QWidget *parent = nullptr);

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    // Connect a button's click here.
    void closeFromButton();
};

// A rectangle with an optional fill and a black border `penWidth` pixels wide, inside its
// own bounds.
class ShapeWidget : public QWidget
{
    Q_OBJECT
public:
    ShapeWidget(const QColor &fill, int penWidth, QWidget *parent);
    QColor fill() const { return m_fill; }
    int penWidth() const { return m_penWidth; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill; // invalid: not filled
    int m_penWidth;
};

// The silver ground of the program's windows: window and buttons silver, the background filled.
void applySilverPalette(QWidget *widget);

// Sets the colour of a widget's text (labels and buttons alike).
void setTextColour(QWidget *widget, const QColor &colour);

// A label with centred text, transparent unless given a background.
QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
                  const QFont &font, const QColor &colour, const QColor &background = QColor());

// A flat, focus-less button with the hand cursor.
QToolButton *makeSpeedButton(QWidget *parent, const QString &name, const QRect &geometry,
                             const QString &text, const QFont &font, const QColor &colour);

} // namespace tivane
