// The built-in pictures and sounds: present under their fixed names, with the sizes,
// formats and transparent colours the program relies on.

#include "core/BuiltinResources.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <optional>

using namespace tivane;

namespace {

enum class Ground { Transparent, Opaque, Keyed };

struct Wav
{
    quint16 format = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    QByteArray data;
};

// Reads a RIFF WAVE file chunk by chunk. Returns nothing if the layout is broken.
std::optional<Wav> parseWav(const QByteArray &file)
{
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    if (qsizetype(u32(4)) + 8 != file.size())
        return std::nullopt;

    Wav wav;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > file.size())
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16)
                return std::nullopt;
            wav.format = u16(body);
            wav.channels = u16(body + 2);
            wav.sampleRate = u32(body + 4);
            wav.byteRate = u32(body + 8);
            wav.blockAlign = u16(body + 12);
            wav.bitsPerSample = u16(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            wav.data = file.mid(body, size);
            return wav;
        }
        at = body + size + (size % 2);
    }
    return std::nullopt;
}

// One sample as a fraction of full scale: 8-bit PCM is unsigned, 16-bit signed.
double sampleAt(const Wav &wav, qsizetype index)
{
    if (wav.bitsPerSample == 8)
        return (quint8(wav.data.at(index)) - 128) / 128.0;
    return qFromLittleEndian<qint16>(wav.data.constData() + 2 * index) / 32768.0;
}

bool nearKey(QRgb pixel, QRgb key)
{
    return std::abs(qRed(pixel) - qRed(key)) <= 64 && std::abs(qGreen(pixel) - qGreen(key)) <= 64
           && std::abs(qBlue(pixel) - qBlue(key)) <= 64;
}

} // namespace

class TestBuiltinResources : public QObject
{
    Q_OBJECT

private slots:
    void resourceTreeHoldsExactlyTheNamedFiles();
    void picture_data();
    void picture();
    void demoPictureIsBusyEverywhere();
    void sound_data();
    void sound();
};

void TestBuiltinResources::resourceTreeHoldsExactlyTheNamedFiles()
{
    using namespace BuiltinResources;
    QStringList expected;
    for (const char *path : {ClickPickUp, ClickPutDown, TurnSwish, Applause, GlyphCreate, GlyphPlay,
                             GlyphInstructions, GlyphSoundOn, GlyphSoundOff, BadgeModel, BadgeRotation,
                             BadgeClock, DemoPicture, QuestionMark, Logo, NoModelSign, AboutBackground,
                             FolderGlyph, NoPicture})
        expected << QString::fromLatin1(path);
    for (const char *path : StepDiscs)
        expected << QString::fromLatin1(path);

    QStringList found;
    for (const QString &folder : {QStringLiteral(":/sounds"), QStringLiteral(":/pictures")}) {
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
    }
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);
}

void TestBuiltinResources::picture_data()
{
    using namespace BuiltinResources;
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Ground>("ground");
    QTest::addColumn<QRgb>("key");
    QTest::addColumn<bool>("indexed");

    const auto row = [](const char *path, QSize size, Ground ground, QRgb key = 0, bool indexed = false) {
        QTest::newRow(path) << QString::fromLatin1(path) << size << ground << key << indexed;
    };
    row(GlyphCreate, {24, 24}, Ground::Transparent);
    row(GlyphPlay, {24, 24}, Ground::Transparent);
    row(GlyphInstructions, {24, 24}, Ground::Transparent);
    row(GlyphSoundOn, {20, 20}, Ground::Transparent);
    row(GlyphSoundOff, {20, 20}, Ground::Transparent);
    row(BadgeModel, {22, 22}, Ground::Keyed, BadgeKey);
    row(BadgeRotation, {22, 22}, Ground::Keyed, BadgeKey);
    row(BadgeClock, {22, 22}, Ground::Keyed, BadgeKey);
    row(DemoPicture, {360, 360}, Ground::Opaque);
    row(QuestionMark, {180, 180}, Ground::Opaque);
    row(Logo, {480, 86}, Ground::Keyed, LogoKey, true);
    row(NoModelSign, {180, 180}, Ground::Keyed, NoModelSignKey);
    for (const char *disc : StepDiscs)
        row(disc, {33, 33}, Ground::Transparent);
    row(FolderGlyph, {32, 32}, Ground::Transparent);
    row(NoPicture, {360, 360}, Ground::Opaque);
    row(AboutBackground, {325, 211}, Ground::Opaque);
}

