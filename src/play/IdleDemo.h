#pragma once
// The idle demonstration on the board surface: a random stored picture cut into a random grid
// solves itself, one step at a time, beside a game in progress without touching it.

#include "play/DemoPuzzle.h"
#include "store/PuzzleStore.h"
#include "play/ScreenLayout.h"

#include <QList>
#include <QObject>
#include <functional>

namespace tivane {

class BoardSurface;
class RandomSource;

class IdleDemo : public QObject
{
    Q_OBJECT
public:
    IdleDemo(BoardSurface *surface, const ScreenLayout &layout, PuzzleStore store,
             RandomSource &random, QObject *parent = nullptr);

    // The numbers of the chooser's thumbnails, in list order; set by the main screen.
    std::function<QList<int>()> puzzleNumbers;
    // Plays the turn sound and returns at its end, when the sound effects are on.
    std::function<void()> turnSound;

    DemoPuzzle &puzzle() { return m_demo; }
    const DemoPuzzle &puzzle() const { return m_demo; }

    // A new random demonstration from a random thumbnail's picture, or from the built-in
    // picture when there is none or it cannot be read. Not drawn.
    void setUpNewDemo();
    void drawDemoFrame();
    // One step: a quarter turn of the current piece, its glide home, or, once all pieces are
    // home, a new demonstration.
    void step();
    void demoGlide(Piece &piece);

private:
    QImage sourcePicture();

    BoardSurface *DX;
    ScreenLayout m_layout;
    PuzzleStore m_store;
    RandomSource &m_random;
    DemoPuzzle m_demo;
};

} // namespace tivane
