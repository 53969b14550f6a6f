#include "app/StoreFolder.h"

#include "core/Error.h"
#include "store/PuzzleStore.h"
#include "store/StarterPuzzles.h"

#include <QDir>
#include <QFileInfo>

namespace tivane {

namespace {

[[noreturn]] void refuse(const QString &path, const QString &reason)
{
    throw Error(QStringLiteral("Le dossier des puzzles %1 %2").arg(quoted(QDir::toNativeSeparators(path)), reason));
}

} // namespace

QString storeFolderFor(const QString &argument, const QString &home)
{
    const QString chosen = argument.isEmpty() ? QDir(home).filePath(QStringLiteral("Tivane")) : argument;
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
    if (!QFileInfo(path).isWritable())
        refuse(path, QStringLiteral("est en lecture seule : les puzzles ne pourraient pas y être enregistrés."));

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
