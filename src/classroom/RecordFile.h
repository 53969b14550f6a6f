#pragma once
// Reading the record, carnet.csv, and the teacher's rewrites of it (a new first name, a child
// removed, the record cleared), each atomic and under the store's lock, so that no game appended
// meanwhile by another program is lost. Appending is RecordWriter's.

#include "classroom/RecordFormat.h"

#include <QList>
#include <QString>

namespace tivane {

class PuzzleStore;

struct RecordReading
{
    QList<RecordEntry> entries;  // in file order, oldest first
    QList<int> skippedLines;     // lines that do not read; a last line cut short is not one
    // One French message naming the skipped lines, empty when every line read.
    QString problems() const;
};

// Throws Error for a header that is not the record's.
RecordReading parseRecord(QStringView text);
// The store's record; no file reads as an empty record. Throws Error for a file that is not a
// record (not text, too large, a foreign header).
RecordReading readRecord(const PuzzleStore &store);

// The bytes of a record holding the entries at `shown`, in that order: what "Exporter…" writes.
QByteArray exportRecord(const QList<RecordEntry> &entries, const QList<qsizetype> &shown);

// The past lines of `from` (case ignored) are given to `to`.
void renameInRecord(PuzzleStore &store, const QString &from, const QString &to);
// The lines of one child go.
void removeFromRecord(PuzzleStore &store, const QString &child);
// Only the header stays.
void clearRecord(PuzzleStore &store);

} // namespace tivane
