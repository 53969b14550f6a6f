#include "core/BuiltinResources.h"
#include "store/PuzzleStore.h"
#include "library/PuzzleChooser.h"
#include "library/ThumbnailMarks.h"
#include "HostileFiles.h"
#include "ModalAnswerer.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
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

using namespace tivane;

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
    d.puzzleName = name;
    d.gridCols = cols;
    d.gridRows = rows;
    d.modelAllowed = model;
    d.modelMode = model ? ModelMode::OnClick : ModelMode::None;
    d.rotationEnabled = rotation;
    d.timeLimit = time;
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

// Opens the chooser for a choice; `act` is called on it once it is shown. Returns its result
// once it has closed (-2 should `act` leave it open).
int runChooser(PuzzleChooser &form, const std::function<void(PuzzleChooser *)> &act)
{
    form.openForChoice();
    if (!QTest::qWaitForWindowExposed(&form))
        return -3;
    act(&form);
    if (!QTest::qWaitFor([&form] { return !form.isVisible(); }, 5000)) {
        form.done(-2);
        return -2;
    }
    return form.result();
}

// A chooser over a store of plain puzzles in a temporary folder, its list built.
struct ChooserRig
{
    explicit ChooserRig(int puzzles)
    {
        fillStore(store, puzzles);
        form.scanPuzzles();
    }
    QTemporaryDir dir;
    PuzzleStore store{dir.path()};
    PuzzleChooser form{store};
};