// Transparent glyphs have a clear ground; keyed pictures have a ground of exactly the key,
// a real figure, and no near-key pixels that would show as a fringe once the key is
// taken out.
void TestBuiltinResources::picture()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(Ground, ground);
    QFETCH(QRgb, key);
    QFETCH(bool, indexed);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), ground == Ground::Transparent);
    if (indexed) {
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QVERIFY(image.colorCount() <= 256);
    }

    const QPoint corners[] = {{0, 0}, {size.width() - 1, 0}, {0, size.height() - 1},
                              {size.width() - 1, size.height() - 1}};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int figure = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (ground == Ground::Transparent && qAlpha(pixel) == 255)
                ++figure;
            if (ground == Ground::Keyed && pixel != key) {
                ++figure;
                if (nearKey(pixel, key))
                    QFAIL(qPrintable(QStringLiteral("near-key pixel %1 at %2,%3")
                                         .arg(pixel, 8, 16, QLatin1Char('0')).arg(x).arg(y)));
            }
        }
    }
    for (const QPoint &corner : corners) {
        if (ground == Ground::Transparent)
            QCOMPARE(qAlpha(argb.pixel(corner)), 0);
        if (ground == Ground::Keyed)
            QCOMPARE(argb.pixel(corner), key);
    }
    if (ground != Ground::Opaque)
        QVERIFY2(figure * 10 >= size.width() * size.height(), "the figure covers under a tenth of the picture");
}

// The demonstration picture is cut into pieces: every part of a 6 x 6 grid must hold
// something to look at, not a plain stretch of sky or grass.
void TestBuiltinResources::demoPictureIsBusyEverywhere()
{
    const QImage image = QImage(QString::fromLatin1(BuiltinResources::DemoPicture)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(360, 360));
    for (int cy = 0; cy < 6; ++cy) {
        for (int cx = 0; cx < 6; ++cx) {
            QSet<QRgb> colours;
            for (int y = cy * 60; y < cy * 60 + 60; ++y) {
                for (int x = cx * 60; x < cx * 60 + 60; ++x)
                    colours.insert(image.pixel(x, y) & 0xF0F0F0u); // coarse, so gradients alone do not count
            }
            QVERIFY2(colours.size() >= 25, qPrintable(QStringLiteral("cell %1,%2 has only %3 colours")
                                                          .arg(cx).arg(cy).arg(colours.size())));
        }
    }
}

void TestBuiltinResources::sound_data()
{
    using namespace BuiltinResources;
    QTest::addColumn<QString>("path");
    QTest::addColumn<quint32>("sampleRate");
    QTest::addColumn<quint16>("bits");
    QTest::addColumn<double>("seconds");

    QTest::newRow("click1") << QString::fromLatin1(ClickPickUp) << quint32(22050) << quint16(8) << 0.10;
    QTest::newRow("click2") << QString::fromLatin1(ClickPutDown) << quint32(11025) << quint16(8) << 0.14;
    QTest::newRow("gira") << QString::fromLatin1(TurnSwish) << quint32(22050) << quint16(16) << 0.07;
    QTest::newRow("CLAP") << QString::fromLatin1(Applause) << quint32(11025) << quint16(8) << 2.9;
}

// Mono PCM in the stored format, about the right length, clearly audible, and silent at
// both ends so that playing it never pops.
void TestBuiltinResources::sound()
{
    QFETCH(QString, path);
    QFETCH(quint32, sampleRate);
    QFETCH(quint16, bits);
    QFETCH(double, seconds);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const std::optional<Wav> wav = parseWav(file.readAll());
    QVERIFY2(wav.has_value(), "not a well-formed RIFF WAVE file");
    QCOMPARE(wav->format, quint16(1));
    QCOMPARE(wav->channels, quint16(1));
    QCOMPARE(wav->sampleRate, sampleRate);
    QCOMPARE(wav->bitsPerSample, bits);
    QCOMPARE(wav->blockAlign, quint16(bits / 8));
    QCOMPARE(wav->byteRate, sampleRate * (bits / 8));

    const qsizetype samples = wav->data.size() / wav->blockAlign;
    const double duration = double(samples) / sampleRate;
    QVERIFY2(duration >= seconds * 0.7 && duration <= seconds * 1.3, qPrintable(QString::number(duration)));

    double peak = 0;
    for (qsizetype i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(sampleAt(*wav, i)));
    QVERIFY2(peak >= 0.25, qPrintable(QStringLiteral("peak %1").arg(peak)));
    QVERIFY(std::abs(sampleAt(*wav, 0)) <= 0.02);
    QVERIFY(std::abs(sampleAt(*wav, samples - 1)) <= 0.02);
}

QTEST_GUILESS_MAIN(TestBuiltinResources)
#include "tst_builtinresources.moc"
