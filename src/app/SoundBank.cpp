#include "app/SoundBank.h"

#include "app/SoundOutput.h"
#include "core/BuiltinResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QUrl>
#include <QtEndian>

#include <utility>

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

SoundBank::~SoundBank() = default;

QStringList SoundBank::moduleCandidates()
{
    const QString name = QStringLiteral(TIVANE_SOUND_MODULE_NAME);
    return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(TIVANE_SOUND_MODULE_RELATIVE_DIR "/") + name),
            QDir(QStringLiteral(TIVANE_SOUND_MODULE_BUILD_DIR)).filePath(name)};
}

SoundOutput *SoundBank::output()
{
    if (std::exchange(m_loadTried, true))
        return m_output;
    QStringList errors;
    for (const QString &candidate : moduleCandidates()) {
        if (!QFileInfo::exists(candidate))
            continue;
        QLibrary module(candidate);
        const auto make = reinterpret_cast<MakeSoundOutput>(module.resolve(MakeSoundOutputSymbol));
        if (make) {
            m_output = make(this);
            return m_output;
        }
        errors << module.errorString();
    }
    // Play goes on in silence; the reason is told once.
    qWarning("tivane : pas de son, le module %s est introuvable ou illisible (%s)", TIVANE_SOUND_MODULE_NAME,
             qPrintable(errors.isEmpty() ? moduleCandidates().join(QStringLiteral(", ")) : errors.join(QStringLiteral(" ; "))));
    return nullptr;
}

void SoundBank::play(Sound sound)
{
    if (SoundOutput *out = output())
        out->play(BuiltinResources::url(SoundPaths[static_cast<int>(sound)]));
}

} // namespace tivane
