#include "core/PictureRoutines.h"
#include "core/Error.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tivane;

namespace {

// A grey picture (equal channels) from values given row by row.
QImage grey(int width, int height, const QList<int> &values)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int v = values.at(y * width + x);
            image.setPixel(x, y, qRgb(v, v, v));
        }
    return image;
}

QImage flat(int width, int height, QRgb colour, QImage::Format format = QImage::Format_RGB888)
{
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

QList<int> channel(const QImage &image, int c)
{
    QList<int> values;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            values.append(c == 0 ? qRed(p) : c == 1 ? qGreen(p) : qBlue(p));
        }
    return values;
}

// Every pixel of `image` is `colour`; on failure, names the first pixel that is not.
bool isFlat(const QImage &image, QRgb colour, QString *where)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) {
                *where = QStringLiteral("(%1, %2) is %3, expected %4")
                             .arg(x)
                             .arg(y)
                             .arg(image.pixel(x, y) & 0xFFFFFF, 6, 16)
                             .arg(colour & 0xFFFFFF, 6, 16);
                return false;
            }
    return true;
}

QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFF));
    return image;
}

} // namespace

class TestPictureRoutines : public QObject
{
    Q_OBJECT

private slots:
    void toneCurves_data();
    void toneCurves();
    void toneCurveEnds();

    void pixelLightness_data();
    void pixelLightness();

    void toneFilter_data();
    void toneFilter();
    void toneFilterAmountZeroTouchesNothing();
    void toneFilterRejectsUnknownCurve();

    void convolveFlatPictureUnchanged_data();
    void convolveFlatPictureUnchanged();
    void convolveContours_data();
    void convolveContours();
    void convolveZeroWeightKeepsPixel();
    void convolveMatchesDirectSums();

    void resampleHandWorked_data();
    void resampleHandWorked();
    void resampleFlatEveryLevel();
    void resampleHalvesWidth();
    void resampleOnePixelWide();
    void resampleReadsRgb32AsRgb888();
    void resampleRejectsBadInput();

    void fadePicture_data();
    void fadePicture();
};

void TestPictureRoutines::toneCurves_data()
{
    QTest::addColumn<int>("lightness");
    QTest::addColumn<float>("curve1");
    QTest::addColumn<float>("curve2");
    QTest::addColumn<float>("curve3");
    QTest::newRow("0") << 0 << 100.0f << 100.0f << 100.0f;
    QTest::newRow("64") << 64 << 74.90196f << 93.70088f << 98.41904f;
    QTest::newRow("128") << 128 << 49.80392f << 74.80354f << 87.35236f;
    QTest::newRow("192") << 192 << 24.70588f << 43.30795f << 57.31423f;
}

void TestPictureRoutines::toneCurves()
{
    QFETCH(int, lightness);
    QFETCH(float, curve1);
    QFETCH(float, curve2);
    QFETCH(float, curve3);
    const ToneCurves curves = buildToneCurves();
    // The table gives seven significant digits.
    QVERIFY2(qAbs(curves.at(1, lightness) - curve1) < 1e-5f, qPrintable(QString::number(curves.at(1, lightness), 'g', 9)));
    QVERIFY2(qAbs(curves.at(2, lightness) - curve2) < 1e-5f, qPrintable(QString::number(curves.at(2, lightness), 'g', 9)));
    QVERIFY2(qAbs(curves.at(3, lightness) - curve3) < 1e-5f, qPrintable(QString::number(curves.at(3, lightness), 'g', 9)));
}

void TestPictureRoutines::toneCurveEnds()
{
    const ToneCurves curves = buildToneCurves();
    for (int curve = 1; curve <= 3; ++curve) {
        QCOMPARE(curves.at(curve, 0), 100.0f);
        QCOMPARE(curves.at(curve, 255), 0.0f);
        for (int l = 1; l < 256; ++l)
            QVERIFY(curves.at(curve, l) < curves.at(curve, l - 1));
    }
    for (int l = 1; l < 255; ++l) {
        QVERIFY(curves.at(3, l) > curves.at(2, l));
        QVERIFY(curves.at(2, l) > curves.at(1, l));
    }
}

