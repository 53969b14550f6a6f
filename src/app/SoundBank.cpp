#include "app/SoundBank.h"

#include "core/BuiltinResources.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace tivane {

namespace {
// In the order of the Sound values.
const char *const SoundPaths[4] = {BuiltinResources::ClickPickUp, BuiltinResources::ClickPutDown,
                                   BuiltinResources::TurnSwish, BuiltinResources::Applause};
}

int wavDurationMs(const QByteArray &wav)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    qsizetype pos = 12;
    while (pos + 8 <= wav.size()) {
        const QByteArray id = wav.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= wav.size())
            byteRate = qFromLittleEndian<quint32>(wav.constData() + body + 8);
        if (id == "data") {
            if (byteRate == 0)
                return -1;
            const qint64 bytes = std::min<qint64>(size, wav.size() - body);
            return static_cast<int>(bytes * 1000 / byteRate);
        }
        pos = body + size + (size & 1);
    }
    return -1;
}

SoundBank::SoundBank(QObject *parent) : QObject(parent)
{
    for (int i = 0; i < 4; ++i) {
        QFile file(QString::fromLatin1(SoundPaths[i]));
        m_durations[i] = file.open(QIODevice::ReadOnly) ? wavDurationMs(file.readAll()) : -1;
    }
}

QSoundEffect *SoundBank::effect(Sound sound)
{
    const int i = static_cast<int>(sound);
    if (!m_effects[i]) {
        m_effects[i] = new QSoundEffect(this);
        m_effects[i]->setSource(BuiltinResources::url(SoundPaths[i]));
    }
    return m_effects[i];
}

SoundBank::~SoundBank() = default;

void SoundBank::play(Sound sound)
{
    QSoundEffect *e = effect(sound);
    e->stop();
    e->play();
}

} // namespace tivane
