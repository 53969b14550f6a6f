#pragma once
// Notices the changes other programs make in the store folder. A burst of changes, as a save
// makes, gives one folderChanged() once the folder has been quiet for SettleMs, and never more
// than MaxSettleMs after the burst's first change; and only when the folder differs from what was
// last marked seen, so the program's own saves, already scanned, give none. A network folder
// tells no watcher: changedSinceSeen() compares it on demand.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace tivane {

class StoreWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int SettleMs = 150;
    static constexpr int MaxSettleMs = 500;

    explicit StoreWatcher(const QString &directory, QObject *parent = nullptr);

    // Takes the folder as it is now as seen, and forgets a burst in progress: called as a scan
    // begins, so a change made while the files are read is told again.
    void markSeen();
    // Whether the folder differs from what was last marked seen.
    bool changedSinceSeen() const;

signals:
    void folderChanged();

private:
    void changeNoticed();
    void settled();
    // Every entry but the lock file, with its size and time: the lock is present only while some
    // program saves, and the save's own files tell the change.
    QByteArray signature() const;

    QString m_directory;
    QFileSystemWatcher *m_watcher;
    QTimer *m_settleTimer;
    QElapsedTimer m_burst;
    QByteArray m_seen;
};

} // namespace tivane
