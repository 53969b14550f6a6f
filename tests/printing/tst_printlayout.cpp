#include "printing/PrintLayout.h"

#include <QTest>

using namespace tivane;

Q_DECLARE_METATYPE(tivane::SheetSize)
Q_DECLARE_METATYPE(tivane::SheetOrientation)
Q_DECLARE_METATYPE(tivane::Edges)

namespace QTest {
template <>
char *toString(const tivane::Edges &e)
{
    return qstrdup(QByteArray("(%1, %2)-(%3, %4)").replace("%1", QByteArray::number(e.left))
                       .replace("%2", QByteArray::number(e.top)).replace("%3", QByteArray::number(e.right))
                       .replace("%4", QByteArray::number(e.bottom)).constData());
}
} // namespace QTest

namespace {

const QSize Square(360, 360);
const QSize Wide(400, 300);   // ratio 0.75
const QSize Tall(300, 400);   // ratio 4/3
const QSize Needle(36, 360);  // ratio 10

constexpr auto Full = SheetSize::Full;
constexpr auto Half = SheetSize::Half;
constexpr auto Quarter = SheetSize::Quarter;
constexpr auto Landscape = SheetOrientation::Landscape;
constexpr auto Portrait = SheetOrientation::Portrait;

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void marginMaximum_data();
    void marginMaximum();
    void moveCycles_data();
    void moveCycles();
    void foldLines_data();
    void foldLines();
    void cutLines_data();
    void cutLines();
    void deviceEdges_data();
    void deviceEdges();
    void texts_data();
    void texts();
};

void TestPrintLayout::layout_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<SheetSize>("size");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("margin");
    QTest::addColumn<SheetOrientation>("orientation");
    QTest::addColumn<int>("shownMargin");
    QTest::addColumn<int>("widthMm");
    QTest::addColumn<int>("heightMm");
    QTest::addColumn<int>("verticalMm");
    QTest::addColumn<Edges>("edges");

    QTest::newRow("square, full page") << Square << Full << 0 << 0 << Landscape << 0 << 210 << 210 << 43
                                       << Edges{40, 0, 250, 210};
    QTest::newRow("square, full page, margin 60") << Square << Full << 0 << 60 << Landscape << 60 << 90 << 90
                                                  << 103 << Edges{100, 60, 190, 150};
    QTest::newRow("square, half page, top") << Square << Half << 0 << 0 << Portrait << 0 << 148 << 148 << 31
                                            << Edges{31, 0, 179, 148};
    QTest::newRow("square, half page, bottom, margin 10") << Square << Half << 1 << 10 << Portrait << 10 << 128
                                                          << 128 << 41 << Edges{41, 158, 169, 286};
    // An odd side draws one millimetre smaller than it is announced.
    QTest::newRow("square, quarter, top left") << Square << Quarter << 0 << 0 << Landscape << 0 << 105 << 105
                                               << 21 << Edges{22, 0, 126, 104};
    QTest::newRow("square, quarter, bottom right") << Square << Quarter << 3 << 0 << Landscape << 0 << 105 << 105
                                                   << 21 << Edges{170, 105, 274, 209};
    QTest::newRow("square, quarter, largest margin") << Square << Quarter << 2 << 47 << Landscape << 47 << 11
                                                     << 11 << 68 << Edges{69, 152, 79, 162};
    QTest::newRow("square, quarter, margin beyond the guard") << Square << Quarter << 1 << 60 << Landscape << 47
                                                              << 11 << 11 << 68 << Edges{217, 47, 227, 57};
    QTest::newRow("slot beyond the size counts as 0") << Square << Full << 3 << 0 << Landscape << 0 << 210 << 210
                                                      << 43 << Edges{40, 0, 250, 210};
    // Too tall for its zone at 296 mm wide: fitted to 210 mm, the slider moves to 8 mm.
    QTest::newRow("wide, full page, fitted") << Wide << Full << 0 << 0 << Landscape << 8 << 280 << 210 << 0
                                             << Edges{5, 0, 285, 210};
    // Fitted to 148 mm, then 198 x 0.75 = 148.5 rounds to the even 148 and fits.
    QTest::newRow("wide, half page, half to even") << Wide << Half << 0 << 0 << Portrait << 6 << 198 << 148 << 0
                                                   << Edges{6, 0, 204, 148};
    QTest::newRow("tall, full page") << Tall << Full << 0 << 0 << Portrait << 0 << 210 << 280 << 8
                                     << Edges{0, 5, 210, 285};
    QTest::newRow("tall, half page, right") << Tall << Half << 1 << 0 << Landscape << 0 << 148 << 197 << 6
                                            << Edges{148, 7, 296, 203};
    // The fitted margin (90 mm) is beyond the slider's end: it stops at 60.
    QTest::newRow("needle, full page") << Needle << Full << 0 << 0 << Portrait << 60 << 30 << 296 << 0
                                       << Edges{90, -3, 120, 293};
}

