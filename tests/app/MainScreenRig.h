#pragma once
// A 1024 x 768 main screen with every form it shows, its store the working directory,
// its board flips not waiting for the display.

#include "BoardSurface.h"
#include "PuzzleStore.h"
#include "TDepart.h"
#include "TFaide.h"
#include "TFap.h"
#include "TFbravo.h"
#include "TFliste.h"
#include "TFperdu.h"

#include <QTest>

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

    TDepart Depart{QRect(0, 0, 1024, 768)};
    TFliste Fliste;
    TFbravo Fbravo;
    TFperdu Fperdu;
    TFaide Faide;
    TFap Fap;
};
