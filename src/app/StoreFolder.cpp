#include "app/StoreFolder.h"

#include "core/Error.h"
#include "store/PuzzleStore.h"
#include "store/StarterPuzzles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tivane {

namespace {

[[noreturn]] void refuse(const QString &path, const QString &reason)
{
    throw Error(QStringLiteral("Le dossier des puzzles %1 %2").arg(quoted(QDir::toNativeSeparators(path)), reason));
}

bool isTextName(const QByteArray &name) { return QFile::encodeName(QFile::decodeName(name)) == name; }

// The folder named by `path`'s bytes, created with its missing parents, kept open for the run.
QString folderByDescriptor(QByteArray path)
{
    if (!path.startsWith('/')) {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd))
            path.prepend(QByteArray(cwd) + '/');
    }
    const QString shown = QFile::decodeName(path);
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path.at(end) != '/')
            continue;
        if (::mkdir(path.left(end).constData(), 0777) != 0 && errno != EEXIST)
            refuse(shown, QStringLiteral("ne peut pas être créé."));
    }
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        refuse(shown, errno == ENOTDIR ? QStringLiteral("n'est pas un dossier.") : QStringLiteral("ne peut pas être lu."));
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

} // namespace

QString storeFolderFor(const QByteArray &argument, const QString &home)
{
    if (!argument.isEmpty() && !isTextName(argument))
        return folderByDescriptor(argument);
    const QString chosen = argument.isEmpty() ? QDir(home).filePath(QStringLiteral("Tivane")) : QFile::decodeName(argument);
    return QDir::cleanPath(QDir(chosen).absolutePath());
}

bool checkStoreFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        refuse(path, QStringLiteral("n'est pas un dossier."));
    if (!info.exists() && !QDir().mkpath(path))
        refuse(path, QStringLiteral("ne peut pas être créé."));
    const QDir dir(path);
    if (!QFileInfo(path).isReadable() || !dir.isReadable())
        refuse(path, QStringLiteral("ne peut pas être lu."));

    return dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool prepareStoreFolder(const QString &path)
{
    if (!checkStoreFolder(path))
        return false;
    PuzzleStore store(path);
    addStarterPuzzles(store);
    return true;
}

} // namespace tivane
