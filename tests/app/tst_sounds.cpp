#include "app/SoundBank.h"

#include <QElapsedTimer>
#include <QTest>
#include <QtEndian>

#include <cstring>
#include <link.h>

using namespace tivane;

namespace {
QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

// An 8-bit mono PCM clip: one byte a sample, so the byte rate is the sample rate.
QByteArray wav(quint32 sampleRate, quint32 dataBytes, bool withFmt = true)
{
    QByteArray out = "RIFF" + le32(0) + "WAVE";
    if (withFmt) {
        QByteArray fmt(16, '\0');
        qToLittleEndian<quint16>(1, fmt.data());               // PCM
        qToLittleEndian<quint16>(1, fmt.data() + 2);           // mono
        qToLittleEndian<quint32>(sampleRate, fmt.data() + 4);
        qToLittleEndian<quint32>(sampleRate, fmt.data() + 8);  // byte rate
        qToLittleEndian<quint16>(1, fmt.data() + 12);
        qToLittleEndian<quint16>(8, fmt.data() + 14);
        out += "fmt " + le32(16) + fmt;
    }
    return out + "data" + le32(dataBytes) + QByteArray(static_cast<int>(dataBytes), '\x80');
}

// Whether a library whose file name contains `name` is loaded in this process.
bool isLoaded(const char *name)
{
    auto visit = [](dl_phdr_info *info, size_t, void *wanted) {
        return info->dlpi_name && std::strstr(info->dlpi_name, static_cast<const char *>(wanted)) ? 1 : 0;
    };
    return dl_iterate_phdr(visit, const_cast<char *>(name)) != 0;
}
}

class TestSounds : public QObject
{
    Q_OBJECT
private slots:
    void wavDuration_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("ms");
        QTest::newRow("0.1 s at 22050") << wav(22050, 2205) << 100;
        QTest::newRow("2.9 s at 11025") << wav(11025, 31972) << 2899;
        QTest::newRow("no fmt chunk") << wav(11025, 100, false) << -1;
        QTest::newRow("not a wave") << QByteArray("RIFF....AVI LIST") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("truncated data") << wav(11025, 11025).left(44 + 5512) << 499;
    }

    void wavDuration()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, ms);
        QCOMPARE(wavDurationMs(data), ms);
    }

    void builtinSoundsHaveTheirLengths()
    {
        SoundBank sons;
        QVERIFY(qAbs(sons.durationMs(Sound::PickUp) - 100) <= 30);
        QVERIFY(qAbs(sons.durationMs(Sound::PutDown) - 140) <= 40);
        QVERIFY(qAbs(sons.durationMs(Sound::Turn) - 70) <= 25);
        QVERIFY(qAbs(sons.durationMs(Sound::Applause) - 2900) <= 300);
    }

    // Qt Multimedia and the audio libraries under it come with the first sound, not before:
    // they would slow every start-up down.
    void theAudioBackEndLoadsAtTheFirstSound()
    {
        SoundBank sons;
        QVERIFY(!isLoaded("libQt6Multimedia"));
        QVERIFY(!isLoaded("libtivane_sound"));
        sons.play(Sound::PickUp);
        QVERIFY(isLoaded("libQt6Multimedia"));
        QVERIFY(isLoaded("libtivane_sound"));
        // One output, one effect per clip played.
        QCOMPARE(sons.children().size(), 1);
        sons.play(Sound::PickUp);
        sons.play(Sound::Turn);
        QCOMPARE(sons.children().first()->children().size(), 2);
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
