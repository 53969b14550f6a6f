#include "play/ScreenLayout.h"

#include <QTest>

using namespace tivane;

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
        QVERIFY2(qAbs(l.scale - scale) < 1e-6f, qPrintable(QString::number(l.scale, 'g', 9)));
        QCOMPARE(l.boardSize, boardSize);
        QCOMPARE(l.quitButtonLeft, quitLeft);
        // The small buttons sit 33 pixels apart, right to left.
        QCOMPARE(l.aboutButtonLeft, quitLeft - 33);
        QCOMPARE(l.instructionsButtonLeft, quitLeft - 66);
        QCOMPARE(l.soundButtonLeft, quitLeft - 99);
        QCOMPARE(l.modelButtonLeft, quitLeft - 132);
        QCOMPARE(l.titleWidth, titleWidth);
        QCOMPARE(l.modelLeft, modelLeft);
        QCOMPARE(l.modelTop, 10);
        QCOMPARE(l.boardWidth, width);
        QCOMPARE(l.boardHeight, height - 32);
    }
};

QTEST_APPLESS_MAIN(TestScreenLayout)
#include "tst_screenlayout.moc"
