#include "play/PlayBoard.h"

#include "play/BoardRenderer.h"
#include "play/BoardSurface.h"
#include "core/BuiltinResources.h"
#include "play/GameLoader.h"
#include "play/Pieces.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>

namespace tivane {

namespace {
QImage builtin(const char *path) { return QImage(QString::fromLatin1(path)); }
}

PlayBoard::PlayBoard(BoardSurface *surface, const ScreenLayout &layout, QObject *parent)
    : QObject(parent), DX(surface), m_layout(layout), m_timer1(new QTimer(this))
{
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(50);
    connect(m_timer1, &QTimer::timeout, this, &PlayBoard::dealStep);

    m_game.pictures.setItem(PictureItem::QuestionMark, builtin(BuiltinResources::QuestionMark));
    m_game.pictures.setItem(PictureItem::Logo, builtin(BuiltinResources::Logo), BuiltinResources::LogoKey);
    m_game.pictures.setItem(PictureItem::NoModel, builtin(BuiltinResources::NoModelSign),
                      BuiltinResources::NoModelSignKey);
}

void PlayBoard::loadGame(const PuzzleStore &store, int n, RandomSource &random)
{
    Game loaded = ::loadGame(store, n, m_layout.screenWidth, m_layout.boardSize, m_game.pictures, random);
    m_game = std::move(loaded);
    emit titleChanged(m_game.puzzleName);
    GameActive = true;
}

void PlayBoard::drawBoard()
{
    drawBoardFrame(DX->backBuffer(), m_game, modelSlot());
    DX->present();
}

void PlayBoard::dealAnimation()
{
    drawEmptyBoard(DX->backBuffer(), m_game, modelSlot());
    DX->present();
    dealIndex = 0;
    if (m_game.pieceCount <= 0)
        return;
    m_timer1->start();
    while (m_timer1->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void PlayBoard::dealStep()
{
    if (dealIndex >= m_game.pieceCount) {
        m_timer1->stop();
        return;
    }
    {
        QPainter painter(&DX->backBuffer());
        drawPiece(painter, m_game, m_game.pieces[dealIndex]);
    }
    sound(Sound::PickUp);
    DX->present();
    ++dealIndex;
    if (dealIndex >= m_game.pieceCount)
        m_timer1->stop();
}

void PlayBoard::welcomeAnimation()
{
    emit titleChanged(QString());
    for (int i = 0; i < WelcomeFrameCount; ++i) {
        drawWelcomeFrame(DX->backBuffer(), m_game.pictures, i);
        DX->present();
        QCoreApplication::processEvents();
    }
}

void PlayBoard::sound(Sound s)
{
    if (playSound)
        playSound(s);
}

void PlayBoard::setPointer(Qt::CursorShape shape) { DX->setCursor(shape); }

void PlayBoard::glideHome(Piece &piece)
{
    GlideHome(piece, [this] { drawBoard(); });
}

bool PlayBoard::notePointer(int x, int y)
{
    if (x == lastMouseX && y == lastMouseY)
        return false;
    lastMouseX = x;
    lastMouseY = y;
    return true;
}

void PlayBoard::DXMouseMove(int x, int y)
{
    if (!GameActive)
        return;
    if (m_game.heldPiece >= 0) {
        Piece &held = m_game.pieces[m_game.heldPiece];
        held.x = x - grabDX;
        held.y = y - grabDY;
        drawBoard();
        return;
    }
    m_game.hoverPiece = -1;
    setPointer(Qt::ArrowCursor);
    // From the top of the drawing order down, so the piece seen on top is found.
    for (int i = topIndex(); i >= 0; --i) {
        if (pieceHit(m_game.pieces[i], x, y)) {
            m_game.hoverPiece = i;
            setPointer(Qt::PointingHandCursor);
            break;
        }
    }
}

void PlayBoard::DXClick()
{
    if (!GameActive)
        return;
    if (m_game.heldPiece < 0) {
        if (m_game.hoverPiece >= 0)
            takePiece();
        return;
    }
    putDown();
    if (GameActive)
        drawBoard();
}

void PlayBoard::takePiece()
{
    sound(Sound::PickUp);
    const int top = topIndex();
    if (m_game.hoverPiece < top)
        std::swap(m_game.pieces[m_game.hoverPiece], m_game.pieces[top]);
    m_game.heldPiece = top;
    Piece &held = m_game.pieces[top];
    held.cell = -1;
    grabDX = lastMouseX - held.x;
    grabDY = lastMouseY - held.y;
    m_game.hoverPiece = -1;
    setPointer(Qt::BlankCursor);
}

void PlayBoard::putDown()
{
    sound(Sound::PutDown);
    ++m_game.moveCount;
    const int top = topIndex();
    const int c = m_game.geometry.cellAt(lastMouseX, lastMouseY, dropCol, dropRow);
    if (c == -1) {
        // The pointer stays hidden until it moves again.
        glideHome(m_game.pieces[m_game.heldPiece]);
        m_game.hoverPiece = -1;
        m_game.heldPiece = -1;
        return;
    }
    const int occupant = pieceInCell(m_game.inPlay(), c);
    Piece &held = m_game.pieces[m_game.heldPiece];
    const QPoint corner = m_game.geometry.cellTopLeft(dropCol, dropRow);
    held.cell = c;
    held.x = corner.x();
    held.y = corner.y();
    if (occupant == -1) {
        m_game.heldPiece = -1;
        setPointer(Qt::ArrowCursor);
        CompletionTest();
        return;
    }
    // The two change places: the occupant goes into the hand, on top of the drawing order.
    m_game.pieces[occupant].cell = -1;
    if (occupant < top)
        std::swap(m_game.pieces[occupant], m_game.pieces[top]);
    m_game.heldPiece = top;
    grabDX = lastMouseX - m_game.pieces[top].x;
    grabDY = lastMouseY - m_game.pieces[top].y;
    m_game.hoverPiece = -1;
    setPointer(Qt::BlankCursor);
}

void PlayBoard::CompletionTest()
{
    if (!allPlaced(m_game.inPlay()))
        return;
    bool anyWrong = false;
    for (Piece &piece : m_game.inPlay()) {
        if (piece.turns != 0 || piece.cell != piece.number) {
            anyWrong = true;
            glideHome(piece);
        }
    }
    if (anyWrong)
        return;
    drawBoard();
    GameActive = false;
    if (won)
        won();
}

void PlayBoard::DXMouseDown(Qt::MouseButton button)
{
    if (!GameActive || button != Qt::RightButton || m_game.heldPiece < 0 || !m_game.rotationEnabled)
        return;
    turnPiece(m_game.pieces[m_game.heldPiece], m_game.pictures, m_game.pieceCount);
    sound(Sound::Turn);
    drawBoard();
}

void PlayBoard::bsoluceMouseDown()
{
    if (!GameActive || m_game.modelShown || !m_game.modelAllowed)
        return;
    m_game.savedModelShown = m_game.modelShown;
    m_game.modelShown = true;
    drawBoard();
}

void PlayBoard::bsoluceMouseUp()
{
    if (!GameActive)
        return;
    m_game.modelShown = m_game.savedModelShown;
    drawBoard();
}

} // namespace tivane
