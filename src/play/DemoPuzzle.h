#pragma once
// One puzzle of the idle demonstration: its grid, its pieces and their pictures, the tray on
// the left half of the board surface and the empty target grid on the right half.
// A plain value, built and drawn without a window.

#include "play/BoardGeometry.h"
#include "play/PictureList.h"
#include "play/Piece.h"
#include "play/ScreenLayout.h"

#include <QImage>
#include <span>

namespace tivane {

class RandomSource;

constexpr int DemoPictureCount = 37;
constexpr int DemoMinGrid = 2;
constexpr int DemoMaxGrid = 6;

struct DemoPuzzle
{
    int cols = DemoMinGrid;
    int rows = DemoMinGrid;
    int pieceCount = 0;
    // Entry i shows picture i of pictures and starts on a tray slot; its target is cell i.
    PieceArray pieces{};
    // The piece being worked on; pieceCount once all are home.
    int step = 0;
    int boardSize = 0;
    int trayLeft = 0;
    int boardLeft = 0;
    int top = 0;
    PictureList pictures{DemoPictureCount};

    // The tray and the target grid, for the routines shared with play.
    BoardGeometry geometry() const;
    // Where piece i lies once it is in its cell of the target grid.
    QPoint targetPlace(int i) const { return geometry().cellTopLeft(i); }
    std::span<Piece> inPlay() { return {pieces.data(), static_cast<std::size_t>(pieceCount)}; }
    std::span<const Piece> inPlay() const
    {
        return {pieces.data(), static_cast<std::size_t>(pieceCount)};
    }
};

// A new demonstration of cols x rows pieces cut from the picture: laid out in the tray,
// turned and shuffled so that at least one piece is off its slot, the steps starting again
// from the first piece. cols and rows are brought into 2..6.
void setUpDemoPuzzle(DemoPuzzle &demo, int cols, int rows, const QImage &picture,
                     const ScreenLayout &layout, RandomSource &random);

// A quarter turn clockwise of a demonstration piece and of its picture.
void demoTurn(DemoPuzzle &demo, Piece &piece);

// A whole demonstration frame: navy ground, the silver target grid, the pieces in index
// order with piece step drawn last, on top.
void drawDemoFrame(QImage &target, const DemoPuzzle &demo);

} // namespace tivane
