#pragma once
// The play screen: the tray left of the board and the square board with its grid of cells.

#include <QPoint>

struct BoardGeometry
{
    int BoardLeft = 0;
    int BoardTop = 212;
    int TrayLeft = 0;
    int TrayTop = 212;
    int BoardSize = 0;
    int GridCols = 1;
    int GridRows = 1;

    static BoardGeometry forScreen(int screenWidth, int boardSize, int gridCols, int gridRows);

    int cellWidth() const { return BoardSize / GridCols; }
    int cellHeight() const { return BoardSize / GridRows; }
    int cellCount() const { return GridCols * GridRows; }
    QPoint cellTopLeft(int col, int row) const;
    QPoint cellTopLeft(int cell) const;

    // The cell under (x, y), or -1 off the board; the board's edge lines are outside.
    // A point on the strip beyond the last column (row) counts as lying in that column (row).
    // dropCol and dropRow receive the cell's column and row when the result is not -1.
    int CellAt(int x, int y, int &dropCol, int &dropRow) const;
    int CellAt(int x, int y) const;
};
