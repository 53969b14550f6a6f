#include "IdleDemo.h"
#include "PuzzleStore.h"
#include "TDepart.h"
#include "TFaide.h"
#include "TFap.h"
#include "TFbravo.h"
#include "TFliste.h"
#include "TFperdu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenolde"));

    // The main screen first; the chooser's list is built as it is created.
    TDepart Depart;
    TFliste Fliste(PuzzleStore(), [&Depart] { Depart.setThumbnailsReady(); }, &Depart);
    TFbravo Fbravo(&Depart);
    TFap Fap(&Depart);
    TFperdu Fperdu(&Depart);
    TFaide Faide(&Depart);

    MainScreenForms forms;
    forms.Fliste = &Fliste;
    forms.Fbravo = &Fbravo;
    forms.Fperdu = &Fperdu;
    forms.Faide = &Faide;
    forms.Fap = &Fap;
    Depart.setForms(forms);
    // The chooser's list is built: it gives the first demonstration its picture.
    Depart.demo()->DemoSetup();

    Depart.show();
    return app.exec();
}
