#include "play/BoardModes.h"

#include "play/BoardSurface.h"
#include "play/IdleDemo.h"
#include "play/IdleTimer.h"
#include "play/PlayBoard.h"
#include "play/TouchReader.h"

#include <utility>

namespace tivane {

BoardModes::BoardModes(PlayBoard &play, IdleDemo &demo, IdleTimer &idle, QObject *parent)
    : QObject(parent), m_play(play), m_demo(demo), m_idle(idle)
{
    connect(&m_idle, &IdleTimer::idleLimitReached, this, &BoardModes::idleLimitReached);
}

BoardMode BoardModes::mode() const
{
    if (m_formOpen)
        return BoardMode::Form;
    if (m_demo.isRunning())
        return BoardMode::Demonstration;
    return m_play.isGameActive() ? BoardMode::Game : BoardMode::Welcome;
}

void BoardModes::userActivity(const UserInput &input)
{
    using Kind = UserInput::Kind;
    if (input.kind == Kind::BoardPointer && !m_play.notePointer(input.at.x(), input.at.y()))
        return;
    m_idle.reset();
    switch (input.kind) {
    case Kind::BoardPointer:
        takeBoardBack();
        m_play.pointerMoved(input.at.x(), input.at.y());
        break;
    case Kind::TopBarPointer:
        takeBoardBack();
        break;
    case Kind::Select:
        m_play.click();
        break;
    case Kind::Turn:
        m_play.turn();
        break;
    case Kind::Press:
        break;
    }
}

void BoardModes::takeInputFrom(BoardSurface &surface)
{
    using Kind = UserInput::Kind;
    connect(&surface, &BoardSurface::mouseMoved, this,
            [this](QPoint pos) { userActivity({Kind::BoardPointer, pos}); });
    connect(&surface, &BoardSurface::clicked, this, [this] { userActivity({Kind::Select, {}}); });
    connect(&surface, &BoardSurface::mousePressed, this, [this](QPoint, Qt::MouseButton button) {
        userActivity({button == Qt::RightButton ? Kind::Turn : Kind::Press, {}});
    });
    // The first finger is the pointer, a tap a click, a second finger's tap or a long press a
    // turn.
    TouchReader *touch = surface.touch();
    touch->canTurn = [this] { return m_play.canTurn(); };
    connect(touch, &TouchReader::pointerMoved, this,
            [this](QPoint pos) { userActivity({Kind::BoardPointer, pos}); });
    connect(touch, &TouchReader::tapped, this, [this] { userActivity({Kind::Select, {}}); });
    connect(touch, &TouchReader::turnRequested, this, [this] { userActivity({Kind::Turn, {}}); });
}

void BoardModes::takeBoardBack()
{
    if (mode() != BoardMode::Demonstration)
        return;
    // A demonstration stopped by the user is not continued: the next one is new.
    m_demo.suspend();
    if (m_play.isGameActive())
        m_play.drawBoard();
    else
        m_play.startWelcome();
}

void BoardModes::idleLimitReached()
{
    const BoardMode now = mode();
    if (now == BoardMode::Demonstration || now == BoardMode::Form)
        return;
    // Not over the win message, and not over the board's own animation.
    if (m_winShown || m_play.isAnimating())
        return;
    m_demo.start();
}

void BoardModes::opened(Overlay overlay)
{
    switch (overlay) {
    case Overlay::Chooser:
    case Overlay::CreationForm:
    case Overlay::AboutBox:
        // Nothing is drawn over the game the form may lead to.
        m_play.finishWelcome();
        m_formOpen = true;
        m_demoPausedByForm = m_demo.isRunning();
        if (m_demoPausedByForm)
            m_demo.suspend();
        m_idle.stop();
        break;
    case Overlay::Instructions:
        // The demonstration goes on, and may start, behind the instructions.
        m_play.finishWelcome();
        break;
    case Overlay::WinMessage:
        m_winShown = true;
        break;
    case Overlay::TimeOutMessage:
        break;
    }
}

void BoardModes::closed(Overlay overlay)
{
    switch (overlay) {
    case Overlay::Chooser:
        if (!closeForm() && !m_play.isGameActive())
            m_play.startWelcome();
        break;
    case Overlay::CreationForm:
    case Overlay::AboutBox:
        closeForm();
        break;
    case Overlay::Instructions:
        break;
    case Overlay::WinMessage:
        m_winShown = false;
        break;
    case Overlay::TimeOutMessage:
        // A demonstration that started behind the message keeps the board.
        if (!m_demo.isRunning())
            m_play.startWelcome();
        break;
    }
}

void BoardModes::puzzleChosen()
{
    m_formOpen = false;
    m_demoPausedByForm = false;
    m_idle.start();
}

bool BoardModes::closeForm()
{
    m_formOpen = false;
    m_idle.start();
    if (!std::exchange(m_demoPausedByForm, false))
        return false;
    m_demo.resume();
    return true;
}

} // namespace tivane
