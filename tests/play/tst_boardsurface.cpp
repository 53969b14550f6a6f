#include "play/BoardSurface.h"

#include <QSignalSpy>
#include <QPainter>
#include <QTest>

using namespace tivane;

class TestBoardSurface : public QObject
{
    Q_OBJECT
private slots:
    void presentShowsTheBufferAndKeepsIt()
    {
        BoardSurface surface;
        surface.resize(64, 48);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        QCOMPARE(surface.backBuffer().size(), QSize(64, 48));

        surface.backBuffer().fill(qRgb(0, 128, 0));
        QPainter painter(&surface.backBuffer());
        painter.fillRect(10, 10, 5, 5, Qt::white);
        painter.end();
        QSignalSpy frames(&surface, &BoardSurface::framePresented);
        surface.present();
        QCOMPARE(frames.size(), 1);
        QCOMPARE(surface.frameCount(), 1);

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
        surface.backBuffer().fill(qRgb(1, 2, 3));
        surface.resize(30, 10);
        QCOMPARE(surface.backBuffer().size(), QSize(30, 10));
        QCOMPARE(surface.backBuffer().pixel(19, 9), qRgb(1, 2, 3));
        QCOMPARE(surface.backBuffer().pixel(25, 5), qRgb(0, 0, 0));
    }

    void theRefreshIntervalPacesFrames()
    {
        BoardSurface surface;
        surface.resize(8, 8);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        const int interval = surface.frameIntervalUs();
        QVERIFY(interval >= 2000 && interval <= 50000);
        surface.setFrameIntervalUs(0);
        QCOMPARE(surface.frameIntervalUs(), 0);
    }
};

QTEST_MAIN(TestBoardSurface)
#include "tst_boardsurface.moc"
