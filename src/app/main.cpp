#include "play/IdleDemo.h"
#include "store/PuzzleStore.h"
#include "app/MainScreen.h"
#include "app/dialogs/InstructionsDialog.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/WinDialog.h"
#include "library/PuzzleChooser.h"
#include "app/dialogs/TimeOutDialog.h"

#include <QApplication>

using namespace tivane;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenolde"));

    // The main screen first; the chooser's list is built as it is created.
    MainScreen Depart;
    PuzzleChooser Fliste(PuzzleStore(), [&Depart] { Depart.setThumbnailsReady(); }, &Depart);
    WinDialog Fbravo(&Depart);
    AboutBox Fap(&Depart);
    TimeOutDialog Fperdu(&Depart);
    InstructionsDialog Faide(&Depart);

    MainScreenForms forms;
    forms.Fliste = &Fliste;
    forms.Fbravo = &Fbravo;
    forms.Fperdu = &Fperdu;
    forms.Faide = &Faide;
    forms.Fap = &Fap;
    Depart.setForms(forms);
    // The chooser's list is built: it gives the first demonstration its picture.
    Depart.demo()->setUpNewDemo();

    Depart.show();
    return app.exec();
}
