#pragma once
// The class list, eleves.csv: one line per child, its first name and the bare name of its
// picture in the store's folder "eleves/" (or nothing). Columns the program does not know, and
// lines it cannot read, are kept as they were when it saves the list. The file is written only
// on a teacher's action, and atomically.
//
// A column is added by giving Pupil a member and knownColumns() its name, reader and writer.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivane {

class PuzzleStore;

struct Pupil
{
    QString firstName;
    QString picture;  // bare name in the pictures folder; empty: the first letter on a disc
    QHash<QString, QString> otherColumns;  // by column name as the file spells it

    bool operator==(const Pupil &) const = default;
};

struct PupilColumn
{
    QString name;
    QString (*read)(const Pupil &);
    void (*write)(Pupil &, const QString &);
};

// The columns the program reads, in the order a new file has them: "prénom;image".
const QList<PupilColumn> &knownColumns();

struct ClassList
{
    QStringList columns;            // the header as written, known columns included
    QList<Pupil> pupils;            // in file order
    QList<QStringList> unreadRows;  // lines that did not read, kept to be written back

    bool operator==(const ClassList &) const = default;
};

// The list read from a file, and what was left aside in it.
struct ClassListReading
{
    ClassList list;
    QList<int> skippedLines;        // first name missing, too long or repeated
    QList<int> droppedPictureLines; // a picture that is not a bare file name: read as none
    // One French message naming both, empty when every line read.
    QString problems() const;
};

inline constexpr int MaxFirstNameLength = 30;

// Why a first name cannot be given (French), or none: 1 to 30 characters, no control
// character, and no other child of `list` with it regardless of case; `self`, when given, is
// the index of the child being renamed.
std::optional<QString> firstNameProblem(const QString &firstName, const ClassList &list,
                                        std::optional<qsizetype> self = std::nullopt);

// Whether two first names are the same child's (case ignored).
bool sameFirstName(const QString &a, const QString &b);

// A picture name that stays in the pictures folder: no folder part, not "." or "..".
bool isBarePictureName(const QString &name);

// The index of the child with this first name, regardless of case.
std::optional<qsizetype> findPupil(const ClassList &list, const QString &firstName);

// The children in the order of their first names, as "Qui joue ?" shows them.
QList<Pupil> sortedByFirstName(const QList<Pupil> &pupils);

// The list with the default header and no child.
ClassList emptyClassList();

// Throws Error naming the file for a header without "prénom".
ClassListReading parseClassList(QStringView text);
QByteArray formatClassList(const ClassList &list);

// The store's class list; no file reads as an empty list. Throws Error for a file that is not
// a class list (not text, too large, no "prénom" column).
ClassListReading readClassList(const PuzzleStore &store);
// Writes the list atomically; throws Error.
void saveClassList(PuzzleStore &store, const ClassList &list);

} // namespace tivane
