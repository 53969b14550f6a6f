#include "authoring/FramingDialog.h"

#include "core/Fonts.h"
#include "core/WinColor.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <cmath>

namespace tivane {

namespace {

QPoint pixelAt(const QMouseEvent *event)
{
    const QPointF at = event->position();
    return QPoint(int(std::floor(at.x())), int(std::floor(at.y())));
}

} // namespace

QImage displayCopy(const QImage &picture, QSize size)
{
    // Sampling down to four times the view first keeps the smoothing's cost to that of the
    // view while still averaging 16 samples per shown pixel.
    constexpr int Oversample = 4;
    QImage source = picture;
    const QSize sampled = size * Oversample;
    if (source.width() > sampled.width() && source.height() > sampled.height())
        source = source.scaled(sampled, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (source.format() != QImage::Format_RGB32)
        source.convertTo(QImage::Format_RGB32);
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

FramingView::FramingView(FramingLogic &logic, QWidget *parent) : QWidget(parent), m_logic(logic)
{
    setObjectName(QStringLiteral("Ph"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FramingView::setPictures(const QImage &display, const QImage &negative)
{
    m_display = display;
    m_negative = negative;
    update();
}

void FramingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_negative);
    const QRect zone = m_logic.zoneInView();
    painter.drawImage(zone.topLeft(), m_display, zone);
}

void FramingView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_logic.press(pixelAt(event));
}

void FramingView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (m_logic.move(pixelAt(event)))
        update();
}

void FramingView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    m_logic.release();
}

FramingDialog::FramingDialog(QWidget *parent) : FramelessDialog(QSize(492, 412), parent)
{
    setObjectName(QStringLiteral("TFchoix"));
    applySilverPalette(this);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(0, 0, 489, 409);

    m_hint = makeLabel(m_panel, QStringLiteral("Label6"), QRect(8, 8, 465, 25),
                       QStringLiteral("Déplace la zone de sélection puis valide."), formFont(16),
                       winColor(WinColors::Blue));
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_view = new FramingView(m_logic, m_panel);
    m_view->setGeometry(8, 32, 360, 360);

    m_validate = makeSpeedButton(m_panel, QStringLiteral("SpeedButton2"), QRect(376, 336, 97, 25),
                                 QStringLiteral("VALIDER"), formFont(11, true), winColor(WinColors::DarkGreen));
    m_cancel = makeSpeedButton(m_panel, QStringLiteral("SpeedButton1"), QRect(376, 368, 97, 25),
                               QStringLiteral("ANNULER"), formFont(11, true), winColor(WinColors::DarkRed));
    connect(m_validate, &QToolButton::clicked, this, &FramingDialog::validate);
    connect(m_cancel, &QToolButton::clicked, this, &FramingDialog::cancel);
}

void FramingDialog::prepare(const QImage &picture)
{
    m_logic.prepare(picture.size());
    const QImage display = displayCopy(picture, m_logic.viewSize());
    QImage negative = display;
    negative.invertPixels();
    m_picture = picture;
    m_view->setGeometry(QRect(m_logic.viewTopLeft(), m_logic.viewSize()));
    m_view->setPictures(display, negative);
}

QImage FramingDialog::framedZone() const
{
    return m_picture.copy(m_logic.selection().toRect());
}

void FramingDialog::validate()
{
    m_zoneFramed = true;
    m_logic.release();
    done(QDialog::Accepted);
}

void FramingDialog::cancel()
{
    m_zoneFramed = false;
    m_logic.release();
    done(QDialog::Rejected);
}

} // namespace tivane
