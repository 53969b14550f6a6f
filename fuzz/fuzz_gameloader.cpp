// Links: tivane_play tivane_store
// The game loader, from the files of a stored puzzle to a game ready to be dealt: the
// description read by every line, the picture with the puzzle picture's size limit, the faded
// picture, the model, the pieces cut, turned and shuffled. Whatever the files hold, the result is
// a refusal (Error) or a game whose values the board can use.
//
// The input is cut in two files of puzzle 0: its first byte gives the length of puz0.tvn, and
// image0.bmp is the rest. They are written to a store folder made once for the run.

#include "core/Error.h"
#include "core/RandomSource.h"
#include "play/GameLoader.h"
#include "store/PuzzleStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace tivane;

namespace {

constexpr int ScreenWidth = 1024;
constexpr int BoardSize = 419;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void writeFile(const QString &path, const char *bytes, std::size_t size)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes, qint64(size)) == qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static PuzzleStore store(folder.path());
    static const PictureList builtIn(PictureItem::Count);
    if (size < 1)
        return 0;
    const char *bytes = reinterpret_cast<const char *>(data) + 1;
    const std::size_t descriptionSize = std::min<std::size_t>(data[0], size - 1);
    const QDir dir(folder.path());
    writeFile(dir.filePath(QStringLiteral("puz0.tvn")), bytes, descriptionSize);
    writeFile(dir.filePath(QStringLiteral("image0.bmp")), bytes + descriptionSize, size - 1 - descriptionSize);

    RandomSource random(size);
    Game game;
    try {
        game = loadGame(store, 0, ScreenWidth, BoardSize, builtIn, random);
    } catch (const Error &) {
        return 0;
    }
    require(game.pieceCount >= 1 && game.pieceCount <= 36);
    require(game.timeLimit >= 0 && game.timeLimit <= 5999 && int(game.modelMode) >= 0 && int(game.modelMode) <= 3);
    require(game.pictures.picture(PictureItem::Model).size() == QSize(180, 180));
    require(game.pictures.picture(PictureItem::FadedPicture).size() == QSize(BoardSize, BoardSize));
    for (int i = 0; i < game.pieceCount; ++i) {
        const Piece &piece = game.pieces[std::size_t(i)];
        require(piece.x == piece.trayX && piece.y == piece.trayY && piece.cell == -1);
        require(!game.pictures.picture(piece.imageIndex).isNull());
    }
    return 0;
}
