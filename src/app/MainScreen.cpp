#include "app/MainScreen.h"

#include "app/SoundBank.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/InstructionsDialog.h"
#include "app/dialogs/TimeOutDialog.h"
#include "app/dialogs/WinDialog.h"
#include "authoring/CreationForm.h"
#include "authoring/EditingForm.h"
#include "core/BuiltinResources.h"
#include "core/Fonts.h"
#include "core/WinColor.h"
#include "library/PuzzleChooser.h"
#include "play/BoardModes.h"
#include "play/BoardSurface.h"
#include "play/GameSession.h"
#include "play/IdleDemo.h"
#include "play/IdleTimer.h"
#include "play/PlayBoard.h"
#include "printing/PrintForm.h"
#include "store/PuzzleStore.h"
#include "store/StarterPuzzles.h"
#include "widgets/ActionGuard.h"
#include "widgets/FormParts.h"
#include "widgets/Messages.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace tivane {

namespace {

constexpr int ButtonHeight = 33;
constexpr int GlyphSize = 24;

QIcon glyph(const char *path)
{
    return QIcon(QPixmap::fromImage(BuiltinResources::picture(path)));
}

QRect primaryScreenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

} // namespace

MainScreen::MainScreen(PuzzleStore &store) : MainScreen(store, primaryScreenGeometry()) {}

