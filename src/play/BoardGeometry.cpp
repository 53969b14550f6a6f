#include "BoardGeometry.h"

#include <algorithm>

BoardGeometry BoardGeometry::forScreen(int screenWidth, int boardSize, int gridCols, int gridRows)
{
    BoardGeometry g;
    g.BoardSize = boardSize;
    g.GridCols = gridCols;
    g.GridRows = gridRows;
    g.BoardLeft = screenWidth / 2 + 10;
    g.BoardTop = 212;
    g.TrayLeft = screenWidth / 2 - boardSize - 10;
    g.TrayTop = 212;
    return g;
}

QPoint BoardGeometry::cellTopLeft(int col, int row) const
{
    return {col * cellWidth() + BoardLeft, row * cellHeight() + BoardTop};
}

QPoint BoardGeometry::cellTopLeft(int cell) const
{
    return cellTopLeft(cell % GridCols, cell / GridCols);
}

int BoardGeometry::CellAt(int x, int y, int &dropCol, int &dropRow) const
{
    if (!(x > BoardLeft && x < BoardLeft + BoardSize && y > BoardTop && y < BoardTop + BoardSize))
        return -1;
    dropCol = std::min((x - BoardLeft) / cellWidth(), GridCols - 1);
    dropRow = std::min((y - BoardTop) / cellHeight(), GridRows - 1);
    return dropRow * GridCols + dropCol;
}

int BoardGeometry::CellAt(int x, int y) const
{
    int col = 0;
    int row = 0;
    return CellAt(x, y, col, row);
}
