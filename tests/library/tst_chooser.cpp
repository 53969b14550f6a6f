#include "BuiltinResources.h"
#include "PuzzleStore.h"
#include "TFliste.h"
#include "ThumbnailMarks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <functional>

namespace {

constexpr QRgb Ground = 0xFF203040u;  // a thumbnail colour no badge uses

QImage plain(int size, QRgb colour = Ground)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

PuzzleDescription description(const QString &name, int cols = 1, int rows = 1, bool model = false,
                              bool rotation = false, int time = 0)
{
    PuzzleDescription d;
    d.PuzzleName = name;
    d.GridCols = cols;
    d.GridRows = rows;
    d.ModelAllowed = model;
    d.ModelMode = model ? 1 : 0;
    d.RotationEnabled = rotation;
    d.TimeLimit = time;
    return d;
}

int addPuzzle(PuzzleStore &store, const PuzzleDescription &d)
{
    return store.saveNewPuzzle(d, plain(360), plain(100));
}

void fillStore(PuzzleStore &store, int count)
{
    for (int i = 0; i < count; ++i)
        addPuzzle(store, description(QStringLiteral("Puzzle %1").arg(i)));
}

// Answers every message box that comes up while it lives, and notes what it said.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(std::function<void()> onBox = {}) : m_onBox(std::move(onBox))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(10);
    }

    QStringList titles;
    QStringList texts;

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        titles << box->windowTitle();
        texts << box->text();
        if (m_onBox)
            m_onBox();
        box->buttons().constFirst()->click();
    }

    std::function<void()> m_onBox;
    QTimer m_timer;
};

// Runs the chooser with exec(); `act` is called on it once it is shown. A guard closes it
// should `act` leave it open.
int execChooser(TFliste &form, const std::function<void(TFliste *)> &act)
{
    QTimer::singleShot(0, [&act] {
        if (auto *shown = qobject_cast<TFliste *>(QApplication::activeModalWidget()))
            act(shown);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &form, [&form] { form.done(-2); });
    guard.start(5000);
    return form.exec();
}

QScrollArea *scrollBox(TFliste &form) { return form.findChild<QScrollArea *>(QStringLiteral("SB")); }

// The first pixel of a badge that is not its key colour.
QPoint firstFigurePixel(const QImage &badge)
{
    for (int y = 0; y < badge.height(); ++y)
        for (int x = 0; x < badge.width(); ++x)
            if (badge.pixel(x, y) != BuiltinResources::BadgeKey)
                return {x, y};
    return {-1, -1};
}

} // namespace

class TestChooser : public QObject
{
    Q_OBJECT

private slots:
    void gridMarks_data();
    void gridMarks();
    void badgesByCondition_data();
    void badgesByCondition();

    void formLayout();
    void thumbnailPlaces();
    void thumbnailsShowTheirPuzzle();
    void wheelScrollsTheList();

    void mouseDown_data();
    void mouseDown();
    void leftClickAnswersThePuzzle_data();
    void leftClickAnswersThePuzzle();
    void cancelAnswersMinusOne_data();
    void cancelAnswersMinusOne();

    void unreadablePuzzlesAreLeftOut();
    void emptyStore();
    void rescanDropsDeletedPuzzle();
    void rescanFromTheMenuRequest();
};

void TestChooser::gridMarks_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("xs");
    QTest::addColumn<QList<int>>("ys");

    QTest::newRow("1 x 1") << 100 << 1 << 1 << QList<int>{} << QList<int>{};
    QTest::newRow("3 x 1") << 100 << 3 << 1 << QList<int>{33, 66} << QList<int>{};
    QTest::newRow("6 x 1") << 100 << 6 << 1 << QList<int>{16, 32, 48, 64, 80} << QList<int>{};
    QTest::newRow("1 x 3") << 100 << 1 << 3 << QList<int>{} << QList<int>{33, 66};
    QTest::newRow("1 x 6") << 100 << 1 << 6 << QList<int>{} << QList<int>{16, 32, 48, 64, 80};
    QTest::newRow("3 x 2") << 100 << 3 << 2 << QList<int>{33, 66} << QList<int>{50};
    // Lines are drawn for a 100 x 100 picture, at places computed from the real size.
    QTest::newRow("120 px, 2 x 2") << 120 << 2 << 2 << QList<int>{60} << QList<int>{60};
}

