#pragma once
// Descriptions for benchmark stores: puzzle n varies its grid, model mode, rotation and clock.
// And the 60-byte thumbnail that once took half a second and 125 MB to decode.

#include "store/PuzzleDescription.h"

#include <QByteArray>
#include <QtEndian>

namespace tivane {

inline PuzzleDescription variedDescription(int n)
{
    PuzzleDescription d;
    d.puzzleName = QStringLiteral("Puzzle numéro %1").arg(n);
    d.gridCols = 1 + n % 6;
    d.gridRows = 1 + n / 6 % 6;
    d.modelMode = ModelMode(n % 4);
    d.modelAllowed = d.modelMode != ModelMode::None;
    d.rotationEnabled = n % 2;
    d.timeLimit = n % 3 == 0 ? 120 : 0;
    return d;
}

// An RLE8 BMP of 60 bytes declaring width x height, whose data ends at once.
inline QByteArray runLengthBomb(qint32 width, qint32 height)
{
    QByteArray bytes(60, '\0');
    char *b = bytes.data();
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(60, b + 2);
    qToLittleEndian<quint32>(58, b + 10);
    qToLittleEndian<quint32>(40, b + 14);
    qToLittleEndian<qint32>(width, b + 18);
    qToLittleEndian<qint32>(height, b + 22);
    qToLittleEndian<quint16>(1, b + 26);
    qToLittleEndian<quint16>(8, b + 28);
    qToLittleEndian<quint32>(1, b + 30);
    qToLittleEndian<quint32>(2, b + 34);
    qToLittleEndian<quint32>(1, b + 46);
    b[59] = 1;
    return bytes;
}

} // namespace tivane
