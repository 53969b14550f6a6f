#pragma once
// The one failure type: every user action catches it at its handler and shows its message,
// which is French and names the file in question.

#include <QFileDevice>
#include <QString>
#include <stdexcept>

namespace tivane {

class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

// The puzzle store is being written by another program at this moment: trying again shortly
// is expected to work, unlike any other failure.
class StoreBusy : public Error
{
public:
    using Error::Error;
};

// « name », the way messages quote a file name.
QString quoted(const QString &fileName);

// "Impossible de lire le fichier « name » : reason"
Error cannotRead(const QString &fileName, const QString &reason);
// "Impossible d'enregistrer le fichier « name » : reason"
Error cannotWrite(const QString &fileName, const QString &reason);
// "Impossible de supprimer le fichier « name » : reason"
Error cannotDelete(const QString &fileName, const QString &reason);

// A French sentence for what went wrong with a file (Qt's own texts come from the system).
QString fileErrorText(QFileDevice::FileError error);
QString fileErrorText(const QFileDevice &file);

} // namespace tivane
