// The framing arithmetic, the preview grid and the input rules, without a window.

#include "authoring/FramingLogic.h"
#include "authoring/GridOverlay.h"
#include "authoring/InputRules.h"

#include <QTest>

using namespace tivane;

Q_DECLARE_METATYPE(SelectionRect)

namespace {

// A picture where no two pixels of a row or column are alike, so any stray inversion shows.
QImage busyPicture(QImage::Format format)
{
    QImage picture(360, 360, QImage::Format_RGB32);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 360; ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return picture.convertToFormat(format);
}

bool inverted(const QImage &before, const QImage &after, int x, int y)
{
    const QRgb a = before.pixel(x, y);
    const QRgb b = after.pixel(x, y);
    return qRed(b) == 255 - qRed(a) && qGreen(b) == 255 - qGreen(a) && qBlue(b) == 255 - qBlue(a);
}

} // namespace

class TestAuthoringLogic : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void drag_data();
    void drag();

    void grid_data();
    void grid();
    void gridTwiceRestoresEveryPixel_data();
    void gridTwiceRestoresEveryPixel();

    void nameCharacters_data();
    void nameCharacters();
    void timeLimitText_data();
    void timeLimitText();
};

void TestAuthoringLogic::layout_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("view");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<SelectionRect>("zone");
    QTest::addColumn<bool>("horizontal");

    QTest::newRow("landscape 800 x 600") << QSize(800, 600) << QSize(360, 270) << QPoint(8, 77)
                                         << SelectionRect{0, 0, 600, 600} << true;
    QTest::newRow("portrait 600 x 800") << QSize(600, 800) << QSize(270, 360) << QPoint(53, 32)
                                        << SelectionRect{0, 0, 600, 600} << false;
    QTest::newRow("square") << QSize(500, 500) << QSize(360, 360) << QPoint(8, 32)
                            << SelectionRect{0, 0, 500, 500} << true;
    // 360 / 1.001 = 359.64: a portrait laid out 360 wide, so its zone slides sideways.
    QTest::newRow("portrait rounded to 360 wide") << QSize(1000, 1001) << QSize(360, 360) << QPoint(8, 32)
                                                  << SelectionRect{0, 0, 1000, 1000} << true;
    QTest::newRow("portrait just taller") << QSize(1000, 1002) << QSize(359, 360) << QPoint(9, 32)
                                          << SelectionRect{0, 0, 1000, 1000} << false;
    // Ratios a float holds exactly, so the halves are real: 22.5 -> 22, 67.5 -> 68.
    QTest::newRow("half rounds down to even") << QSize(256, 16) << QSize(360, 22) << QPoint(8, 201)
                                              << SelectionRect{0, 0, 16, 16} << true;
    QTest::newRow("half rounds up to even") << QSize(256, 48) << QSize(360, 68) << QPoint(8, 178)
                                            << SelectionRect{0, 0, 48, 48} << true;
    QTest::newRow("tall half to even") << QSize(16, 256) << QSize(22, 360) << QPoint(177, 32)
                                       << SelectionRect{0, 0, 16, 16} << false;
    // A hair of a picture still gets a view one pixel wide.
    QTest::newRow("one pixel high") << QSize(2000, 1) << QSize(360, 1) << QPoint(8, 212)
                                    << SelectionRect{0, 0, 1, 1} << true;
}

void TestAuthoringLogic::layout()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, view);
    QFETCH(QPoint, topLeft);
    QFETCH(SelectionRect, zone);
    QFETCH(bool, horizontal);

    FramingLogic logic;
    logic.prepare(picture);
    QCOMPARE(logic.viewSize(), view);
    QCOMPARE(logic.viewTopLeft(), topLeft);
    QCOMPARE(logic.selection(), zone);
    QCOMPARE(logic.horizontal(), horizontal);
    QCOMPARE(logic.viewScaleX(), float(double(picture.width()) / view.width()));
    QCOMPARE(logic.viewScaleY(), float(double(picture.height()) / view.height()));
    QCOMPARE(logic.dragX(), -1);
    QCOMPARE(logic.dragY(), -1);
    QVERIFY(!logic.dragging());
}

