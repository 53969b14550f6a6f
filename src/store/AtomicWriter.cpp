#include "store/AtomicWriter.h"

#include "core/Error.h"
#include "core/WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tivane {

namespace {

QString bareName(const QString &path) { return QFileInfo(path).fileName(); }
QString folderOf(const QString &path) { return QFileInfo(path).absolutePath(); }
QString temporaryPath(const QString &path) { return path + QStringLiteral(".tmp"); }
// The file a group replaces, kept under this name until the group is in place.
QString previousPath(const QString &path) { return path + QStringLiteral(".old"); }

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

// The sentence's end for a failure the system reported with `error`.
QString causeOf(const QString &path, int error, qint64 bytesNeeded, QFileDevice::FileError fallback)
{
    const QString cause = writeFailureText(diagnoseWriteFailure(folderOf(path), error, bytesNeeded));
    return cause.isEmpty() ? fileErrorText(fallback) : cause;
}

// Writes every byte to `fd` and puts it on the disk; on failure, errno says why and
// *unwritten how much was left.
bool writeAllAndSync(int fd, const QByteArray &bytes, qint64 *unwritten)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            *unwritten = left;
            return false;
        }
        data += n;
        left -= n;
    }
    *unwritten = 0;
    return ::fsync(fd) == 0;
}

// The renames of a group reach the disk with the folder's entry.
void syncFolder(const QString &folder)
{
    const int fd = ::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void AtomicWriter::writeNewFile(const QString &path, const QByteArray &bytes, const QString &name,
                                const QString &seamName) const
{
    if (faultAt(seamName))
        throw cannotWrite(name, fileErrorText(QFileDevice::WriteError));
    const QByteArray native = nativePath(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw cannotWrite(name, causeOf(path, errno, bytes.size(), QFileDevice::OpenError));
    qint64 unwritten = 0;
    const bool written = writeAllAndSync(fd, bytes, &unwritten);
    int error = errno;
    const bool closed = ::close(fd) == 0;
    if (written && !closed)
        error = errno;
    if (written && closed)
        return;
    ::unlink(native.constData());
    throw cannotWrite(name, causeOf(path, error, unwritten, QFileDevice::WriteError));
}

void AtomicWriter::renameOver(const QString &from, const QString &to, const QString &name) const
{
    if (faultAt(name))
        throw cannotWrite(name, fileErrorText(QFileDevice::WriteError));
    // In one step over an existing file, as QFile::rename does not.
    if (std::rename(nativePath(from).constData(), nativePath(to).constData()) != 0)
        throw cannotWrite(name, causeOf(to, errno, 0, QFileDevice::RenameError));
}

void AtomicWriter::write(const QString &path, const QByteArray &bytes, const QString &name) const
{
    // One step for the seam: the file's own name.
    const QString temporary = temporaryPath(path);
    writeNewFile(temporary, bytes, name, bareName(path));
    if (std::rename(nativePath(temporary).constData(), nativePath(path).constData()) == 0)
        return;
    const int error = errno;
    ::unlink(nativePath(temporary).constData());
    throw cannotWrite(name, causeOf(path, error, 0, QFileDevice::RenameError));
}

void AtomicWriter::replaceAll(const QList<File> &files) const
{
    // Each file already there is kept under a second name (a link: no data is copied, so a full
    // disk cannot stop it being put back) until the whole group is in place.
    std::vector<bool> kept(size_t(files.size()), false);
    qsizetype written = 0;
    qsizetype renamed = 0;
    const auto undo = [&] {
        for (qsizetype i = 0; i < renamed; ++i) {
            const QByteArray target = nativePath(files[i].path);
            if (kept[size_t(i)])
                std::rename(nativePath(previousPath(files[i].path)).constData(), target.constData());
            else
                ::unlink(target.constData());
            kept[size_t(i)] = false;
        }
        for (qsizetype i = renamed; i < written; ++i)
            ::unlink(nativePath(temporaryPath(files[i].path)).constData());
        for (qsizetype i = 0; i < files.size(); ++i)
            if (kept[size_t(i)])
                ::unlink(nativePath(previousPath(files[i].path)).constData());
    };
    try {
        for (; written < files.size(); ++written)
            writeNewFile(temporaryPath(files[written].path), files[written].bytes, files[written].name,
                         bareName(temporaryPath(files[written].path)));
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QByteArray target = nativePath(files[i].path);
            const QByteArray previous = nativePath(previousPath(files[i].path));
            ::unlink(previous.constData());
            if (::link(target.constData(), previous.constData()) == 0)
                kept[size_t(i)] = true;
            else if (errno != ENOENT)
                throw cannotWrite(files[i].name, causeOf(files[i].path, errno, 0, QFileDevice::CopyError));
        }
        for (; renamed < files.size(); ++renamed)
            renameOver(temporaryPath(files[renamed].path), files[renamed].path, files[renamed].name);
    } catch (...) {
        undo();
        throw;
    }
    for (qsizetype i = 0; i < files.size(); ++i)
        if (kept[size_t(i)])
            ::unlink(nativePath(previousPath(files[i].path)).constData());
    if (!files.isEmpty())
        syncFolder(folderOf(files.constFirst().path));
}

void AtomicWriter::remove(const QString &path, const QString &name) const
{
    if (faultAt(bareName(path)))
        throw cannotDelete(name, fileErrorText(QFileDevice::RemoveError));
    if (::unlink(nativePath(path).constData()) != 0 && errno != ENOENT)
        throw cannotDelete(name, causeOf(path, errno, 0, QFileDevice::RemoveError));
}

} // namespace tivane
