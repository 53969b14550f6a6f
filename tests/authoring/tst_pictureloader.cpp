// Reading a teacher's picture: every format read here ends as an upright, opaque 24-bit
// picture; what cannot be read, or is too large, is refused with a message naming the file.

#include "authoring/PictureLoader.h"
#include "TestFiles.h"
#include "core/Error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace tivane;

namespace {

// A JPEG whose EXIF block says "turn a quarter clockwise to view" (orientation 6), put in
// right after the start-of-image marker.
QByteArray withExifOrientation(const QByteArray &jpeg, quint16 orientation)
{
    QByteArray tiff("II*\0", 4);
    const auto le16 = [&](quint16 v) { tiff.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto le32 = [&](quint32 v) { le16(quint16(v & 0xFFFF)); le16(quint16(v >> 16)); };
    le32(8);           // first directory
    le16(1);           // one entry
    le16(0x0112);      // Orientation
    le16(3);           // SHORT
    le32(1);
    le16(orientation);
    le16(0);
    le32(0);           // no next directory
    QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const quint16 length = quint16(app1.size() + 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(app1);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// A GIF with one frame per colour, 8 x 8, each frame one flat colour of a four-colour table.
// The picture data codes every pixel after a clear code, so the codes stay 3 bits wide.
QByteArray animatedGif(const QList<int> &frameColours)
{
    QByteArray gif("GIF89a");
    const auto le16 = [&](int v) { gif.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    le16(8);
    le16(8);
    gif.append(char(0xF1)).append(char(0)).append(char(0));  // global table of 4 colours
    gif.append(QByteArray("\xFF\x00\x00" "\x00\x00\xFF" "\xFF\xFF\xFF" "\x00\x00\x00", 12));
    gif.append(QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19));  // loop forever
    for (int colour : frameColours) {
        gif.append(QByteArray("\x21\xF9\x04\x04\x0A\x00\x00\x00", 8));  // 100 ms, keep the frame
        gif.append(char(0x2C));
        le16(0);
        le16(0);
        le16(8);
        le16(8);
        gif.append(char(0));
        gif.append(char(2));  // minimum code size: clear = 4, end = 5
        QByteArray data;
        quint32 bits = 0;
        int count = 0;
        const auto put = [&](int code) {
            bits |= quint32(code) << count;
            count += 3;
            while (count >= 8) {
                data.append(char(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        };
        for (int i = 0; i < 64; ++i) {
            put(4);
            put(colour);
        }
        put(5);
        if (count > 0)
            data.append(char(bits & 0xFF));
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

// A BMP header that declares width x height at 24 bits, with no pixels behind it.
QByteArray bmpHeader(qint32 width, qint32 height)
{
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(54, bmp.data() + 2);
    qToLittleEndian<quint32>(54, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    return bmp;
}

QString errorOf(const QString &path)
{
    try {
        loadPicture(path);
    } catch (const Error &error) {
        return error.message();
    }
    return {};
}

bool near(QRgb actual, QRgb expected, int tolerance)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
           && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

} // namespace

class TestPictureLoader : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void exifOrientationIsApplied();
    void transparencyIsLaidOnWhite();
    void animatedGifGivesItsFirstFrame();
    void nameCarriesNoWeight();
    void picturesAboveQtsUsualCapLoad();
    void refused_data();
    void refused();
    void filterListsEveryFormat();
};

void TestPictureLoader::formats_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tolerance");

    // Left half orange, right half teal, in a range of pixel formats.
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(qRgb(250, 120, 20));
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            source.setPixel(x, y, qRgb(20, 130, 140));

    QTest::newRow("BMP 24-bit") << "a.bmp" << encodedImage(source, "bmp") << 0;
    QTest::newRow("BMP 8-bit indexed") << "a.dib"
                                       << encodedImage(source.convertToFormat(QImage::Format_Indexed8), "bmp") << 0;
    QTest::newRow("PNG 16-bit") << "a.png" << encodedImage(source.convertToFormat(QImage::Format_RGBX64), "png") << 1;
    QTest::newRow("PNG indexed") << "b.png" << encodedImage(source.convertToFormat(QImage::Format_Indexed8), "png") << 0;
    QTest::newRow("JPEG") << "a.jpg" << encodedImage(source, "jpeg", 95) << 12;
    QTest::newRow("TIFF") << "a.tif" << encodedImage(source, "tiff") << 0;
    QTest::newRow("WebP") << "a.webp" << encodedImage(source, "webp", 100) << 3;
    QTest::newRow("ICO") << "a.ico" << encodedImage(source.convertToFormat(QImage::Format_ARGB32), "ico") << 0;
}

void TestPictureLoader::formats()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(int, tolerance);
    QVERIFY(!bytes.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QVERIFY(writeBytes(path, bytes));
    const QImage picture = loadPicture(path);
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    QCOMPARE(picture.size(), QSize(40, 30));
    QVERIFY2(near(picture.pixel(5, 15), qRgb(250, 120, 20), tolerance),
             qPrintable(QString::number(picture.pixel(5, 15), 16)));
    QVERIFY2(near(picture.pixel(35, 15), qRgb(20, 130, 140), tolerance),
             qPrintable(QString::number(picture.pixel(35, 15), 16)));
}

void TestPictureLoader::exifOrientationIsApplied()
{
    // 64 x 32, red on the left, blue on the right; turned a quarter clockwise it stands 32 x 64
    // with red on top.
    QImage source(64, 32, QImage::Format_RGB32);
    source.fill(qRgb(220, 0, 0));
    for (int y = 0; y < 32; ++y)
        for (int x = 32; x < 64; ++x)
            source.setPixel(x, y, qRgb(0, 0, 220));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("phone.jpg"));
    QVERIFY(writeBytes(path, withExifOrientation(encodedImage(source, "jpeg", 95), 6)));

    const QImage picture = loadPicture(path);
    QCOMPARE(picture.size(), QSize(32, 64));
    QVERIFY(near(picture.pixel(16, 8), qRgb(220, 0, 0), 12));
    QVERIFY(near(picture.pixel(16, 56), qRgb(0, 0, 220), 12));
}

void TestPictureLoader::transparencyIsLaidOnWhite()
{
    QImage source(3, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(0, 0, 0, 0));        // clear
    source.setPixel(1, 0, qRgba(0, 0, 255, 128));    // half blue
    source.setPixel(2, 0, qRgba(10, 200, 30, 255));  // opaque
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    QVERIFY(writeBytes(path, encodedImage(source, "png")));

    const QImage picture = loadPicture(path);
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    QCOMPARE(picture.pixel(0, 0), qRgb(255, 255, 255));
    QVERIFY2(near(picture.pixel(1, 0), qRgb(127, 127, 255), 1), qPrintable(QString::number(picture.pixel(1, 0), 16)));
    QCOMPARE(picture.pixel(2, 0), qRgb(10, 200, 30));
}

void TestPictureLoader::animatedGifGivesItsFirstFrame()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("anim.gif"));
    QVERIFY(writeBytes(path, animatedGif({0, 1, 0})));
    QImageReader reader(path);
    QCOMPARE(reader.imageCount(), 3);  // the file really is animated

    const QImage picture = loadPicture(path);
    QCOMPARE(picture.size(), QSize(8, 8));
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            QCOMPARE(picture.pixel(x, y), qRgb(255, 0, 0));
}

// A PNG saved as ".jpg" is read for what it holds.
void TestPictureLoader::nameCarriesNoWeight()
{
    QImage source(5, 5, QImage::Format_RGB32);
    source.fill(qRgb(1, 2, 3));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IMG_0001.JPG"));
    QVERIFY(writeBytes(path, encodedImage(source, "png")));
    QCOMPARE(loadPicture(path).pixel(2, 2), qRgb(1, 2, 3));
}

// 6000 x 6000 decodes to 144 MB, over Qt's usual allocation cap, yet well under 100 megapixels.
// The cap is back to what it was afterwards.
void TestPictureLoader::picturesAboveQtsUsualCapLoad()
{
    const int cap = QImageReader::allocationLimit();
    QImage source(6000, 6000, QImage::Format_RGB32);
    source.fill(qRgb(30, 60, 90));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    QVERIFY(writeBytes(path, encodedImage(source, "jpeg", 90)));
    source = QImage();
    QVERIFY(qint64(6000) * 6000 * 4 > qint64(cap) << 20);

    const QImage picture = loadPicture(path);
    QCOMPARE(picture.size(), QSize(6000, 6000));
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    QVERIFY(near(picture.pixel(3000, 3000), qRgb(30, 60, 90), 2));
    QCOMPARE(QImageReader::allocationLimit(), cap);
}

void TestPictureLoader::refused_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");    // none: the file is not made
    QTest::addColumn<QString>("reason");

    QByteArray garbage(4000, '\0');
    QRandomGenerator random(3);
    for (char &c : garbage)
        c = char(random.bounded(256));
    QTest::newRow("garbage") << "photo.jpg" << garbage
                             << QStringLiteral("ce n'est pas une image dans un format connu.");
    QTest::newRow("empty file") << "vide.png" << QByteArray("") << QStringLiteral("ce n'est pas une image dans un format connu.");
    QTest::newRow("missing") << "absente.bmp" << QByteArray() << QStringLiteral("le fichier n'existe pas.");
    // 12000 x 9000 is 108 megapixels: refused from the header, before anything is decoded.
    QTest::newRow("declared too large") << "immense.bmp" << bmpHeader(12000, 9000)
                                        << QStringLiteral("l'image est trop grande (12000 × 9000 pixels ; au plus 100 millions de pixels).");
    QTest::newRow("declared too large, rows top-down") << "immense2.bmp" << bmpHeader(12000, -9000)
                                                       << QStringLiteral("l'image est trop grande (12000 × 9000 pixels ; au plus 100 millions de pixels).");
}

void TestPictureLoader::refused()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    if (!bytes.isNull())
        QVERIFY(writeBytes(path, bytes));
    const int cap = QImageReader::allocationLimit();
    QCOMPARE(errorOf(path), QStringLiteral("Impossible de lire le fichier « %1 » : %2").arg(fileName, reason));
    QCOMPARE(QImageReader::allocationLimit(), cap);
}

void TestPictureLoader::filterListsEveryFormat()
{
    const QStringList filters = pictureNameFilters();
    QCOMPARE(filters.size(), 2);
    QVERIFY(filters[0].startsWith(QStringLiteral("Images (")));
    for (const char *pattern : {"*.bmp", "*.dib", "*.ico", "*.jpg", "*.jpeg", "*.gif", "*.png", "*.webp", "*.tif", "*.tiff"})
        QVERIFY2(filters[0].contains(QLatin1String(pattern)), pattern);
    QCOMPARE(filters[1], QStringLiteral("Tous les fichiers (*)"));
}

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
