#include "play/Pieces.h"

#include <QTest>

using namespace tivane;

using Frames = QList<QPoint>;

class TestGlide : public QObject
{
    Q_OBJECT
private slots:
    void frames_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<Frames>("frames");

        const QPoint home(63, 212);
        QTest::newRow("at home") << home << home << Frames{home};
        QTest::newRow("20 px: one frame, at home") << QPoint(83, 212) << home << Frames{home};
        QTest::newRow("12-16-20 diagonal: one frame") << QPoint(75, 228) << home << Frames{home};
        QTest::newRow("21 px: start, then home") << QPoint(84, 212) << home << Frames{{84, 212}, home};
        QTest::newRow("vertical from below") << QPoint(63, 277) << home
                                             << Frames{{63, 277}, {63, 257}, {63, 237}, home};
        QTest::newRow("vertical from above") << QPoint(63, 150) << home
                                             << Frames{{63, 150}, {63, 170}, {63, 190}, home};
        QTest::newRow("horizontal from the left") << QPoint(13, 212) << home
                                                  << Frames{{13, 212}, {33, 212}, home};
        // 3-4-5 triangle of 50 px: steps of 20 along the line, truncated toward zero.
        QTest::newRow("diagonal up-right") << QPoint(93, 172) << home
                                           << Frames{{93, 172}, {81, 188}, home};
    }

    void frames()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, to);
        QFETCH(Frames, frames);

        const std::vector<QPoint> path = glidePath(start, to);
        QCOMPARE(Frames(path.begin(), path.end()), frames);
    }

    void longVerticalGlideStaysInItsColumn()
    {
        // A long way to a place near the left edge: any error in the cosine would show.
        for (const QPoint &p : glidePath({1, 1900}, {1, 212}))
            QCOMPARE(p.x(), 1);
    }
};

QTEST_APPLESS_MAIN(TestGlide)
#include "tst_glide.moc"