void TestPrintLayout::layout()
{
    QFETCH(QSize, picture);
    QFETCH(SheetSize, size);
    QFETCH(int, slot);
    QFETCH(int, margin);
    const SheetLayout layout = sheetLayout(picture, size, slot, margin, 1, 1);
    QTEST(layout.orientation, "orientation");
    QTEST(layout.photo.marginMm, "shownMargin");
    QTEST(layout.photo.widthMm, "widthMm");
    QTEST(layout.photo.heightMm, "heightMm");
    QTEST(layout.photo.verticalMarginMm, "verticalMm");
    QTEST(layout.pictureMm, "edges");
    QCOMPARE(layout.zoneCentres.size(), slotCount(size));
}

void TestPrintLayout::marginMaximum_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<SheetSize>("size");
    QTest::addColumn<int>("maximum");

    QTest::newRow("square, full") << Square << Full << 60;
    QTest::newRow("square, half") << Square << Half << 60;
    QTest::newRow("square, quarter") << Square << Quarter << 47;
    QTest::newRow("tall, quarter") << Tall << Quarter << 47;
    QTest::newRow("wide, quarter") << Wide << Quarter << 60;
}

void TestPrintLayout::marginMaximum()
{
    QFETCH(QSize, picture);
    QFETCH(SheetSize, size);
    QFETCH(int, maximum);
    const float ratio = photoRatio(picture);
    QCOMPARE(tivane::marginMaximum(ratio, size), maximum);
    // The slider's end keeps the picture at least 10 mm wide; one more millimetre would not.
    QVERIFY(photoSize(ratio, size, maximum).widthMm >= PrintSheet::MinPictureSideMm);
    if (maximum < PrintSheet::MarginSliderMax)
        QVERIFY(marginZone(ratio, size).width() - 2 * (maximum + 1) < PrintSheet::MinPictureSideMm);
}

void TestPrintLayout::moveCycles_data()
{
    QTest::addColumn<SheetSize>("size");
    QTest::addColumn<QList<int>>("zones");

    QTest::newRow("full page keeps its zone") << Full << QList<int>{0, 0, 0};
    QTest::newRow("half page alternates") << Half << QList<int>{1, 0, 1, 0};
    QTest::newRow("quarter page visits all four") << Quarter << QList<int>{1, 2, 3, 0, 1};
}

void TestPrintLayout::moveCycles()
{
    QFETCH(SheetSize, size);
    QFETCH(QList<int>, zones);
    int slot = 0;
    QList<int> visited;
    for (qsizetype i = 0; i < zones.size(); ++i)
        visited << (slot = nextSlot(slot, size));
    QCOMPARE(visited, zones);
}

void TestPrintLayout::foldLines_data()
{
    QTest::addColumn<SheetSize>("size");
    QTest::addColumn<SheetOrientation>("orientation");
    QTest::addColumn<QList<QPoint>>("centres");
    QTest::addColumn<QList<QLine>>("folds");

    QTest::newRow("full, landscape") << Full << Landscape << QList<QPoint>{{145, 105}} << QList<QLine>{};
    QTest::newRow("full, portrait") << Full << Portrait << QList<QPoint>{{105, 145}} << QList<QLine>{};
    QTest::newRow("half, landscape") << Half << Landscape << QList<QPoint>{{74, 105}, {222, 105}}
                                     << QList<QLine>{QLine(148, 0, 148, 210)};
    QTest::newRow("half, portrait") << Half << Portrait << QList<QPoint>{{105, 74}, {105, 222}}
                                    << QList<QLine>{QLine(0, 148, 210, 148)};
    // Top left, top right, bottom left, bottom right.
    QTest::newRow("quarter, landscape") << Quarter << Landscape
                                        << QList<QPoint>{{74, 52}, {222, 52}, {74, 157}, {222, 157}}
                                        << QList<QLine>{QLine(148, 0, 148, 210), QLine(0, 105, 296, 105)};
    QTest::newRow("quarter, portrait") << Quarter << Portrait
                                       << QList<QPoint>{{52, 74}, {157, 74}, {52, 222}, {157, 222}}
                                       << QList<QLine>{QLine(105, 0, 105, 296), QLine(0, 148, 210, 148)};
}

