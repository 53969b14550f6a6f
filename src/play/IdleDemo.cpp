#include "play/IdleDemo.h"

#include "core/BuiltinResources.h"
#include "core/Error.h"
#include "core/RandomSource.h"
#include "play/BoardSurface.h"
#include "play/Pieces.h"
#include "store/PuzzleStore.h"

namespace tivane {

IdleDemo::IdleDemo(BoardSurface *surface, const ScreenLayout &layout, const PuzzleStore &store,
                   RandomSource &random, QObject *parent)
    : QObject(parent), m_surface(surface), m_layout(layout), m_store(store), m_random(random),
      m_pacer(new StepPacer(this))
{
    m_pacer->setObjectName(QStringLiteral("Tanim"));
    m_pacer->setFrameInterval([this] { return m_surface->frameIntervalUs(); });
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
    return BuiltinResources::picture(BuiltinResources::DemoPicture);
}

void IdleDemo::setUpNewDemo()
{
    const int cols = DemoMinGrid + m_random.random(DemoMaxGrid - DemoMinGrid + 1);
    const int rows = DemoMinGrid + m_random.random(DemoMaxGrid - DemoMinGrid + 1);
    m_glide.clear();
    setUpDemoPuzzle(m_demo, cols, rows, sourcePicture(), m_layout, m_random);
}

void IdleDemo::drawFrame()
{
    drawDemoFrame(m_surface->backBuffer(), m_demo);
    m_surface->present();
}

void IdleDemo::start()
{
    if (m_pacer->isTerminated())
        return;
    setUpNewDemo();
    drawFrame();
    m_pacer->startAfter([this] { return step(); }, StepPauseMs);
}

void IdleDemo::suspend()
{
    m_pacer->suspend();
}

void IdleDemo::resume()
{
    m_pacer->resume(StepPauseMs);
}

void IdleDemo::terminate()
{
    m_pacer->terminate();
}

int IdleDemo::step()
{
    if (m_glide.isActive())
        return glideFrame();
    if (m_demo.step >= m_demo.pieceCount) {
        setUpNewDemo();
        drawFrame();
        return StepPauseMs;
    }
    Piece &piece = m_demo.pieces[m_demo.step];
    if (piece.turns != 0) {
        // The step stays on this piece until it is upright.
        demoTurn(m_demo, piece);
        drawFrame();
        return StepPauseMs + (turnSound ? turnSound() : 0);
    }
    m_glide.start(piece, m_demo.targetPlace(m_demo.step));
    return glideFrame();
}

int IdleDemo::glideFrame()
{
    const bool home = m_glide.advance(m_demo.pieces[m_demo.step]);
    drawFrame();
    if (!home)
        return StepPacer::NextFrame;
    ++m_demo.step;
    return StepPauseMs;
}

} // namespace tivane
