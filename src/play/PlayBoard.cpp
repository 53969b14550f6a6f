#include "PlayBoard.h"

#include "BoardRenderer.h"
#include "BoardSurface.h"
#include "BuiltinResources.h"
#include "GameLoader.h"
#include "Pieces.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>

namespace {
QImage builtin(const char *path) { return QImage(QString::fromLatin1(path)); }
}

PlayBoard::PlayBoard(BoardSurface *surface, const ScreenLayout &layout, QObject *parent)
    : QObject(parent), DX(surface), m_layout(layout), m_timer1(new QTimer(this))
{
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(50);
    connect(m_timer1, &QTimer::timeout, this, &PlayBoard::Timer1Timer);

    m_game.SP.setItem(PictureItem::QuestionMark, builtin(BuiltinResources::QuestionMark));
    m_game.SP.setItem(PictureItem::Logo, builtin(BuiltinResources::Logo), BuiltinResources::LogoKey);
    m_game.SP.setItem(PictureItem::NoModel, builtin(BuiltinResources::NoModelSign),
                      BuiltinResources::NoModelSignKey);
}

void PlayBoard::LoadGame(const PuzzleStore &store, int n, RandomSource &random)
{
    Game loaded = ::LoadGame(store, n, m_layout.ScreenWidth, m_layout.BoardSize, m_game.SP, random);
    m_game = std::move(loaded);
    emit titleChanged(m_game.PuzzleName);
    GameActive = true;
}

void PlayBoard::DrawBoard()
{
    DrawBoardFrame(DX->backBuffer(), m_game, modelSlot());
    DX->Flip();
}

void PlayBoard::DealAnimation()
{
    DrawEmptyBoard(DX->backBuffer(), m_game, modelSlot());
    DX->Flip();
    DealIndex = 0;
    if (m_game.PieceCount <= 0)
        return;
    m_timer1->start();
    while (m_timer1->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void PlayBoard::Timer1Timer()
{
    if (DealIndex >= m_game.PieceCount) {
        m_timer1->stop();
        return;
    }
    {
        QPainter painter(&DX->backBuffer());
        DrawPiece(painter, m_game, m_game.Pieces[DealIndex]);
    }
    sound(Sound::PickUp);
    DX->Flip();
    ++DealIndex;
    if (DealIndex >= m_game.PieceCount)
        m_timer1->stop();
}

void PlayBoard::WelcomeAnimation()
{
    emit titleChanged(QString());
    for (int i = 0; i < WelcomeFrames; ++i) {
        DrawWelcomeFrame(DX->backBuffer(), m_game.SP, i);
        DX->Flip();
        QCoreApplication::processEvents();
    }
}

void PlayBoard::sound(Sound s)
{
    if (playSound)
        playSound(s);
}

void PlayBoard::setPointer(Qt::CursorShape shape) { DX->setCursor(shape); }

void PlayBoard::glideHome(TPieceRec &piece)
{
    GlideHome(piece, [this] { DrawBoard(); });
}

bool PlayBoard::notePointer(int x, int y)
{
    if (x == LastMouseX && y == LastMouseY)
        return false;
    LastMouseX = x;
    LastMouseY = y;
    return true;
}

void PlayBoard::DXMouseMove(int x, int y)
{
    if (!GameActive)
        return;
    if (m_game.HeldPiece >= 0) {
        TPieceRec &held = m_game.Pieces[m_game.HeldPiece];
        held.X = x - GrabDX;
        held.Y = y - GrabDY;
        DrawBoard();
        return;
    }
    m_game.HoverPiece = -1;
    setPointer(Qt::ArrowCursor);
    // From the top of the drawing order down, so the piece seen on top is found.
    for (int i = topIndex(); i >= 0; --i) {
        if (PieceHit(m_game.Pieces[i], x, y)) {
            m_game.HoverPiece = i;
            setPointer(Qt::PointingHandCursor);
            break;
        }
    }
}

void PlayBoard::DXClick()
{
    if (!GameActive)
        return;
    if (m_game.HeldPiece < 0) {
        if (m_game.HoverPiece >= 0)
            takePiece();
        return;
    }
    putDown();
    if (GameActive)
        DrawBoard();
}

void PlayBoard::takePiece()
{
    sound(Sound::PickUp);
    const int top = topIndex();
    if (m_game.HoverPiece < top)
        std::swap(m_game.Pieces[m_game.HoverPiece], m_game.Pieces[top]);
    m_game.HeldPiece = top;
    TPieceRec &held = m_game.Pieces[top];
    held.Cell = -1;
    GrabDX = LastMouseX - held.X;
    GrabDY = LastMouseY - held.Y;
    m_game.HoverPiece = -1;
    setPointer(Qt::BlankCursor);
}

void PlayBoard::putDown()
{
    sound(Sound::PutDown);
    ++m_game.MoveCount;
    const int top = topIndex();
    const int c = m_game.geometry.CellAt(LastMouseX, LastMouseY, DropCol, DropRow);
    if (c == -1) {
        // The pointer stays hidden until it moves again.
        glideHome(m_game.Pieces[m_game.HeldPiece]);
        m_game.HoverPiece = -1;
        m_game.HeldPiece = -1;
        return;
    }
    const int occupant = PieceInCell(m_game.pieces(), c);
    TPieceRec &held = m_game.Pieces[m_game.HeldPiece];
    const QPoint corner = m_game.geometry.cellTopLeft(DropCol, DropRow);
    held.Cell = c;
    held.X = corner.x();
    held.Y = corner.y();
    if (occupant == -1) {
        m_game.HeldPiece = -1;
        setPointer(Qt::ArrowCursor);
        CompletionTest();
        return;
    }
    // The two change places: the occupant goes into the hand, on top of the drawing order.
    m_game.Pieces[occupant].Cell = -1;
    if (occupant < top)
        std::swap(m_game.Pieces[occupant], m_game.Pieces[top]);
    m_game.HeldPiece = top;
    GrabDX = LastMouseX - m_game.Pieces[top].X;
    GrabDY = LastMouseY - m_game.Pieces[top].Y;
    m_game.HoverPiece = -1;
    setPointer(Qt::BlankCursor);
}

void PlayBoard::CompletionTest()
{
    if (!AllPlaced(m_game.pieces()))
        return;
    bool anyWrong = false;
    for (TPieceRec &piece : m_game.pieces()) {
        if (piece.Turns != 0 || piece.Cell != piece.Number) {
            anyWrong = true;
            glideHome(piece);
        }
    }
    if (anyWrong)
        return;
    DrawBoard();
    GameActive = false;
    if (won)
        won();
}

void PlayBoard::DXMouseDown(Qt::MouseButton button)
{
    if (!GameActive || button != Qt::RightButton || m_game.HeldPiece < 0 || !m_game.RotationEnabled)
        return;
    TurnPiece(m_game.Pieces[m_game.HeldPiece], m_game.SP, m_game.PieceCount);
    sound(Sound::Turn);
    DrawBoard();
}

void PlayBoard::bsoluceMouseDown()
{
    if (!GameActive || m_game.ModelShown || !m_game.ModelAllowed)
        return;
    m_game.SavedModelShown = m_game.ModelShown;
    m_game.ModelShown = true;
    DrawBoard();
}

void PlayBoard::bsoluceMouseUp()
{
    if (!GameActive)
        return;
    m_game.ModelShown = m_game.SavedModelShown;
    DrawBoard();
}
