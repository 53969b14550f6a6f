#pragma once
// The play engine on the board surface: holds the current game, loads a new one, draws board
// frames and runs the board's animations (the welcome animation, the deal, pieces gliding back
// to the tray) as timed steps, one frame per step. It applies the play rules to the input that
// BoardModes passes on, and reports what the game's owner must act on with signals.

#include "core/Sound.h"
#include "core/StepPacer.h"
#include "play/Game.h"
#include "play/Pieces.h"
#include "play/ScreenLayout.h"

#include <QList>
#include <QObject>
#include <QPoint>

#include <functional>

namespace tivane {

class BoardSurface;
class PuzzleStore;
class RandomSource;

enum class BoardAnimation { None, Welcome, Deal, Glide };

class PlayBoard : public QObject
{
    Q_OBJECT
public:
    static constexpr int DealStepMs = 50;

    PlayBoard(BoardSurface *surface, const ScreenLayout &layout, QObject *parent = nullptr);

    Game &game() { return m_game; }
    const Game &game() const { return m_game; }
    BoardSurface *surface() const { return m_surface; }

    bool isGameActive() const { return m_gameActive; }
    // The game ends where it stands (the clock ran out): the pieces stay as they lie.
    void endGame();

    BoardAnimation animation() const { return m_animation; }
    bool isAnimating() const { return m_animation != BoardAnimation::None; }
    int dealIndex() const { return m_dealIndex; }
    // Runs `action` when the board's animation next runs to its end, or now when none runs.
    // A new game drops it.
    void whenStill(std::function<void()> action);

    // The built-in pictures of the welcome animation and the model slot (logo, question mark,
    // no-model sign), decoded when first drawn: the first frame of the program does not wait for
    // them.
    void loadBuiltinPictures();

    // Replaces the current game by puzzle n, as a whole: when loading fails (Error), the game in
    // progress, its pictures, its animation and the active flag are left as they were.
    void loadGame(const PuzzleStore &store, int n, RandomSource &random);

    // One whole board frame of the current game.
    void drawBoard();
    // The empty board, then one piece every 50 ms; dealFinished() when all are shown.
    void startDeal();
    // The logo grows and spins inside a shrinking frame, one frame per display refresh.
    void startWelcome();
    // A welcome animation under way jumps to its last frame.
    void finishWelcome();

    // Records the pointer's place on the board; false when it did not really move.
    bool notePointer(int x, int y);
    // A move with a game on: carries the piece in the hand, or finds the piece under the pointer.
    void pointerMoved(int x, int y);
    // A left click at the last pointer place: takes a piece, or puts the one in the hand down.
    void click();
    // Turns the piece in the hand a quarter turn when rotation is on.
    void turn();
    // A turn would be taken now.
    bool canTurn() const;
    // The model shows in its slot while M is held.
    void modelPressed();
    void modelReleased();

signals:
    void titleChanged(const QString &title);
    // A sound for the main screen to play when the sound effects are on.
    void soundRequested(tivane::Sound sound);
    void dealFinished();
    // Every piece lies upright in its own cell; the game is no longer active.
    void puzzleCompleted();

private:
    void takePiece();
    void putDown();
    // The piece at this array index goes into the hand, on top of the drawing order.
    void takeIntoHand(int index);
    void completionTest();
    // Sends the pieces at these array indices back to their tray places one after the other;
    // the board is drawn once more at the end while the game goes on.
    void glideToTray(QList<int> indices);
    void run(BoardAnimation kind, StepPacer::Step step);
    int welcomeStep();
    int dealStep();
    int glideStep();
    void animationEnded();
    void setPointer(Qt::CursorShape shape);
    bool takesClicks() const;
    int topIndex() const { return m_game.pieceCount - 1; }
    QPoint modelSlot() const { return {m_layout.modelLeft, m_layout.modelTop}; }

    BoardSurface *m_surface;
    ScreenLayout m_layout;
    Game m_game;
    bool m_gameActive = false;
    bool m_builtinPicturesLoaded = false;

    StepPacer *m_pacer;
    BoardAnimation m_animation = BoardAnimation::None;
    int m_welcomeFrame = 0;
    int m_dealIndex = 0;
    QList<int> m_glideQueue;  // array indices of the pieces still to glide back to the tray
    Glide m_glide;
    std::function<void()> m_whenStill;

    int m_lastMouseX = -1;
    int m_lastMouseY = -1;
    int m_grabDX = 0;
    int m_grabDY = 0;
};

} // namespace tivane
