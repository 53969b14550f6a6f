#pragma once
// Paths of the pictures and sounds compiled into Tivane (target tivane_resources).

#include <QImage>
#include <QImageReader>
#include <QRgb>
#include <QString>

namespace tivane {

namespace BuiltinResources {

// Sounds.
inline constexpr char ClickPickUp[] = ":/sounds/click1.wav";
inline constexpr char ClickPutDown[] = ":/sounds/click2.wav";
inline constexpr char TurnSwish[] = ":/sounds/gira.wav";
inline constexpr char Applause[] = ":/sounds/CLAP.WAV";

// Top-bar glyphs (24 x 24, transparent ground).
inline constexpr char GlyphCreate[] = ":/pictures/creer.png";
inline constexpr char GlyphPlay[] = ":/pictures/jouer.png";
inline constexpr char GlyphInstructions[] = ":/pictures/instructions.png";

// Sound switch glyphs (20 x 20, transparent ground).
inline constexpr char GlyphSoundOn[] = ":/pictures/n1.png";
inline constexpr char GlyphSoundOff[] = ":/pictures/n2.png";

// Badges (22 x 22 on BadgeKey).
inline constexpr char BadgeModel[] = ":/pictures/imodele.png";
inline constexpr char BadgeRotation[] = ":/pictures/irotation.png";
inline constexpr char BadgeClock[] = ":/pictures/imontre.png";

inline constexpr char DemoPicture[] = ":/pictures/ianim.png";       // 360 x 360
inline constexpr char QuestionMark[] = ":/pictures/sp37.png";       // 180 x 180
inline constexpr char Logo[] = ":/pictures/sp38.png";               // 480 x 86 on LogoKey
inline constexpr char NoModelSign[] = ":/pictures/sp39.png";        // 180 x 180 on NoModelSignKey
inline constexpr char AboutBackground[] = ":/pictures/fond_apropos.png"; // 325 x 211

// The authoring forms: step discs 1..5 (33 x 33), the open-folder glyph (32 x 32), both on
// transparency, and the 360 x 360 "PAS D'IMAGE" placeholder.
inline constexpr const char *StepDiscs[5] = {":/pictures/disc1.png", ":/pictures/disc2.png", ":/pictures/disc3.png",
                                             ":/pictures/disc4.png", ":/pictures/disc5.png"};
inline constexpr char FolderGlyph[] = ":/pictures/dossier.png";
inline constexpr char NoPicture[] = ":/pictures/pasdimage.png";

// Transparent colours: pixels of exactly this value are the ground, not the figure.
inline constexpr QRgb BadgeKey = 0xFF00FF00u;       // lime
inline constexpr QRgb LogoKey = 0xFF008000u;        // green
inline constexpr QRgb NoModelSignKey = 0xFF00FF00u; // lime

// A built-in picture. Its format is named, so that no image plug-in is consulted: the first
// picture read by content loads every installed plug-in, which costs the start-up milliseconds.
inline QImage picture(const char *path)
{
    QImageReader reader(QString::fromLatin1(path), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace BuiltinResources

} // namespace tivane
