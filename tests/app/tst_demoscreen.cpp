#include "play/IdleDemo.h"
#include "MainScreenRig.h"
#include "play/PlayBoard.h"
#include "TestPuzzles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tivane;

namespace {
constexpr QRgb Navy = 0xFF000080u;

// Answers the next modal window: the chooser by a click on a thumbnail (or by closing it when
// no thumbnail is named), any other dialog by closing it. Records whether the demonstration
// was paused while the window was open.
struct ModalAnswerer
{
    MainScreen *depart;
    int thumbnail;
    bool seen = false;
    bool demoPausedMeanwhile = false;
    QTimer poll;

    ModalAnswerer(MainScreen *d, int thumb = -1) : depart(d), thumbnail(thumb)
    {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = true;
            demoPausedMeanwhile = depart->animThread().isSuspended();
            auto *chooser = qobject_cast<PuzzleChooser *>(dialog);
            if (chooser && thumbnail >= 0) {
                QWidget *vv = chooser->findChild<QWidget *>(QStringLiteral("VV%1").arg(thumbnail));
                QTest::mouseClick(vv, Qt::LeftButton, {}, QPoint(50, 50));
            } else {
                dialog->done(QDialog::Rejected);
            }
        });
        poll.start();
    }
};

struct GameSnapshot
{
    PieceArray pieces;
    QList<QImage> pictures;
    int moveCount;
    bool modelAllowed;
    QImage board;
};
}

