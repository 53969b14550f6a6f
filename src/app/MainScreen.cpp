#include "app/MainScreen.h"

#include "widgets/ActionGuard.h"
#include "play/BoardSurface.h"
#include "core/BuiltinResources.h"
#include "play/Clock.h"
#include "widgets/FormParts.h"
#include "core/Fonts.h"
#include "play/IdleDemo.h"
#include "play/PlayBoard.h"
#include "app/dialogs/InstructionsDialog.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/WinDialog.h"
#include "library/PuzzleChooser.h"
#include "app/dialogs/TimeOutDialog.h"
#include "core/WinColor.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

namespace tivane {

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

MainScreen::MainScreen() : MainScreen(primaryScreenGeometry()) {}

MainScreen::MainScreen(const QRect &screenGeometry, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_animThread([this] { m_demo->step(); })
{
    setObjectName(QStringLiteral("Depart"));
    FormCreate(screenGeometry);
}

QTimer *MainScreen::makeTimer(const char *name, int intervalMs)
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    return timer;
}

QToolButton *MainScreen::makeSpeedButton(const char *name, int left, int width, const QString &caption)
{
    QToolButton *button = ::makeSpeedButton(this, QLatin1String(name), QRect(left, 0, width, ButtonHeight),
                                            caption, formFont(13, true), Qt::black);
    button->setIconSize(QSize(GlyphSize, GlyphSize));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Moves over the top bar are counted here, not again by the form behind.
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

void MainScreen::FormCreate(const QRect &screenGeometry)
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
    Ltitre->setGeometry(280, 4, m_layout.titleWidth, 25);
    Ltitre->setFont(formFont(21));
    Ltitre->setAlignment(Qt::AlignCenter);
    setTextColor(Ltitre, WinColors::Purple);
    Ltitre->setAttribute(Qt::WA_NoMousePropagation);

    bsoluce = makeSpeedButton("bsoluce", m_layout.modelButtonLeft, 33, QStringLiteral("M"));
    bsoluce->setFont(formFont(24, true));
    setTextColor(bsoluce, WinColors::Red);
    bsoluce->setToolTip(QStringLiteral("Afficher le modèle"));

    Bson = makeSpeedButton("Bson", m_layout.soundButtonLeft, 33, QString());
    Bson->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Bson->setIconSize(QSize(20, 20));
    Bson->setIcon(QIcon(QPixmap::fromImage(n1)));
    Bson->setToolTip(QStringLiteral("Effets sonores"));

    Bins = makeSpeedButton("Bins", m_layout.instructionsButtonLeft, 33, QString());
    Bins->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Bins->setIcon(QIcon(QString::fromLatin1(BuiltinResources::GlyphInstructions)));
    Bins->setToolTip(QStringLiteral("Afficher les instructions de jeu"));

    baide = makeSpeedButton("baide", m_layout.aboutButtonLeft, 33, QStringLiteral("?"));
    baide->setFont(formFont(21, true));
    setTextColor(baide, WinColors::Green);
    baide->setToolTip(QStringLiteral("A propos de Tivane"));

    bquitter = makeSpeedButton("bquitter", m_layout.quitButtonLeft, 81, QStringLiteral("QUITTER"));

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
    DX->setGeometry(0, TopBarHeight, m_layout.boardWidth, m_layout.boardHeight);

    m_play = new PlayBoard(DX, m_layout, this);
    m_play->playSound = [this](Sound sound) { PlaySound(sound); };
    connect(m_play, &PlayBoard::titleChanged, Ltitre, &QLabel::setText);

    m_demo = new IdleDemo(DX, m_layout, m_store, m_random, this);
    m_demo->puzzleNumbers = [this] {
        return m_forms.Fliste ? m_forms.Fliste->puzzleNumbers() : QList<int>();
    };
    m_demo->turnSound = [this] {
        if (m_state.soundOn)
            m_sons.playAndWait(Sound::Turn);
    };

    m_play->won = [this] { winSequence(); };
    connect(DX, &BoardSurface::mouseMoved, this, [this](QPoint pos) { DXMouseMove(pos); });
    connect(DX, &BoardSurface::clicked, this, &MainScreen::DXClick);
    connect(DX, &BoardSurface::mousePressed, this,
            [this](QPoint, Qt::MouseButton button) { DXMouseDown(button); });

    connect(Bjouer, &QToolButton::clicked, this, &MainScreen::BjouerClick);
    connect(baide, &QToolButton::clicked, this, &MainScreen::baideClick);
    connect(Bins, &QToolButton::clicked, this, &MainScreen::BinsClick);
    connect(Bson, &QToolButton::clicked, this, &MainScreen::BsonClick);
    connect(bquitter, &QToolButton::clicked, this, &MainScreen::bquitterClick);

    personne = makeTimer("personne", 1000);
    connect(personne, &QTimer::timeout, this, &MainScreen::personneTimer);
    personne->start();
    Tjeu = makeTimer("Tjeu", 1000);
    connect(Tjeu, &QTimer::timeout, this, &MainScreen::TjeuTimer);
}

void MainScreen::PlaySound(Sound sound)
{
    if (m_state.soundOn)
        m_sons.play(sound);
}

bool MainScreen::GameActive() const { return m_play->GameActive; }

void MainScreen::BjouerClick()
{
    PuzzleChooser *chooser = m_forms.Fliste;
    if (!chooser)
        return;
    const bool wasRunning = !m_animThread.isSuspended();
    if (wasRunning)
        m_animThread.suspend();
    personne->stop();

    m_state.selectedPuzzle = -1;
    chooser->selectedPuzzle = -1;
    chooser->exec();
    m_state.selectedPuzzle = chooser->selectedPuzzle;

    personne->start();
    if (m_state.selectedPuzzle <= -1) {
        if (wasRunning)
            m_animThread.resume();
        if (!m_play->GameActive)
            m_play->welcomeAnimation();
        return;
    }
    const bool loaded = runGuarded(this, [&] { m_play->loadGame(m_store, m_state.selectedPuzzle, m_random); });
    if (!loaded)
        return;
    m_play->dealAnimation();
    Tjeu->stop();
    resetClockLabel();
    const int limit = m_play->game().timeLimit;
    if (limit <= 0)
        return;
    Ltemps->show();
    m_state.timeLeft = limit;
    ShowClock();
    Tjeu->start();
}

void MainScreen::resetClockLabel()
{
    Ltemps->setText(QStringLiteral("00:00"));
    setTextColor(Ltemps, WinColors::Black);
    Ltemps->hide();
}

void MainScreen::ShowClock()
{
    Ltemps->setText(clockText(m_state.timeLeft));
    setTextColor(Ltemps, clockIsRed(m_state.timeLeft) ? WinColors::Red : WinColors::Black);
}

void MainScreen::TjeuTimer()
{
    --m_state.timeLeft;
    ShowClock();
    if (m_state.timeLeft != 0)
        return;
    Tjeu->stop();
    m_play->GameActive = false;
    DX->setCursor(Qt::ArrowCursor);
    if (m_forms.Fperdu)
        m_forms.Fperdu->exec();
    resetClockLabel();
    m_play->welcomeAnimation();
}

void MainScreen::winSequence()
{
    m_state.winShown = true;
    PlaySound(Sound::Applause);
    Tjeu->stop();
    if (m_forms.Fbravo) {
        m_forms.Fbravo->setMoveCount(m_play->game().moveCount);
        m_forms.Fbravo->exec();
    }
    m_state.winShown = false;
    BjouerClick();
}

void MainScreen::DXMouseMove(QPoint pos)
{
    if (!m_play->notePointer(pos.x(), pos.y()))
        return;
    m_idle.reset();
    const bool demoRunning = !m_animThread.isSuspended();
    if (!m_play->GameActive) {
        if (demoRunning) {
            m_animThread.suspend();
            m_play->welcomeAnimation();
            personne->start();
        }
        return;
    }
    if (demoRunning) {
        m_animThread.suspend();
        personne->start();
        m_play->drawBoard();
    }
    m_play->DXMouseMove(pos.x(), pos.y());
}

void MainScreen::DXClick()
{
    m_idle.reset();
    m_play->DXClick();
}

void MainScreen::DXMouseDown(Qt::MouseButton button)
{
    m_idle.reset();
    m_play->DXMouseDown(button);
}

template <typename Form> void MainScreen::showPausingDemo(Form *form)
{
    if (!form)
        return;
    const bool wasRunning = !m_animThread.isSuspended();
    if (wasRunning)
        m_animThread.suspend();
    personne->stop();
    form->exec();
    personne->start();
    if (wasRunning)
        m_animThread.resume();
}

void MainScreen::baideClick() { showPausingDemo(m_forms.Fap); }

void MainScreen::BinsClick()
{
    // The demonstration may start behind the instructions.
    if (m_forms.Faide)
        m_forms.Faide->exec();
}

void MainScreen::FormMouseMove()
{
    m_idle.reset();
    if (m_animThread.isSuspended())
        return;
    m_animThread.suspend();
    if (m_play->GameActive)
        m_play->drawBoard();
    else
        m_play->welcomeAnimation();
}

void MainScreen::BsonClick()
{
    m_state.soundOn = !m_state.soundOn;
    Bson->setIcon(QIcon(QPixmap::fromImage(m_state.soundOn ? n1 : n2)));
}

void MainScreen::bquitterClick()
{
    m_animThread.terminate();
    close();
}

void MainScreen::personneTimer()
{
    if (m_idle.tick() && m_animThread.isSuspended())
        StartDemo();
}

void MainScreen::StartDemo()
{
    if (m_state.winShown)
        return;
    m_demo->setUpNewDemo();
    m_demo->drawDemoFrame();
    m_animThread.resume();
}

void MainScreen::mouseMoveEvent(QMouseEvent *)
{
    FormMouseMove();
}

bool MainScreen::eventFilter(QObject *watched, QEvent *event)
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

void MainScreen::paintEvent(QPaintEvent *)
{
    if (!m_state.firstPaint)
        return;
    m_state.firstPaint = false;
    // Drawing on the board waits until this paint is over.
    QTimer::singleShot(0, this, &MainScreen::FormPaint);
}

void MainScreen::FormPaint()
{
    // The welcome animation waits until the chooser's list is built.
    if (!m_state.thumbnailsReady) {
        m_welcomeWaiting = true;
        return;
    }
    m_play->welcomeAnimation();
}

void MainScreen::setThumbnailsReady()
{
    m_state.thumbnailsReady = true;
    if (m_welcomeWaiting) {
        m_welcomeWaiting = false;
        m_play->welcomeAnimation();
    }
}

} // namespace tivane
