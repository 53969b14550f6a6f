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

// A WAVE file: a PCM (or float) header, then `dataBytes` bytes of silence-ish samples.
QByteArray wav(quint32 sampleRate, quint16 channels, quint16 bits, quint32 dataBytes, quint16 tag = 1,
               bool withFmt = true)
{
    QByteArray out = "RIFF" + le32(0) + "WAVE";
    if (withFmt) {
        QByteArray fmt(16, '\0');
        qToLittleEndian<quint16>(tag, fmt.data());
        qToLittleEndian<quint16>(channels, fmt.data() + 2);
        qToLittleEndian<quint32>(sampleRate, fmt.data() + 4);
        qToLittleEndian<quint32>(sampleRate * channels * bits / 8, fmt.data() + 8);
        qToLittleEndian<quint16>(channels * bits / 8, fmt.data() + 12);
        qToLittleEndian<quint16>(bits, fmt.data() + 14);
        // An odd-sized chunk before the format: chunks are padded to even sizes.
        out += "LIST" + le32(3) + QByteArray("abc\0", 4);
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
    void readsWavClips_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("sampleBytes");
        QTest::addColumn<int>("ms");
        QTest::newRow("8-bit mono, 0.1 s") << wav(22050, 1, 8, 2205) << 22050 << 8 << 2205 << 100;
        QTest::newRow("16-bit stereo, 2.9 s") << wav(11025, 2, 16, 127892) << 11025 << 16 << 127892 << 2900;
        QTest::newRow("32-bit float") << wav(48000, 1, 32, 19200, 3) << 48000 << 32 << 19200 << 100;
        // Cut short, down to the last whole frame.
        QTest::newRow("truncated data") << wav(11025, 2, 16, 44100).left(56 + 5515) << 11025 << 16 << 5512 << 124;
        QTest::newRow("no fmt chunk") << wav(11025, 1, 8, 100, 1, false) << 0 << 0 << 0 << -1;
        QTest::newRow("ADPCM") << wav(11025, 1, 4, 100, 2) << 0 << 0 << 0 << -1;
        QTest::newRow("12-bit") << wav(11025, 1, 12, 100) << 0 << 0 << 0 << -1;
        QTest::newRow("no channel") << wav(11025, 0, 8, 100) << 0 << 0 << 0 << -1;
        QTest::newRow("not a wave") << QByteArray("RIFF....AVI LIST") << 0 << 0 << 0 << -1;
        QTest::newRow("empty") << QByteArray() << 0 << 0 << 0 << -1;
        QTest::newRow("format cut short") << wav(11025, 1, 8, 100).left(40) << 0 << 0 << 0 << -1;
    }

    void readsWavClips()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, rate);
        QFETCH(int, bits);
        QFETCH(int, sampleBytes);
        QFETCH(int, ms);
        const WavClip clip = readWavClip(data, QStringLiteral("x.wav"));
        QCOMPARE(clip.sampleRate, rate);
        QCOMPARE(clip.bitsPerSample, bits);
        QCOMPARE(clip.samples.size(), sampleBytes);
        QCOMPARE(clip.durationMs(), ms);
        QCOMPARE(clip.name, QStringLiteral("x.wav"));
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
        // One output, one player per clip played, named after its clip.
        QCOMPARE(sons.children().size(), 1);
        sons.play(Sound::PickUp);
        sons.play(Sound::Turn);
        QObjectList players = sons.children().first()->children();
        QCOMPARE(players.size(), 2);
        QStringList names;
        for (QObject *player : players)
            names << player->objectName();
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("click1.wav"), QStringLiteral("gira.wav")}));
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
