#include "Pieces.h"

#include "BitmapRotation.h"
#include "PictureList.h"

#include <cmath>
#include <cstdlib>

void InitPiece(TPieceRec &piece, int x, int y, int k, const PictureList &pictures)
{
    piece.X = x;
    piece.HomeX = x;
    piece.Y = y;
    piece.HomeY = y;
    piece.ImageIndex = k;
    piece.Width = pictures.width(k);
    piece.Height = pictures.height(k);
    piece.Moving = false;
}

bool PieceHit(const TPieceRec &piece, int x, int y)
{
    return x > piece.X && x < piece.X + piece.Width && y > piece.Y && y < piece.Y + piece.Height;
}

int PieceInCell(std::span<const TPieceRec> pieces, int n)
{
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].Cell == n)
            return static_cast<int>(i);
    }
    return -1;
}

bool AllPlaced(std::span<const TPieceRec> pieces)
{
    for (const TPieceRec &p : pieces) {
        if (p.Cell == -1)
            return false;
    }
    return true;
}

void RotatePiecePicture(PictureList &pictures, int k, int pieceCount)
{
    if (k < 0 || k >= pieceCount || k >= pictures.count())
        return;
    QImage turned = pictures.picture(k);
    RotateBitmap90(turned, -1);
    pictures.picture(k) = turned;
    pictures.refresh(k);
}

void TurnPiece(TPieceRec &piece, PictureList &pictures, int pieceCount)
{
    RotatePiecePicture(pictures, piece.ImageIndex, pieceCount);
    piece.Turns = (piece.Turns + 1) % 4;
}

std::vector<QPoint> GlidePath(const TPieceRec &piece)
{
    const int x0 = piece.X;
    const int y0 = piece.Y;
    const int dx = x0 - piece.HomeX;
    const int dy = y0 - piece.HomeY;
    float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));

    // Straight glides take exact sines and cosines: cos(pi/2) is not exactly 0 in floating
    // point, and truncation would then put a vertical glide one pixel off its column.
    double cosA = 1.0; // same row
    double sinA = 0.0;
    if (x0 == piece.HomeX && y0 != piece.HomeY) {
        cosA = 0.0;
        sinA = 1.0;
    } else if (y0 != piece.HomeY) {
        const double a = std::atan(static_cast<double>(std::abs(dy)) / std::abs(dx));
        cosA = std::cos(a);
        sinA = std::sin(a);
    }
    const int sx = x0 > piece.HomeX ? 1 : -1;
    const int sy = y0 > piece.HomeY ? 1 : -1;

    std::vector<QPoint> frames;
    while (d > 20.0f) {
        frames.emplace_back(static_cast<int>(std::trunc(cosA * sx * d + piece.HomeX)),
                            static_cast<int>(std::trunc(sinA * sy * d + piece.HomeY)));
        d -= 20.0f;
    }
    frames.emplace_back(piece.HomeX, piece.HomeY);
    return frames;
}

void GlideHome(TPieceRec &piece, const std::function<void()> &drawFrame)
{
    const std::vector<QPoint> frames = GlidePath(piece);
    piece.Moving = true;
    for (const QPoint &p : frames) {
        piece.X = p.x();
        piece.Y = p.y();
        if (drawFrame)
            drawFrame();
    }
    piece.Cell = -1;
    piece.Moving = false;
}
