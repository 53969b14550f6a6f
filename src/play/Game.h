#pragma once
// The current game: the puzzle's values, the board geometry, the pieces and their pictures.

#include "play/BoardGeometry.h"
#include "play/PictureList.h"
#include "play/Piece.h"
#include "store/PuzzleDescription.h"

#include <QString>
#include <span>

namespace tivane {

// Items of the play picture list besides the pieces (0..35).
namespace PictureItem {
constexpr int Model = 36;
constexpr int QuestionMark = 37;
constexpr int Logo = 38;
constexpr int NoModel = 39;
constexpr int FadedPicture = 40;
constexpr int Count = 41;
}

struct Game
{
    QString puzzleName;
    bool modelAllowed = false;
    bool modelShown = false;
    bool rotationEnabled = false;
    int timeLimit = 0;
    ModelMode modelMode = ModelMode::None;
    QString pictureFile;

    BoardGeometry geometry;
    int pieceCount = 0;
    PieceArray pieces{};  // the first pieceCount are in play; array order is drawing order
    int moveCount = 0;
    int hoverPiece = -1;
    int heldPiece = -1;

    PictureList pictures{PictureItem::Count};

    std::span<Piece> inPlay() { return {pieces.data(), static_cast<std::size_t>(pieceCount)}; }
    std::span<const Piece> inPlay() const
    {
        return {pieces.data(), static_cast<std::size_t>(pieceCount)};
    }
};

} // namespace tivane