// Each step: "p x y" presses, "m x y" moves, "r" releases (view pixels); then the zone's
// left and top and the drag position.
void TestAuthoringLogic::drag_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<QPoint>>("zoneAfter");   // left, top after each step
    QTest::addColumn<QList<QPoint>>("dragAfter");   // dragX, dragY after each step

    // 800 x 600: scale 800 / 360 = 2.2222223; x = 10 -> 22, 100 -> 222, 300 -> 666, 290 -> 644.
    QTest::newRow("slides right by the pointer's movement")
        << QSize(800, 600) << QStringList{"p 10 10", "m 100 10", "r"}
        << QList<QPoint>{{0, 0}, {200, 0}, {200, 0}} << QList<QPoint>{{22, 22}, {222, 22}, {-1, -1}};
    QTest::newRow("held at the right end, back at once")
        << QSize(800, 600) << QStringList{"p 10 10", "m 50 10", "m 300 10", "m 290 10"}
        << QList<QPoint>{{0, 0}, {89, 0}, {200, 0}, {178, 0}}
        << QList<QPoint>{{22, 22}, {111, 22}, {666, 22}, {644, 22}};
    QTest::newRow("held at the left end, back at once")
        << QSize(800, 600) << QStringList{"p 100 10", "m 10 10", "m -50 10", "m -40 10"}
        << QList<QPoint>{{0, 0}, {0, 0}, {0, 0}, {23, 0}}
        << QList<QPoint>{{222, 22}, {22, 22}, {-111, 22}, {-88, 22}};
    QTest::newRow("vertical moves ignore x")
        << QSize(600, 800) << QStringList{"p 10 10", "m 200 50", "m 0 400"}
        << QList<QPoint>{{0, 0}, {0, 89}, {0, 200}} << QList<QPoint>{{22, 22}, {444, 111}, {0, 888}};
    QTest::newRow("square cannot move") << QSize(500, 500) << QStringList{"p 10 10", "m 300 300", "m 0 0"}
                                        << QList<QPoint>{{0, 0}, {0, 0}, {0, 0}}
                                        << QList<QPoint>{{13, 13}, {416, 416}, {0, 0}};
    QTest::newRow("portrait laid out 360 wide cannot move")
        << QSize(1000, 1001) << QStringList{"p 10 10", "m 10 300", "m 300 10"}
        << QList<QPoint>{{0, 0}, {0, 0}, {0, 0}} << QList<QPoint>{{27, 27}, {27, 834}, {833, 27}};
    QTest::newRow("press and release without moving") << QSize(800, 600) << QStringList{"p 50 50", "r"}
                                                       << QList<QPoint>{{0, 0}, {0, 0}}
                                                       << QList<QPoint>{{111, 111}, {-1, -1}};
    QTest::newRow("moves without a press do nothing") << QSize(800, 600) << QStringList{"m 50 50", "m 200 50"}
                                                      << QList<QPoint>{{0, 0}, {0, 0}}
                                                      << QList<QPoint>{{-1, -1}, {-1, -1}};
}

void TestAuthoringLogic::drag()
{
    QFETCH(QSize, picture);
    QFETCH(QStringList, steps);
    QFETCH(QList<QPoint>, zoneAfter);
    QFETCH(QList<QPoint>, dragAfter);

    FramingLogic logic;
    logic.prepare(picture);
    const int side = logic.selection().right - logic.selection().left;
    for (int i = 0; i < steps.size(); ++i) {
        const QStringList parts = steps[i].split(QLatin1Char(' '));
        const QPoint at = parts.size() == 3 ? QPoint(parts[1].toInt(), parts[2].toInt()) : QPoint();
        if (parts[0] == QLatin1String("p"))
            logic.press(at);
        else if (parts[0] == QLatin1String("m"))
            logic.move(at);
        else
            logic.release();
        const SelectionRect zone = logic.selection();
        QCOMPARE(QPoint(zone.left, zone.top), zoneAfter[i]);
        QCOMPARE(QPoint(logic.dragX(), logic.dragY()), dragAfter[i]);
        QCOMPARE(zone.right - zone.left, side);
        QCOMPARE(zone.bottom - zone.top, side);
        QVERIFY(zone.left >= 0 && zone.top >= 0);
        QVERIFY(zone.right <= picture.width() && zone.bottom <= picture.height());
    }
}

void TestAuthoringLogic::grid_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("xs");
    QTest::addColumn<QList<int>>("ys");

    QTest::newRow("4 x 3") << 4 << 3 << QList<int>{90, 180, 270} << QList<int>{120, 240};
    QTest::newRow("1 x 1") << 1 << 1 << QList<int>{} << QList<int>{};
    QTest::newRow("6 x 1") << 6 << 1 << QList<int>{60, 120, 180, 240, 300} << QList<int>{};
    QTest::newRow("1 x 5") << 1 << 5 << QList<int>{} << QList<int>{72, 144, 216, 288};
}