void TestChooser::gridMarks()
{
    QFETCH(int, size);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QList<int>, xs);
    QFETCH(QList<int>, ys);

    const QImage marked =
        decorateThumbnail(plain(size), {columns, rows, false, false, false}, ThumbnailBadges::builtin());
    QCOMPARE(marked.size(), QSize(size, size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool line = (xs.contains(x) && y < 100) || (ys.contains(y) && x < 100);
            const QRgb expected = line ? 0xFFFFFFFFu : Ground;
            if (marked.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                     .arg(x).arg(y)
                                     .arg(marked.pixel(x, y), 8, 16)
                                     .arg(expected, 8, 16)));
        }
    }
}

void TestChooser::badgesByCondition_data()
{
    QTest::addColumn<bool>("model");
    QTest::addColumn<bool>("rotation");
    QTest::addColumn<bool>("timed");

    QTest::newRow("none") << false << false << false;
    QTest::newRow("model") << true << false << false;
    QTest::newRow("rotation") << false << true << false;
    QTest::newRow("clock") << false << false << true;
    QTest::newRow("all three") << true << true << true;
}

void TestChooser::badgesByCondition()
{
    QFETCH(bool, model);
    QFETCH(bool, rotation);
    QFETCH(bool, timed);

    // A 6 x 6 grid runs under every badge: a badge covers the lines, its key colour does not.
    const ThumbnailBadges badges = ThumbnailBadges::builtin();
    const QImage gridOnly = decorateThumbnail(plain(100), {6, 6, false, false, false}, badges);
    const QImage marked = decorateThumbnail(plain(100), {6, 6, model, rotation, timed}, badges);

    struct Badge
    {
        const char *path;
        QPoint at;
        bool shown;
    };
    const Badge all[] = {{BuiltinResources::BadgeModel, {76, 78}, model},
                         {BuiltinResources::BadgeRotation, {2, 78}, rotation},
                         {BuiltinResources::BadgeClock, {2, 2}, timed}};
    for (const Badge &badge : all) {
        const QImage raw = QImage(QString::fromLatin1(badge.path)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(raw.size(), QSize(22, 22));
        const QPoint figure = firstFigurePixel(raw);
        QVERIFY(figure.x() >= 0);
        QCOMPARE(marked.pixel(badge.at + figure),
                 badge.shown ? raw.pixel(figure) : gridOnly.pixel(badge.at + figure));
        for (int y = 0; y < 22; ++y) {
            for (int x = 0; x < 22; ++x) {
                const QPoint p = badge.at + QPoint(x, y);
                const bool key = raw.pixel(x, y) == BuiltinResources::BadgeKey;
                const QRgb expected = badge.shown && !key ? raw.pixel(x, y) : gridOnly.pixel(p);
                if (marked.pixel(p) != expected)
                    QFAIL(qPrintable(QStringLiteral("%1: pixel (%2, %3) is %4, expected %5")
                                         .arg(QLatin1String(badge.path))
                                         .arg(p.x()).arg(p.y())
                                         .arg(marked.pixel(p), 8, 16)
                                         .arg(expected, 8, 16)));
            }
        }
    }
    // Outside the badges the picture is the grid alone.
    QCOMPARE(marked.pixel(50, 50), gridOnly.pixel(50, 50));
    QCOMPARE(marked.pixel(48, 40), gridOnly.pixel(48, 40));
}

void TestChooser::formLayout()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TFliste form(PuzzleStore(dir.path()), {});

    QCOMPARE(form.size(), QSize(728, 480));
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(form.isModal());
    QCOMPARE(form.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));

    const auto geometryOf = [&form](const char *name) {
        auto *widget = form.findChild<QWidget *>(QLatin1String(name));
        return widget ? widget->geometry() : QRect();
    };
    QCOMPARE(geometryOf("P1"), QRect(0, 0, 728, 480));
    QCOMPARE(geometryOf("Label1"), QRect(16, 8, 361, 17));
    QCOMPARE(geometryOf("SB"), QRect(16, 32, 688, 400));
    QCOMPARE(geometryOf("Label2").topLeft(), QPoint(16, 442));
    QCOMPARE(geometryOf("Annuler"), QRect(611, 436, 97, 33));

    auto *label1 = form.findChild<QLabel *>(QStringLiteral("Label1"));
    auto *label2 = form.findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(label1->text(), QStringLiteral("Choisis un puzzle..."));
    QCOMPARE(label2->text(), QStringLiteral("Ctrl+Clic droit sur un puzzle pour les options"));
    QCOMPARE(label1->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));

    auto *annuler = form.findChild<QToolButton *>(QStringLiteral("Annuler"));
    QCOMPARE(annuler->text(), QStringLiteral("ANNULER"));
    QVERIFY(annuler->autoRaise());
    QCOMPARE(annuler->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(annuler->font().pixelSize(), 13);
    QVERIFY(annuler->font().bold());
    QCOMPARE(annuler->palette().color(QPalette::ButtonText), QColor(0x80, 0, 0));

    QCOMPARE(scrollBox(form)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(scrollBox(form)->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(form.geometry().center(), screen.center());
}

void TestChooser::thumbnailPlaces()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 7);
    TFliste form(store, {});

    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    const QList<QPoint> places = {{10, 10}, {120, 10}, {230, 10}, {340, 10},
                                  {450, 10}, {560, 10}, {10, 120}};
    const QList<ThumbnailLabel *> &vv = form.thumbnails();
    QCOMPARE(vv.size(), places.size());
    for (int i = 0; i < vv.size(); ++i) {
        QCOMPARE(vv[i]->geometry(), QRect(places[i], QSize(100, 100)));
        QCOMPARE(vv[i]->Tag(), i);
        QCOMPARE(vv[i]->objectName(), QStringLiteral("VV%1").arg(i));
        QCOMPARE(vv[i]->toolTip(), QStringLiteral("Puzzle %1").arg(i));
        QCOMPARE(vv[i]->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(vv[i]->parentWidget(), scrollBox(form)->widget());
    }
    // The content holds both rows, so nothing is cut off.
    QVERIFY(scrollBox(form)->widget()->minimumHeight() >= 220);
}

void TestChooser::thumbnailsShowTheirPuzzle()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    // Each value goes to one mark only: a swap of rows and columns or of two badges shows.
    const QList<PuzzleDescription> puzzles = {
        description(QStringLiteral("Lapins"), 3, 2, true, false, 0),
        description(QStringLiteral("Chats"), 1, 4, false, true, 0),
        description(QStringLiteral("Été"), 5, 1, false, false, 30),
        description(QStringLiteral("Remplacé")),
    };
    for (const PuzzleDescription &d : puzzles)
        addPuzzle(store, d);
    // A five-line description has no time limit.
    QFile five(QDir(dir.path()).filePath(QStringLiteral("puz3.tvn")));
    QVERIFY(five.open(QIODevice::WriteOnly));
    five.write("Cinq\r\n2\r\n2\r\nmod\xE8le=NON\r\nrotation=NON\r\n");
    five.close();

    TFliste form(store, {});
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2, 3}));
    const ThumbnailBadges badges = ThumbnailBadges::builtin();
    const QList<ThumbnailMarks> marks = {{3, 2, true, false, false},
                                         {1, 4, false, true, false},
                                         {5, 1, false, false, true},
                                         {2, 2, false, false, false}};
    for (int i = 0; i < marks.size(); ++i) {
        const QImage shown = form.thumbnails()[i]->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, decorateThumbnail(plain(100), marks[i], badges));
    }
    QCOMPARE(form.thumbnails()[2]->toolTip(), QStringLiteral("Été"));
    QCOMPARE(form.thumbnails()[3]->toolTip(), QStringLiteral("Cinq"));
    QCOMPARE(form.thumbnails()[0]->pixmap().toImage().pixel(33, 10), 0xFFFFFFFFu);
}

