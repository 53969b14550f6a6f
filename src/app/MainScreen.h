#pragma once
// The main screen: the top bar of buttons, the board surface below it, the idle count.

#include "app/IdleCounter.h"
#include "store/PuzzleStore.h"
#include "core/RandomSource.h"
#include "play/ScreenLayout.h"
#include "app/SoundBank.h"
#include "Tanim.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;

namespace tivane {

class BoardSurface;
class IdleDemo;
class PlayBoard;
class InstructionsDialog;
class AboutBox;
class WinDialog;
class PuzzleChooser;
class TimeOutDialog;

// The forms the main screen shows; each lives as long as the main screen.
struct MainScreenForms
{
    PuzzleChooser *Fliste = nullptr;
    WinDialog *Fbravo = nullptr;
    TimeOutDialog *Fperdu = nullptr;
    InstructionsDialog *Faide = nullptr;
    AboutBox *Fap = nullptr;
};

// The main screen's flags; each starts as the screen is created.
struct MainScreenState
{
    bool soundOn = true;
    int timeLeft = 0;
    bool firstPaint = true;
    bool thumbnailsReady = false;
    bool winShown = false;
    int selectedPuzzle = -1;
};

class MainScreen : public QWidget
{
    Q_OBJECT
public:
    // Builds the screen for a screen of the given geometry (the primary screen's by default).
    explicit MainScreen(const QRect &screenGeometry, QWidget *parent = nullptr);
    MainScreen();

    const ScreenLayout &layout() const { return m_layout; }
    MainScreenState &state() { return m_state; }
    IdleCounter &idle() { return m_idle; }
    RandomSource &random() { return m_random; }
    SoundBank &sounds() { return m_sons; }
    Tanim &animThread() { return m_animThread; }
    BoardSurface *board() const { return DX; }
    PlayBoard *play() const { return m_play; }
    IdleDemo *demo() const { return m_demo; }
    bool GameActive() const;

    void setForms(const MainScreenForms &forms) { m_forms = forms; }
    // The chooser's list is built: the first paint may show the welcome animation.
    void setThumbnailsReady();

    // Plays a sound when the sound effects are on.
    void PlaySound(Sound sound);

public slots:
    void BjouerClick();
    void FormMouseMove();
    void BsonClick();
    void baideClick();
    void BinsClick();
    void DXMouseMove(QPoint pos);
    void DXClick();
    void DXMouseDown(Qt::MouseButton button);
    void ShowClock();
    void TjeuTimer();
    void bquitterClick();
    void personneTimer();
    // Sets up and draws a new demonstration and lets it run; not while the win dialog is open.
    void StartDemo();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QRect &screenGeometry);
    QTimer *makeTimer(const char *name, int intervalMs);
    QToolButton *makeSpeedButton(const char *name, int left, int width, const QString &caption);
    void FormPaint();
    void winSequence();
    void resetClockLabel();
    // Runs a modal form with the demonstration and the idle count paused around it.
    template <typename Form> void showPausingDemo(Form *form);

    ScreenLayout m_layout;
    MainScreenState m_state;
    IdleCounter m_idle;
    RandomSource m_random;
    SoundBank m_sons;
    Tanim m_animThread;
    PuzzleStore m_store;
    MainScreenForms m_forms;
    bool m_welcomeWaiting = false;

    QToolButton *Bcreer = nullptr;
    QToolButton *Bjouer = nullptr;
    QLabel *Ltemps = nullptr;
    QLabel *Ltitre = nullptr;
    QToolButton *bsoluce = nullptr;
    QToolButton *Bson = nullptr;
    QToolButton *Bins = nullptr;
    QToolButton *baide = nullptr;
    QToolButton *bquitter = nullptr;
    BoardSurface *DX = nullptr;
    PlayBoard *m_play = nullptr;
    IdleDemo *m_demo = nullptr;

    QImage n1;
    QImage n2;
    QTimer *personne = nullptr;
    QTimer *Tjeu = nullptr;
};

} // namespace tivane
