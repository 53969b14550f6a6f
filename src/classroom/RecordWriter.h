#pragma once
// Appends the games to the record, carnet.csv, without ever reading it (but for its header and
// its last byte): under the store's lock, every waiting line in one write, a line of its own
// after a last line cut short. A game that cannot be written (a full disk, a read-only store,
// a store locked by another program) is kept here, written with the next one, and reported.

#include "classroom/RecordFormat.h"

#include <QList>
#include <QString>

namespace tivane {

class PuzzleStore;

class RecordWriter
{
public:
    explicit RecordWriter(PuzzleStore &store) : m_store(store) {}

    // Writes the entry after any kept ones; false when they are all kept for later.
    bool append(const RecordEntry &entry);
    // Tries again to write the kept entries.
    bool flush();

    // What could not be written yet, oldest first, and why (French, empty once written).
    const QList<RecordEntry> &unwritten() const { return m_unwritten; }
    const QString &failure() const { return m_failure; }

private:
    PuzzleStore &m_store;
    QList<RecordEntry> m_unwritten;
    QString m_failure;
};

} // namespace tivane