QScrollArea *scrollBox(PuzzleChooser &form) { return form.findChild<QScrollArea *>(QStringLiteral("SB")); }

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
    void listFollowsTheStore();
    void deleteAsksFirst_data();
    void deleteAsksFirst();

    void hostileStoreShowsOnePuzzlePerNumber();
    void longMessageFitsTheScreen();
    void changesByAnotherProgramAppear();
    void deleteOfAPuzzleChangedElsewhere_data();
    void deleteOfAPuzzleChangedElsewhere();
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
    PuzzleStore store(dir.path());
    PuzzleChooser form(store);
    form.scanPuzzles();

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
    ChooserRig rig(7);

    QCOMPARE(rig.form.puzzleNumbers(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    const QList<QPoint> places = {{10, 10}, {120, 10}, {230, 10}, {340, 10},
                                  {450, 10}, {560, 10}, {10, 120}};
    const QList<ThumbnailLabel *> &vv = rig.form.thumbnails();
    QCOMPARE(vv.size(), places.size());
    for (int i = 0; i < vv.size(); ++i) {
        QCOMPARE(vv[i]->geometry(), QRect(places[i], QSize(100, 100)));
        QCOMPARE(vv[i]->tag(), i);
        QCOMPARE(vv[i]->objectName(), QStringLiteral("VV%1").arg(i));
        QCOMPARE(vv[i]->toolTip(), QStringLiteral("Puzzle %1").arg(i));
        QCOMPARE(vv[i]->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(vv[i]->parentWidget(), scrollBox(rig.form)->widget());
    }
    // The content holds both rows, so nothing is cut off.
    QVERIFY(scrollBox(rig.form)->widget()->minimumHeight() >= 220);
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

    PuzzleChooser form(store);
    form.scanPuzzles();
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
    PuzzleChooser form(store);
    form.scanPuzzles();
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
    PuzzleChooser form(store);
    form.scanPuzzles();
    QSignalSpy requests(&form, &PuzzleChooser::popupRequested);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    ThumbnailLabel *vv = form.thumbnails().at(1);
    QCOMPARE(vv->tag(), 2);
    const QPoint at(30, 40);
    QTest::mousePress(vv, button, modifiers, at);

    QCOMPARE(form.selectedPuzzle(), 2);
    QCOMPARE(form.pictureFile(), QStringLiteral("image2.bmp"));
    QCOMPARE(form.popupPuzzle(), popup ? 2 : -1);
    QCOMPARE(requests.size(), popup ? 1 : 0);
    QCOMPARE(form.managementMenu()->isVisible(), popup);
    if (popup) {
        QCOMPARE(requests.at(0).at(0).toInt(), 2);
        QCOMPARE(requests.at(0).at(1).toPoint(), vv->mapToGlobal(at));
        QCOMPARE(form.managementMenu()->pos(), vv->mapToGlobal(at));
        QStringList entries;
        for (const QAction *action : form.managementMenu()->actions())
            entries << action->text();
        QCOMPARE(entries, (QStringList{"Imprimer", "Supprimer", "Modifier", "Exporter", "Importer"}));
        form.managementMenu()->hide();
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
    PuzzleChooser form(store);
    form.scanPuzzles();

    const int result = runChooser(form, [modifiers](PuzzleChooser *shown) {
        QTest::mouseClick(shown->thumbnails().at(6), Qt::LeftButton, modifiers, {50, 50});
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(form.selectedPuzzle(), 7);
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

    ChooserRig rig(3);

    const int result = runChooser(rig.form, [&](PuzzleChooser *shown) {
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
    QCOMPARE(rig.form.selectedPuzzle(), -1);
    if (button != Qt::NoButton)
        QCOMPARE(rig.form.pictureFile(), QStringLiteral("image1.bmp"));  // the press did land
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
    ModalAnswerer boxes([&](QWidget *box) {
        finishedWhenBoxShown << finished;
        ModalAnswerer::clickStandard(box, QMessageBox::Ok);
    });
    PuzzleChooser form(store);
    connect(&form, &PuzzleChooser::listRebuilt, [&finished] { ++finished; });
    form.scanPuzzles();

    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 3}));
    QCOMPARE(form.thumbnails().at(1)->pos(), QPoint(120, 10));  // no gap where they were
    QCOMPARE(finished, 1);
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.titles.at(0), QStringLiteral("TIVANE"));
    const QString text = boxes.texts.join(QLatin1Char('\n'));
    QVERIFY2(text.contains(QStringLiteral("puz1.tvn")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("vignette2.bmp")), qPrintable(text));
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
    ModalAnswerer boxes;
    PuzzleStore store(dir.path());
    PuzzleChooser form(store);
    connect(&form, &PuzzleChooser::listRebuilt, [&finished] { ++finished; });
    form.scanPuzzles();
    QCOMPARE(finished, 1);
    QTest::qWait(50);
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
    PuzzleChooser form(store);
    connect(&form, &PuzzleChooser::listRebuilt, [&finished] { ++finished; });
    form.scanPuzzles();
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2}));

    store.deletePuzzle(1);
    form.scanPuzzles();
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 2}));
    QCOMPARE(form.thumbnails().at(1)->pos(), QPoint(120, 10));
    QTRY_COMPARE(form.findChildren<ThumbnailLabel *>().size(), 2);
    QCOMPARE(finished, 2);

    addPuzzle(store, description(QStringLiteral("Nouveau")));
    form.scanPuzzles();
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2}));
    QCOMPARE(form.thumbnails().at(1)->toolTip(), QStringLiteral("Nouveau"));
    QCOMPARE(finished, 3);
}

void TestChooser::listFollowsTheStore()
{
    ChooserRig rig(3);
    addPuzzle(rig.store, description(QStringLiteral("Nouveau")));
    QTRY_COMPARE(rig.form.puzzleNumbers(), (QList<int>{0, 1, 2, 3}));

    // A change made from inside a thumbnail's own press: the thumbnail outlives its handler.
    connect(&rig.form, &PuzzleChooser::popupRequested, &rig.form, [&rig](int puzzle) { rig.store.deletePuzzle(puzzle); });
    rig.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
    QPointer<ThumbnailLabel> pressed = rig.form.thumbnails().at(1);
    QTest::mousePress(pressed, Qt::RightButton, Qt::ControlModifier, {50, 50});
    QTest::mouseRelease(pressed, Qt::RightButton, Qt::ControlModifier, {50, 50});
    rig.form.managementMenu()->hide();
    QTRY_COMPARE(rig.form.puzzleNumbers(), (QList<int>{0, 2, 3}));
    QTRY_VERIFY(!pressed);
    QCOMPARE(rig.form.findChildren<ThumbnailLabel *>().size(), 3);
}

