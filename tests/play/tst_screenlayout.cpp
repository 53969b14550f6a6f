#include "ScreenLayout.h"

#include <QTest>

class TestScreenLayout : public QObject
{
    Q_OBJECT
private slots:
    void layoutFollowsScreen_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("scale");
        QTest::addColumn<int>("boardSize");
        QTest::addColumn<int>("quitLeft");
        QTest::addColumn<int>("titleWidth");
        QTest::addColumn<int>("modelLeft");

        QTest::newRow("800x600 equal ratios") << 800 << 600 << 0.9090909f << 327 << 719 << 240 << 310;
        QTest::newRow("1024x768 equal ratios") << 1024 << 768 << 1.1636364f << 419 << 943 << 464 << 422;
        QTest::newRow("1280x1024 height wins") << 1280 << 1024 << 1.5515151f << 559 << 1199 << 720 << 550;
        QTest::newRow("1280x800 width wins") << 1280 << 800 << 1.4545455f << 524 << 1199 << 720 << 550;
    }

    void layoutFollowsScreen()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, scale);
        QFETCH(int, boardSize);
        QFETCH(int, quitLeft);
        QFETCH(int, titleWidth);
        QFETCH(int, modelLeft);

        const ScreenLayout l = computeScreenLayout(width, height);
        QVERIFY2(qAbs(l.ScreenScale - scale) < 1e-6f, qPrintable(QString::number(l.ScreenScale, 'g', 9)));
        QCOMPARE(l.BoardSize, boardSize);
        QCOMPARE(l.BquitterLeft, quitLeft);
        // The small buttons sit 33 pixels apart, right to left.
        QCOMPARE(l.BaideLeft, quitLeft - 33);
        QCOMPARE(l.BinsLeft, quitLeft - 66);
        QCOMPARE(l.BsonLeft, quitLeft - 99);
        QCOMPARE(l.BsoluceLeft, quitLeft - 132);
        QCOMPARE(l.LtitreWidth, titleWidth);
        QCOMPARE(l.ModelLeft, modelLeft);
        QCOMPARE(l.ModelTop, 10);
        QCOMPARE(l.DXWidth, width);
        QCOMPARE(l.DXHeight, height - 32);
    }
};

QTEST_APPLESS_MAIN(TestScreenLayout)
#include "tst_screenlayout.moc"
