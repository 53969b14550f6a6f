#pragma once
// Puzzles for tests: pictures whose grid cells are flat, distinct colours, saved in a store.

#include "core/PictureRoutines.h"
#include "store/PuzzleStore.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace tivane {

namespace TestPuzzles {

// A distinct, saturated colour for cell k.
inline QRgb cellColour(int k)
{
    return QColor::fromHsv((k * 47) % 360, 255, 120 + (k * 37) % 136).rgb();
}

// A side x side picture whose cols x rows cells are flat: cell k has cellColour(k).
inline QImage cellsPicture(int cols, int rows, int side = 360)
{
    QImage picture(side, side, QImage::Format_RGB888);
    QPainter painter(&picture);
    const int cw = side / cols;
    const int ch = side / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            painter.fillRect(c * cw, r * ch, c == cols - 1 ? side - c * cw : cw,
                             r == rows - 1 ? side - r * ch : ch, QColor(cellColour(r * cols + c)));
    return picture;
}

// The one description builder of the tests: the model is allowed exactly when modelMode is not 0,
// as the creation form writes it.
inline PuzzleDescription description(const QString &name, int cols = 1, int rows = 1, int modelMode = 1,
                                     bool rotation = false, int timeLimit = 0)
{
    PuzzleDescription d;
    d.puzzleName = name;
    d.gridCols = cols;
    d.gridRows = rows;
    d.modelMode = ModelMode(modelMode);
    d.modelAllowed = d.modelMode != ModelMode::None;
    d.rotationEnabled = rotation;
    d.timeLimit = timeLimit;
    return d;
}

// Saves a new puzzle of flat cells under the lowest free number, which it returns.
inline int add(PuzzleStore &store, const PuzzleDescription &d, QImage picture = {})
{
    if (picture.isNull())
        picture = cellsPicture(d.gridCols, d.gridRows);
    QImage thumbnail = picture;
    resampleBitmap(thumbnail, 100, 100);
    return store.saveNewPuzzle(d, picture, thumbnail);
}

} // namespace TestPuzzles

} // namespace tivane
