#pragma once
// The sound output that the module tivane_sound provides: Qt Multimedia and the audio libraries
// under it are loaded with that module, at the first sound, not at start-up.

#include "app/WavClip.h"

#include <QObject>

namespace tivane {

class SoundOutput : public QObject
{
public:
    using QObject::QObject;
    // Starts the clip from its beginning, without waiting for its end. Each clip gets its own
    // player, a child of the output named after the clip, made at its first play.
    virtual void play(const WavClip &clip) = 0;
};

// The module's one entry point: a new output owned by `parent`.
using MakeSoundOutput = SoundOutput *(*)(QObject *parent);
inline constexpr char MakeSoundOutputSymbol[] = "tivane_make_sound_output";

} // namespace tivane