void TestChooser::wheelScrollsTheList()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 19);  // four rows: one more than the box shows
    TFliste form(store, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QScrollBar *bar = scrollBox(form)->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), 0);

    // Over a thumbnail, as the window system delivers it: a spontaneous event travels up to
    // the box. sendEvent would clear the mark, so it goes to notify() directly.
    ThumbnailLabel *vv = form.thumbnails().constFirst();
    const QPointF at(50, 50);
    QWheelEvent wheel(at, vv->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(vv, &wheel);
    QVERIFY(bar->value() > 0);
}

void TestChooser::mouseDown_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("popup");

    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("ctrl + left") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("ctrl + right") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("ctrl + shift + right")
        << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << true;
}

void TestChooser::mouseDown()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, popup);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 3);
    store.deletePuzzle(1);  // numbers 0 and 2: the Tag is not the list position
    TFliste form(store, {});
    QSignalSpy requests(&form, &TFliste::popupRequested);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    ThumbnailLabel *vv = form.thumbnails().at(1);
    QCOMPARE(vv->Tag(), 2);
    const QPoint at(30, 40);
    QTest::mousePress(vv, button, modifiers, at);

    QCOMPARE(form.SelectedPuzzle, 2);
    QCOMPARE(form.PictureFile, QStringLiteral("image2.bmp"));
    QCOMPARE(form.PopupPuzzle, popup ? 2 : -1);
    QCOMPARE(requests.size(), popup ? 1 : 0);
    if (popup) {
        QCOMPARE(requests.at(0).at(0).toInt(), 2);
        QCOMPARE(requests.at(0).at(1).toPoint(), vv->mapToGlobal(at));
    }
    QVERIFY(form.isVisible());  // a press alone closes nothing
    QTest::mouseRelease(vv, button, modifiers, at);
}

