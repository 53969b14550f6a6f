#pragma once
// The four built-in sounds, played from memory.

#include "core/Sound.h"

#include <QByteArray>
#include <QObject>
#include <array>

class QSoundEffect;

namespace tivane {

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
    // Made at the first play, so that a screen that stays silent opens no audio device.
    QSoundEffect *effect(Sound sound);

    std::array<QSoundEffect *, 4> m_effects{};
    std::array<int, 4> m_durations{};
};

} // namespace tivane
