// The module tivane_sound: plays the clips through QSoundEffect. Each clip's effect is made at its
// first play, so a screen that stays silent opens no audio device.
#include "app/SoundOutput.h"

#include <QHash>
#include <QSoundEffect>

namespace {

class EffectOutput : public tivane::SoundOutput
{
public:
    using SoundOutput::SoundOutput;

    void play(const QUrl &source) override
    {
        QSoundEffect *&effect = m_effects[source];
        if (!effect) {
            effect = new QSoundEffect(this);
            effect->setSource(source);
        }
        effect->stop();
        effect->play();
    }

private:
    QHash<QUrl, QSoundEffect *> m_effects;
};

} // namespace

extern "C" Q_DECL_EXPORT tivane::SoundOutput *tivane_make_sound_output(QObject *parent)
{
    return new EffectOutput(parent);
}
