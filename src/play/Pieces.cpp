#include "play/Pieces.h"

#include "core/BitmapRotation.h"
#include "play/PictureList.h"

#include <cmath>
#include <cstdlib>

namespace tivane {

void initPiece(Piece &piece, int x, int y, int k, const PictureList &pictures)
{
    piece.x = x;
    piece.trayX = x;
    piece.y = y;
    piece.trayY = y;
    piece.imageIndex = k;
    piece.width = pictures.width(k);
    piece.height = pictures.height(k);
    piece.moving = false;
}

bool pieceHit(const Piece &piece, int x, int y)
{
    return x > piece.x && x < piece.x + piece.width && y > piece.y && y < piece.y + piece.height;
}

int pieceInCell(std::span<const Piece> pieces, int n)
{
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].cell == n)
            return static_cast<int>(i);
    }
    return -1;
}

bool allPlaced(std::span<const Piece> pieces)
{
    for (const Piece &p : pieces) {
        if (p.cell == -1)
            return false;
    }
    return true;
}

void rotatePiecePicture(PictureList &pictures, int k, int pieceCount)
{
    if (k < 0 || k >= pieceCount || k >= pictures.count())
        return;
    QImage turned = pictures.picture(k);
    rotateBitmap90(turned, -1);
    pictures.picture(k) = turned;
    pictures.refresh(k);
}

void turnPiece(Piece &piece, PictureList &pictures, int pieceCount)
{
    rotatePiecePicture(pictures, piece.imageIndex, pieceCount);
    piece.turns = (piece.turns + 1) % 4;
}

std::vector<QPoint> glidePath(QPoint from, QPoint to)
{
    const int x0 = from.x();
    const int y0 = from.y();
    const int dx = x0 - to.x();
    const int dy = y0 - to.y();
    float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));

    // Straight glides take exact sines and cosines: cos(pi/2) is not exactly 0 in floating
    // point, and truncation would then put a vertical glide one pixel off its column.
    double cosA = 1.0; // same row
    double sinA = 0.0;
    if (x0 == to.x() && y0 != to.y()) {
        cosA = 0.0;
        sinA = 1.0;
    } else if (y0 != to.y()) {
        const double a = std::atan(static_cast<double>(std::abs(dy)) / std::abs(dx));
        cosA = std::cos(a);
        sinA = std::sin(a);
    }
    const int sx = x0 > to.x() ? 1 : -1;
    const int sy = y0 > to.y() ? 1 : -1;

    std::vector<QPoint> frames;
    while (d > 20.0f) {
        frames.emplace_back(static_cast<int>(std::trunc(cosA * sx * d + to.x())),
                            static_cast<int>(std::trunc(sinA * sy * d + to.y())));
        d -= 20.0f;
    }
    frames.emplace_back(to.x(), to.y());
    return frames;
}

void Glide::start(Piece &piece, QPoint to)
{
    m_path = glidePath(piece.place(), to);
    m_next = 0;
    piece.moving = true;
}

bool Glide::advance(Piece &piece)
{
    piece.x = m_path[m_next].x();
    piece.y = m_path[m_next].y();
    if (++m_next < m_path.size())
        return false;
    m_path.clear();
    piece.cell = -1;
    piece.moving = false;
    return true;
}

} // namespace tivane
