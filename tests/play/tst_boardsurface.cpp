#include "play/BoardSurface.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

using namespace tivane;

class TestBoardSurface : public QObject
{
    Q_OBJECT
private slots:
    void flipPresentsBufferAndKeepsIt()
    {
        BoardSurface surface;
        surface.setFlipPacing(false);
        surface.resize(64, 48);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        QCOMPARE(surface.backBuffer().size(), QSize(64, 48));

        surface.fill(qRgb(0, 128, 0));
        QPainter painter(&surface.backBuffer());
        painter.fillRect(10, 10, 5, 5, Qt::white);
        painter.end();
        surface.present();

        // The buffer keeps its frame, and a later paint shows it unchanged.
        QCOMPARE(surface.backBuffer().pixel(12, 12), qRgb(255, 255, 255));
        QCOMPARE(surface.backBuffer().pixel(40, 40), qRgb(0, 128, 0));
        surface.update();
        QImage shown = surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, surface.backBuffer());
    }

    void resizeKeepsContent()
    {
        BoardSurface surface;
        surface.resize(20, 20);
        surface.fill(qRgb(1, 2, 3));
        surface.resize(30, 10);
        QCOMPARE(surface.backBuffer().size(), QSize(30, 10));
        QCOMPARE(surface.backBuffer().pixel(19, 9), qRgb(1, 2, 3));
        QCOMPARE(surface.backBuffer().pixel(25, 5), qRgb(0, 0, 0));
    }

    void flipsArePacedToTheRefresh()
    {
        BoardSurface surface;
        surface.resize(8, 8);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        const int interval = surface.refreshIntervalUs();
        QVERIFY(interval >= 2000 && interval <= 50000);

        // Ten paced flips take at least nine refresh intervals; unpaced ones do not wait.
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i)
            surface.present();
        QVERIFY(clock.nsecsElapsed() / 1000 >= 9LL * interval);
        QCOMPARE(surface.flipCount(), 10);
    }
};

QTEST_MAIN(TestBoardSurface)
#include "tst_boardsurface.moc"
