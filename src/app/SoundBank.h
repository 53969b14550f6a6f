#pragma once
// The four built-in sounds, played from memory. The audio back end (the module tivane_sound and
// Qt Multimedia under it) is loaded at the first sound played, so that it costs the start-up
// nothing and a screen that stays silent never loads it.

#include "app/WavClip.h"
#include "core/Sound.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace tivane {

class SoundOutput;

class SoundBank : public QObject
{
    Q_OBJECT
public:
    explicit SoundBank(QObject *parent = nullptr);
    ~SoundBank() override;

    // Starts the sound without waiting for its end.
    void play(Sound sound);
    int durationMs(Sound sound) const { return m_clips[static_cast<int>(sound)].durationMs(); }

private:
    // Where the module is looked for, in order: beside the program as installed, then in the
    // build tree.
    static QStringList moduleCandidates();
    SoundOutput *output();

    std::array<WavClip, 4> m_clips;
    SoundOutput *m_output = nullptr;
    bool m_loadTried = false;
};

} // namespace tivane