void TestPictureRoutines::pixelLightness_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<int>("expected");
    QTest::newRow("1 white") << 1 << 255 << 255 << 255 << 255;
    QTest::newRow("1 black") << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("1 weights") << 1 << 100 << 0 << 0 << 30;
    QTest::newRow("1 half to even, down") << 1 << 0 << 0 << 150 << 16;     // 16.5
    QTest::newRow("1 half to even, up") << 1 << 0 << 0 << 50 << 6;         // 5.5
    // 0.3 x 72 + 0.59 x 10 is 27.5 on paper but 27.499999999999996 in doubles.
    QTest::newRow("1 double just under a half") << 1 << 72 << 10 << 0 << 27;
    // Summed as (red + green) + blue: 28.5, which goes to even; red + (green + blue) would give 29.
    QTest::newRow("1 order of the sum") << 1 << 1 << 12 << 192 << 28;
    QTest::newRow("1 order of the sum, 7.5") << 1 << 1 << 4 << 44 << 8;
    QTest::newRow("2 mean truncated") << 2 << 10 << 20 << 32 << 20;
    QTest::newRow("3 largest") << 3 << 10 << 200 << 32 << 200;
    QTest::newRow("other method") << 4 << 10 << 200 << 32 << 0;
    QTest::newRow("method 0") << 0 << 255 << 255 << 255 << 0;
}

void TestPictureRoutines::pixelLightness()
{
    QFETCH(int, method);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(int, expected);
    QCOMPARE(tivane::pixelLightness(method, red, green, blue), expected);
}

void TestPictureRoutines::toneFilter_data()
{
    QTest::addColumn<int>("curve");
    QTest::addColumn<float>("amount");
    QTest::addColumn<QRgb>("before");
    QTest::addColumn<QRgb>("after");
    QTest::newRow("mid-grey curve 1") << 1 << 0.5f << qRgb(128, 128, 128) << qRgb(159, 159, 159);
    QTest::newRow("mid-grey curve 2") << 2 << 0.5f << qRgb(128, 128, 128) << qRgb(175, 175, 175);
    QTest::newRow("mid-grey curve 3") << 3 << 0.5f << qRgb(128, 128, 128) << qRgb(183, 183, 183);
    QTest::newRow("white stays") << 3 << 1.0f << qRgb(255, 255, 255) << qRgb(255, 255, 255);
    QTest::newRow("black stays") << 1 << 1.0f << qRgb(0, 0, 0) << qRgb(0, 0, 0);
    // L = 67, factor 1.737: 200 passes 255, 10 becomes 17.37.
    QTest::newRow("saturates") << 1 << 1.0f << qRgb(200, 10, 10) << qRgb(255, 17, 17);
    // The factor is held as a float: 75 x factor is just above 84 with it, just under with a double.
    QTest::newRow("float factor 75") << 1 << 17 / 100.0f << qRgb(75, 75, 75) << qRgb(84, 84, 84);
    QTest::newRow("float factor 85") << 1 << 60 / 100.0f << qRgb(85, 85, 85) << qRgb(118, 118, 118);
    QTest::newRow("float factor 170") << 2 << 72 / 100.0f << qRgb(170, 170, 170) << qRgb(237, 237, 237);
}

void TestPictureRoutines::toneFilter()
{
    QFETCH(int, curve);
    QFETCH(float, amount);
    QFETCH(QRgb, before);
    QFETCH(QRgb, after);
    QImage image = flat(3, 2, before, QImage::Format_RGB32);
    tivane::toneFilter(image, buildToneCurves(), curve, 1, amount);
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(image.size(), QSize(3, 2));
    QString where;
    QVERIFY2(isFlat(image, after, &where), qPrintable(where));
}

