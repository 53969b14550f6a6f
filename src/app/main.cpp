#include "TDepart.h"
#include "TFliste.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenolde"));

    TDepart Depart;
    TFliste Fliste(PuzzleStore(), [&Depart] { Depart.setThumbnailsReady(); }, &Depart);
    Depart.setChooser(&Fliste);
    Depart.show();
    return app.exec();
}