void TestPrintLayout::foldLines()
{
    QFETCH(SheetSize, size);
    QFETCH(SheetOrientation, orientation);
    QTEST(zoneCentres(size, orientation), "centres");
    QTEST(tivane::foldLines(size, orientation), "folds");
}

void TestPrintLayout::cutLines_data()
{
    QTest::addColumn<Edges>("picture");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<QLine>>("lines");

    QTest::newRow("1 x 1 has none") << Edges{40, 0, 250, 210} << 1 << 1 << QList<QLine>{};
    QTest::newRow("3 x 2, full page")
        << Edges{40, 0, 250, 210} << 3 << 2
        << QList<QLine>{QLine(110, 0, 110, 210), QLine(180, 0, 180, 210), QLine(40, 105, 250, 105)};
    // Whole steps: the last cell takes what is left (54 mm here).
    QTest::newRow("4 x 1, uneven")
        << Edges{40, 0, 250, 210} << 4 << 1
        << QList<QLine>{QLine(92, 0, 92, 210), QLine(144, 0, 144, 210), QLine(196, 0, 196, 210)};
    QTest::newRow("1 x 3, quarter")
        << Edges{22, 0, 126, 104} << 1 << 3 << QList<QLine>{QLine(22, 34, 126, 34), QLine(22, 68, 126, 68)};
}

void TestPrintLayout::cutLines()
{
    QFETCH(Edges, picture);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QTEST(tivane::cutLines(picture, cols, rows), "lines");
}

void TestPrintLayout::deviceEdges_data()
{
    QTest::addColumn<Edges>("mm");
    QTest::addColumn<SheetOrientation>("orientation");
    QTest::addColumn<QSize>("printable");
    QTest::addColumn<Edges>("device");

    QTest::newRow("landscape") << Edges{40, 0, 250, 210} << Landscape << QSize(1000, 700)
                               << Edges{135, 0, 845, 700};
    QTest::newRow("portrait") << Edges{31, 0, 179, 148} << Portrait << QSize(2100, 2960)
                              << Edges{310, 0, 1790, 1480};
    // Half a pixel goes to the even neighbour.
    QTest::newRow("halves to even") << Edges{41, 1, 43, 3} << Landscape << QSize(148, 105) << Edges{20, 0, 22, 2};
    // A4 landscape at 1200 dpi with 10 mm margins.
    QTest::newRow("A4 at 1200 dpi") << Edges{40, 0, 250, 210} << Landscape << QSize(13087, 8976)
                                    << Edges{1769, 0, 11053, 8976};
}

void TestPrintLayout::deviceEdges()
{
    QFETCH(Edges, mm);
    QFETCH(SheetOrientation, orientation);
    QFETCH(QSize, printable);
    QTEST(tivane::deviceEdges(mm, orientation, printable), "device");
}

void TestPrintLayout::texts_data()
{
    QTest::addColumn<SheetSize>("size");
    QTest::addColumn<int>("margin");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("dimensions");

    QTest::newRow("full page") << Full << 0 << "Horizontale : 0 mm" << "Verticale : 43 mm" << "21,0 cm X 21,0 cm.";
    QTest::newRow("half page") << Half << 12 << "Horizontale : 12 mm" << "Verticale : 43 mm"
                               << "12,4 cm X 12,4 cm.";
    QTest::newRow("quarter page") << Quarter << 0 << "Horizontale : 0 mm" << "Verticale : 21 mm"
                                  << "10,5 cm X 10,5 cm.";
    QTest::newRow("quarter page, largest margin") << Quarter << 47 << "Horizontale : 47 mm" << "Verticale : 68 mm"
                                                  << "1,1 cm X 1,1 cm.";
}

void TestPrintLayout::texts()
{
    QFETCH(SheetSize, size);
    QFETCH(int, margin);
    const PhotoSize photo = photoSize(photoRatio(Square), size, margin);
    QTEST(horizontalMarginText(photo.marginMm), "horizontal");
    QTEST(verticalMarginText(photo.verticalMarginMm), "vertical");
    QTEST(dimensionsText(photo.widthMm, photo.heightMm), "dimensions");
    // Below a centimetre the units still show.
    QCOMPARE(dimensionsText(5, 0), QStringLiteral("0,5 cm X 0,0 cm."));
}

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
