// The track bar: a click in its band beside the knob pages towards the click, whatever the
// height of the click in the band; the knob still drags.

#include "widgets/TrackBar.h"

#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

using namespace tivane;

namespace {

// The bar as the forms make them, with a way to find its knob.
class Bar : public TrackBar
{
public:
    Bar(QSize size, int maximum, int pageStep, QSlider::TickPosition ticks) : TrackBar(Qt::Horizontal)
    {
        resize(size);
        setRange(0, maximum);
        setPageStep(pageStep);
        setTickInterval(pageStep);
        setTickPosition(ticks);
    }

    QRect knob() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    }
};

} // namespace

class TestTrackBar : public QObject
{
    Q_OBJECT

private slots:
    void clickBesideTheKnobPages_data();
    void clickBesideTheKnobPages();
    void knobDrags();
};

void TestTrackBar::clickBesideTheKnobPages_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("pageStep");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("right");   // the click falls right of the knob, else left
    QTest::addColumn<int>("height");   // of the click in the band
    QTest::addColumn<int>("expected");

    const QSize tone(137, 33);   // TTval: 0..100, page 25, ticks above
    const int above = QSlider::TicksAbove;
    QTest::newRow("tone, right, middle") << tone << 100 << 25 << above << 0 << true << 16 << 25;
    QTest::newRow("tone, right, top") << tone << 100 << 25 << above << 25 << true << 2 << 50;
    QTest::newRow("tone, right, bottom") << tone << 100 << 25 << above << 0 << true << 30 << 25;
    QTest::newRow("tone, left, middle") << tone << 100 << 25 << above << 100 << false << 16 << 75;
    QTest::newRow("tone, left, near the end") << tone << 100 << 25 << above << 10 << false << 16 << 0;
    QTest::newRow("tone, right, near the end") << tone << 100 << 25 << above << 90 << true << 16 << 100;

    const QSize margin(129, 33);   // Hmarge: 0..60, page 10, ticks below
    const int below = QSlider::TicksBelow;
    QTest::newRow("margin, right, middle") << margin << 60 << 10 << below << 0 << true << 16 << 10;
    QTest::newRow("margin, left, middle") << margin << 60 << 10 << below << 60 << false << 16 << 50;
    QTest::newRow("margin, right, top") << margin << 60 << 10 << below << 30 << true << 3 << 40;
}

// The click is halfway between the knob and the end of the band.
void TestTrackBar::clickBesideTheKnobPages()
{
    QFETCH(QSize, size);
    QFETCH(int, maximum);
    QFETCH(int, pageStep);
    QFETCH(int, ticks);
    QFETCH(int, start);
    QFETCH(bool, right);
    QFETCH(int, height);
    QFETCH(int, expected);

    Bar bar(size, maximum, pageStep, QSlider::TickPosition(ticks));
    bar.setValue(start);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QRect knob = bar.knob();
    const int x = right ? (knob.right() + size.width()) / 2 : knob.left() / 2;
    QVERIFY(x < knob.left() || x > knob.right());

    QSignalSpy changed(&bar, &QSlider::valueChanged);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, height));
    QCOMPARE(bar.value(), expected);
    QCOMPARE(changed.size(), 1);
}

// Pressing the knob alone moves nothing; dragging it moves the value with it.
void TestTrackBar::knobDrags()
{
    Bar bar(QSize(137, 33), 100, 25, QSlider::TicksAbove);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QPoint grip = bar.knob().center();

    QTest::mouseClick(&bar, Qt::LeftButton, {}, grip);
    QCOMPARE(bar.value(), 0);

    QTest::mousePress(&bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&bar, grip + QPoint(40, 0));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, grip + QPoint(40, 0));
    QVERIFY2(bar.value() > 25 && bar.value() < 75, qPrintable(QString::number(bar.value())));
    QVERIFY(bar.knob().contains(grip + QPoint(40, 0)));
}

QTEST_MAIN(TestTrackBar)
#include "tst_trackbar.moc"