void TestChooser::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("removalFails");
    QTest::newRow("Non") << false << false;
    QTest::newRow("Oui") << true << false;
    QTest::newRow("Oui, removal fails") << true << true;
}

void TestChooser::deleteAsksFirst()
{
    QFETCH(bool, yes);
    QFETCH(bool, removalFails);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 3);
    if (removalFails)
        store.setFaultHook([](const QString &name) { return name == QLatin1String("puz1.tvn"); });
    PuzzleChooser form(store);
    form.scanPuzzles();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mousePress(form.thumbnails().at(1), Qt::RightButton, Qt::ControlModifier, {50, 50});
    QVERIFY(form.managementMenu()->isVisible());

    ModalAnswerer answers([yes](QWidget *box) {
        if (box->windowTitle() == QLatin1String("Suppression d'un puzzle"))
            ModalAnswerer::clickStandard(box, yes ? QMessageBox::Yes : QMessageBox::No);
        else
            ModalAnswerer::clickStandard(box, QMessageBox::Ok);
    });
    form.deleteAction()->trigger();
    QTRY_VERIFY(answers.count() >= 1);
    QCOMPARE(answers.titles.at(0), QStringLiteral("Suppression d'un puzzle"));
    QCOMPARE(answers.texts.at(0), QStringLiteral("Confirmez-vous l'effacement ?"));

    const bool removed = yes && !removalFails;
    if (yes)
        QTRY_VERIFY(!form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    if (removalFails) {
        QTRY_COMPARE(answers.count(), 2);
        QVERIFY2(answers.texts.contains(QStringLiteral("Impossible de supprimer le fichier « puz1.tvn » : "
                                                       "le fichier ne peut pas être supprimé.")),
                 qPrintable(answers.texts.join(QLatin1Char('|'))));
    }
    QTest::qWait(20);
    QCOMPARE(form.puzzleNumbers(), removed ? (QList<int>{0, 2}) : (QList<int>{0, 1, 2}));
    QCOMPARE(QFileInfo::exists(dir.filePath(QStringLiteral("puz1.tvn"))), !removed);
    // The pictures stay: the next new puzzle takes the number and replaces them.
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("image1.bmp"))));
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("vignette1.bmp"))));
    QVERIFY(!QApplication::overrideCursor());
}

