#pragma once
// The main screen: the top bar of buttons, the board surface below it, and the dialogs and
// forms it opens. It wires play, the game's owner, the board's modes, the demonstration and the
// chooser together: the rules live in those.

#include "core/RandomSource.h"
#include "core/Sound.h"
#include "play/GameResult.h"
#include "play/ScreenLayout.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QToolButton;

namespace tivane {

class AboutBox;
class BoardModes;
class BoardSurface;
class CreationForm;
class EditingForm;
class GameSession;
class IdleDemo;
class IdleTimer;
class InstructionsDialog;
class PlayBoard;
class PrintForm;
class PuzzleChooser;
class PuzzleStore;
class SoundBank;
class TimeOutDialog;
class WinDialog;

class MainScreen : public QWidget
{
    Q_OBJECT
public:
    // The screen for a screen of the given geometry, or for the primary screen.
    MainScreen(PuzzleStore &store, const QRect &screenGeometry, QWidget *parent = nullptr);
    explicit MainScreen(PuzzleStore &store);
    ~MainScreen() override;

    const ScreenLayout &layout() const { return m_layout; }
    PuzzleStore &store() { return m_store; }
    RandomSource &random() { return m_random; }
    IdleTimer &idleTimer() { return *m_idleTimer; }
    SoundBank &sounds() { return *m_sounds; }
    BoardSurface *board() const { return m_board; }
    PlayBoard *play() const { return m_play; }
    GameSession &session() { return *m_session; }
    BoardModes &modes() { return *m_modes; }
    IdleDemo *demo() const { return m_demo; }
    // The chooser is built with the first list, after the first frame.
    PuzzleChooser *chooser();
    // The teacher's forms are built when first needed: a child's start-up never waits for them.
    CreationForm *creationForm();
    EditingForm *editingForm();
    PrintForm *printForm();

    // The store is new: it receives the starter puzzles once the first frame is up, before the
    // chooser's first list (a read-only one says instead why its list is empty).
    void seedStoreAfterFirstFrame() { m_seedStore = true; }

    bool isGameActive() const;
    bool isSoundOn() const { return m_soundOn; }
    bool thumbnailsReady() const { return m_thumbnailsReady; }
    int selectedPuzzle() const { return m_selectedPuzzle; }

public slots:
    // The top bar's buttons.
    void createClicked();
    void playClicked();
    void soundClicked();
    void aboutClicked();
    void instructionsClicked();
    void quitClicked();

signals:
    // The first frame of the screen is painted: the top bar and the board are up.
    void firstFrameShown();

protected:
    // The game in progress ends as abandoned; no demonstration step runs again.
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopBar();
    void buildPlay();
    // The win and time-out messages, the instructions and the about box.
    void buildMessageDialogs();
    QToolButton *makeTopBarButton(const char *name, int left, int width, const QString &caption);
    void playSound(Sound sound);
    int playTurnSoundForDemo();

    void screenIsUp();
    void listRebuilt();
    void choiceMade();
    void showClock();
    // The applause and the win message, or the time-out message once the board is still.
    void gameEnded(const GameResult &result);
    void winDialogClosed();
    void showTimeOut();
    void timeOutClosed();
    // The pointer moved over the form, the title or a top-bar button (not the instructions').
    void topBarMouseMoved();

    PuzzleStore &m_store;
    ScreenLayout m_layout;
    RandomSource m_random;
    SoundBank *m_sounds = nullptr;
    IdleTimer *m_idleTimer = nullptr;   // personne

    bool m_soundOn = true;
    bool m_firstPaint = true;
    bool m_thumbnailsReady = false;
    int m_selectedPuzzle = -1;
    bool m_seedStore = false;

    QToolButton *m_createButton = nullptr;       // Bcreer
    QToolButton *m_playButton = nullptr;         // Bjouer
    QLabel *m_clockLabel = nullptr;              // Ltemps
    QLabel *m_titleLabel = nullptr;              // Ltitre
    QToolButton *m_modelButton = nullptr;        // bsoluce
    QToolButton *m_soundButton = nullptr;        // Bson
    QToolButton *m_instructionsButton = nullptr; // Bins
    QToolButton *m_aboutButton = nullptr;        // baide
    QToolButton *m_quitButton = nullptr;         // bquitter
    BoardSurface *m_board = nullptr;             // DX
    PlayBoard *m_play = nullptr;
    GameSession *m_session = nullptr;            // its countdown is Tjeu
    IdleDemo *m_demo = nullptr;
    BoardModes *m_modes = nullptr;
    QImage m_soundOnGlyph;                       // n1
    QImage m_soundOffGlyph;                      // n2

    PuzzleChooser *m_chooser = nullptr;          // TFliste
    WinDialog *m_winDialog = nullptr;            // TFbravo
    TimeOutDialog *m_timeOutDialog = nullptr;    // TFperdu
    InstructionsDialog *m_instructions = nullptr; // TFaide
    AboutBox *m_aboutBox = nullptr;              // TFap
    CreationForm *m_creationForm = nullptr;      // TFcreer
    EditingForm *m_editingForm = nullptr;        // TFedit
    PrintForm *m_printForm = nullptr;            // TFimp
};

} // namespace tivane
