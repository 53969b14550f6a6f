#include "library/StoreWatcher.h"

#include "store/PuzzleStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <algorithm>

namespace tivane {

StoreWatcher::StoreWatcher(const QString &directory, QObject *parent)
    : QObject(parent),
      m_directory(directory),
      m_watcher(new QFileSystemWatcher(this)),
      m_settleTimer(new QTimer(this))
{
    m_settleTimer->setSingleShot(true);
    connect(m_settleTimer, &QTimer::timeout, this, &StoreWatcher::settled);
    m_watcher->addPath(m_directory);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &StoreWatcher::changeNoticed);
}

void StoreWatcher::markSeen()
{
    m_settleTimer->stop();
    m_seen = signature();
}

bool StoreWatcher::changedSinceSeen() const
{
    return signature() != m_seen;
}

void StoreWatcher::changeNoticed()
{
    if (!m_settleTimer->isActive())
        m_burst.start();
    const qint64 left = MaxSettleMs - m_burst.elapsed();
    m_settleTimer->start(int(std::clamp<qint64>(left, 0, SettleMs)));
}

void StoreWatcher::settled()
{
    if (changedSinceSeen())
        emit folderChanged();
}

QByteArray StoreWatcher::signature() const
{
    QByteArray signature;
    const QFileInfoList entries = QDir(m_directory).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName() == PuzzleStore::lockFileName())
            continue;
        signature += QFile::encodeName(entry.fileName()) + '/' + QByteArray::number(entry.size()) + '/'
                     + QByteArray::number(entry.lastModified().toMSecsSinceEpoch()) + '\n';
    }
    return signature;
}

} // namespace tivane