void TestPictureRoutines::toneFilterAmountZeroTouchesNothing()
{
    const QImage original = noise(17, 9, 5);
    QImage image = original;
    tivane::toneFilter(image, buildToneCurves(), 2, 1, 0.0f);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image, original);
    // Nothing to do means nothing checked either: an empty picture passes.
    QImage empty;
    tivane::toneFilter(empty, buildToneCurves(), 1, 1, 0.0f);
    QVERIFY(empty.isNull());
}

void TestPictureRoutines::toneFilterRejectsUnknownCurve()
{
    QImage image = flat(2, 2, qRgb(1, 2, 3));
    const QImage before = image;
    QVERIFY_THROWS_EXCEPTION(Error, tivane::toneFilter(image, buildToneCurves(), 0, 1, 0.5f));
    QVERIFY_THROWS_EXCEPTION(Error, tivane::toneFilter(image, buildToneCurves(), 4, 1, 0.5f));
    QCOMPARE(image, before);
}

void TestPictureRoutines::convolveFlatPictureUnchanged_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("1x1") << QSize(1, 1) << qRgb(200, 100, 50);
    QTest::newRow("1x5") << QSize(1, 5) << qRgb(0, 255, 7);
    QTest::newRow("5x1") << QSize(5, 1) << qRgb(255, 255, 255);
    QTest::newRow("2x2") << QSize(2, 2) << qRgb(1, 2, 3);
    QTest::newRow("7x4") << QSize(7, 4) << qRgb(128, 64, 33);
}

void TestPictureRoutines::convolveFlatPictureUnchanged()
{
    QFETCH(QSize, size);
    QFETCH(QRgb, colour);
    QImage image = flat(size.width(), size.height(), colour, QImage::Format_RGB32);
    convolve3x3(image, ContourKernel);
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(image.size(), size);
    QString where;
    QVERIFY2(isFlat(image, colour, &where), qPrintable(where));
}

void TestPictureRoutines::convolveContours_data()
{
    QTest::addColumn<int>("channel");
    QTest::newRow("red") << 0;
    QTest::newRow("green") << 1;
    QTest::newRow("blue") << 2;
}

void TestPictureRoutines::convolveContours()
{
    QFETCH(int, channel);
    // One channel carries the pattern, the other two a flat 77 that must come out flat.
    const QList<int> pattern = {0, 90, 0,
                                0, 100, 0,
                                0, 0, 200};
    QImage image(3, 3, QImage::Format_RGB888);
    for (int i = 0; i < 9; ++i) {
        int c[3] = {77, 77, 77};
        c[channel] = pattern[i];
        image.setPixel(i % 3, i / 3, qRgb(c[0], c[1], c[2]));
    }
    convolve3x3(image, ContourKernel);
    // Corner (0, 0): (40 x 0 - 4 x 100) / 36, below 0. Edge (1, 0): 40 x 90 / 32 = 112.5.
    // Centre: (40 x 100 - 4 x 200) / 24 = 133.3. Corner (2, 2): (40 x 200 - 4 x 100) / 36 = 211.1.
    // Edge (1, 2): (40 x 0 - 4 x 0) / 32, its diagonals (0, 1) and (2, 1) being 0.
    const QList<int> expected = {0, 112, 0,
                                 0, 133, 0,
                                 0, 0, 211};
    QCOMPARE(::channel(image, channel), expected);
    for (int other = 0; other < 3; ++other)
        if (other != channel)
            QCOMPARE(::channel(image, other), QList<int>(9, 77));

    QImage bright = grey(3, 3, {0, 0, 0, 0, 255, 0, 0, 0, 0});
    convolve3x3(bright, ContourKernel);
    QCOMPARE(::channel(bright, 0), QList<int>({0, 0, 0, 0, 255, 0, 0, 0, 0}));
}