// A line at x inverts columns x - 1 and x from top to bottom; where lines cross, the pixels
// are inverted twice and show as they were.
void TestAuthoringLogic::grid()
{
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(QList<int>, xs);
    QFETCH(QList<int>, ys);

    const QImage before = busyPicture(QImage::Format_RGB888);
    QImage after = before;
    invertGrid(after, cols, rows);
    QCOMPARE(after.format(), QImage::Format_RGB888);
    for (int y = 0; y < 360; ++y) {
        const bool onRow = ys.contains(y) || ys.contains(y + 1);
        for (int x = 0; x < 360; ++x) {
            const bool onColumn = xs.contains(x) || xs.contains(x + 1);
            if (onRow != onColumn) {
                if (!inverted(before, after, x, y))
                    QFAIL(qPrintable(QStringLiteral("%1,%2 not inverted").arg(x).arg(y)));
            } else if (after.pixel(x, y) != before.pixel(x, y)) {
                QFAIL(qPrintable(QStringLiteral("%1,%2 changed").arg(x).arg(y)));
            }
        }
    }
}

void TestAuthoringLogic::gridTwiceRestoresEveryPixel_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::newRow("RGB888 4 x 3") << QImage::Format_RGB888 << 4 << 3;
    QTest::newRow("RGB888 6 x 6") << QImage::Format_RGB888 << 6 << 6;
    QTest::newRow("RGB32 5 x 2") << QImage::Format_RGB32 << 5 << 2;
}

void TestAuthoringLogic::gridTwiceRestoresEveryPixel()
{
    QFETCH(QImage::Format, format);
    QFETCH(int, cols);
    QFETCH(int, rows);
    const QImage before = busyPicture(format);
    QImage picture = before;
    invertGrid(picture, cols, rows);
    QVERIFY(picture != before);
    invertGrid(picture, cols, rows);
    QCOMPARE(picture, before);

    QImage none;
    invertGrid(none, cols, rows);
    QVERIFY(none.isNull());
}

void TestAuthoringLogic::nameCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << QStringLiteral("Les lapins") << true;
    QTest::newRow("accents and euro") << QStringLiteral("Château d'été à 5 €, œuf") << true;
    QTest::newRow("question mark") << QStringLiteral("Qui ?") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("line feed") << QStringLiteral("Les\nlapins") << false;
    QTest::newRow("carriage return") << QStringLiteral("Les\rlapins") << false;
    QTest::newRow("tab") << QStringLiteral("Les\tlapins") << false;
    QTest::newRow("outside the code page") << QStringLiteral("Soleil \u263A") << false;
    QTest::newRow("emoji") << QStringLiteral("Chat \U0001F431") << false;
    QTest::newRow("Greek") << QStringLiteral("\u03B1\u03B2") << false;
}

void TestAuthoringLogic::nameCharacters()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    PuzzleNameValidator validator;
    int position = 0;
    QCOMPARE(validator.validate(text, position) == QValidator::Acceptable, accepted);
}

void TestAuthoringLogic::timeLimitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QStringLiteral("0") << int(QValidator::Acceptable) << 0;
    QTest::newRow("45") << QStringLiteral("45") << int(QValidator::Acceptable) << 45;
    QTest::newRow("600") << QStringLiteral("600") << int(QValidator::Acceptable) << 600;
    QTest::newRow("empty while typing") << QString() << int(QValidator::Intermediate) << 0;
    QTest::newRow("601") << QStringLiteral("601") << int(QValidator::Invalid) << 0;
    QTest::newRow("4 digits") << QStringLiteral("0060") << int(QValidator::Invalid) << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << int(QValidator::Invalid) << 0;
    QTest::newRow("letters") << QStringLiteral("4a") << int(QValidator::Invalid) << 0;
    QTest::newRow("blank") << QStringLiteral(" 5") << int(QValidator::Invalid) << 0;
    QTest::newRow("Arabic digits") << QStringLiteral("\u0664\u0665") << int(QValidator::Invalid) << 0;
}

void TestAuthoringLogic::timeLimitText()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    QFETCH(int, value);
    TimeLimitValidator validator;
    int position = 0;
    QCOMPARE(int(validator.validate(text, position)), state);
    if (state == QValidator::Invalid)
        return;
    QCOMPARE(timeLimitValue(text), value);
    QString fixed = text;
    validator.fixup(fixed);
    QCOMPARE(fixed, text.isEmpty() ? QStringLiteral("0") : text);
}

QTEST_GUILESS_MAIN(TestAuthoringLogic)
#include "tst_authoringlogic.moc"