// A store as schools have them: copies made by a file manager, a backup, two spellings of one
// number, thumbnails of every size and some that would take seconds to decode. Each thumbnail
// shown is 100 x 100 and plays its own puzzle; everything else is named in one message.
void TestChooser::hostileStoreShowsOnePuzzlePerNumber()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 6);
    const QString path = dir.path();
    // Another spelling of puzzle 1, a copy and a backup.
    QVERIFY(HostileFiles::writeFile(path, QStringLiteral("Puz1.tvn"), HostileFiles::description("Imposteur", 3, 3)));
    QVERIFY(HostileFiles::writeFile(path, QStringLiteral("puz1 - Copie.tvn"), HostileFiles::description("Copie")));
    QVERIFY(HostileFiles::writeFile(path, QStringLiteral("sauvegarde.tvn"), HostileFiles::description("Sauvegarde")));
    // Thumbnails of other sizes: drawn at 100 x 100, or refused above 1,024.
    store.writePicture(PuzzleStore::thumbnailName(0), plain(1, qRgb(250, 0, 0)));
    store.writePicture(PuzzleStore::thumbnailName(2), plain(1024, qRgb(0, 0, 250)));
    QImage wide(7, 3, QImage::Format_RGB32);
    wide.fill(qRgb(0, 250, 0));
    store.writePicture(PuzzleStore::thumbnailName(3), wide);
    store.writePicture(PuzzleStore::thumbnailName(4), plain(2000));
    QVERIFY(HostileFiles::writeFile(path, PuzzleStore::thumbnailName(5), HostileFiles::rleBomb()));

    ModalAnswerer boxes;
    PuzzleChooser form(store);
    form.scanPuzzles();
    QCOMPARE(form.puzzleNumbers(), (QList<int>{0, 1, 2, 3}));
    for (ThumbnailLabel *thumbnail : form.thumbnails()) {
        QCOMPARE(thumbnail->size(), QSize(100, 100));
        QCOMPARE(thumbnail->pixmap().size(), QSize(100, 100));
        // What the click plays is what the thumbnail showed.
        QCOMPARE(thumbnail->toolTip(), store.readDescription(thumbnail->tag()).puzzleName);
    }
    QCOMPARE(form.thumbnails().at(1)->toolTip(), QStringLiteral("Puzzle 1"));
    const QImage one = form.thumbnails().at(0)->pixmap().toImage();
    QCOMPARE(one.pixel(50, 50), qRgb(250, 0, 0));
    QCOMPARE(one.pixel(99, 99), qRgb(250, 0, 0));
    QCOMPARE(form.thumbnails().at(2)->pixmap().toImage().pixel(99, 0), qRgb(0, 0, 250));
    QCOMPARE(form.thumbnails().at(3)->pixmap().toImage().pixel(0, 99), qRgb(0, 250, 0));

    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.names.at(0), QStringLiteral("ListeMessages"));
    const QString text = boxes.texts.join(QLatin1Char('\n'));
    for (const char *expected : {"« Puz1.tvn » : il donne le même numéro de puzzle que « puz1.tvn »",
                                 "« puz1 - Copie.tvn » : ce n'est pas un fichier de puzzle",
                                 "« sauvegarde.tvn » : ce n'est pas un fichier de puzzle",
                                 "« vignette4.bmp » : l'image mesure 2000 × 2000 pixels",
                                 "« vignette5.bmp » : l'image mesure 5600 × 5600 pixels"})
        QVERIFY2(text.contains(QString::fromUtf8(expected).toHtmlEscaped()), qPrintable(text));
}

// 63 unreadable puzzles: the message fits the screen (and a 768-pixel one), OK within reach, and
// it comes after the list is ready.
void TestChooser::longMessageFitsTheScreen()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PuzzleStore store(dir.path());
    fillStore(store, 2);
    for (int n = 2; n < 65; ++n)
        QVERIFY(HostileFiles::writeFile(dir.path(), PuzzleStore::descriptionName(n), HostileFiles::description("Cassé", 0, 9)));

    QRect frame;
    QRect ok;
    int listedWhenShown = -1;
    PuzzleChooser form(store);
    ModalAnswerer boxes([&](QWidget *box) {
        frame = box->frameGeometry();
        auto *button = box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        ok = QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
        listedWhenShown = int(form.puzzleNumbers().size());
        QTest::mouseClick(button, Qt::LeftButton);
    });
    form.scanPuzzles();
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.names.at(0), QStringLiteral("ListeMessages"));
    QCOMPARE(boxes.texts.join(QLatin1Char('\n')).count(QStringLiteral("la grille de 0 colonne(s)")), 63);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(frame));
    QVERIFY(frame.height() <= 768);
    QVERIFY(screen.contains(ok));
    QCOMPARE(listedWhenShown, 2);
}

