#include "IdleDemo.h"

#include "BoardSurface.h"
#include "BuiltinResources.h"
#include "Pieces.h"
#include "RandomSource.h"
#include "TivaneError.h"

IdleDemo::IdleDemo(BoardSurface *surface, const ScreenLayout &layout, PuzzleStore store,
                   RandomSource &random, QObject *parent)
    : QObject(parent), DX(surface), m_layout(layout), m_store(std::move(store)), m_random(random)
{
}

QImage IdleDemo::sourcePicture()
{
    const QList<int> numbers = puzzleNumbers ? puzzleNumbers() : QList<int>();
    if (!numbers.isEmpty()) {
        const int n = numbers.at(m_random.Random(static_cast<int>(numbers.size())));
        // Nobody may be watching: a picture that cannot be read gives way to the built-in one.
        try {
            QImage picture = m_store.readPicture(n);
            if (!picture.isNull())
                return picture;
        } catch (const TivaneError &) {
        }
    }
    return QImage(QString::fromLatin1(BuiltinResources::DemoPicture));
}

void IdleDemo::DemoSetup()
{
    const int cols = DemoMinGrid + m_random.Random(DemoMaxGrid - DemoMinGrid + 1);
    const int rows = DemoMinGrid + m_random.Random(DemoMaxGrid - DemoMinGrid + 1);
    SetUpDemoPuzzle(m_demo, cols, rows, sourcePicture(), m_layout, m_random);
}

void IdleDemo::DrawDemoFrame()
{
    ::DrawDemoFrame(DX->backBuffer(), m_demo);
    DX->Flip();
}

void IdleDemo::AnimStep()
{
    if (m_demo.DemoStep >= m_demo.DemoPieceCount) {
        DemoSetup();
        DrawDemoFrame();
        return;
    }
    TPieceRec &piece = m_demo.DemoPieces[m_demo.DemoStep];
    if (piece.Turns != 0) {
        // The step stays on this piece until it is upright.
        DemoTurn(m_demo, piece);
        DrawDemoFrame();
        if (turnSound)
            turnSound();
        return;
    }
    DemoGlide(piece);
    ++m_demo.DemoStep;
}

void IdleDemo::DemoGlide(TPieceRec &piece)
{
    GlideHome(piece, [this] { DrawDemoFrame(); });
}
