#pragma once
// The current game: the puzzle's values, the board geometry, the pieces and their pictures.

#include "BoardGeometry.h"
#include "PictureList.h"
#include "PieceRec.h"

#include <QString>
#include <span>

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
    QString PuzzleName;
    bool ModelAllowed = false;
    bool ModelShown = false;
    bool SavedModelShown = false;
    bool RotationEnabled = false;
    int TimeLimit = 0;
    int ModelMode = 0;
    QString PictureFile;

    BoardGeometry geometry;
    int PieceCount = 0;
    PieceArray Pieces{};
    int MoveCount = 0;
    int HoverPiece = -1;
    int HeldPiece = -1;

    PictureList SP{PictureItem::Count};

    std::span<TPieceRec> pieces() { return {Pieces.data(), static_cast<std::size_t>(PieceCount)}; }
    std::span<const TPieceRec> pieces() const
    {
        return {Pieces.data(), static_cast<std::size_t>(PieceCount)};
    }
};
