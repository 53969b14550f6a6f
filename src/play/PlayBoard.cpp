#include "play/PlayBoard.h"

#include "core/BuiltinResources.h"
#include "play/BoardRenderer.h"
#include "play/BoardSurface.h"
#include "play/GameLoader.h"
#include "play/Pieces.h"

#include <QPainter>

#include <utility>

namespace tivane {

PlayBoard::PlayBoard(BoardSurface *surface, const ScreenLayout &layout, QObject *parent)
    : QObject(parent), m_surface(surface), m_layout(layout), m_pacer(new StepPacer(this))
{
    m_pacer->setObjectName(QStringLiteral("Timer1"));
    m_pacer->setFrameInterval([this] { return m_surface->frameIntervalUs(); });
}

void PlayBoard::loadBuiltinPictures()
{
    if (std::exchange(m_builtinPicturesLoaded, true))
        return;
    m_game.pictures.setItem(PictureItem::QuestionMark, BuiltinResources::picture(BuiltinResources::QuestionMark));
    m_game.pictures.setItem(PictureItem::Logo, BuiltinResources::picture(BuiltinResources::Logo), BuiltinResources::LogoKey);
    m_game.pictures.setItem(PictureItem::NoModel, BuiltinResources::picture(BuiltinResources::NoModelSign),
                            BuiltinResources::NoModelSignKey);
}

void PlayBoard::loadGame(const PuzzleStore &store, int n, RandomSource &random)
{
    loadBuiltinPictures();
    Game loaded = tivane::loadGame(store, n, m_layout.screenWidth, m_layout.boardSize, m_game.pictures, random);
    // The old game's animation, if any, goes with it.
    m_pacer->stop();
    m_animation = BoardAnimation::None;
    m_glideQueue.clear();
    m_whenStill = nullptr;
    m_game = std::move(loaded);
    emit titleChanged(m_game.puzzleName);
    m_gameActive = true;
}

void PlayBoard::endGame()
{
    m_gameActive = false;
    setPointer(Qt::ArrowCursor);
}

void PlayBoard::whenStill(std::function<void()> action)
{
    if (isAnimating())
        m_whenStill = std::move(action);
    else
        action();
}

void PlayBoard::drawBoard()
{
    loadBuiltinPictures();
    drawBoardFrame(m_surface->backBuffer(), m_game, modelSlot());
    m_surface->present();
}

// --- Animations -------------------------------------------------------------------------------

void PlayBoard::run(BoardAnimation kind, StepPacer::Step step)
{
    m_animation = kind;
    m_pacer->start(std::move(step));
}

void PlayBoard::animationEnded()
{
    const BoardAnimation ended = std::exchange(m_animation, BoardAnimation::None);
    if (ended == BoardAnimation::Deal)
        emit dealFinished();
    if (const auto action = std::exchange(m_whenStill, nullptr))
        action();
}

void PlayBoard::startWelcome()
{
    loadBuiltinPictures();
    emit titleChanged(QString());
    m_welcomeFrame = 0;
    run(BoardAnimation::Welcome, [this] { return welcomeStep(); });
}

int PlayBoard::welcomeStep()
{
    drawWelcomeFrame(m_surface->backBuffer(), m_game.pictures, m_welcomeFrame);
    m_surface->present();
    if (++m_welcomeFrame < WelcomeFrameCount)
        return StepPacer::NextFrame;
    animationEnded();
    return StepPacer::Done;
}

void PlayBoard::finishWelcome()
{
    if (m_animation != BoardAnimation::Welcome)
        return;
    m_pacer->stop();
    m_welcomeFrame = WelcomeFrameCount - 1;
    welcomeStep();
}

void PlayBoard::startDeal()
{
    drawEmptyBoard(m_surface->backBuffer(), m_game, modelSlot());
    m_surface->present();
    m_dealIndex = 0;
    if (m_game.pieceCount <= 0) {
        emit dealFinished();
        return;
    }
    m_animation = BoardAnimation::Deal;
    m_pacer->startAfter([this] { return dealStep(); }, DealStepMs);
}

int PlayBoard::dealStep()
{
    {
        QPainter painter(&m_surface->backBuffer());
        drawPiece(painter, m_game, m_game.pieces[m_dealIndex]);
    }
    emit soundRequested(Sound::PickUp);
    m_surface->present();
    if (++m_dealIndex < m_game.pieceCount)
        return DealStepMs;
    animationEnded();
    return StepPacer::Done;
}

void PlayBoard::glideToTray(QList<int> indices)
{
    m_glideQueue = std::move(indices);
    m_glide.clear();
    run(BoardAnimation::Glide, [this] { return glideStep(); });
}

int PlayBoard::glideStep()
{
    Piece &piece = m_game.pieces[m_glideQueue.constFirst()];
    if (!m_glide.isActive())
        m_glide.start(piece, piece.trayPlace());
    const bool arrived = m_glide.advance(piece);
    drawBoard();
    if (!arrived)
        return StepPacer::NextFrame;
    m_glideQueue.removeFirst();
    if (!m_glideQueue.isEmpty())
        return StepPacer::NextFrame;
    if (m_gameActive)
        drawBoard();
    animationEnded();
    return StepPacer::Done;
}

// --- Input ------------------------------------------------------------------------------------

// While the deal or a glide runs the board takes no click and no button press: they would act
// on pieces still on their way. Pointer moves are still followed and count as activity.
bool PlayBoard::takesClicks() const
{
    return m_animation != BoardAnimation::Deal && m_animation != BoardAnimation::Glide;
}

void PlayBoard::setPointer(Qt::CursorShape shape) { m_surface->setCursor(shape); }

bool PlayBoard::notePointer(int x, int y)
{
    if (x == m_lastMouseX && y == m_lastMouseY)
        return false;
    m_lastMouseX = x;
    m_lastMouseY = y;
    return true;
}

void PlayBoard::pointerMoved(int x, int y)
{
    if (!m_gameActive)
        return;
    if (m_game.heldPiece >= 0) {
        Piece &held = m_game.pieces[m_game.heldPiece];
        held.x = x - m_grabDX;
        held.y = y - m_grabDY;
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

void PlayBoard::click()
{
    if (!m_gameActive || !takesClicks())
        return;
    if (m_game.heldPiece < 0) {
        if (m_game.hoverPiece >= 0)
            takePiece();
        return;
    }
    putDown();
    if (m_gameActive && !isAnimating())
        drawBoard();
}

void PlayBoard::takePiece()
{
    emit soundRequested(Sound::PickUp);
    takeIntoHand(m_game.hoverPiece);
}

void PlayBoard::takeIntoHand(int index)
{
    // The piece that was on top takes the taken piece's place in the drawing order.
    const int top = topIndex();
    if (index < top)
        std::swap(m_game.pieces[index], m_game.pieces[top]);
    m_game.heldPiece = top;
    Piece &held = m_game.pieces[top];
    held.cell = -1;
    m_grabDX = m_lastMouseX - held.x;
    m_grabDY = m_lastMouseY - held.y;
    m_game.hoverPiece = -1;
    setPointer(Qt::BlankCursor);
}

void PlayBoard::putDown()
{
    emit soundRequested(Sound::PutDown);
    ++m_game.moveCount;
    int dropCol = 0;
    int dropRow = 0;
    const int c = m_game.geometry.cellAt(m_lastMouseX, m_lastMouseY, dropCol, dropRow);
    if (c == -1) {
        // The pointer stays hidden until it moves again.
        const int held = m_game.heldPiece;
        m_game.hoverPiece = -1;
        m_game.heldPiece = -1;
        glideToTray({held});
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
        completionTest();
        return;
    }
    // The two change places: the occupant goes into the hand.
    takeIntoHand(occupant);
}

void PlayBoard::completionTest()
{
    if (!allPlaced(m_game.inPlay()))
        return;
    QList<int> wrong;
    for (int i = 0; i < m_game.pieceCount; ++i) {
        const Piece &piece = m_game.pieces[i];
        if (piece.turns != 0 || piece.cell != piece.number)
            wrong << i;
    }
    if (!wrong.isEmpty()) {
        // One after the other, in drawing order; the game goes on meanwhile.
        glideToTray(wrong);
        return;
    }
    drawBoard();
    m_gameActive = false;
    emit puzzleCompleted();
}

bool PlayBoard::canTurn() const
{
    return m_gameActive && takesClicks() && m_game.heldPiece >= 0 && m_game.rotationEnabled;
}

void PlayBoard::turn()
{
    if (!canTurn())
        return;
    turnPiece(m_game.pieces[m_game.heldPiece], m_game.pictures, m_game.pieceCount);
    emit soundRequested(Sound::Turn);
    drawBoard();
}

void PlayBoard::modelPressed()
{
    // During the deal a board frame would show every piece at once.
    if (!m_gameActive || m_game.modelShown || !m_game.modelAllowed || m_animation == BoardAnimation::Deal)
        return;
    m_game.modelShown = true;
    drawBoard();
}

void PlayBoard::modelReleased()
{
    if (!m_gameActive)
        return;
    m_game.modelShown = false;
    if (m_animation != BoardAnimation::Deal)
        drawBoard();
}

} // namespace tivane
