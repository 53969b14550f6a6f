#pragma once
// The command line: tivane [DOSSIER], --help and --version, in French.

#include <QString>
#include <QStringList>

namespace tivane {

struct CommandLine
{
    QString storeFolder;   // empty: the default store
    int exitCode = -1;     // >= 0: print `output` and end with this code
    QString output;
};

CommandLine parseCommandLine(const QStringList &arguments);

} // namespace tivane