void TestPictureRoutines::convolveZeroWeightKeepsPixel()
{
    // Only the corners weigh, and a picture one pixel wide has none of them inside.
    const Kernel3x3 corners{{{1.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 1.0f}}};
    QImage image = grey(1, 3, {10, 20, 30});
    convolve3x3(image, corners);
    QCOMPARE(channel(image, 1), QList<int>({10, 20, 30}));
}

void TestPictureRoutines::convolveMatchesDirectSums()
{
    // Inner pixels are summed a row at a time; with fractional weights, float rounding shows
    // any change in the order of the terms. Compare with the sums taken pixel by pixel.
    const Kernel3x3 kernel{{{0.1f, -0.35f, 0.2f}, {0.7f, 1.3f, -0.15f}, {0.05f, 0.33f, -0.9f}}};
    const QImage source = noise(41, 29, 3).convertToFormat(QImage::Format_RGB888);
    QImage image = source;
    convolve3x3(image, kernel);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                float weight = 0.0f;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (!source.rect().contains(x + dx, y + dy))
                            continue;
                        const float k = kernel[size_t(dx + 1)][size_t(dy + 1)];
                        weight = weight + k;
                        sum = sum + float(source.constScanLine(y + dy)[3 * (x + dx) + c]) * k;
                    }
                const float v = sum / weight;
                const int expected = v <= 0.0f ? 0 : v >= 255.0f ? 255 : int(v);
                QCOMPARE(int(image.constScanLine(y)[3 * x + c]), expected);
            }
}

void TestPictureRoutines::resampleHandWorked_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QList<int>>("source");
    QTest::addColumn<QSize>("to");
    QTest::addColumn<QList<int>>("expected");
    // Same size: (0, 0) copied, row 0 and column 0 two-pixel means, the rest four-pixel means.
    QTest::newRow("same size")
        << QSize(3, 3) << QList<int>{10, 20, 31, 41, 50, 62, 70, 81, 93}
        << QSize(3, 3) << QList<int>{10, 15, 25, 25, 30, 40, 55, 60, 71};
    // Unequal weights: (1, 0) lies 1/6 from 0 and 5/6 from 100, so (100 x 1.2) / (6 + 1.2) = 16.7.
    QTest::newRow("2x2 to 3x3")
        << QSize(2, 2) << QList<int>{0, 100, 100, 200}
        << QSize(3, 3) << QList<int>{0, 16, 83, 16, 54, 100, 83, 100, 145};
    QTest::newRow("2x2 to 4x3")
        << QSize(2, 2) << QList<int>{0, 100, 100, 200}
        << QSize(4, 3) << QList<int>{0, 0, 50, 100, 16, 16, 85, 116, 83, 83, 114, 183};
    QTest::newRow("1x1 to 3x2") << QSize(1, 1) << QList<int>{42} << QSize(3, 2) << QList<int>(6, 42);
}

void TestPictureRoutines::resampleHandWorked()
{
    QFETCH(QSize, from);
    QFETCH(QList<int>, source);
    QFETCH(QSize, to);
    QFETCH(QList<int>, expected);
    QImage image = grey(from.width(), from.height(), source);
    resampleBitmap(image, to.width(), to.height());
    QCOMPARE(image.size(), to);
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(channel(image, 0), expected);
    QCOMPARE(channel(image, 2), expected);
}

void TestPictureRoutines::resampleFlatEveryLevel()
{
    // A flat picture stays flat at every level: the weighted quotient never truncates one too low.
    const QList<std::pair<QSize, QSize>> sizes = {
        {QSize(360, 360), QSize(100, 100)},
        {QSize(360, 360), QSize(180, 180)},
        {QSize(9, 9), QSize(9, 9)},
        {QSize(7, 5), QSize(13, 11)},
        {QSize(720, 4), QSize(360, 3)},
    };
    for (const auto &[from, to] : sizes) {
        for (int level = 0; level < 256; ++level) {
            const QRgb colour = qRgb(level, 255 - level, (level * 7) % 256);
            QImage image = flat(from.width(), from.height(), colour);
            resampleBitmap(image, to.width(), to.height());
            QString where;
            QVERIFY2(isFlat(image, colour, &where),
                     qPrintable(QStringLiteral("level %1, %2x%3 to %4x%5: %6")
                                    .arg(level)
                                    .arg(from.width())
                                    .arg(from.height())
                                    .arg(to.width())
                                    .arg(to.height())
                                    .arg(where)));
        }
    }
}