// Another program adds a puzzle to the folder, then removes one: the open chooser shows it
// within a second, with one scan for each save's burst of files.
void TestChooser::changesByAnotherProgramAppear()
{
    ChooserRig rig(3);
    int scans = 0;
    connect(&rig.form, &PuzzleChooser::listRebuilt, [&scans] { ++scans; });
    rig.form.openForChoice();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
    QCOMPARE(scans, 0);

    QProcess other;
    other.start(QStringLiteral(STORE_WRITER), {rig.dir.path(), QStringLiteral("1"), QStringLiteral("1")});
    QVERIFY(other.waitForFinished(10000));
    QCOMPARE(other.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(rig.form.puzzleNumbers(), (QList<int>{0, 1, 2, 3}), 1000);
    QCOMPARE(rig.form.thumbnails().at(3)->toolTip(), QStringLiteral("1-0"));
    QTest::qWait(PuzzleChooser::MaxSettleMs + 100);
    QCOMPARE(scans, 1);

    QVERIFY(QFile::remove(rig.dir.filePath(PuzzleStore::descriptionName(1))));
    QTRY_COMPARE_WITH_TIMEOUT(rig.form.puzzleNumbers(), (QList<int>{0, 2, 3}), 1000);
    QCOMPARE(scans, 2);

    // A save through the program's own rig.store is scanned once, not again by the watcher.
    addPuzzle(rig.store, description(QStringLiteral("Ici")));
    QTRY_COMPARE(rig.form.puzzleNumbers(), (QList<int>{0, 1, 2, 3}));
    QTest::qWait(PuzzleChooser::MaxSettleMs + 100);
    QCOMPARE(scans, 3);
    rig.form.reject();
}

void TestChooser::deleteOfAPuzzleChangedElsewhere_data()
{
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QString>("message");
    QTest::newRow("removed by another program") << true
        << QStringLiteral("Impossible de supprimer le fichier « puz1.tvn » : le puzzle a déjà été supprimé, "
                          "sans doute depuis un autre poste.");
    QTest::newRow("changed by another program") << false
        << QStringLiteral("Impossible de supprimer le fichier « puz1.tvn » : le puzzle a été modifié entre-temps, "
                          "sans doute depuis un autre poste ; il n'a pas été supprimé.");
}

// The teacher asks to delete the puzzle the list shows, and another program removes or changes it
// before the deletion: a message, and nothing removed.
void TestChooser::deleteOfAPuzzleChangedElsewhere()
{
    QFETCH(bool, removed);
    QFETCH(QString, message);

    ChooserRig rig(3);
    rig.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
    QTest::mousePress(rig.form.thumbnails().at(1), Qt::RightButton, Qt::ControlModifier, {50, 50});
    QVERIFY(rig.form.managementMenu()->isVisible());

    QStringList before;
    QList<QByteArray> bytes;
    ModalAnswerer answers([&](QWidget *box) {
        if (box->windowTitle() != QLatin1String("Suppression d'un puzzle")) {
            ModalAnswerer::clickStandard(box, QMessageBox::Ok);
            return;
        }
        // Between the question and the answer, another program acts.
        PuzzleStore other(rig.dir.path());
        if (removed)
            other.deletePuzzle(1);
        else
            other.writeDescription(1, description(QStringLiteral("Changé ailleurs"), 2, 2), DescriptionLines::All);
        before = QDir(rig.dir.path()).entryList(QDir::Files, QDir::Name);
        for (const QString &name : before)
            bytes << rig.store.readFile(name);
        ModalAnswerer::clickStandard(box, QMessageBox::Yes);
    });
    rig.form.deleteAction()->trigger();
    QTRY_COMPARE(answers.count(), 2);
    QCOMPARE(answers.titles.at(1), QStringLiteral("TIVANE"));
    QVERIFY2(answers.texts.contains(message), qPrintable(answers.texts.join(QLatin1Char('|'))));
    QCOMPARE(QDir(rig.dir.path()).entryList(QDir::Files, QDir::Name), before);
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(rig.store.readFile(before[i]), bytes[i]);
    QCOMPARE(rig.form.puzzleNumbers(), removed ? (QList<int>{0, 2}) : (QList<int>{0, 1, 2}));
    QTRY_VERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestChooser)
#include "tst_chooser.moc"
