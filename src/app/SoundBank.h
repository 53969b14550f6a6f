#pragma once
// The four built-in sounds, played from memory. The audio back end (the module tivane_sound and
// Qt Multimedia under it) is loaded at the first sound played, so that it costs the start-up
// nothing and a screen that stays silent never loads it.

#include "core/Sound.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace tivane {

class SoundOutput;

// Length of a PCM WAVE clip in milliseconds, or -1 when the data is not one.
int wavDurationMs(const QByteArray &wav);

class SoundBank : public QObject
{
    Q_OBJECT
public:
    explicit SoundBank(QObject *parent = nullptr);
    ~SoundBank() override;

    // Starts the sound without waiting for its end.
    void play(Sound sound);
    int durationMs(Sound sound) const { return m_durations[static_cast<int>(sound)]; }

private:
    // Where the module is looked for, in order: beside the program as installed, then in the
    // build tree.
    static QStringList moduleCandidates();
    SoundOutput *output();

    std::array<int, 4> m_durations{};
    SoundOutput *m_output = nullptr;
    bool m_loadTried = false;
};

} // namespace tivane
