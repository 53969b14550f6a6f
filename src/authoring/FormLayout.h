#pragma once
// Where every control of an authoring form sits, in pixels on Panel1. The two forms share most
// places; each variant names the places it moves and its model options.

#include <QList>
#include <QRect>
#include <QSize>

#include <array>

namespace tivane {

struct FormLayout
{
    QSize client;
    QRect title{8, 8, 257, 25};                             // Label1
    std::array<QRect, 5> stepDiscs{QRect(16, 48, 33, 33), QRect(16, 88, 33, 33), QRect(16, 136, 33, 33),
                                   QRect(16, 208, 33, 33), QRect(16, 278, 33, 33)};  // Image1..Image5
    QRect pictureLabel{56, 56, 113, 25};                    // Label3
    QRect pictureButton{168, 44, 41, 41};                   // SpeedButton5
    QRect nameLabel{56, 96, 41, 25};                        // Label5
    QRect nameBox{96, 96, 169, 21};                         // Edit1
    QRect gridLabel{56, 144, 137, 25};                      // Label6
    QRect pieceCountShape{192, 128, 49, 49};                // Shape1
    QRect pieceCount{192, 136, 49, 33};                     // Label2
    QRect rows{240, 128, 25, 49};                           // UV
    QRect cols{192, 176, 49, 25};                           // UH
    QRect toneLabel{56, 216, 81, 25};                       // Label4
    QRect toneStrength{134, 208, 137, 33};                  // TTval
    std::array<QRect, 3> toneButtons{QRect(24, 242, 48, 17), QRect(72, 242, 56, 17),
                                     QRect(128, 242, 72, 17)};  // R1, R2, R3
    QRect contours{200, 242, 65, 25};                       // contours
    QRect optionsLabel;                                     // Label7
    QList<QRect> modelOptions;                              // the form's own model controls
    QRect rotation;                                         // Brotation
    QRect timeLabel;                                        // Label8
    QRect timeHint;                                         // Label9
    QRect timeBox;                                          // temps
    QRect timeUpDown;                                       // UD
    QRect bevel{272, 16, 362, 362};                         // Bevel1
    QRect preview{273, 17, 360, 360};                       // im
    QRect saveButton;                                       // SpeedButton2
    QRect quitButton;                                       // SpeedButton1
};

} // namespace tivane
