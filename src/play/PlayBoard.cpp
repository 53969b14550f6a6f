#include "PlayBoard.h"

#include "BoardRenderer.h"
#include "BoardSurface.h"
#include "BuiltinResources.h"
#include "GameLoader.h"

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
    if (playSound)
        playSound(Sound::PickUp);
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