MainScreen::MainScreen(PuzzleStore &store, const QRect &screenGeometry, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_store(store),
      m_layout(computeScreenLayout(screenGeometry.width(), screenGeometry.height())),
      m_sounds(new SoundBank(this)),
      m_idleTimer(new IdleTimer(this))
{
    setObjectName(QStringLiteral("TDepart"));
    setGeometry(screenGeometry);
    applySilverPalette(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    setPalette(palette);
    setFont(formFont(11));
    setMouseTracking(true);

    buildTopBar();
    buildPlay();

    m_idleTimer->start();
}

MainScreen::~MainScreen() = default;

QToolButton *MainScreen::makeTopBarButton(const char *name, int left, int width, const QString &caption)
{
    QToolButton *button = makeSpeedButton(this, QLatin1String(name), QRect(left, 0, width, ButtonHeight),
                                          caption, formFont(13, true), Qt::black);
    button->setIconSize(QSize(GlyphSize, GlyphSize));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Moves over the top bar are counted here, not again by the form behind.
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

void MainScreen::buildTopBar()
{
    m_soundOnGlyph = BuiltinResources::picture(BuiltinResources::GlyphSoundOn);
    m_soundOffGlyph = BuiltinResources::picture(BuiltinResources::GlyphSoundOff);

    m_createButton = makeTopBarButton("Bcreer", 0, 97, QStringLiteral("CREER"));
    m_createButton->setIcon(glyph(BuiltinResources::GlyphCreate));
    m_playButton = makeTopBarButton("Bjouer", 96, 97, QStringLiteral("JOUER"));
    m_playButton->setIcon(glyph(BuiltinResources::GlyphPlay));

    m_clockLabel = new QLabel(QStringLiteral("00:00"), this);
    m_clockLabel->setObjectName(QStringLiteral("Ltemps"));
    m_clockLabel->setGeometry(200, 0, 73, 33);
    m_clockLabel->setFont(formFont(27, true));
    m_clockLabel->setAlignment(Qt::AlignCenter);
    m_clockLabel->setAutoFillBackground(true);
    QPalette clock = m_clockLabel->palette();
    clock.setColor(QPalette::Window, winColor(WinColors::White));
    clock.setColor(QPalette::WindowText, winColor(WinColors::Navy));
    m_clockLabel->setPalette(clock);
    m_clockLabel->setAttribute(Qt::WA_NoMousePropagation);
    m_clockLabel->hide();

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("Ltitre"));
    m_titleLabel->setGeometry(280, 4, m_layout.titleWidth, 25);
    m_titleLabel->setFont(formFont(21));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    setTextColour(m_titleLabel, winColor(WinColors::Purple));
    m_titleLabel->setAttribute(Qt::WA_NoMousePropagation);

    m_modelButton = makeTopBarButton("bsoluce", m_layout.modelButtonLeft, 33, QStringLiteral("M"));
    m_modelButton->setFont(formFont(24, true));
    setTextColour(m_modelButton, winColor(WinColors::Red));
    m_modelButton->setToolTip(QStringLiteral("Afficher le modèle"));

    m_soundButton = makeTopBarButton("Bson", m_layout.soundButtonLeft, 33, QString());
    m_soundButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_soundButton->setIconSize(QSize(20, 20));
    m_soundButton->setIcon(QIcon(QPixmap::fromImage(m_soundOnGlyph)));
    m_soundButton->setToolTip(QStringLiteral("Effets sonores"));

    m_instructionsButton = makeTopBarButton("Bins", m_layout.instructionsButtonLeft, 33, QString());
    m_instructionsButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_instructionsButton->setIcon(glyph(BuiltinResources::GlyphInstructions));
    m_instructionsButton->setToolTip(QStringLiteral("Afficher les instructions de jeu"));

    m_aboutButton = makeTopBarButton("baide", m_layout.aboutButtonLeft, 33, QStringLiteral("?"));
    m_aboutButton->setFont(formFont(21, true));
    setTextColour(m_aboutButton, winColor(WinColors::Green));
    m_aboutButton->setToolTip(QStringLiteral("A propos de Tivane"));

    m_quitButton = makeTopBarButton("bquitter", m_layout.quitButtonLeft, 81, QStringLiteral("QUITTER"));

    // Moves over the form, the title and every top-bar button but the instructions' are watched.
    for (QWidget *w : {static_cast<QWidget *>(m_createButton), static_cast<QWidget *>(m_playButton),
                       static_cast<QWidget *>(m_titleLabel), static_cast<QWidget *>(m_modelButton),
                       static_cast<QWidget *>(m_soundButton), static_cast<QWidget *>(m_aboutButton),
                       static_cast<QWidget *>(m_quitButton)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    connect(m_createButton, &QToolButton::clicked, this, &MainScreen::createClicked);
    connect(m_playButton, &QToolButton::clicked, this, &MainScreen::playClicked);
    connect(m_aboutButton, &QToolButton::clicked, this, &MainScreen::aboutClicked);
    connect(m_instructionsButton, &QToolButton::clicked, this, &MainScreen::instructionsClicked);
    connect(m_soundButton, &QToolButton::clicked, this, &MainScreen::soundClicked);
    connect(m_quitButton, &QToolButton::clicked, this, &MainScreen::quitClicked);
}

void MainScreen::buildPlay()
{
    m_board = new BoardSurface(this);
    m_board->setObjectName(QStringLiteral("DX"));
    m_board->setGeometry(0, TopBarHeight, m_layout.boardWidth, m_layout.boardHeight);

    m_play = new PlayBoard(m_board, m_layout, this);
    connect(m_play, &PlayBoard::soundRequested, this, &MainScreen::playSound);
    connect(m_play, &PlayBoard::titleChanged, m_titleLabel, &QLabel::setText);

    m_session = new GameSession(*m_play, this);
    connect(&m_session->countdown(), &Countdown::changed, this, &MainScreen::showClock);
    connect(m_session, &GameSession::ended, this, &MainScreen::gameEnded);

    m_demo = new IdleDemo(m_board, m_layout, m_store, m_random, this);
    m_demo->turnSound = [this] { return playTurnSoundForDemo(); };
    m_demo->puzzleNumbers = [this] { return chooser()->puzzleNumbers(); };

    m_modes = new BoardModes(*m_play, *m_demo, *m_idleTimer, this);
    m_modes->takeInputFrom(*m_board);
}

// Built for the first list, once the first frame is up, or when first needed before that.
PuzzleChooser *MainScreen::chooser()
{
    if (m_chooser)
        return m_chooser;
    m_chooser = new PuzzleChooser(m_store, this);
    connect(m_chooser, &PuzzleChooser::finished, this, &MainScreen::choiceMade);
    connect(m_chooser, &PuzzleChooser::listRebuilt, this, &MainScreen::listRebuilt);
    // The chooser's menu opens the editing and print forms over the chooser, which stays open.
    connect(m_chooser, &PuzzleChooser::modifyRequested, this, [this](int n) { editingForm()->openFor(n); });
    connect(m_chooser, &PuzzleChooser::printRequested, this, [this](int n) { printForm()->openFor(n); });
    return m_chooser;
}

// Built once the first frame is up, or when first needed before that.
void MainScreen::buildMessageDialogs()
{
    if (m_winDialog)
        return;
    m_winDialog = new WinDialog(this);
    connect(m_winDialog, &QDialog::finished, this, &MainScreen::winDialogClosed);
    m_timeOutDialog = new TimeOutDialog(this);
    connect(m_timeOutDialog, &QDialog::finished, this, &MainScreen::timeOutClosed);
    m_instructions = new InstructionsDialog(this);
    connect(m_instructions, &QDialog::finished, this, [this] { m_modes->closed(Overlay::Instructions); });
    m_aboutBox = new AboutBox(this);
    connect(m_aboutBox, &QDialog::finished, this, [this] { m_modes->closed(Overlay::AboutBox); });
}

// The chooser's list follows the store by itself.
CreationForm *MainScreen::creationForm()
{
    if (!m_creationForm) {
        m_creationForm = new CreationForm(m_store, this);
        connect(m_creationForm, &QDialog::finished, this, [this] { m_modes->closed(Overlay::CreationForm); });
    }
    return m_creationForm;
}

EditingForm *MainScreen::editingForm()
{
    if (!m_editingForm)
        m_editingForm = new EditingForm(m_store, chooser());
    return m_editingForm;
}

PrintForm *MainScreen::printForm()
{
    if (!m_printForm)
        m_printForm = new PrintForm(m_store, chooser());
    return m_printForm;
}

// --- Start-up ---------------------------------------------------------------------------------

void MainScreen::paintEvent(QPaintEvent *)
{
    if (!std::exchange(m_firstPaint, false))
        return;
    // The list is built once the screen is up, after this paint.
    QTimer::singleShot(0, this, &MainScreen::screenIsUp);
}

void MainScreen::screenIsUp()
{
    emit firstFrameShown();
    buildMessageDialogs();
    if (std::exchange(m_seedStore, false)) {
        // A read-only store cannot take them: its empty list is explained instead.
        if (m_store.isReadOnly())
            showError(this, QStringLiteral("Le dossier des puzzles %1 est vide et en lecture seule : les puzzles de "
                                           "départ ne peuvent pas y être ajoutés, et la liste des puzzles reste vide.")
                                .arg(quoted(QDir::toNativeSeparators(m_store.directory()))));
        else
            runGuarded(this, [this] { addStarterPuzzles(m_store); });
    }
    chooser()->scanPuzzles();
}

void MainScreen::listRebuilt()
{
    if (std::exchange(m_thumbnailsReady, true))
        return;
    // The first list gives the first demonstration its picture.
    m_demo->setUpNewDemo();
    m_play->startWelcome();
}

// --- Sounds -----------------------------------------------------------------------------------

void MainScreen::playSound(Sound sound)
{
    if (m_soundOn)
        m_sounds->play(sound);
}

int MainScreen::playTurnSoundForDemo()
{
    if (!m_soundOn)
        return 0;
    m_sounds->play(Sound::Turn);
    return std::max(0, m_sounds->durationMs(Sound::Turn));
}

void MainScreen::soundClicked()
{
    m_soundOn = !m_soundOn;
    m_soundButton->setIcon(QIcon(QPixmap::fromImage(m_soundOn ? m_soundOnGlyph : m_soundOffGlyph)));
}

// --- Dialogs ----------------------------------------------------------------------------------
// What each of them does to the board and the demonstration is BoardModes' to say.

void MainScreen::createClicked()
{
    if (creationForm()->isVisible())
        return;
    m_modes->opened(Overlay::CreationForm);
    m_creationForm->openFor(NewPuzzle);
}

void MainScreen::aboutClicked()
{
    buildMessageDialogs();
    if (m_aboutBox->isVisible())
        return;
    m_modes->opened(Overlay::AboutBox);
    m_aboutBox->open();
}

void MainScreen::instructionsClicked()
{
    buildMessageDialogs();
    m_modes->opened(Overlay::Instructions);
    m_instructions->open();
}

// QUITTER ends the program at once, whatever runs.
void MainScreen::quitClicked() { close(); }

void MainScreen::closeEvent(QCloseEvent *event)
{
    m_session->abandon();
    m_demo->terminate();
    QWidget::closeEvent(event);
}

// --- JOUER and the chooser --------------------------------------------------------------------

void MainScreen::playClicked()
{
    if (chooser()->isVisible())
        return;
    m_modes->opened(Overlay::Chooser);
    m_selectedPuzzle = -1;
    m_chooser->openForChoice();
}

void MainScreen::choiceMade()
{
    m_selectedPuzzle = chooser()->selectedPuzzle();
    if (m_selectedPuzzle <= -1) {
        m_modes->closed(Overlay::Chooser);
        return;
    }
    m_modes->puzzleChosen();
    runGuarded(this, [&] { m_session->start(m_store, m_selectedPuzzle, m_random); });
}

void MainScreen::showClock()
{
    const Countdown &countdown = m_session->countdown();
    m_clockLabel->setText(countdown.text());
    setTextColour(m_clockLabel, winColor(countdown.isRed() ? WinColors::Red : WinColors::Black));
    m_clockLabel->setVisible(countdown.isShown());
}

// --- The end of a game ------------------------------------------------------------------------

void MainScreen::gameEnded(const GameResult &result)
{
    switch (result.outcome) {
    case GameOutcome::Completed:
        m_modes->opened(Overlay::WinMessage);
        playSound(Sound::Applause);
        buildMessageDialogs();
        m_winDialog->setMoveCount(result.moves);
        m_winDialog->open();
        break;
    case GameOutcome::TimedOut:
        // A time-out that falls during a glide is told when the pieces are home.
        m_play->whenStill([this] { showTimeOut(); });
        break;
    case GameOutcome::Abandoned:
        break;
    }
}

void MainScreen::winDialogClosed()
{
    m_modes->closed(Overlay::WinMessage);
    // The child picks the next puzzle.
    playClicked();
}

void MainScreen::showTimeOut()
{
    buildMessageDialogs();
    m_modes->opened(Overlay::TimeOutMessage);
    m_timeOutDialog->open();
}

void MainScreen::timeOutClosed()
{
    m_session->countdown().clear();
    m_modes->closed(Overlay::TimeOutMessage);
}

// --- The board and the top bar ----------------------------------------------------------------

bool MainScreen::isGameActive() const { return m_play->isGameActive(); }

void MainScreen::topBarMouseMoved() { m_modes->userActivity({UserInput::Kind::TopBarPointer, {}}); }

void MainScreen::mouseMoveEvent(QMouseEvent *)
{
    topBarMouseMoved();
}

bool MainScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        topBarMouseMoved();
    // M shows the model while any mouse button holds it down.
    if (watched == m_modelButton && event->type() == QEvent::MouseButtonPress)
        m_play->modelPressed();
    if (watched == m_modelButton && event->type() == QEvent::MouseButtonRelease)
        m_play->modelReleased();
    return false;
}

} // namespace tivane
