#include "app/WavClip.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <optional>

namespace tivane {

namespace {
constexpr quint16 PcmTag = 1;
constexpr quint16 FloatTag = 3;
constexpr quint16 ExtensibleTag = 0xFFFE;

struct Format
{
    quint16 tag = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 bits = 0;
};

// The format tag, resolved through the sub-format of a WAVE_FORMAT_EXTENSIBLE header.
quint16 formatTag(const char *fmt, quint32 size)
{
    const quint16 tag = qFromLittleEndian<quint16>(fmt);
    if (tag == ExtensibleTag && size >= 40)
        return qFromLittleEndian<quint16>(fmt + 24);
    return tag;
}

bool playable(const Format &f)
{
    if (f.channels < 1 || f.channels > 8 || f.sampleRate < 1000 || f.sampleRate > 384000)
        return false;
    if (f.tag == PcmTag)
        return f.bits == 8 || f.bits == 16 || f.bits == 32;
    return f.tag == FloatTag && f.bits == 32;
}
} // namespace

WavClip readWavClip(const QByteArray &wav, const QString &name)
{
    WavClip clip;
    clip.name = name;
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return clip;
    std::optional<Format> format;
    qsizetype pos = 12;
    while (pos + 8 <= wav.size()) {
        const char *chunk = wav.constData() + pos;
        const quint32 size = qFromLittleEndian<quint32>(chunk + 4);
        const qsizetype body = pos + 8;
        const qsizetype available = wav.size() - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16 && available >= 16) {
            const char *fmt = chunk + 8;
            format = Format{formatTag(fmt, std::min<qint64>(size, available)), qFromLittleEndian<quint16>(fmt + 2),
                            qFromLittleEndian<quint32>(fmt + 4), qFromLittleEndian<quint16>(fmt + 14)};
        }
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (!format || !playable(*format))
                return clip;
            clip.sampleRate = static_cast<int>(format->sampleRate);
            clip.channelCount = format->channels;
            clip.bitsPerSample = format->bits;
            clip.isFloat = format->tag == FloatTag;
            const qint64 bytes = std::min<qint64>(size, available);
            clip.samples = wav.mid(body, bytes - bytes % clip.bytesPerFrame());
            return clip;
        }
        pos = body + qsizetype(size) + (size & 1);
    }
    return clip;
}

} // namespace tivane