void TestChooser::leftClickAnswersThePuzzle_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("plain") << Qt::KeyboardModifiers();
    QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
}

void TestChooser::leftClickAnswersThePuzzle()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 8);
    store.deletePuzzle(2);
    TFliste form(store, {});

    form.SelectedPuzzle = -1;
    const int result = execChooser(form, [modifiers](TFliste *shown) {
        QTest::mouseClick(shown->thumbnails().at(6), Qt::LeftButton, modifiers, {50, 50});
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(form.SelectedPuzzle, 7);
}

void TestChooser::cancelAnswersMinusOne_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("releaseOutside");
    QTest::addColumn<bool>("escape");

    const auto none = Qt::KeyboardModifiers();
    const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("nothing pressed") << Qt::NoButton << none << false << false;
    QTest::newRow("right click") << Qt::RightButton << none << false << false;
    QTest::newRow("ctrl + right click") << Qt::RightButton << ctrl << false << false;
    QTest::newRow("left press released off the thumbnail") << Qt::LeftButton << none << true << false;
    QTest::newRow("right click, then Escape") << Qt::RightButton << none << false << true;
}

void TestChooser::cancelAnswersMinusOne()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, releaseOutside);
    QFETCH(bool, escape);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 3);
    TFliste form(store, {});

    form.SelectedPuzzle = -1;
    const int result = execChooser(form, [&](TFliste *shown) {
        ThumbnailLabel *vv = shown->thumbnails().at(1);
        if (button != Qt::NoButton) {
            QTest::mousePress(vv, button, modifiers, {50, 50});
            QTest::mouseRelease(vv, button, modifiers, releaseOutside ? QPoint(150, 50) : QPoint(50, 50));
        }
        if (shown->isVisible() && escape)
            QTest::keyClick(shown, Qt::Key_Escape);
        else if (shown->isVisible())
            QTest::mouseClick(shown->findChild<QToolButton *>(QStringLiteral("Annuler")), Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(form.SelectedPuzzle, -1);
    if (button != Qt::NoButton)
        QCOMPARE(form.PictureFile, QStringLiteral("image1.bmp"));  // the press did land
}

void TestChooser::unreadablePuzzlesAreLeftOut()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 4);
    const QDir storeDir(dir.path());
    {
        QFile bad(storeDir.filePath(QStringLiteral("puz1.tvn")));
        QVERIFY(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write("Cassé\r\ntrois\r\n2\r\nmod\xE8le=OUI\r\nrotation=NON\r\n");
    }
    QVERIFY(QFile::remove(storeDir.filePath(QStringLiteral("vignette2.bmp"))));
    const QStringList before = storeDir.entryList(QDir::Files, QDir::Name);
    const QByteArray badBytes = store.readFile(QStringLiteral("puz1.tvn"));

    int finished = 0;
    QList<int> finishedWhenBoxShown;
    BoxAnswerer boxes([&] { finishedWhenBoxShown << finished; });
    TFliste form(store, [&finished] { ++finished; });

    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 3}));
    QCOMPARE(form.thumbnails().at(1)->pos(), QPoint(120, 10));  // no gap where they were
    QCOMPARE(finished, 1);
    QCOMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.titles.at(0), QStringLiteral("TIVANE"));
    QVERIFY2(boxes.texts.at(0).contains(QStringLiteral("puz1.tvn")), qPrintable(boxes.texts.at(0)));
    QVERIFY2(boxes.texts.at(0).contains(QStringLiteral("vignette2.bmp")), qPrintable(boxes.texts.at(0)));
    // The list was ready before the box: nobody waiting for it waits for the box too.
    QCOMPARE(finishedWhenBoxShown, QList<int>{1});

    // Reading changed nothing in the store.
    QCOMPARE(storeDir.entryList(QDir::Files, QDir::Name), before);
    QCOMPARE(store.readFile(QStringLiteral("puz1.tvn")), badBytes);
}

