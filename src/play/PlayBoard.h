#pragma once
// The play engine on the board surface: holds the current game, loads a new one,
// draws board frames, the deal and the welcome animation.

#include "play/Game.h"
#include "play/ScreenLayout.h"
#include "core/Sound.h"

#include <QObject>
#include <functional>

class QTimer;

namespace tivane {

class BoardSurface;
class PuzzleStore;
class RandomSource;

class PlayBoard : public QObject
{
    Q_OBJECT
public:
    PlayBoard(BoardSurface *surface, const ScreenLayout &layout, QObject *parent = nullptr);

    Game &game() { return m_game; }
    const Game &game() const { return m_game; }
    PictureList &SP() { return m_game.pictures; }
    BoardSurface *surface() const { return DX; }

    bool GameActive = false;
    int dealIndex = 0;
    int lastMouseX = -1;
    int lastMouseY = -1;
    int grabDX = 0;
    int grabDY = 0;
    int dropCol = 0;
    int dropRow = 0;

    // Plays a sound when the sound effects are on; set by the main screen.
    std::function<void(Sound)> playSound;
    // The puzzle is complete and GameActive is already false: the main screen applauds.
    std::function<void()> won;

    // Replaces the current game by puzzle n, as a whole: when loading fails (Error),
    // the game in progress, its pictures and GameActive are left as they were.
    void loadGame(const PuzzleStore &store, int n, RandomSource &random);

    void drawBoard();
    // Draws the empty board, then shows one piece every 50 ms; returns when all are shown.
    void dealAnimation();
    void dealStep();
    // The logo grows and spins inside a shrinking frame; returns at the last frame.
    void welcomeAnimation();

    QTimer *Timer1() const { return m_timer1; }

    // Records the pointer's place on the board; false when it did not really move.
    bool notePointer(int x, int y);
    // A move with a game on: carries the piece in the hand, or finds the piece under the pointer.
    void DXMouseMove(int x, int y);
    // A left click at the last pointer place: takes a piece, or puts the one in the hand down.
    void DXClick();
    // The right button turns the piece in the hand when rotation is on.
    void DXMouseDown(Qt::MouseButton button);
    // The model shows in its slot while M is held.
    void bsoluceMouseDown();
    void bsoluceMouseUp();

signals:
    void titleChanged(const QString &title);

private:
    void takePiece();
    void putDown();
    void CompletionTest();
    void glideHome(Piece &piece);
    void sound(Sound s);
    void setPointer(Qt::CursorShape shape);
    int topIndex() const { return m_game.pieceCount - 1; }

    QPoint modelSlot() const { return {m_layout.modelLeft, m_layout.modelTop}; }

    BoardSurface *DX;
    ScreenLayout m_layout;
    Game m_game;
    QTimer *m_timer1;
};

} // namespace tivane
