#include "store/FileReading.h"

#include "core/Error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tivane {

void openRegularFile(QFile &file, const QString &name)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        throw cannotRead(name, QStringLiteral("le fichier n'existe pas."));
    if (!info.isFile())
        throw cannotRead(name, QStringLiteral("ce n'est pas un fichier."));
    if (!file.open(QIODevice::ReadOnly))
        throw cannotRead(name, fileErrorText(file));
}

QByteArray readRegularFile(const QString &path, qint64 maxBytes, const QString &tooLarge, const QString &name)
{
    const QString shownName = name.isEmpty() ? QFileInfo(path).fileName() : name;
    QFile file(path);
    openRegularFile(file, shownName);
    if (file.size() > maxBytes)
        throw cannotRead(shownName, tooLarge);
    // Read to its end, should it have grown, but never more than one byte past the cap.
    QByteArray bytes = file.read(std::min(file.size(), maxBytes) + 1);
    while (file.error() == QFileDevice::NoError && bytes.size() <= maxBytes && !file.atEnd())
        bytes += file.read(std::min<qint64>(maxBytes + 1 - bytes.size(), 1024 * 1024));
    if (file.error() != QFileDevice::NoError)
        throw cannotRead(shownName, fileErrorText(file));
    if (bytes.size() > maxBytes)
        throw cannotRead(shownName, tooLarge);
    return bytes;
}

} // namespace tivane
