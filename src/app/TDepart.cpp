#include "TDepart.h"

#include "ActionGuard.h"
#include "BoardSurface.h"
#include "BuiltinResources.h"
#include "Clock.h"
#include "DialogParts.h"
#include "Fonts.h"
#include "IdleDemo.h"
#include "PlayBoard.h"
#include "TFaide.h"
#include "TFap.h"
#include "TFbravo.h"
#include "TFliste.h"
#include "TFperdu.h"
#include "WinColor.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

namespace {
constexpr int ButtonHeight = 33;
constexpr int GlyphSize = 24;

QRect primaryScreenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

void setTextColor(QWidget *widget, quint32 bbggrr)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, winColor(bbggrr));
    palette.setColor(QPalette::WindowText, winColor(bbggrr));
    widget->setPalette(palette);
}
}

TDepart::TDepart() : TDepart(primaryScreenGeometry()) {}

TDepart::TDepart(const QRect &screenGeometry, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_animThread([this] { m_demo->AnimStep(); })
{
    setObjectName(QStringLiteral("Depart"));
    FormCreate(screenGeometry);
}

QTimer *TDepart::makeTimer(const char *name, int intervalMs)
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    return timer;
}

QToolButton *TDepart::makeSpeedButton(const char *name, int left, int width, const QString &caption)
{
    QToolButton *button = ::makeSpeedButton(this, QLatin1String(name), QRect(left, 0, width, ButtonHeight),
                                            caption, formFont(13, true), Qt::black);
    button->setIconSize(QSize(GlyphSize, GlyphSize));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Moves over the top bar are counted here, not again by the form behind.
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

void TDepart::FormCreate(const QRect &screenGeometry)
{
    m_idle = IdleCounter{};
    m_state = MainScreenState{};
    m_random = RandomSource{};

    const int W = screenGeometry.width();
    const int H = screenGeometry.height();
    m_layout = computeScreenLayout(W, H);
    setGeometry(screenGeometry);

    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, winColor(WinColors::Silver));
    palette.setColor(QPalette::Button, winColor(WinColors::Silver));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    setPalette(palette);
    setFont(formFont(11));
    setMouseTracking(true);

    n1.load(QString::fromLatin1(BuiltinResources::GlyphSoundOn));
    n2.load(QString::fromLatin1(BuiltinResources::GlyphSoundOff));

    Bcreer = makeSpeedButton("Bcreer", 0, 97, QStringLiteral("CREER"));
    Bcreer->setIcon(QIcon(QString::fromLatin1(BuiltinResources::GlyphCreate)));
    Bjouer = makeSpeedButton("Bjouer", 96, 97, QStringLiteral("JOUER"));
    Bjouer->setIcon(QIcon(QString::fromLatin1(BuiltinResources::GlyphPlay)));

    Ltemps = new QLabel(QStringLiteral("00:00"), this);
    Ltemps->setObjectName(QStringLiteral("Ltemps"));
    Ltemps->setGeometry(200, 0, 73, 33);
    Ltemps->setFont(formFont(27, true));
    Ltemps->setAlignment(Qt::AlignCenter);
    Ltemps->setAutoFillBackground(true);
    QPalette clock = Ltemps->palette();
    clock.setColor(QPalette::Window, winColor(WinColors::White));
    clock.setColor(QPalette::WindowText, winColor(WinColors::Navy));
    Ltemps->setPalette(clock);
    Ltemps->setAttribute(Qt::WA_NoMousePropagation);
    Ltemps->hide();

    Ltitre = new QLabel(this);
    Ltitre->setObjectName(QStringLiteral("Ltitre"));
    Ltitre->setGeometry(280, 4, m_layout.LtitreWidth, 25);
    Ltitre->setFont(formFont(21));
    Ltitre->setAlignment(Qt::AlignCenter);
    setTextColor(Ltitre, WinColors::Purple);
    Ltitre->setAttribute(Qt::WA_NoMousePropagation);

    bsoluce = makeSpeedButton("bsoluce", m_layout.BsoluceLeft, 33, QStringLiteral("M"));
    bsoluce->setFont(formFont(24, true));
    setTextColor(bsoluce, WinColors::Red);
    bsoluce->setToolTip(QStringLiteral("Afficher le modèle"));

    Bson = makeSpeedButton("Bson", m_layout.BsonLeft, 33, QString());
    Bson->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Bson->setIconSize(QSize(20, 20));
    Bson->setIcon(QIcon(QPixmap::fromImage(n1)));
    Bson->setToolTip(QStringLiteral("Effets sonores"));

    Bins = makeSpeedButton("Bins", m_layout.BinsLeft, 33, QString());
    Bins->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Bins->setIcon(QIcon(QString::fromLatin1(BuiltinResources::GlyphInstructions)));
    Bins->setToolTip(QStringLiteral("Afficher les instructions de jeu"));

    baide = makeSpeedButton("baide", m_layout.BaideLeft, 33, QStringLiteral("?"));
    baide->setFont(formFont(21, true));
    setTextColor(baide, WinColors::Green);
    baide->setToolTip(QStringLiteral("A propos de Tivane"));

    bquitter = makeSpeedButton("bquitter", m_layout.BquitterLeft, 81, QStringLiteral("QUITTER"));

    // FormMouseMove is bound to the form, the title and every top-bar button but Bins.
    for (QWidget *w : {static_cast<QWidget *>(Bcreer), static_cast<QWidget *>(Bjouer),
                       static_cast<QWidget *>(Ltitre), static_cast<QWidget *>(bsoluce),
                       static_cast<QWidget *>(Bson), static_cast<QWidget *>(baide),
                       static_cast<QWidget *>(bquitter)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    DX = new BoardSurface(this);
    DX->setObjectName(QStringLiteral("DX"));
    DX->setGeometry(0, TopBarHeight, m_layout.DXWidth, m_layout.DXHeight);

    m_play = new PlayBoard(DX, m_layout, this);
    m_play->playSound = [this](Sound sound) { PlaySound(sound); };
    connect(m_play, &PlayBoard::titleChanged, Ltitre, &QLabel::setText);

    m_demo = new IdleDemo(DX, m_layout, m_store, m_random, this);
    m_demo->puzzleNumbers = [this] {
        return m_forms.Fliste ? m_forms.Fliste->puzzleNumbers() : QList<int>();
    };
    m_demo->turnSound = [this] {
        if (m_state.SoundOn)
            m_sons.playAndWait(Sound::Turn);
    };

    m_play->won = [this] { winSequence(); };
    connect(DX, &BoardSurface::mouseMoved, this, [this](QPoint pos) { DXMouseMove(pos); });
    connect(DX, &BoardSurface::clicked, this, &TDepart::DXClick);
    connect(DX, &BoardSurface::mousePressed, this,
            [this](QPoint, Qt::MouseButton button) { DXMouseDown(button); });

    connect(Bjouer, &QToolButton::clicked, this, &TDepart::BjouerClick);
    connect(baide, &QToolButton::clicked, this, &TDepart::baideClick);
    connect(Bins, &QToolButton::clicked, this, &TDepart::BinsClick);
    connect(Bson, &QToolButton::clicked, this, &TDepart::BsonClick);
    connect(bquitter, &QToolButton::clicked, this, &TDepart::bquitterClick);

    personne = makeTimer("personne", 1000);
    connect(personne, &QTimer::timeout, this, &TDepart::personneTimer);
    personne->start();
    Tjeu = makeTimer("Tjeu", 1000);
    connect(Tjeu, &QTimer::timeout, this, &TDepart::TjeuTimer);
}

void TDepart::PlaySound(Sound sound)
{
    if (m_state.SoundOn)
        m_sons.play(sound);
}

bool TDepart::GameActive() const { return m_play->GameActive; }

void TDepart::BjouerClick()
{
    TFliste *chooser = m_forms.Fliste;
    if (!chooser)
        return;
    const bool wasRunning = !m_animThread.Suspended();
    if (wasRunning)
        m_animThread.Suspend();
    personne->stop();

    m_state.SelectedPuzzle = -1;
    chooser->SelectedPuzzle = -1;
    chooser->exec();
    m_state.SelectedPuzzle = chooser->SelectedPuzzle;

    personne->start();
    if (m_state.SelectedPuzzle <= -1) {
        if (wasRunning)
            m_animThread.Resume();
        if (!m_play->GameActive)
            m_play->WelcomeAnimation();
        return;
    }
    const bool loaded = runGuarded(this, [&] { m_play->LoadGame(m_store, m_state.SelectedPuzzle, m_random); });
    if (!loaded)
        return;
    m_play->DealAnimation();
    Tjeu->stop();
    resetClockLabel();
    const int limit = m_play->game().TimeLimit;
    if (limit <= 0)
        return;
    Ltemps->show();
    m_state.TimeLeft = limit;
    ShowClock();
    Tjeu->start();
}

void TDepart::resetClockLabel()
{
    Ltemps->setText(QStringLiteral("00:00"));
    setTextColor(Ltemps, WinColors::Black);
    Ltemps->hide();
}

void TDepart::ShowClock()
{
    Ltemps->setText(ClockText(m_state.TimeLeft));
    setTextColor(Ltemps, ClockIsRed(m_state.TimeLeft) ? WinColors::Red : WinColors::Black);
}

void TDepart::TjeuTimer()
{
    --m_state.TimeLeft;
    ShowClock();
    if (m_state.TimeLeft != 0)
        return;
    Tjeu->stop();
    m_play->GameActive = false;
    DX->setCursor(Qt::ArrowCursor);
    if (m_forms.Fperdu)
        m_forms.Fperdu->exec();
    resetClockLabel();
    m_play->WelcomeAnimation();
}

void TDepart::winSequence()
{
    m_state.BravoShown = true;
    PlaySound(Sound::Applause);
    Tjeu->stop();
    if (m_forms.Fbravo) {
        m_forms.Fbravo->setMoveCount(m_play->game().MoveCount);
        m_forms.Fbravo->exec();
    }
    m_state.BravoShown = false;
    BjouerClick();
}

void TDepart::DXMouseMove(QPoint pos)
{
    if (!m_play->notePointer(pos.x(), pos.y()))
        return;
    m_idle.reset();
    const bool demoRunning = !m_animThread.Suspended();
    if (!m_play->GameActive) {
        if (demoRunning) {
            m_animThread.Suspend();
            m_play->WelcomeAnimation();
            personne->start();
        }
        return;
    }
    if (demoRunning) {
        m_animThread.Suspend();
        personne->start();
        m_play->DrawBoard();
    }
    m_play->DXMouseMove(pos.x(), pos.y());
}

void TDepart::DXClick()
{
    m_idle.reset();
    m_play->DXClick();
}

void TDepart::DXMouseDown(Qt::MouseButton button)
{
    m_idle.reset();
    m_play->DXMouseDown(button);
}

template <typename Form> void TDepart::showPausingDemo(Form *form)
{
    if (!form)
        return;
    const bool wasRunning = !m_animThread.Suspended();
    if (wasRunning)
        m_animThread.Suspend();
    personne->stop();
    form->exec();
    personne->start();
    if (wasRunning)
        m_animThread.Resume();
}

void TDepart::baideClick() { showPausingDemo(m_forms.Fap); }

void TDepart::BinsClick()
{
    // The demonstration may start behind the instructions.
    if (m_forms.Faide)
        m_forms.Faide->exec();
}

void TDepart::FormMouseMove()
{
    m_idle.reset();
    if (m_animThread.Suspended())
        return;
    m_animThread.Suspend();
    if (m_play->GameActive)
        m_play->DrawBoard();
    else
        m_play->WelcomeAnimation();
}

void TDepart::BsonClick()
{
    m_state.SoundOn = !m_state.SoundOn;
    Bson->setIcon(QIcon(QPixmap::fromImage(m_state.SoundOn ? n1 : n2)));
}

void TDepart::bquitterClick()
{
    m_animThread.Terminate();
    close();
}

void TDepart::personneTimer()
{
    if (m_idle.tick() && m_animThread.Suspended())
        StartDemo();
}

void TDepart::StartDemo()
{
    if (m_state.BravoShown)
        return;
    m_demo->DemoSetup();
    m_demo->DrawDemoFrame();
    m_animThread.Resume();
}

void TDepart::mouseMoveEvent(QMouseEvent *)
{
    FormMouseMove();
}

bool TDepart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        FormMouseMove();
    // M shows the model while any mouse button holds it down.
    if (watched == bsoluce && event->type() == QEvent::MouseButtonPress)
        m_play->bsoluceMouseDown();
    if (watched == bsoluce && event->type() == QEvent::MouseButtonRelease)
        m_play->bsoluceMouseUp();
    return false;
}

void TDepart::paintEvent(QPaintEvent *)
{
    if (!m_state.FirstPaint)
        return;
    m_state.FirstPaint = false;
    // Drawing on the board waits until this paint is over.
    QTimer::singleShot(0, this, &TDepart::FormPaint);
}

void TDepart::FormPaint()
{
    // The welcome animation waits until the chooser's list is built.
    if (!m_state.ThumbnailsReady) {
        m_welcomeWaiting = true;
        return;
    }
    m_play->WelcomeAnimation();
}

void TDepart::setThumbnailsReady()
{
    m_state.ThumbnailsReady = true;
    if (m_welcomeWaiting) {
        m_welcomeWaiting = false;
        m_play->WelcomeAnimation();
    }
}
