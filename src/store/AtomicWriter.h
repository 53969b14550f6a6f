#pragma once
// The one way files are written: each file whole or not at all (a temporary file "<name>.tmp"
// beside it, every byte checked and flushed to the disk, then renamed over it), a group of files
// all together or not at all, and every failure thrown as Error with a French message naming the
// file and the real cause (a full disk, a read-only folder). The writer also holds the test seam
// that makes any one step fail as a full disk or a refusal would.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace tivane {

class AtomicWriter
{
public:
    // Called with the bare name of each file before it is written, renamed into place or
    // removed; returning true makes that step fail.
    using FaultHook = std::function<bool(const QString &bareName)>;
    void setFaultHook(FaultHook hook) { m_faultHook = std::move(hook); }
    // Whether the seam fails the step on bareName.
    bool faultAt(const QString &bareName) const { return m_faultHook && m_faultHook(bareName); }

    // Writes bytes to path, replacing the file there only once all of them are written.
    // Messages name the file `name`.
    void write(const QString &path, const QByteArray &bytes, const QString &name) const;

    struct File
    {
        QString path;
        QByteArray bytes;
        QString name;  // as messages name it
    };
    // Replaces every file or none: all are written to "<path>.tmp" first, each file already
    // there is kept as "<path>.old" (a second link to it, which needs no room on the disk), then
    // the temporary files are renamed over their targets in order. A failure puts the kept files
    // back, removes the new ones and the temporary files, so the targets stay byte for byte as
    // they were.
    void replaceAll(const QList<File> &files) const;

    // Removes the file at path; messages name it `name`.
    void remove(const QString &path, const QString &name) const;

private:
    // A new file at path, every byte written and on the disk, or no file and Error. The seam is
    // asked about seamName.
    void writeNewFile(const QString &path, const QByteArray &bytes, const QString &name,
                      const QString &seamName) const;
    void renameOver(const QString &from, const QString &to, const QString &name) const;

    FaultHook m_faultHook;
};

} // namespace tivane
