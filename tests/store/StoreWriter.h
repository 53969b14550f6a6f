#pragma once
// One of two programs saving new puzzles into one store at the same time, as two teachers do on
// a shared folder. Puzzle i of writer `tag` is recognisable from its name, its grid and the
// colour of both its pictures, so that a puzzle made of two writers' files shows.

#include "core/Error.h"
#include "store/PuzzleStore.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QThread>

namespace tivane {

namespace StoreWriter {

inline QRgb colour(int tag, int i) { return qRgb(40 + tag * 70, i * 4, 255 - i * 3); }

inline PuzzleDescription description(int tag, int i)
{
    PuzzleDescription d;
    d.puzzleName = QStringLiteral("%1-%2").arg(tag).arg(i);
    d.gridCols = 1 + i % 6;
    d.gridRows = 1 + i / 6 % 6;
    d.modelMode = ModelMode(i % 4);
    d.modelAllowed = d.modelMode != ModelMode::None;
    return d;
}

// Saves `count` new puzzles; a store busy with the other writer is tried again 1 ms later
// (a worker may sleep; the program's window never does). Returns how many saves were refused.
inline int saveMany(const QString &folder, int tag, int count)
{
    PuzzleStore store(folder);
    int refusals = 0;
    for (int i = 0; i < count; ++i) {
        QImage picture(360, 360, QImage::Format_RGB888);
        picture.fill(colour(tag, i));
        QImage thumbnail(100, 100, QImage::Format_RGB888);
        thumbnail.fill(colour(tag, i));
        for (;;) {
            try {
                store.saveNewPuzzle(description(tag, i), picture, thumbnail);
                break;
            } catch (const StoreBusy &) {
                ++refusals;
                QThread::msleep(1);
            }
        }
    }
    return refusals;
}

} // namespace StoreWriter

} // namespace tivane
