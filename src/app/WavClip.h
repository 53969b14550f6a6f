#pragma once
// A PCM WAVE clip read into memory: its sample format and its samples, ready for an audio sink.
// Header-only data, shared with the sound module, which links no tivane library.

#include <QByteArray>
#include <QString>

namespace tivane {

struct WavClip
{
    QString name;          // the file name, given to the clip's player as its objectName
    int sampleRate = 0;
    int channelCount = 0;
    int bitsPerSample = 0; // 8 (unsigned), 16 or 32 (signed), or 32 with isFloat
    bool isFloat = false;
    QByteArray samples;    // whole frames only

    bool isValid() const { return sampleRate > 0 && channelCount > 0 && bitsPerSample > 0; }
    int bytesPerFrame() const { return channelCount * bitsPerSample / 8; }
    // Length in milliseconds, or -1 for a clip that is not valid.
    int durationMs() const
    {
        return isValid() ? static_cast<int>(qint64(samples.size()) * 1000 / (qint64(sampleRate) * bytesPerFrame())) : -1;
    }
};

// Reads a RIFF WAVE file holding integer PCM (8, 16 or 32 bits) or 32-bit float samples, at most
// eight channels. Anything else, or a file cut before its format, gives an invalid clip; a data
// chunk cut short keeps the whole frames that are there.
WavClip readWavClip(const QByteArray &wav, const QString &name = QString());

} // namespace tivane
