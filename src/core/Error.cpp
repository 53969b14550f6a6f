#include "core/Error.h"

namespace tivane {

QString quoted(const QString &fileName)
{
    return QStringLiteral("« %1 »").arg(fileName);
}

Error cannotRead(const QString &fileName, const QString &reason)
{
    return Error(QStringLiteral("Impossible de lire le fichier %1 : %2").arg(quoted(fileName), reason));
}

Error cannotWrite(const QString &fileName, const QString &reason)
{
    return Error(QStringLiteral("Impossible d'enregistrer le fichier %1 : %2").arg(quoted(fileName), reason));
}

Error cannotDelete(const QString &fileName, const QString &reason)
{
    return Error(QStringLiteral("Impossible de supprimer le fichier %1 : %2").arg(quoted(fileName), reason));
}

QString fileErrorText(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError:
        return QStringLiteral("aucune erreur.");
    case QFileDevice::ReadError:
        return QStringLiteral("erreur de lecture.");
    case QFileDevice::WriteError:
        return QStringLiteral("erreur d'écriture (le disque est peut-être plein).");
    case QFileDevice::FatalError:
        return QStringLiteral("erreur grave du système de fichiers.");
    case QFileDevice::ResourceError:
        return QStringLiteral("ressources insuffisantes (le disque est peut-être plein).");
    case QFileDevice::OpenError:
        return QStringLiteral("le fichier ne peut pas être ouvert.");
    case QFileDevice::AbortError:
        return QStringLiteral("l'opération a été interrompue.");
    case QFileDevice::TimeOutError:
        return QStringLiteral("le délai d'attente est dépassé.");
    case QFileDevice::UnspecifiedError:
        return QStringLiteral("erreur inconnue.");
    case QFileDevice::RemoveError:
        return QStringLiteral("le fichier ne peut pas être supprimé.");
    case QFileDevice::RenameError:
        return QStringLiteral("le fichier ne peut pas être renommé.");
    case QFileDevice::PositionError:
        return QStringLiteral("erreur de position dans le fichier.");
    case QFileDevice::ResizeError:
        return QStringLiteral("le fichier ne peut pas être redimensionné.");
    case QFileDevice::PermissionsError:
        return QStringLiteral("accès refusé.");
    case QFileDevice::CopyError:
        return QStringLiteral("le fichier ne peut pas être copié.");
    }
    return QStringLiteral("erreur inconnue.");
}

QString fileErrorText(const QFileDevice &file)
{
    return fileErrorText(file.error());
}

} // namespace tivane
