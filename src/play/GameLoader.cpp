#include "play/GameLoader.h"

#include "core/PictureRoutines.h"
#include "play/Pieces.h"
#include "store/PuzzleStore.h"
#include "core/RandomSource.h"

#include <algorithm>
#include <utility>

namespace tivane {

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

void cutPieces(const QImage &picture, const BoardGeometry &g, PictureList &pictures)
{
    // A width (height) that is not a multiple of the grid loses its last columns (rows).
    const int sw = picture.width() / g.gridCols;
    const int sh = picture.height() / g.gridRows;
    for (int r = 0; r < g.gridRows; ++r) {
        for (int c = 0; c < g.gridCols; ++c) {
            pictures.setItem(c + r * g.gridCols,
                             stretch(picture, c * sw, r * sh, sw, sh, g.cellWidth(), g.cellHeight()));
        }
    }
}

void layOutTray(const BoardGeometry &g, std::span<Piece> pieces, const PictureList &pictures)
{
    const int pw = g.cellWidth();
    const int ph = g.cellHeight();
    for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
        Piece &piece = pieces[i];
        initPiece(piece, (i % g.gridCols) * (pw + 2) + g.trayLeft, (i / g.gridCols) * (ph + 2) + g.trayTop,
                  i, pictures);
        piece.turns = 0;
        piece.number = i;
        piece.cell = -1;
    }
}

void turnAtRandom(const BoardGeometry &g, std::span<Piece> pieces, PictureList &pictures,
                  RandomSource &random)
{
    const bool square = g.gridRows == g.gridCols;
    const int count = static_cast<int>(pieces.size());
    for (Piece &piece : pieces) {
        int n = random.random(4);
        // A piece of a non-square grid would not fit its cell after an odd number of turns.
        if (!square)
            n = random.random(2) * 2;
        for (int k = 0; k < n; ++k)
            turnPiece(piece, pictures, count);
    }
}

void shuffleSlots(const BoardGeometry &g, std::span<Piece> pieces, RandomSource &random)
{
    const int count = static_cast<int>(pieces.size());
    // Pair swaps need two pieces; a one-piece game stays on its slot.
    if (count < 2)
        return;
    const bool singleLine = g.gridRows <= 1 || g.gridCols <= 1;
    for (;;) {
        for (int k = 0; k < count; ++k) {
            const int i = random.random(count);
            int j = random.random(count);
            while (j == i)
                j = random.random(count);
            std::swap(pieces[i].x, pieces[j].x);
            std::swap(pieces[i].y, pieces[j].y);
        }
        if (singleLine)
            break;
        const bool anyMoved = std::any_of(pieces.begin(), pieces.end(), [](const Piece &p) {
            return p.place() != p.trayPlace();
        });
        if (anyMoved)
            break;
    }
    for (Piece &piece : pieces) {
        piece.trayX = piece.x;
        piece.trayY = piece.y;
    }
}

Game loadGame(const PuzzleStore &store, int n, int screenWidth, int boardSize,
              const PictureList &fixedPictures, RandomSource &random)
{
    const PuzzleDescription d = store.readDescription(n, DescriptionLines::All);
    QImage picture = store.readPicture(n);

    Game game;
    game.pictures = fixedPictures;
    game.puzzleName = d.puzzleName;
    game.modelAllowed = d.modelAllowed;
    game.modelShown = false;
    game.rotationEnabled = d.rotationEnabled;
    game.timeLimit = d.timeLimit;
    game.modelMode = d.modelMode;
    game.pictureFile = PuzzleStore::pictureName(n);
    game.geometry = BoardGeometry::forScreen(screenWidth, boardSize, d.gridCols, d.gridRows);
    const BoardGeometry &g = game.geometry;

    QImage faded = picture.scaled(boardSize, boardSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    fadePicture(faded);
    game.pictures.setItem(PictureItem::FadedPicture, faded);

    // Pieces are cut from the picture as loaded, not from the faded copy.
    cutPieces(picture, g, game.pictures);

    resampleBitmap(picture, ModelSide, ModelSide);
    game.pictures.setItem(PictureItem::Model, picture);

    game.pieceCount = g.gridRows * g.gridCols;
    layOutTray(g, game.inPlay(), game.pictures);
    if (game.rotationEnabled)
        turnAtRandom(g, game.inPlay(), game.pictures, random);
    shuffleSlots(g, game.inPlay(), random);

    game.moveCount = 0;
    game.hoverPiece = -1;
    game.heldPiece = -1;
    return game;
}

} // namespace tivane
