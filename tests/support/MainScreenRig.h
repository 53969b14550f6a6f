#pragma once
// A 1024 x 768 main screen with every form it shows, its store the working directory,
// its board flips not waiting for the display.

#include "play/BoardSurface.h"
#include "store/PuzzleStore.h"
#include "app/MainScreen.h"
#include "app/dialogs/InstructionsDialog.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/WinDialog.h"
#include "library/PuzzleChooser.h"
#include "app/dialogs/TimeOutDialog.h"

#include <QTest>

namespace tivane {

class MainScreenRig
{
public:
    MainScreenRig()
        : Fliste(PuzzleStore(), [this] { Depart.setThumbnailsReady(); })
    {
        Depart.board()->setFlipPacing(false);
        MainScreenForms forms;
        forms.Fliste = &Fliste;
        forms.Fbravo = &Fbravo;
        forms.Fperdu = &Fperdu;
        forms.Faide = &Faide;
        forms.Fap = &Fap;
        Depart.setForms(forms);
    }

    // Shows the screen and waits for the first paint's welcome animation.
    bool show()
    {
        Depart.show();
        return QTest::qWaitForWindowExposed(&Depart)
               && QTest::qWaitFor([this] { return Depart.board()->flipCount() >= 64; });
    }

    MainScreen Depart{QRect(0, 0, 1024, 768)};
    PuzzleChooser Fliste;
    WinDialog Fbravo;
    TimeOutDialog Fperdu;
    InstructionsDialog Faide;
    AboutBox Fap;
};

} // namespace tivane
