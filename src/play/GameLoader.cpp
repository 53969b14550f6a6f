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

void LayOutTray(Game &game)
{
    const BoardGeometry &g = game.geometry;
    const int pw = g.cellWidth();
    const int ph = g.cellHeight();
    for (int i = 0; i < game.PieceCount; ++i) {
        TPieceRec &piece = game.Pieces[i];
        InitPiece(piece, (i % g.GridCols) * (pw + 2) + g.TrayLeft, (i / g.GridCols) * (ph + 2) + g.TrayTop,
                  i, game.SP);
        piece.Turns = 0;
        piece.Number = i;
        piece.Cell = -1;
    }
}

void TurnAtRandom(Game &game, RandomSource &random)
{
    const bool square = game.geometry.GridRows == game.geometry.GridCols;
    for (TPieceRec &piece : game.pieces()) {
        int n = random.Random(4);
        // A piece of a non-square grid would not fit its cell after an odd number of turns.
        if (!square)
            n = random.Random(2) * 2;
        for (int k = 0; k < n; ++k)
            TurnPiece(piece, game.SP, game.PieceCount);
    }
}

void ShuffleTray(Game &game, RandomSource &random)
{
    const int count = game.PieceCount;
    // Pair swaps need two pieces; a one-piece game stays on its slot.
    if (count >= 2) {
        const bool singleLine = game.geometry.GridRows <= 1 || game.geometry.GridCols <= 1;
        for (;;) {
            for (int k = 0; k < count; ++k) {
                const int i = random.Random(count);
                int j = random.Random(count);
                while (j == i)
                    j = random.Random(count);
                std::swap(game.Pieces[i].X, game.Pieces[j].X);
                std::swap(game.Pieces[i].Y, game.Pieces[j].Y);
            }
            if (singleLine)
                break;
            const auto pieces = game.pieces();
            const bool anyMoved = std::any_of(pieces.begin(), pieces.end(), [](const TPieceRec &p) {
                return p.X != p.HomeX || p.Y != p.HomeY;
            });
            if (anyMoved)
                break;
        }
    }
    for (TPieceRec &piece : game.pieces()) {
        piece.HomeX = piece.X;
        piece.HomeY = piece.Y;
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

    // Pieces are cut from the picture as loaded; a width (height) that is not a multiple of
    // the grid loses its last columns (rows) from the pieces only.
    const int sw = picture.width() / g.GridCols;
    const int sh = picture.height() / g.GridRows;
    for (int r = 0; r < g.GridRows; ++r) {
        for (int c = 0; c < g.GridCols; ++c) {
            game.SP.setItem(c + r * g.GridCols,
                            stretch(picture, c * sw, r * sh, sw, sh, g.cellWidth(), g.cellHeight()));
        }
    }

    ResampleBitmap(picture, ModelSide, ModelSide);
    game.SP.setItem(PictureItem::Model, picture);

    game.PieceCount = g.GridRows * g.GridCols;
    LayOutTray(game);
    if (game.RotationEnabled)
        TurnAtRandom(game, random);
    ShuffleTray(game, random);

    game.MoveCount = 0;
    game.HoverPiece = -1;
    game.HeldPiece = -1;
    return game;
}
