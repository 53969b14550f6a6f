#include "app/SoundBank.h"

#include "app/SoundOutput.h"
#include "core/BuiltinResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <utility>

namespace tivane {

namespace {
// In the order of the Sound values.
const char *const SoundPaths[4] = {BuiltinResources::ClickPickUp, BuiltinResources::ClickPutDown,
                                   BuiltinResources::TurnSwish, BuiltinResources::Applause};
}

SoundBank::SoundBank(QObject *parent) : QObject(parent)
{
    for (int i = 0; i < 4; ++i) {
        QFile file(QString::fromLatin1(SoundPaths[i]));
        if (file.open(QIODevice::ReadOnly))
            m_clips[i] = readWavClip(file.readAll(), QFileInfo(file.fileName()).fileName());
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
        out->play(m_clips[static_cast<int>(sound)]);
}

} // namespace tivane
