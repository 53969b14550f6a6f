#include "GameLoader.h"

#include "PictureRoutines.h"
#include "Pieces.h"
#include "PuzzleStore.h"
#include "RandomSource.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int ModelSide = 180;

// A plain stretching copy (no filtering) of a rectangle of the picture onto a w x h picture.
// A rectangle narrower or lower than one pixel (a picture smaller than its grid) takes one.
QImage stretch(const QImage &picture, int x, int y, int sw, int sh, int w, int h)
{
    const QRect source = QRect(x, y, std::max(sw, 1), std::max(sh, 1)).intersected(picture.rect());
    return picture.copy(source).scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
}

void CutPieces(const QImage &picture, const BoardGeometry &g, PictureList &pictures)
{
    // A width (height) that is not a multiple of the grid loses its last columns (rows).
    const int sw = picture.width() / g.GridCols;
    const int sh = picture.height() / g.GridRows;
    for (int r = 0; r < g.GridRows; ++r) {
        for (int c = 0; c < g.GridCols; ++c) {
            pictures.setItem(c + r * g.GridCols,
                             stretch(picture, c * sw, r * sh, sw, sh, g.cellWidth(), g.cellHeight()));
        }
    }
}

void LayOutTray(const BoardGeometry &g, std::span<TPieceRec> pieces, const PictureList &pictures)
{
    const int pw = g.cellWidth();
    const int ph = g.cellHeight();
    for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
        TPieceRec &piece = pieces[i];
        InitPiece(piece, (i % g.GridCols) * (pw + 2) + g.TrayLeft, (i / g.GridCols) * (ph + 2) + g.TrayTop,
                  i, pictures);
        piece.Turns = 0;
        piece.Number = i;
        piece.Cell = -1;
    }
}

void TurnAtRandom(const BoardGeometry &g, std::span<TPieceRec> pieces, PictureList &pictures,
                  RandomSource &random)
{
    const bool square = g.GridRows == g.GridCols;
    const int count = static_cast<int>(pieces.size());
    for (TPieceRec &piece : pieces) {
        int n = random.Random(4);
        // A piece of a non-square grid would not fit its cell after an odd number of turns.
        if (!square)
            n = random.Random(2) * 2;
        for (int k = 0; k < n; ++k)
            TurnPiece(piece, pictures, count);
    }
}

void ShuffleSlots(const BoardGeometry &g, std::span<TPieceRec> pieces, RandomSource &random)
{
    const int count = static_cast<int>(pieces.size());
    // Pair swaps need two pieces; a one-piece game stays on its slot.
    if (count < 2)
        return;
    const bool singleLine = g.GridRows <= 1 || g.GridCols <= 1;
    for (;;) {
        for (int k = 0; k < count; ++k) {
            const int i = random.Random(count);
            int j = random.Random(count);
            while (j == i)
                j = random.Random(count);
            std::swap(pieces[i].X, pieces[j].X);
            std::swap(pieces[i].Y, pieces[j].Y);
        }
        if (singleLine)
            return;
        const bool anyMoved = std::any_of(pieces.begin(), pieces.end(), [](const TPieceRec &p) {
            return p.X != p.HomeX || p.Y != p.HomeY;
        });
        if (anyMoved)
            return;
    }
}

Game LoadGame(const PuzzleStore &store, int n, int screenWidth, int boardSize,
              const PictureList &fixedPictures, RandomSource &random)
{
    const PuzzleDescription d = store.readDescription(n, DescriptionLines::All);
    QImage picture = store.readPicture(n);

    Game game;
    game.SP = fixedPictures;
    game.PuzzleName = d.PuzzleName;
    game.ModelAllowed = d.ModelAllowed;
    game.ModelShown = false;
    game.SavedModelShown = d.ModelAllowed;
    game.RotationEnabled = d.RotationEnabled;
    game.TimeLimit = d.TimeLimit;
    game.ModelMode = d.ModelMode;
    game.PictureFile = PuzzleStore::pictureName(n);
    game.geometry = BoardGeometry::forScreen(screenWidth, boardSize, d.GridCols, d.GridRows);
    const BoardGeometry &g = game.geometry;

    QImage faded = picture.scaled(boardSize, boardSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    FadePicture(faded);
    game.SP.setItem(PictureItem::FadedPicture, faded);

    // Pieces are cut from the picture as loaded, not from the faded copy.
    CutPieces(picture, g, game.SP);

    ResampleBitmap(picture, ModelSide, ModelSide);
    game.SP.setItem(PictureItem::Model, picture);

    game.PieceCount = g.GridRows * g.GridCols;
    LayOutTray(g, game.pieces(), game.SP);
    if (game.RotationEnabled)
        TurnAtRandom(g, game.pieces(), game.SP, random);
    ShuffleSlots(g, game.pieces(), random);
    // The shuffled slot becomes the piece's home in the tray.
    for (TPieceRec &piece : game.pieces()) {
        piece.HomeX = piece.X;
        piece.HomeY = piece.Y;
    }

    game.MoveCount = 0;
    game.HoverPiece = -1;
    game.HeldPiece = -1;
    return game;
}
