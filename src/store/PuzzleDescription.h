#pragma once
// The description file of a stored puzzle (puz<N>.tvn): its values, and the byte-level reading
// and writing of its lines. Windows-1252 text, CR LF after every line:
//   1 name / 2 columns / 3 rows / 4 "modèle=OUI|NON" / 5 "rotation=OUI|NON" / 6 "temps=<s>" /
//   7 "typemod=<0..3>"; lines 6 and 7 may be missing.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tivane {

// How the model picture may be shown during play; the value is the digit of line 7.
enum class ModelMode { None = 0, OnClick = 1, Permanent = 2, Underneath = 3 };

struct PuzzleDescription
{
    QString puzzleName;
    int gridCols = 2;          // 1..6
    int gridRows = 2;          // 1..6
    bool modelAllowed = false;
    bool rotationEnabled = false;
    int timeLimit = 0;         // seconds, 0 = no limit
    ModelMode modelMode = ModelMode::None;

    // Whether the file went on to line 6 / line 7 (only known for the lines the reader asked for).
    bool hasTimeLine = false;
    bool hasModelModeLine = false;

    bool operator==(const PuzzleDescription &) const = default;
};

// The longest time limit a reader takes, the most the clock shows (99:59); the forms write at
// most 600. A longer one, or a negative one, is read as the nearest of 0 and this; a model mode
// outside 0..3 is read as 0.
inline constexpr int MaxReadTimeLimit = 5999;

// How far a reader reads, or how many lines a writer puts down:
// the print action reads up to the grid, the chooser's scan and the modify action up to the
// time limit, the game loader everything. The creation form writes all seven lines, the
// editing form six.
enum class DescriptionLines { UpToGrid = 3, UpToTime = 6, All = 7 };

// Leading blanks, an optional sign, then the digits up to the first other character; no digits
// gives 0. Never fails; values beyond the int range saturate. Sets *hasDigits when given.
int integerRule(QByteArrayView text, bool *hasDigits = nullptr);

// Parses the bytes of a description file. Throws Error naming fileName for a line 2 or 3
// whose first word is not a number ("Invalid numeric input") and for a grid outside 1..6.
PuzzleDescription parseDescription(QByteArrayView bytes, DescriptionLines lines,
                                   const QString &fileName);

// The bytes of a description file with UpToTime (six) or All (seven) lines. Line breaks in the
// name become spaces. Throws Error for values outside their ranges.
QByteArray formatDescription(const PuzzleDescription &description, DescriptionLines lines);

} // namespace tivane
