#pragma once
// Who has the board: the welcome, a game, the demonstration, or a form over them. Every input
// of the main screen, whatever its device, comes in through userActivity(): it counts as
// activity for the idle count, takes the board back from the demonstration, and reaches play.
// The windows over the board say here when they open and close, and the idle count when it
// runs out; the rules of what each of them does to the board are written here.

#include <QObject>
#include <QPoint>

namespace tivane {

class BoardSurface;
class IdleDemo;
class IdleTimer;
class PlayBoard;

enum class BoardMode {
    Welcome,        // no game in play
    Game,           // a game in play
    Demonstration,  // the demonstration runs over the welcome or a game
    Form,           // the chooser, the creation form or the about box is open
};

// The windows over the board whose opening and closing change what it does.
enum class Overlay { Chooser, CreationForm, AboutBox, Instructions, WinMessage, TimeOutMessage };

// One thing the user did, in the board's terms: the mouse and the fingers speak these, and so
// will the keyboard and a switch.
struct UserInput
{
    enum class Kind {
        BoardPointer,   // the pointer moved over the board, to `at`
        TopBarPointer,  // the pointer moved over the form, the title or a watched top-bar button
        Select,         // a click or a tap at the last pointer place: takes or puts down a piece
        Turn,           // a right press, a second finger's tap, a long press: turns the held piece
        Press,          // any other button press: activity, nothing more
    };
    Kind kind;
    QPoint at;
};

class BoardModes : public QObject
{
    Q_OBJECT
public:
    BoardModes(PlayBoard &play, IdleDemo &demo, IdleTimer &idle, QObject *parent = nullptr);

    BoardMode mode() const;
    bool isWinShown() const { return m_winShown; }

    // The single entry of input. A move of the pointer takes the board back from the
    // demonstration (the game is drawn again, or the welcome starts over); a press only
    // counts as activity. A move by zero pixels is no activity at all.
    void userActivity(const UserInput &input);
    // The surface's mouse and fingers become user input.
    void takeInputFrom(BoardSurface &surface);

    void opened(Overlay overlay);
    // For the chooser: closed without a choice.
    void closed(Overlay overlay);
    // The chooser closed on a puzzle: its game takes the board and the demonstration stays
    // paused.
    void puzzleChosen();

private:
    void idleLimitReached();
    void takeBoardBack();
    // True when the demonstration the form paused goes on again.
    bool closeForm();

    PlayBoard &m_play;
    IdleDemo &m_demo;
    IdleTimer &m_idle;
    bool m_formOpen = false;
    bool m_demoPausedByForm = false;
    bool m_winShown = false;
};

} // namespace tivane
