#pragma once
// The play screen: the tray left of the board and the square board with its grid of cells.

#include <QPoint>

namespace tivane {

struct BoardGeometry
{
    int boardLeft = 0;
    int boardTop = 212;
    int trayLeft = 0;
    int trayTop = 212;
    int boardSize = 0;
    int gridCols = 1;
    int gridRows = 1;

    static BoardGeometry forScreen(int screenWidth, int boardSize, int gridCols, int gridRows);

    int cellWidth() const { return boardSize / gridCols; }
    int cellHeight() const { return boardSize / gridRows; }
    int cellCount() const { return gridCols * gridRows; }
    QPoint cellTopLeft(int col, int row) const;
    QPoint cellTopLeft(int cell) const;

    // The cell under (x, y), or -1 off the board; the board's edge lines are outside.
    // A point on the strip beyond the last column (row) counts as lying in that column (row).
    // dropCol and dropRow receive the cell's column and row when the result is not -1.
    int cellAt(int x, int y, int &dropCol, int &dropRow) const;
    int cellAt(int x, int y) const;
};

} // namespace tivane
