#include "app/CommandLine.h"

#include <QFile>

namespace tivane {

namespace {

QString helpText()
{
    return QStringLiteral(
        "Utilisation : tivane [DOSSIER]\n"
        "\n"
        "Tivane transforme des images en puzzles pour l'école maternelle et primaire.\n"
        "\n"
        "Arguments :\n"
        "  DOSSIER        le dossier des puzzles (par défaut : Tivane dans le dossier personnel) ;\n"
        "                 il est créé s'il n'existe pas, et un dossier neuf reçoit les puzzles\n"
        "                 de départ.\n"
        "\n"
        "Options :\n"
        "  -h, --help     affiche cette aide ;\n"
        "  -v, --version  affiche la version de Tivane.\n");
}

} // namespace

CommandLine parseCommandLine(const QByteArrayList &arguments, const QString &version)
{
    CommandLine result;
    QByteArrayList folders;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments.at(i);
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
            result.exitCode = 0;
            result.output = helpText();
            return result;
        } else if (!optionsEnded && (argument == "-v" || argument == "--version")) {
            result.exitCode = 0;
            result.output = QStringLiteral("Tivane %1\n").arg(version);
            return result;
        } else if (!optionsEnded && argument.startsWith('-') && argument.size() > 1) {
            result.exitCode = 2;
            result.output = QStringLiteral("tivane : option inconnue « %1 ».\n"
                                           "Essayez « tivane --help » pour plus d'informations.\n")
                                .arg(QFile::decodeName(argument));
            return result;
        } else {
            folders << argument;
        }
    }
    if (folders.size() > 1) {
        result.exitCode = 2;
        result.output = QStringLiteral("tivane : un seul dossier des puzzles peut être donné.\n"
                                       "Essayez « tivane --help » pour plus d'informations.\n");
        return result;
    }
    if (!folders.isEmpty())
        result.storeFolder = folders.constFirst();
    return result;
}

} // namespace tivane
