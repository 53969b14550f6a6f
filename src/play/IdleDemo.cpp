#include "play/IdleDemo.h"

#include "play/BoardSurface.h"
#include "core/BuiltinResources.h"
#include "play/Pieces.h"
#include "core/RandomSource.h"
#include "core/Error.h"

namespace tivane {

IdleDemo::IdleDemo(BoardSurface *surface, const ScreenLayout &layout, PuzzleStore store,
                   RandomSource &random, QObject *parent)
    : QObject(parent), DX(surface), m_layout(layout), m_store(std::move(store)), m_random(random)
{
}

QImage IdleDemo::sourcePicture()
{
    const QList<int> numbers = puzzleNumbers ? puzzleNumbers() : QList<int>();
    if (!numbers.isEmpty()) {
        const int n = numbers.at(m_random.random(static_cast<int>(numbers.size())));
        // Nobody may be watching: a picture that cannot be read gives way to the built-in one.
        try {
            QImage picture = m_store.readPicture(n);
            if (!picture.isNull())
                return picture;
        } catch (const Error &) {
        }
    }
    return QImage(QString::fromLatin1(BuiltinResources::DemoPicture));
}

void IdleDemo::setUpNewDemo()
{
    const int cols = DemoMinGrid + m_random.random(DemoMaxGrid - DemoMinGrid + 1);
    const int rows = DemoMinGrid + m_random.random(DemoMaxGrid - DemoMinGrid + 1);
    setUpDemoPuzzle(m_demo, cols, rows, sourcePicture(), m_layout, m_random);
}

void IdleDemo::drawDemoFrame()
{
    ::drawDemoFrame(DX->backBuffer(), m_demo);
    DX->present();
}

void IdleDemo::step()
{
    if (m_demo.step >= m_demo.pieceCount) {
        setUpNewDemo();
        drawDemoFrame();
        return;
    }
    Piece &piece = m_demo.pieces[m_demo.step];
    if (piece.turns != 0) {
        // The step stays on this piece until it is upright.
        demoTurn(m_demo, piece);
        drawDemoFrame();
        if (turnSound)
            turnSound();
        return;
    }
    demoGlide(piece);
    ++m_demo.step;
}

void IdleDemo::demoGlide(Piece &piece)
{
    GlideHome(piece, [this] { drawDemoFrame(); });
}

} // namespace tivane
