#include "play/BoardGeometry.h"

#include <algorithm>

namespace tivane {

BoardGeometry BoardGeometry::forScreen(int screenWidth, int boardSize, int gridCols, int gridRows)
{
    BoardGeometry g;
    g.boardSize = boardSize;
    g.gridCols = gridCols;
    g.gridRows = gridRows;
    g.boardLeft = screenWidth / 2 + 10;
    g.boardTop = 212;
    g.trayLeft = screenWidth / 2 - boardSize - 10;
    g.trayTop = 212;
    return g;
}

QPoint BoardGeometry::cellTopLeft(int col, int row) const
{
    return {col * cellWidth() + boardLeft, row * cellHeight() + boardTop};
}

QPoint BoardGeometry::cellTopLeft(int cell) const
{
    return cellTopLeft(cell % gridCols, cell / gridCols);
}

int BoardGeometry::cellAt(int x, int y, int &dropCol, int &dropRow) const
{
    if (!(x > boardLeft && x < boardLeft + boardSize && y > boardTop && y < boardTop + boardSize))
        return -1;
    dropCol = std::min((x - boardLeft) / cellWidth(), gridCols - 1);
    dropRow = std::min((y - boardTop) / cellHeight(), gridRows - 1);
    return dropRow * gridCols + dropCol;
}

int BoardGeometry::cellAt(int x, int y) const
{
    int col = 0;
    int row = 0;
    return cellAt(x, y, col, row);
}

} // namespace tivane
