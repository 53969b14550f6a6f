#pragma once
// One puzzle piece lying on the board surface: a plain value.

#include <QPoint>

#include <array>
#include <cstdint>

namespace tivane {

struct Piece
{
    std::int32_t x = 0;          // left edge of the picture on the board surface
    std::int32_t y = 0;          // top edge
    std::int32_t trayX = 0;      // its place in the tray, where a glide sends it back
    std::int32_t trayY = 0;
    std::int32_t width = 0;      // picture size when set up; the hit rectangle, never turned
    std::int32_t height = 0;
    std::int32_t imageIndex = 0; // item of the picture list drawn for this piece
    bool moving = false;         // a glide is under way
    std::int32_t turns = 0;      // clockwise quarter turns since the picture was cut, 0..3
    std::int32_t number = 0;     // its target cell: the cell where it belongs
    std::int32_t cell = -1;      // the cell where it lies, -1 when off the board

    QPoint place() const { return {x, y}; }
    QPoint trayPlace() const { return {trayX, trayY}; }

    bool operator==(const Piece &) const = default;
};

constexpr int MaxPieces = 36;
using PieceArray = std::array<Piece, MaxPieces>;

} // namespace tivane
