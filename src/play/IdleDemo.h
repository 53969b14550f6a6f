#pragma once
// The idle demonstration on the board surface: a random stored picture cut into a random grid
// solves itself beside a game in progress without touching it. Its steps (a quarter turn, a
// glide home frame by frame, a new puzzle) run on a step pacer, 200 ms apart.

#include "core/StepPacer.h"
#include "play/DemoPuzzle.h"
#include "play/Pieces.h"
#include "play/ScreenLayout.h"

#include <QList>
#include <QObject>

#include <functional>

namespace tivane {

class BoardSurface;
class PuzzleStore;
class RandomSource;

class IdleDemo : public QObject
{
    Q_OBJECT
public:
    static constexpr int StepPauseMs = 200;

    IdleDemo(BoardSurface *surface, const ScreenLayout &layout, const PuzzleStore &store,
             RandomSource &random, QObject *parent = nullptr);

    // The numbers of the stored puzzles to take a picture from; set by the main screen.
    std::function<QList<int>()> puzzleNumbers;
    // Plays the turn sound when the sound effects are on, and returns how long the next step
    // should wait for it (0 when silent).
    std::function<int()> turnSound;

    DemoPuzzle &puzzle() { return m_demo; }
    const DemoPuzzle &puzzle() const { return m_demo; }
    StepPacer &pacer() { return *m_pacer; }

    // A new random demonstration from a random stored puzzle's picture, or from the built-in
    // picture when there is none or it cannot be read. Not drawn.
    void setUpNewDemo();
    void drawFrame();

    // Sets up and draws a new demonstration and lets it run: its first step comes 200 ms later.
    void start();
    // Started and taking its steps, as its pacer says: not suspended, not terminated.
    bool isRunning() const { return m_pacer->isRunning(); }
    // Pauses where it is (a paused glide goes on from its place); resume() goes on 200 ms later.
    void suspend();
    void resume();
    // No step runs again.
    void terminate();

    // One step: a quarter turn of the current piece, one frame of its glide home, or, once all
    // pieces are home, a new demonstration. Returns the delay before the next one.
    int step();

private:
    QImage sourcePicture();
    int glideFrame();

    BoardSurface *m_surface;
    ScreenLayout m_layout;
    const PuzzleStore &m_store;
    RandomSource &m_random;
    DemoPuzzle m_demo;
    StepPacer *m_pacer;
    Glide m_glide;
};

} // namespace tivane
