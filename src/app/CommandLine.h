#pragma once
// The command line: tivane [DOSSIER], --help and --version, in French.

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

namespace tivane {

struct CommandLine
{
    QByteArray storeFolder;  // as the system gave it (not always valid text); empty: the default store
    int exitCode = -1;     // >= 0: print `output` and end with this code
    QString output;
};

// `arguments` as main() received them, the program's name first. Needs no application object, so
// --help and --version answer without a window system.
CommandLine parseCommandLine(const QByteArrayList &arguments, const QString &version);

} // namespace tivane
