// tivane_starter_writer DIR: draws the starter puzzles and writes, for each puzzle i in order,
// starter<i>.tvn (its description, as a store holds it) and starter<i>.png (its 360 x 360
// picture) into DIR. The output is the same on every run.
#include "StarterScenes.h"
#include "store/PuzzleDescription.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

using namespace tivane;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "tivane_starter_writer : impossible d'écrire %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Usage : tivane_starter_writer DOSSIER\n");
        return 2;
    }
    const QDir dir(args.at(1));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "tivane_starter_writer : impossible de créer %s\n", qPrintable(dir.path()));
        return 1;
    }
    const QList<StarterPuzzle> starters = starterPuzzles();
    for (int i = 0; i < starters.size(); ++i) {
        const QString base = dir.filePath(QStringLiteral("starter%1").arg(i));
        QByteArray png;
        {
            QSaveFile file(base + QStringLiteral(".png"));
            if (!file.open(QIODevice::WriteOnly) || !starters[i].draw().save(&file, "PNG") || !file.commit()) {
                std::fprintf(stderr, "tivane_starter_writer : impossible d'écrire %s.png\n", qPrintable(base));
                return 1;
            }
        }
        if (!writeFile(base + QStringLiteral(".tvn"),
                       formatDescription(starters[i].description, DescriptionLines::All)))
            return 1;
    }
    return 0;
}
