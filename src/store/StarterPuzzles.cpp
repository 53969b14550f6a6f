#include "store/StarterPuzzles.h"

#include "core/Error.h"
#include "core/PictureRoutines.h"
#include "store/PuzzleStore.h"

#include <QFile>

namespace tivane {

namespace {

QString resource(int i, const char *suffix)
{
    return QStringLiteral(":/starter/starter%1%2").arg(i).arg(QLatin1String(suffix));
}

} // namespace

int starterPuzzleCount()
{
    int count = 0;
    while (QFile::exists(resource(count, ".tvn")))
        ++count;
    return count;
}

QList<int> addStarterPuzzles(PuzzleStore &store)
{
    QList<int> numbers;
    for (int i = 0; i < starterPuzzleCount(); ++i) {
        QFile text(resource(i, ".tvn"));
        if (!text.open(QIODevice::ReadOnly))
            throw cannotRead(text.fileName(), fileErrorText(text));
        const PuzzleDescription description =
            parseDescription(text.readAll(), DescriptionLines::All, text.fileName());
        QImage picture(resource(i, ".png"));
        if (picture.isNull())
            throw cannotRead(resource(i, ".png"), QStringLiteral("l'image ne peut pas être décodée."));
        picture.convertTo(QImage::Format_RGB888);
        QImage thumbnail = picture;
        resampleBitmap(thumbnail, 100, 100);
        try {
            numbers.append(store.saveNewPuzzle(description, picture, thumbnail));
        } catch (const StoreBusy &) {
            // Another program found the folder empty at the same moment and is filling it.
            break;
        }
    }
    return numbers;
}

} // namespace tivane
