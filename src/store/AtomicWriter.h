#pragma once
// The one way files are written: each file whole or not at all (a temporary file beside it,
// renamed over it once complete), a group of files all together or not at all, and every failure
// thrown as Error with a French message naming the file. The writer also holds the test seam
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
    // Replaces every file or none: all are written to "<path>.tmp" first, then renamed over
    // their targets in order. A failure removes the temporary files and puts back the files
    // already replaced (or removes those that were new), so the targets stay as they were.
    void replaceAll(const QList<File> &files) const;

    // Removes the file at path; messages name it `name`.
    void remove(const QString &path, const QString &name) const;

private:
    void renameOver(const QString &from, const QString &to, const QString &name) const;

    FaultHook m_faultHook;
};

} // namespace tivane
