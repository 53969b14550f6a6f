#include "core/WriteFailure.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tivane {

namespace {

bool fileSystemIsFull(const QByteArray &folder, qint64 bytesNeeded)
{
    struct statvfs info {};
    if (::statvfs(folder.constData(), &info) != 0)
        return false;
    const qint64 free = qint64(info.f_bavail) * qint64(info.f_bsize);
    // A file system keeps a little back: under one block free is full for any write.
    return free < std::max<qint64>(bytesNeeded, qint64(info.f_bsize)) || info.f_favail == 0;
}

} // namespace

bool isReadOnlyFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    struct statvfs info {};
    if (::statvfs(path.constData(), &info) == 0 && (info.f_flag & ST_RDONLY))
        return true;
    return ::access(path.constData(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM);
}

WriteFailure diagnoseWriteFailure(const QString &folder, int systemError, qint64 bytesNeeded)
{
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return WriteFailure::DiskFull;
    case EROFS:
        return WriteFailure::ReadOnly;
    case ETXTBSY:
    case EBUSY:
        return WriteFailure::InUse;
    default:
        break;
    }
    if (isReadOnlyFolder(folder))
        return WriteFailure::ReadOnly;
    if (fileSystemIsFull(QFile::encodeName(folder), bytesNeeded))
        return WriteFailure::DiskFull;
    if (systemError == EACCES || systemError == EPERM)
        return WriteFailure::ReadOnly;
    return WriteFailure::Other;
}

QString writeFailureText(WriteFailure failure)
{
    switch (failure) {
    case WriteFailure::DiskFull:
        return QStringLiteral("le disque est plein.");
    case WriteFailure::ReadOnly:
        return QStringLiteral("le dossier est en lecture seule.");
    case WriteFailure::InUse:
        return QStringLiteral("le fichier est utilisé par un autre programme.");
    case WriteFailure::Other:
        break;
    }
    return QString();
}

} // namespace tivane
