#include "MainScreenRig.h"
#include "ModalAnswerer.h"
#include "TestPuzzles.h"
#include "play/IdleTimer.h"
#include "authoring/CreationForm.h"
#include "authoring/EditingForm.h"
#include "core/StepPacer.h"
#include "library/PuzzleChooser.h"
#include "play/IdleDemo.h"
#include "printing/PrintForm.h"
#include "store/StarterPuzzles.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace tivane;

namespace {
QImage iconImage(const QToolButton *button)
{
    return button->icon().pixmap(20, 20).toImage().convertToFormat(QImage::Format_ARGB32);
}
}

class TestMainScreen : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void controlsAreLaidOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");

        QTest::newRow("Bcreer") << "Bcreer" << QRect(0, 0, 97, 33) << "CREER" << "";
        QTest::newRow("Bjouer") << "Bjouer" << QRect(96, 0, 97, 33) << "JOUER" << "";
        QTest::newRow("Ltemps") << "Ltemps" << QRect(200, 0, 73, 33) << "00:00" << "";
        QTest::newRow("Ltitre") << "Ltitre" << QRect(280, 4, 464, 25) << "" << "";
        QTest::newRow("bsoluce") << "bsoluce" << QRect(811, 0, 33, 33) << "M" << "Afficher le modèle";
        QTest::newRow("Bson") << "Bson" << QRect(844, 0, 33, 33) << "" << "Effets sonores";
        QTest::newRow("Bins") << "Bins" << QRect(877, 0, 33, 33) << ""
                              << "Afficher les instructions de jeu";
        QTest::newRow("baide") << "baide" << QRect(910, 0, 33, 33) << "?" << "A propos de Tivane";
        QTest::newRow("bquitter") << "bquitter" << QRect(943, 0, 81, 33) << "QUITTER" << "";
        QTest::newRow("DX") << "DX" << QRect(0, 32, 1024, 736) << "" << "";
    }

    void controlsAreLaidOut()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, hint);

        PuzzleStore store(m_dir.path());
        MainScreen depart(store, QRect(0, 0, 1024, 768));
        QWidget *control = depart.findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->toolTip(), hint);
        if (auto *button = qobject_cast<QToolButton *>(control)) {
            QCOMPARE(button->text(), caption);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(button->autoRaise());
        } else if (auto *label = qobject_cast<QLabel *>(control)) {
            QCOMPARE(label->text(), caption);
        }
    }

    void startsAsTheWelcomeScreen()
    {
        PuzzleStore store(m_dir.path());
        MainScreen depart(store, QRect(0, 0, 800, 600));
        QCOMPARE(depart.objectName(), QStringLiteral("TDepart"));
        QCOMPARE(depart.geometry(), QRect(0, 0, 800, 600));
        QVERIFY(depart.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(depart.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(depart.layout().boardSize, 327);
        QVERIFY(depart.isSoundOn());
        QVERIFY(!depart.isGameActive());
        QVERIFY(!depart.demo()->isRunning());
        QCOMPARE(depart.idleTimer().limit(), 30);
        QVERIFY(depart.findChild<QLabel *>("Ltemps")->isHidden());

        auto *personne = depart.findChild<QTimer *>("personne");
        QVERIFY(personne && personne->isActive());
        QCOMPARE(personne->interval(), 1000);
        QVERIFY(!depart.findChild<QTimer *>("Tjeu")->isActive());
        QVERIFY(depart.findChild<StepPacer *>("Timer1"));
        QVERIFY(depart.findChild<StepPacer *>("Tanim"));
        // The dialogs are the screen's own: the chooser, the messages, the instructions and the
        // about box once the first frame is up, the teacher's forms when first needed. None of
        // them delays the first frame.
        for (const char *form : {"TFliste", "TFbravo", "TFperdu", "TFaide", "TFap", "TFcreer", "TFedit", "TFimp"})
            QVERIFY2(!depart.findChild<QDialog *>(QLatin1String(form)), form);
        depart.show();
        QTRY_VERIFY(depart.thumbnailsReady());
        for (const char *form : {"TFliste", "TFbravo", "TFperdu", "TFaide", "TFap"})
            QVERIFY2(depart.findChild<QDialog *>(QLatin1String(form)), form);
        QCOMPARE(depart.creationForm()->objectName(), QStringLiteral("TFcreer"));
        QCOMPARE(depart.editingForm()->objectName(), QStringLiteral("TFedit"));
        QCOMPARE(depart.printForm()->objectName(), QStringLiteral("TFimp"));
        QCOMPARE(depart.creationForm(), depart.findChild<QDialog *>("TFcreer"));
    }

    void theListIsBuiltOnceTheScreenIsUp()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        TestPuzzles::add(store, TestPuzzles::description(QStringLiteral("Un"), 2, 2));
        MainScreen depart(store, QRect(0, 0, 800, 600));
        depart.board()->setFrameIntervalUs(0);
        QVERIFY(depart.chooser()->puzzleNumbers().isEmpty());
        QVERIFY(!depart.thumbnailsReady());
        QCOMPARE(depart.board()->frameCount(), 0);

        depart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&depart));
        QTRY_VERIFY(depart.thumbnailsReady());
        QCOMPARE(depart.chooser()->puzzleNumbers(), QList<int>{0});
        // Then the welcome animation, frame after frame.
        QTRY_COMPARE(depart.board()->frameCount(), 64);
        QVERIFY(!depart.play()->isAnimating());
        QCOMPARE(depart.board()->backBuffer().size(), QSize(800, 568));
        const QImage &board = depart.board()->backBuffer();
        QCOMPARE(board.pixel(10, 10), qRgb(0, 128, 0));
        QCOMPARE(board.pixel(400 - 100, 284 - 90), qRgb(255, 255, 255));
    }

    // A new store receives its starter puzzles after the first frame, before the first list.
    void aNewStoreIsSeededOnceTheScreenIsUp()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        MainScreen depart(store, QRect(0, 0, 800, 600));
        depart.board()->setFrameIntervalUs(0);
        depart.seedStoreAfterFirstFrame();
        QList<int> listedAtFirstFrame{-1};
        connect(&depart, &MainScreen::firstFrameShown, this,
                [&] { listedAtFirstFrame = QList<int>(store.listPuzzles().entries.size(), 0); });
        QVERIFY(store.listPuzzles().entries.isEmpty());

        depart.show();
        QTRY_VERIFY(depart.thumbnailsReady());
        QCOMPARE(listedAtFirstFrame, QList<int>{});
        QCOMPARE(store.listPuzzles().entries.size(), starterPuzzleCount());
        QCOMPARE(depart.chooser()->puzzleNumbers().size(), starterPuzzleCount());
    }

    // A store that cannot take the starter puzzles says so, and the screen goes on with what
    // was written.
    void seedingThatFailsIsToldAndPlayGoesOn()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        store.setFaultHook([](const QString &name) { return name == QLatin1String("image1.bmp"); });
        MainScreen depart(store, QRect(0, 0, 800, 600));
        depart.board()->setFrameIntervalUs(0);
        depart.seedStoreAfterFirstFrame();
        ModalAnswerer answerer;
        depart.show();
        QTRY_VERIFY(depart.thumbnailsReady());
        QTRY_COMPARE(answerer.count(), 1);
        QVERIFY2(answerer.texts.join(QLatin1Char(' ')).contains(QStringLiteral("image1.bmp")),
                 qPrintable(answerer.texts.join(QLatin1Char(' '))));
        QCOMPARE(depart.chooser()->puzzleNumbers(), QList<int>{0});
        QVERIFY(depart.isVisible());
    }

    void soundButtonToggles()
    {
        PuzzleStore store(m_dir.path());
        MainScreen depart(store, QRect(0, 0, 800, 600));
        auto *bson = depart.findChild<QToolButton *>("Bson");
        const QImage soundOn = iconImage(bson);

        QTest::mouseClick(bson, Qt::LeftButton);
        QVERIFY(!depart.isSoundOn());
        const QImage soundOff = iconImage(bson);
        QVERIFY(soundOff != soundOn);

        QTest::mouseClick(bson, Qt::LeftButton);
        QVERIFY(depart.isSoundOn());
        QCOMPARE(iconImage(bson), soundOn);
    }

    void idleCountStartsTheDemonstration()
    {
        PuzzleStore store(m_dir.path());
        MainScreen depart(store, QRect(0, 0, 800, 600));
        depart.board()->setFrameIntervalUs(0);
        for (int i = 0; i < 29; ++i)
            depart.idleTimer().tick();
        QCOMPARE(depart.idleTimer().ticks(), 29);
        QVERIFY(!depart.demo()->isRunning());
        QCOMPARE(depart.board()->frameCount(), 0);

        depart.idleTimer().tick();
        QCOMPARE(depart.idleTimer().ticks(), 0);
        QVERIFY(depart.demo()->isRunning());
        // The first frame is drawn at once: navy ground.
        QCOMPARE(depart.board()->frameCount(), 1);
        QCOMPARE(depart.board()->backBuffer().pixel(5, 5), qRgb(0, 0, 128));

        // While it runs, the next thirty ticks start no other one.
        depart.demo()->suspend();
        depart.demo()->resume();
        for (int i = 0; i < 30; ++i)
            depart.idleTimer().tick();
        QCOMPARE(depart.idleTimer().ticks(), 0);
        QCOMPARE(depart.board()->frameCount(), 1);
    }

    void mouseMovesResetTheIdleCount_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("resets");
        QTest::newRow("bare top bar") << "" << true;
        QTest::newRow("Bjouer") << "Bjouer" << true;
        QTest::newRow("Ltitre") << "Ltitre" << true;
        QTest::newRow("bquitter") << "bquitter" << true;
        QTest::newRow("Bins") << "Bins" << false;
        QTest::newRow("Ltemps") << "Ltemps" << false;
    }

    void mouseMovesResetTheIdleCount()
    {
        QFETCH(QString, over);
        QFETCH(bool, resets);

        PuzzleStore store(m_dir.path());
        MainScreen depart(store, QRect(0, 0, 1024, 768));
        depart.board()->setFrameIntervalUs(0);
        depart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&depart));
        depart.findChild<QLabel *>("Ltemps")->show();

        // Moves are sent to the window at the control's place, as a real pointer would be.
        const QPoint at = over.isEmpty()
            ? QPoint(760, 16)
            : depart.findChild<QWidget *>(over)->geometry().center();
        QTest::mouseMove(&depart, at - QPoint(3, 0));
        for (int i = 0; i < 12; ++i)
            depart.idleTimer().tick();
        QTest::mouseMove(&depart, at);
        QCOMPARE(depart.idleTimer().ticks(), resets ? 0 : 12);
    }

    void quitClosesTheScreen()
    {
        PuzzleStore store(m_dir.path());
        MainScreen depart(store, QRect(0, 0, 800, 600));
        depart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&depart));
        QTest::mouseClick(depart.findChild<QToolButton *>("bquitter"), Qt::LeftButton);
        QVERIFY(!depart.isVisible());
        QVERIFY(depart.demo()->pacer().isTerminated());
    }
};

QTEST_MAIN(TestMainScreen)
#include "tst_mainscreen.moc"