void TestChooser::emptyStore()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    int finished = 0;
    BoxAnswerer boxes;
    TFliste form(PuzzleStore(dir.path()), [&finished] { ++finished; });
    QCOMPARE(finished, 1);
    QVERIFY(form.puzzleNumbers().isEmpty());
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(scrollBox(form)->widget()->minimumHeight(), 0);
}

void TestChooser::rescanDropsDeletedPuzzle()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 3);
    int finished = 0;
    TFliste form(store, [&finished] { ++finished; });
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2}));

    store.deletePuzzle(1);
    form.ScanPuzzles();
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 2}));
    QCOMPARE(form.thumbnails().at(1)->pos(), QPoint(120, 10));
    QCOMPARE(form.findChildren<ThumbnailLabel *>().size(), 2);
    QCOMPARE(finished, 2);

    addPuzzle(store, description(QStringLiteral("Nouveau")));
    form.ScanPuzzles();
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2}));
    QCOMPARE(form.thumbnails().at(1)->toolTip(), QStringLiteral("Nouveau"));
    QCOMPARE(finished, 3);
}

void TestChooser::rescanFromTheMenuRequest()
{
    // The management menu deletes a puzzle and rescans while the thumbnail's press is still
    // being handled; the pressed thumbnail must outlive its own handler.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 3);
    TFliste form(store, {});
    connect(&form, &TFliste::popupRequested, &form, [&form](int puzzle) {
        form.store().deletePuzzle(puzzle);
        form.ScanPuzzles();
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QPointer<ThumbnailLabel> pressed = form.thumbnails().at(1);
    QTest::mousePress(pressed, Qt::RightButton, Qt::ControlModifier, {50, 50});
    QTest::mouseRelease(pressed, Qt::RightButton, Qt::ControlModifier, {50, 50});
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 2}));
    QVERIFY(pressed);
    QVERIFY(!pressed->isVisible());

    // A later scan, outside any handler, lets the old thumbnails go.
    form.ScanPuzzles();
    QVERIFY(!pressed);
    QCOMPARE(form.findChildren<ThumbnailLabel *>().size(), 2);
}

QTEST_MAIN(TestChooser)
#include "tst_chooser.moc"
