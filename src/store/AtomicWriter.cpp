#include "store/AtomicWriter.h"

#include "core/Error.h"
#include "store/FileReading.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace tivane {

namespace {

QString bareName(const QString &path) { return QFileInfo(path).fileName(); }
QString temporaryPath(const QString &path) { return path + QStringLiteral(".tmp"); }

} // namespace

void AtomicWriter::write(const QString &path, const QByteArray &bytes, const QString &name) const
{
    if (faultAt(bareName(path)))
        throw cannotWrite(name, fileErrorText(QFileDevice::WriteError));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotWrite(name, fileErrorText(file));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw cannotWrite(name, fileErrorText(file));
}

void AtomicWriter::renameOver(const QString &from, const QString &to, const QString &name) const
{
    if (faultAt(name))
        throw cannotWrite(name, fileErrorText(QFileDevice::RenameError));
    // In one step over an existing file, as QFile::rename does not.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    if (error)
        throw cannotWrite(name, fileErrorText(QFileDevice::RenameError));
}

void AtomicWriter::replaceAll(const QList<File> &files) const
{
    // The old files, kept to be put back if a later rename fails; none for a file not there.
    std::vector<std::optional<QByteArray>> oldContents;
    for (const File &file : files)
        oldContents.push_back(QFileInfo(file.path).isFile()
                                  ? std::optional(readRegularFile(file.path, NoSizeCap, {}, file.name))
                                  : std::nullopt);

    qsizetype written = 0;
    qsizetype renamed = 0;
    try {
        for (; written < files.size(); ++written)
            write(temporaryPath(files[written].path), files[written].bytes, files[written].name);
        for (; renamed < files.size(); ++renamed)
            renameOver(temporaryPath(files[renamed].path), files[renamed].path, files[renamed].name);
    } catch (...) {
        for (qsizetype i = renamed; i < written; ++i)
            QFile::remove(temporaryPath(files[i].path));
        // Best effort: the failure reported is the one that stopped the save, not a later one.
        for (qsizetype i = 0; i < renamed; ++i) {
            const std::optional<QByteArray> &old = oldContents[size_t(i)];
            if (!old) {
                QFile::remove(files[i].path);
                continue;
            }
            try {
                write(files[i].path, *old, files[i].name);
            } catch (const Error &) {
            }
        }
        throw;
    }
}

void AtomicWriter::remove(const QString &path, const QString &name) const
{
    if (faultAt(bareName(path)))
        throw cannotDelete(name, fileErrorText(QFileDevice::RemoveError));
    QFile file(path);
    if (!file.remove())
        throw cannotDelete(name, fileErrorText(file));
}

} // namespace tivane
