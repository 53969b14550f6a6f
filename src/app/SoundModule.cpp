// The module tivane_sound: plays clips held in memory through QAudioSink, on the GUI thread.
// QSoundEffect is not used: its sample cache decodes on a thread of its own through a network
// access manager, and that thread can keep the program from ending when it quits during a load.
#include "app/SoundOutput.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QHash>
#include <QMediaDevices>

namespace {

QAudioFormat audioFormat(const tivane::WavClip &clip)
{
    QAudioFormat format;
    format.setSampleRate(clip.sampleRate);
    format.setChannelCount(clip.channelCount);
    switch (clip.bitsPerSample) {
    case 8: format.setSampleFormat(QAudioFormat::UInt8); break;
    case 16: format.setSampleFormat(QAudioFormat::Int16); break;
    default: format.setSampleFormat(clip.isFloat ? QAudioFormat::Float : QAudioFormat::Int32); break;
    }
    return format;
}

// One clip: its samples and the sink that plays them, pulled from the buffer.
class ClipPlayer : public QBuffer
{
public:
    ClipPlayer(const tivane::WavClip &clip, QObject *parent)
        : QBuffer(parent), m_sink(QMediaDevices::defaultAudioOutput(), audioFormat(clip))
    {
        setObjectName(clip.name);
        setData(clip.samples);
        open(QIODevice::ReadOnly);
    }

    void restart()
    {
        m_sink.stop();
        seek(0);
        m_sink.start(this);
    }

private:
    QAudioSink m_sink;
};

class SinkOutput : public tivane::SoundOutput
{
public:
    using SoundOutput::SoundOutput;

    void play(const tivane::WavClip &clip) override
    {
        if (!clip.isValid() || clip.samples.isEmpty())
            return;
        ClipPlayer *&player = m_players[clip.name];
        if (!player)
            player = new ClipPlayer(clip, this);
        player->restart();
    }

private:
    QHash<QString, ClipPlayer *> m_players;
};

} // namespace

extern "C" Q_DECL_EXPORT tivane::SoundOutput *tivane_make_sound_output(QObject *parent)
{
    return new SinkOutput(parent);
}