void TestPictureRoutines::resampleHalvesWidth()
{
    // sx = 2x - 0.5: column 0 from column 0, column x the truncated mean of columns 2x - 1 and 2x.
    QList<int> source;
    for (int i = 0; i < 720; ++i)
        source.append((i * 37 + i / 3) % 256);
    QImage image = grey(720, 1, source);
    resampleBitmap(image, 360, 1);
    QList<int> expected{source[0]};
    for (int x = 1; x < 360; ++x)
        expected.append((source[2 * x - 1] + source[2 * x]) / 2);
    QCOMPARE(channel(image, 1), expected);
}

void TestPictureRoutines::resampleOnePixelWide()
{
    QImage image = grey(1, 4, {0, 80, 160, 240});
    resampleBitmap(image, 5, 4);
    QCOMPARE(image.size(), QSize(5, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 1; x < 5; ++x)
            QCOMPARE(image.pixel(x, y), image.pixel(0, y));
    QCOMPARE(qRed(image.pixel(0, 0)), 0);
    QCOMPARE(qRed(image.pixel(0, 1)), 40);
}

void TestPictureRoutines::resampleReadsRgb32AsRgb888()
{
    // 32-bit pictures are read in place; the result must be that of the 24-bit picture.
    const QImage source = noise(123, 77, 11);
    for (const QSize to : {QSize(50, 60), QSize(360, 360), QSize(123, 77)}) {
        QImage direct = source;
        QImage converted = source.convertToFormat(QImage::Format_RGB888);
        resampleBitmap(direct, to.width(), to.height());
        resampleBitmap(converted, to.width(), to.height());
        QCOMPARE(direct, converted);
    }
}

void TestPictureRoutines::resampleRejectsBadInput()
{
    QImage empty;
    QVERIFY_THROWS_EXCEPTION(Error, resampleBitmap(empty, 10, 10));
    QImage image = flat(4, 4, qRgb(9, 9, 9));
    QVERIFY_THROWS_EXCEPTION(Error, resampleBitmap(image, 0, 10));
    QVERIFY_THROWS_EXCEPTION(Error, resampleBitmap(image, 10, -1));
    QCOMPARE(image.size(), QSize(4, 4));
}

void TestPictureRoutines::fadePicture_data()
{
    QTest::addColumn<QRgb>("before");
    QTest::addColumn<QRgb>("after");
    // 0 -> 63 -> 111 -> 147 -> 174; 100 -> 138 -> 167 -> 189 -> 205.
    QTest::newRow("black, mid-grey, white") << qRgb(0, 128, 255) << qRgb(174, 214, 255);
    QTest::newRow("100") << qRgb(100, 100, 100) << qRgb(205, 205, 205);
    // Truncation: 254 stays 254, and 1 ends where 0 does.
    QTest::newRow("254, 1") << qRgb(254, 1, 2) << qRgb(254, 174, 174);
}

void TestPictureRoutines::fadePicture()
{
    QFETCH(QRgb, before);
    QFETCH(QRgb, after);
    QImage image = flat(559, 3, before, QImage::Format_RGB32);
    tivane::fadePicture(image);
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(image.size(), QSize(559, 3));
    QString where;
    QVERIFY2(isFlat(image, after, &where), qPrintable(where));
}

QTEST_APPLESS_MAIN(TestPictureRoutines)
#include "tst_pictureroutines.moc"
