// tivane_starter STORE: gives a store that holds no puzzle the starter puzzles.
// A store that already holds puzzles is left as it is.
#include "PictureRoutines.h"
#include "PuzzleStore.h"
#include "StarterScenes.h"
#include "TivaneError.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Usage : tivane_starter DOSSIER\n");
        return 2;
    }
    try {
        const QFileInfo dir(args.at(1));
        if (!dir.isDir())
            throw TivaneError(QStringLiteral("Le dossier \"%1\" n'existe pas.").arg(args.at(1)));
        PuzzleStore store(dir.filePath());
        if (!store.enumerate().isEmpty())
            return 0;
        for (const StarterPuzzle &starter : starterPuzzles()) {
            const QImage picture = starter.draw();
            QImage thumbnail = picture;
            ResampleBitmap(thumbnail, 100, 100);
            store.saveNewPuzzle(starter.description, picture, thumbnail);
        }
    } catch (const TivaneError &e) {
        std::fprintf(stderr, "tivane_starter : %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
