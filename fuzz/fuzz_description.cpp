// The description reader, as the chooser, the loader, the editing and print forms and the import
// read puz<N>.tvn files, with the checks every caller relies on:
// - whatever the bytes, a reading ends in a description or an Error, never anything else;
// - what is read is within the ranges the rest of the program assumes (grid 1..6, time limit
//   0..5999, model mode 0..3);
// - a description whose values the forms could write reads back the same once written;
// - the first line, taken as a file name, gives a number only when the store's own name for that
//   number gives it back.

#include "core/Error.h"
#include "store/PuzzleDescription.h"
#include "store/PuzzleStore.h"
#include "store/Windows1252.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace tivane;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void readAs(QByteArrayView bytes, DescriptionLines lines)
{
    PuzzleDescription d;
    try {
        d = parseDescription(bytes, lines, QStringLiteral("puz0.tvn"));
    } catch (const Error &) {
        return;
    }
    require(d.gridCols >= 1 && d.gridCols <= 6 && d.gridRows >= 1 && d.gridRows <= 6);
    require(d.timeLimit >= 0 && d.timeLimit <= MaxReadTimeLimit);
    require(int(d.modelMode) >= 0 && int(d.modelMode) <= 3);
    require(!d.puzzleName.contains(QLatin1Char('\r')) && !d.puzzleName.contains(QLatin1Char('\n')));
    if (lines != DescriptionLines::All || d.timeLimit > 600)
        return;

    const QByteArray written = formatDescription(d, DescriptionLines::All);
    const PuzzleDescription back = parseDescription(written, DescriptionLines::All, QStringLiteral("puz0.tvn"));
    require(back.puzzleName == d.puzzleName && back.gridCols == d.gridCols && back.gridRows == d.gridRows
            && back.modelAllowed == d.modelAllowed && back.rotationEnabled == d.rotationEnabled
            && back.timeLimit == d.timeLimit && back.modelMode == d.modelMode);
    require(back.hasTimeLine && back.hasModelModeLine);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readAs(bytes, DescriptionLines::UpToGrid);
    readAs(bytes, DescriptionLines::UpToTime);
    readAs(bytes, DescriptionLines::All);

    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    const QString name = fromWindows1252(bytes.first(end));
    if (const std::optional<int> n = PuzzleStore::numberFromName(name)) {
        require(*n >= 0);
        require(PuzzleStore::numberFromName(PuzzleStore::descriptionName(*n)) == n);
    }
    return 0;
}