class TestDemoScreen : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_store;
    int m_puzzle = -1;
    std::unique_ptr<MainScreenRig> m_rig;
    MainScreen *m_depart = nullptr;

    BoardSurface *dx() { return m_depart->board(); }
    Game &game() { return m_depart->play()->game(); }
    DemoPuzzle &demo() { return m_depart->demo()->puzzle(); }

    void startDemo()
    {
        for (int i = 0; i < m_depart->idle().limit; ++i)
            m_depart->personneTimer();
        QVERIFY(!m_depart->animThread().isSuspended());
        QCOMPARE(dx()->backBuffer().pixel(1000, 5), Navy);
    }

    // A game of the stored puzzle, chosen with JOUER: dealt, its clock running.
    void playThePuzzle()
    {
        ModalAnswerer answerer(m_depart, m_puzzle);
        m_depart->BjouerClick();
        QVERIFY(m_depart->GameActive());
    }

    GameSnapshot snapshot()
    {
        GameSnapshot s{game().pieces, {}, game().moveCount, game().modelAllowed, {}};
        for (int k = 0; k < game().pictures.count(); ++k)
            s.pictures << game().pictures.picture(k);
        m_depart->play()->drawBoard();
        s.board = dx()->backBuffer().copy();
        return s;
    }

    // Runs turn steps on the demonstration until one has run; false if none came.
    bool runOneTurnStep()
    {
        for (int step = 0; step < 2000; ++step) {
            const DemoPuzzle &d = demo();
            const bool turning = d.step < d.pieceCount && d.pieces[d.step].turns != 0;
            m_depart->demo()->step();
            if (turning)
                return true;
        }
        return false;
    }

    int soundEffects() { return static_cast<int>(m_depart->sounds().findChildren<QSoundEffect *>().size()); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_store.path()));
        PuzzleStore store;
        // No model, turned pieces and a clock: what a demonstration must not disturb.
        m_puzzle = TestPuzzles::add(store, TestPuzzles::description("Sans modèle", 2, 3, 0, true, 600));
    }

    void init()
    {
        m_rig = std::make_unique<MainScreenRig>();
        m_depart = &m_rig->Depart;
        m_depart->state().soundOn = false;
        QVERIFY(m_rig->show());
    }

    void cleanup() { m_rig.reset(); }

    void mouseMoveStopsTheDemonstration_data()
    {
        QTest::addColumn<bool>("withGame");
        QTest::addColumn<bool>("overBoard");
        QTest::newRow("game, pointer over the board") << true << true;
        QTest::newRow("game, pointer over the top bar") << true << false;
        QTest::newRow("welcome, pointer over the board") << false << true;
        QTest::newRow("welcome, pointer over the top bar") << false << false;
    }

    void mouseMoveStopsTheDemonstration()
    {
        QFETCH(bool, withGame);
        QFETCH(bool, overBoard);
        GameSnapshot before{};
        auto *tjeu = m_depart->findChild<QTimer *>(QStringLiteral("Tjeu"));
        auto *title = m_depart->findChild<QLabel *>(QStringLiteral("Ltitre"));
        if (withGame) {
            playThePuzzle();
            game().moveCount = 4;
            before = snapshot();
        }
        const int timeLeft = m_depart->state().timeLeft;

        startDemo();
        // Let it run by itself until a few pieces are home.
        QTRY_VERIFY_WITH_TIMEOUT(demo().step >= 3, 20000);

        if (withGame) {
            QCOMPARE(game().pieces, before.pieces);
            for (int k = 0; k < game().pictures.count(); ++k)
                QCOMPARE(game().pictures.picture(k), before.pictures.at(k));
            QCOMPARE(game().moveCount, before.moveCount);
            QVERIFY(!game().modelAllowed);
            QVERIFY(m_depart->GameActive());
            // The clock goes on counting underneath.
            QVERIFY(tjeu->isActive());
            QVERIFY(m_depart->state().timeLeft <= timeLeft && m_depart->state().timeLeft > 0);
            QCOMPARE(title->text(), QStringLiteral("Sans modèle"));
        }

        const int flips = dx()->flipCount();
        if (overBoard)
            QTest::mouseMove(dx(), QPoint(700, 600));
        else
            QTest::mouseMove(m_depart, QPoint(760, 16));
        QVERIFY(m_depart->animThread().isSuspended());
        QCOMPARE(m_depart->idle().ticks, 0);
        if (withGame) {
            QCOMPARE(dx()->backBuffer(), before.board);
            QCOMPARE(dx()->flipCount(), flips + 1);
        } else {
            // The welcome animation's last frame.
            QCOMPARE(dx()->flipCount(), flips + 64);
            QCOMPARE(dx()->backBuffer().pixel(10, 10), qRgb(0, 128, 0));
            QCOMPARE(dx()->backBuffer().pixel(412, 288), qRgb(255, 255, 255));
        }

        // Stopped: no further step draws.
        const int after = dx()->flipCount();
        QTest::qWait(3 * Tanim::StepIntervalMs);
        QCOMPARE(dx()->flipCount(), after);
    }

    void turnStepsWaitForTheSoundOnlyWhenItIsOn()
    {
        m_depart->random().seed(4);
        startDemo();
        m_depart->animThread().suspend();
        QCOMPARE(soundEffects(), 0);
        QVERIFY(runOneTurnStep());
        // Sound off: no sound played, nothing waited for.
        QCOMPARE(soundEffects(), 0);

        m_depart->state().soundOn = true;
        QVERIFY(runOneTurnStep());
        const QList<QSoundEffect *> effects = m_depart->sounds().findChildren<QSoundEffect *>();
        QCOMPARE(effects.size(), 1);
        QCOMPARE(effects.first()->source(), QUrl(QStringLiteral("qrc:/sounds/gira.wav")));
    }

    void dialogsPauseTheDemonstration_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("paused");
        QTest::newRow("chooser, cancelled") << "Bjouer" << true;
        QTest::newRow("about box") << "baide" << true;
        QTest::newRow("instructions") << "Bins" << false;
    }

    void dialogsPauseTheDemonstration()
    {
        QFETCH(QString, button);
        QFETCH(bool, paused);
        startDemo();
        QTRY_VERIFY_WITH_TIMEOUT(demo().step >= 1, 20000);
        const int cols = demo().cols;
        const int step = demo().step;

        ModalAnswerer answerer(m_depart);
        if (button == "Bjouer")
            m_depart->BjouerClick();
        else if (button == "baide")
            m_depart->baideClick();
        else
            m_depart->BinsClick();
        QVERIFY(answerer.seen);
        QCOMPARE(answerer.demoPausedMeanwhile, paused);
        QCOMPARE(m_depart->findChild<QTimer *>(QStringLiteral("personne"))->isActive(), true);

        // It goes on with the same puzzle, from where it was.
        QVERIFY(!m_depart->animThread().isSuspended());
        if (paused) {
            QCOMPARE(demo().cols, cols);
            QVERIFY(demo().step >= step);
        }
        const int now = dx()->flipCount();
        QTRY_VERIFY_WITH_TIMEOUT(dx()->flipCount() > now, 20000);
        QCOMPARE(dx()->backBuffer().pixel(1000, 5), Navy);
    }

    void choosingAPuzzleEndsTheDemonstration()
    {
        startDemo();
        // JOUER without a pointer move over it, as after the win dialog.
        playThePuzzle();
        QVERIFY(m_depart->animThread().isSuspended());
        const int flips = dx()->flipCount();
        QTest::qWait(3 * Tanim::StepIntervalMs);
        QCOMPARE(dx()->flipCount(), flips);
        QVERIFY(dx()->backBuffer().pixel(1000, 5) != Navy);
    }
};

QTEST_MAIN(TestDemoScreen)
#include "tst_demoscreen.moc"
