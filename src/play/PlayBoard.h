#pragma once
// The play engine on the board surface: holds the current game, loads a new one,
// draws board frames, the deal and the welcome animation.

#include "Game.h"
#include "ScreenLayout.h"
#include "Sound.h"

#include <QObject>
#include <functional>

class BoardSurface;
class PuzzleStore;
class QTimer;
class RandomSource;

class PlayBoard : public QObject
{
    Q_OBJECT
public:
    PlayBoard(BoardSurface *surface, const ScreenLayout &layout, QObject *parent = nullptr);

    Game &game() { return m_game; }
    const Game &game() const { return m_game; }
    PictureList &SP() { return m_game.SP; }
    BoardSurface *surface() const { return DX; }

    bool GameActive = false;
    int DealIndex = 0;
    int LastMouseX = -1;
    int LastMouseY = -1;
    int GrabDX = 0;
    int GrabDY = 0;
    int DropCol = 0;
    int DropRow = 0;

    // Plays a sound when the sound effects are on; set by the main screen.
    std::function<void(Sound)> playSound;
    // The puzzle is complete and GameActive is already false: the main screen applauds.
    std::function<void()> won;

    // Replaces the current game by puzzle n, as a whole: when loading fails (TivaneError),
    // the game in progress, its pictures and GameActive are left as they were.
    void LoadGame(const PuzzleStore &store, int n, RandomSource &random);

    void DrawBoard();
    // Draws the empty board, then shows one piece every 50 ms; returns when all are shown.
    void DealAnimation();
    void Timer1Timer();
    // The logo grows and spins inside a shrinking frame; returns at the last frame.
    void WelcomeAnimation();

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
    void glideHome(TPieceRec &piece);
    void sound(Sound s);
    void setPointer(Qt::CursorShape shape);
    int topIndex() const { return m_game.PieceCount - 1; }

    QPoint modelSlot() const { return {m_layout.ModelLeft, m_layout.ModelTop}; }

    BoardSurface *DX;
    ScreenLayout m_layout;
    Game m_game;
    QTimer *m_timer1;
};
