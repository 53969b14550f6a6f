#include "app/dialogs/AboutBox.h"

#include "core/BuiltinResources.h"
#include "app/dialogs/Descramble.h"
#include "core/Fonts.h"

#include <QDesktopServices>
#include <QHideEvent>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>
#include <QToolButton>

namespace tivane {

namespace {

const QColor LinkBlue(0, 0, 255);

QFont creditsFont()
{
    // "Gen" is rarely installed; Liberation Sans stands in.
    QFont font = formFont(16);
    font.setFamilies({QStringLiteral("Gen"), QStringLiteral("Liberation Sans")});
    return font;
}

} // namespace

QStringList AboutBox::creditLines()
{
    return {
        QStringLiteral("TIVANE"),
        QString(),
        QStringLiteral("Création de puzzles "),
        QStringLiteral("pour l'école primaire"),
        QStringLiteral(" "),
    };
}

AboutBox::AboutBox(QWidget *parent)
    : FramelessDialog(QSize(325, 211), parent),
      m_creditsPacer(new StepPacer(this)),
      m_openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    m_creditsPacer->setObjectName(QStringLiteral("MoveTimer"));
    setObjectName(QStringLiteral("TFap"));

    const QPixmap background = QPixmap::fromImage(BuiltinResources::picture(BuiltinResources::AboutBackground));
    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(background);
    image->setGeometry(QRect(QPoint(0, 0), background.size()));
    setFixedSize(background.size());

    m_p1 = new QWidget(this);
    m_p1->setObjectName(QStringLiteral("P1"));
    m_p1->setGeometry(18, 19, 289, 161);
    QPalette black = m_p1->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_p1->setPalette(black);
    m_p1->setAutoFillBackground(true);

    m_gen = new QLabel(creditLines().join(QLatin1Char('\n')), m_p1);
    m_gen->setObjectName(QStringLiteral("Gen"));
    m_gen->setGeometry(0, 0, 289, 161);
    m_gen->setFont(creditsFont());
    m_gen->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_gen->setFocusPolicy(Qt::NoFocus);
    m_gen->setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette credits = m_gen->palette();
    credits.setColor(QPalette::Window, Qt::black);
    credits.setColor(QPalette::WindowText, Qt::yellow);
    m_gen->setPalette(credits);
    m_gen->setAutoFillBackground(true);

    auto *close = makeSpeedButton(this, QStringLiteral("SpeedButton1"), QRect(232, 186, 73, 17),
                                  QStringLiteral("FERMER"), formFont(11), LinkBlue);
    connect(close, &QToolButton::clicked, this, &AboutBox::closeBox);
    auto *write = makeSpeedButton(this, QStringLiteral("SpeedButton2"), QRect(16, 186, 97, 17),
                                  QStringLiteral("Ecrire à l'auteur"), formFont(11), LinkBlue);
    connect(write, &QToolButton::clicked, this, &AboutBox::writeToAuthor);
}

AboutBox::~AboutBox() = default;

void AboutBox::showEvent(QShowEvent *event)
{
    FramelessDialog::showEvent(event);
    if (!event->spontaneous())
        startCredits();
}

// Any way of closing passes here: the button, done() or a plain hide().
void AboutBox::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        stopCredits();
    FramelessDialog::hideEvent(event);
}

void AboutBox::startCredits()
{
    // Each showing starts again at the panel's bottom edge.
    m_gen->move(0, m_p1->height());
    m_creditsPacer->startAfter([this] {
        scrollCredits();
        return CreditsStepMs;
    }, CreditsStepMs);
}

void AboutBox::stopCredits()
{
    m_creditsPacer->stop();
}

void AboutBox::scrollCredits()
{
    const int height = m_p1->height();
    int t = m_gen->y() - 2;
    if (t < -height)
        t = height;
    m_gen->move(0, t);
}

void AboutBox::closeBox()
{
    closeFromButton();
}

void AboutBox::writeToAuthor()
{
    const QString address = descramble(QString::fromLatin1(ContactKey),
                                       QString::fromLatin1(ScrambledContact, sizeof(ScrambledContact) - 1));
    m_openUrl(QUrl(address));
}

} // namespace tivane
