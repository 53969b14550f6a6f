// The framing dialog TFchoix: its controls, the negative display with the zone in true
// colours, dragging with the mouse, and the zone it reports in the picture's own pixels.

#include "authoring/FramingDialog.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tivane;

namespace {

// Each column x has its own colour, so a cut zone shows where it was cut from.
QImage columnsPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int x = 0; x < width; ++x) {
        const QRgb colour = qRgb(x % 251, (x / 251) * 40 % 256, 90);
        for (int y = 0; y < height; ++y)
            picture.setPixel(x, y, colour);
    }
    return picture;
}

QImage flatPicture(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(colour);
    return picture;
}

QRgb negativeOf(QRgb c)
{
    return qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c));
}

// Every pixel of the view is the colour in true colours inside `zone`, in negative outside.
bool showsZone(FramingView *view, QRgb colour, const QRect &zone)
{
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.size() != view->size()) {
        qWarning() << "view drawn at" << shown.size();
        return false;
    }
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb expected = zone.contains(x, y) ? colour : negativeOf(colour);
            if (shown.pixel(x, y) != expected) {
                qWarning() << "pixel" << x << y << Qt::hex << shown.pixel(x, y) << "expected" << expected;
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestFramingDialog : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void viewIsPlacedForThePicture_data();
    void viewIsPlacedForThePicture();
    void negativeWithTheZoneInTrueColours();
    void mouseDragSlidesTheZone();
    void zoneIsCutAtFullResolution();
    void buttonsCloseTheDialog_data();
    void buttonsCloseTheDialog();
    void largePhotoIsShownFromASmallCopy();
};

void TestFramingDialog::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Panel1") << "Panel1" << QRect(0, 0, 489, 409) << QString();
    QTest::newRow("Label6") << "Label6" << QRect(8, 8, 465, 25) << QStringLiteral("Déplace la zone de sélection puis valide.");
    QTest::newRow("Ph") << "Ph" << QRect(8, 32, 360, 360) << QString();
    QTest::newRow("SpeedButton2") << "SpeedButton2" << QRect(376, 336, 97, 25) << QStringLiteral("VALIDER");
    QTest::newRow("SpeedButton1") << "SpeedButton1" << QRect(376, 368, 97, 25) << QStringLiteral("ANNULER");
}

void TestFramingDialog::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    FramingDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("TFchoix"));
    QCOMPARE(dialog.size(), QSize(492, 412));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QWidget *control = dialog.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<QToolButton *>(control)) {
        QCOMPARE(button->text(), text);
        QVERIFY(button->autoRaise());
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }
}

void TestFramingDialog::viewIsPlacedForThePicture_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("view");
    QTest::newRow("landscape") << QSize(800, 600) << QRect(8, 77, 360, 270);
    QTest::newRow("portrait") << QSize(600, 800) << QRect(53, 32, 270, 360);
    QTest::newRow("square") << QSize(90, 90) << QRect(8, 32, 360, 360);
}

void TestFramingDialog::viewIsPlacedForThePicture()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, view);
    FramingDialog dialog;
    dialog.prepare(flatPicture(picture.width(), picture.height(), qRgb(1, 2, 3)));
    QCOMPARE(dialog.view()->geometry(), view);
}

void TestFramingDialog::negativeWithTheZoneInTrueColours()
{
    const QRgb colour = qRgb(200, 100, 40);
    FramingDialog dialog;
    dialog.prepare(flatPicture(800, 600, colour));
    QVERIFY(showsZone(dialog.view(), colour, QRect(0, 0, 270, 270)));

    dialog.prepare(flatPicture(600, 800, colour));
    QVERIFY(showsZone(dialog.view(), colour, QRect(0, 0, 270, 270)));
}

void TestFramingDialog::mouseDragSlidesTheZone()
{
    const QRgb colour = qRgb(30, 160, 220);
    FramingDialog dialog;
    dialog.prepare(flatPicture(800, 600, colour));
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    FramingView *view = dialog.view();

    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(view, QPoint(55, 12));
    // 55 x 2.2222 = 122, 10 x 2.2222 = 22: the zone slides 100 picture pixels, 45 view pixels.
    QCOMPARE(dialog.selection(), (SelectionRect{100, 0, 700, 600}));
    QVERIFY(showsZone(view, colour, QRect(45, 0, 270, 270)));
    QTest::mouseMove(view, QPoint(400, 12));  // past the end, the pointer grabbed by the view
    QCOMPARE(dialog.selection(), (SelectionRect{200, 0, 800, 600}));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(400, 12));
    QCOMPARE(dialog.logic().dragX(), -1);
    QVERIFY(showsZone(view, colour, QRect(90, 0, 270, 270)));

    // Moving without a button held does nothing.
    QTest::mouseMove(view, QPoint(20, 20));
    QCOMPARE(dialog.selection(), (SelectionRect{200, 0, 800, 600}));
    dialog.done(QDialog::Rejected);
}

void TestFramingDialog::zoneIsCutAtFullResolution()
{
    const QImage picture = columnsPicture(1000, 700);
    FramingDialog dialog;
    dialog.prepare(picture);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mousePress(dialog.view(), Qt::LeftButton, {}, QPoint(0, 5));
    QTest::mouseMove(dialog.view(), QPoint(100, 5));
    QTest::mouseRelease(dialog.view(), Qt::LeftButton, {}, QPoint(100, 5));
    // 100 x (1000 / 360 = 2.7777777) = 277.
    QCOMPARE(dialog.selection(), (SelectionRect{277, 0, 977, 700}));
    QCOMPARE(dialog.framedZone(), picture.copy(277, 0, 700, 700));
    dialog.done(QDialog::Rejected);

    dialog.releasePicture();
    QVERIFY(dialog.framedZone().isNull());
}

void TestFramingDialog::buttonsCloseTheDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("framed");
    QTest::newRow("VALIDER") << "SpeedButton2" << true;
    QTest::newRow("ANNULER") << "SpeedButton1" << false;
}

void TestFramingDialog::buttonsCloseTheDialog()
{
    QFETCH(QString, button);
    QFETCH(bool, framed);
    FramingDialog dialog;
    dialog.prepare(flatPicture(40, 30, qRgb(9, 9, 9)));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Escape does not close it: only its buttons do.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.findChild<QToolButton *>(button), Qt::LeftButton);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), framed ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(dialog.zoneFramed(), framed);
    QVERIFY(!dialog.isVisible());
}

// A 24-megapixel photo is shown from a copy the size of the view, while the zone is counted in
// the photo's pixels.
void TestFramingDialog::largePhotoIsShownFromASmallCopy()
{
    const QRgb colour = qRgb(120, 180, 60);
    FramingDialog dialog;
    dialog.prepare(flatPicture(6000, 4000, colour));
    QCOMPARE(dialog.view()->size(), QSize(360, 240));
    QCOMPARE(dialog.selection(), (SelectionRect{0, 0, 4000, 4000}));
    QVERIFY(showsZone(dialog.view(), colour, QRect(0, 0, 240, 240)));
    QCOMPARE(displayCopy(flatPicture(6000, 4000, colour), QSize(360, 240)).size(), QSize(360, 240));
}

QTEST_MAIN(TestFramingDialog)
#include "tst_framingdialog.moc"
