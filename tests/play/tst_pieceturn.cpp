#include "core/BitmapRotation.h"
#include "play/PictureList.h"
#include "play/Pieces.h"

#include <QPainter>
#include <QTest>

using namespace tivane;

namespace {
// A 3 x 2 picture whose six pixels are all different:
//   a b c
//   d e f
QImage asymmetric()
{
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb values[2][3] = {{qRgb(1, 0, 0), qRgb(2, 0, 0), qRgb(3, 0, 0)},
                               {qRgb(4, 0, 0), qRgb(5, 0, 0), qRgb(6, 0, 0)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, values[y][x]);
    return image;
}

QList<int> reds(const QImage &image)
{
    QList<int> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out << qRed(image.pixel(x, y));
    return out;
}

QImage stripes(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
    return image;
}
}

class TestPieceTurn : public QObject
{
    Q_OBJECT
private slots:
    void rotateBitmap_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<int>>("rowsAfter");
        // Clockwise:        Counter-clockwise:
        //   d a               c f
        //   e b               b e
        //   f c               a d
        QTest::newRow("clockwise") << -1 << QList<int>{4, 1, 5, 2, 6, 3};
        QTest::newRow("counter-clockwise") << 1 << QList<int>{3, 6, 2, 5, 1, 4};
    }

    void rotateBitmap()
    {
        QFETCH(int, direction);
        QFETCH(QList<int>, rowsAfter);
        QImage image = asymmetric();
        rotateBitmap90(image, direction);
        QCOMPARE(image.size(), QSize(2, 3));
        QCOMPARE(reds(image), rowsAfter);
    }

    void oppositeTurnsCancel()
    {
        QImage image = stripes(5, 3);
        rotateBitmap90(image, -1);
        rotateBitmap90(image, 1);
        QCOMPARE(image, stripes(5, 3));
    }

    void fourTurnsRestorePiece()
    {
        // A piece of a 3-column by 2-row puzzle is taller than wide.
        PictureList pictures(41);
        const QImage cut = stripes(36, 54);
        pictures.setItem(4, cut);
        Piece piece;
        initPiece(piece, 10, 20, 4, pictures);
        piece.turns = 0;

        turnPiece(piece, pictures, 6);
        QCOMPARE(piece.turns, 1);
        QCOMPARE(pictures.picture(4).size(), QSize(54, 36));
        QCOMPARE(pictures.drawable(4).size(), QSize(54, 36));
        // The hit rectangle stays as it was set up.
        QCOMPARE(piece.width, 36);
        QCOMPARE(piece.height, 54);

        for (int i = 0; i < 3; ++i)
            turnPiece(piece, pictures, 6);
        QCOMPARE(piece.turns, 0);
        QCOMPARE(pictures.picture(4), cut.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(pictures.drawable(4).pixel(3, 50), cut.pixel(3, 50));
    }

    void fixedPicturesNeverTurn()
    {
        PictureList pictures(41);
        pictures.setItem(36, stripes(18, 12));
        pictures.setItem(4, stripes(6, 4));
        rotatePiecePicture(pictures, 36, 36);
        QCOMPARE(pictures.picture(36), stripes(18, 12));
        // Beyond the pieces of a 2 x 2 game.
        rotatePiecePicture(pictures, 4, 4);
        QCOMPARE(pictures.picture(4), stripes(6, 4));
    }

    void transparentColourIsLeftOut()
    {
        PictureList pictures(1);
        QImage image(2, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(0, 255, 0));
        image.setPixel(1, 0, qRgb(200, 10, 10));
        pictures.setItem(0, image, qRgb(0, 255, 0));

        QImage target(2, 1, QImage::Format_RGB32);
        target.fill(qRgb(1, 2, 3));
        QPainter painter(&target);
        pictures.draw(painter, 0, 0, 0);
        painter.end();
        QCOMPARE(target.pixel(0, 0), qRgb(1, 2, 3));
        QCOMPARE(target.pixel(1, 0), qRgb(200, 10, 10));
    }
};

QTEST_MAIN(TestPieceTurn)
#include "tst_pieceturn.moc"
