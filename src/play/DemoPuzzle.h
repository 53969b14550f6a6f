#pragma once
// One puzzle of the idle demonstration: its grid, its pieces and their pictures, the tray on
// the left half of the board surface and the empty target grid on the right half.
// A plain value, built and drawn without a window.

#include "BoardGeometry.h"
#include "PictureList.h"
#include "PieceRec.h"
#include "ScreenLayout.h"

#include <QImage>
#include <span>

class RandomSource;

constexpr int DemoPictureCount = 37;
constexpr int DemoMinGrid = 2;
constexpr int DemoMaxGrid = 6;

struct DemoPuzzle
{
    int DemoCols = DemoMinGrid;
    int DemoRows = DemoMinGrid;
    int DemoPieceCount = 0;
    // Entry i shows picture i of SPA; X, Y start on a tray slot, HomeX, HomeY are its cell.
    PieceArray DemoPieces{};
    // The piece being worked on; DemoPieceCount once all are home.
    int DemoStep = 0;
    int DemoBoardSize = 0;
    int DemoTrayLeft = 0;
    int DemoBoardLeft = 0;
    int DemoTop = 0;
    PictureList SPA{DemoPictureCount};

    // The tray and the target grid, for the routines shared with play.
    BoardGeometry geometry() const;
    std::span<TPieceRec> pieces() { return {DemoPieces.data(), static_cast<std::size_t>(DemoPieceCount)}; }
    std::span<const TPieceRec> pieces() const
    {
        return {DemoPieces.data(), static_cast<std::size_t>(DemoPieceCount)};
    }
};

// A new demonstration of cols x rows pieces cut from the picture: laid out in the tray,
// turned and shuffled so that at least one piece is off its slot, each piece's home its cell
// in the target grid, the steps starting again from the first piece. cols and rows are
// brought into 2..6.
void SetUpDemoPuzzle(DemoPuzzle &demo, int cols, int rows, const QImage &picture,
                     const ScreenLayout &layout, RandomSource &random);

// A quarter turn clockwise of a demonstration piece and of its picture.
void DemoTurn(DemoPuzzle &demo, TPieceRec &piece);

// A whole demonstration frame: navy ground, the silver target grid, the pieces in index
// order with piece DemoStep drawn last, on top.
void DrawDemoFrame(QImage &target, const DemoPuzzle &demo);
