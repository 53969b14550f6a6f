#include "MainScreenRig.h"
#include "ModalAnswerer.h"
#include "TestPuzzles.h"
#include "authoring/CreationForm.h"
#include "library/PuzzleChooser.h"
#include "play/GameSession.h"
#include "play/IdleDemo.h"
#include "play/PlayBoard.h"

#include <QFile>
#include <QSignalSpy>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace tivane;

class TestJouer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_cat = -1;
    int m_dog = -1;
    std::unique_ptr<MainScreenRig> m_rig;
    MainScreen *m_screen = nullptr;

    QLabel *title() { return m_screen->findChild<QLabel *>(QStringLiteral("Ltitre")); }
    PuzzleChooser *chooser() { return m_screen->chooser(); }

    // JOUER, as a click on the button; true once the chooser is up.
    bool pressJouer()
    {
        QTest::mouseClick(m_screen->findChild<QToolButton *>(QStringLiteral("Bjouer")), Qt::LeftButton);
        return QTest::qWaitFor([this] { return chooser()->isVisible(); });
    }
    bool clickThumbnail(int n)
    {
        auto *thumbnail = chooser()->findChild<QWidget *>(QStringLiteral("VV%1").arg(n));
        if (!thumbnail)
            return false;
        QTest::mouseClick(thumbnail, Qt::LeftButton, {}, QPoint(50, 50));
        return QTest::qWaitFor([this] { return !chooser()->isVisible(); });
    }
    bool pressAnnuler()
    {
        QTest::mouseClick(chooser()->findChild<QWidget *>(QStringLiteral("Annuler")), Qt::LeftButton);
        return QTest::qWaitFor([this] { return !chooser()->isVisible(); });
    }
    // JOUER, a click on puzzle n, and the deal to its end.
    bool playPuzzle(int n) { return pressJouer() && clickThumbnail(n) && m_rig->settle(); }

private slots:
    void init()
    {
        m_rig = std::make_unique<MainScreenRig>(m_dir.path());
        if (m_cat < 0) {
            m_cat = TestPuzzles::add(m_rig->store, TestPuzzles::description("Le chat", 3, 2, 1, true));
            m_dog = TestPuzzles::add(m_rig->store, TestPuzzles::description("Le chien", 2, 2, 0));
        }
        m_screen = &m_rig->screen;
        QVERIFY(m_rig->show());
    }

    void cleanup() { m_rig.reset(); }

    void choosingAPuzzleDealsIt()
    {
        QVERIFY(pressJouer());
        QVERIFY(!m_screen->findChild<QTimer *>("personne")->isActive());
        const int frames = m_screen->board()->frameCount();
        QVERIFY(clickThumbnail(m_cat));
        QVERIFY(m_rig->settle());

        QVERIFY(m_screen->isGameActive());
        const Game &game = m_screen->play()->game();
        QCOMPARE(game.puzzleName, QStringLiteral("Le chat"));
        QCOMPARE(game.pieceCount, 6);
        QCOMPARE(title()->text(), QStringLiteral("Le chat"));
        QCOMPARE(m_screen->selectedPuzzle(), m_cat);
        // The empty board, then one frame a piece.
        QCOMPARE(m_screen->board()->frameCount() - frames, 1 + 6);
        QCOMPARE(m_screen->play()->dealIndex(), 6);
        QVERIFY(m_screen->findChild<QTimer *>("personne")->isActive());
        QVERIFY(!m_screen->demo()->isRunning());
    }

    void jouerDuringTheWelcomeAnimation()
    {
        // The welcome animation paced as on a 60 Hz display, the puzzle chosen in its first frames.
        m_screen->board()->setFrameIntervalUs(16667);
        m_screen->play()->startWelcome();
        QVERIFY(m_screen->play()->isAnimating());
        QVERIFY(pressJouer());
        QVERIFY(!m_screen->play()->isAnimating());
        QVERIFY(clickThumbnail(m_dog));
        QVERIFY(m_rig->settle());
        const int frames = m_screen->board()->frameCount();
        const QImage dealt = m_screen->board()->backBuffer().copy();

        // Nothing of the welcome picture comes afterwards: the board shows the dealt game.
        QVERIFY(!QTest::qWaitFor([&] { return m_screen->board()->frameCount() != frames; }, 1200));
        QCOMPARE(m_screen->board()->backBuffer(), dealt);
        QCOMPARE(title()->text(), QStringLiteral("Le chien"));
        const BoardGeometry &g = m_screen->play()->game().geometry;
        QCOMPARE(dealt.pixel(g.boardLeft, g.boardTop + 5), qRgb(0xC0, 0xC0, 0xC0));
        for (const Piece &piece : m_screen->play()->game().inPlay())
            QCOMPARE(dealt.pixel(piece.x + 5, piece.y + 5), TestPuzzles::cellColour(piece.number));
        // The welcome frame's white border is not there.
        const QPoint centre(dealt.width() / 2, dealt.height() / 2);
        QVERIFY(dealt.pixel(centre - QPoint(160, 0)) != qRgb(255, 255, 255));
    }

    void cancellingKeepsTheGame()
    {
        QVERIFY(playPuzzle(m_dog));
        m_screen->play()->game().moveCount = 3;
        const QImage board = m_screen->board()->backBuffer().copy();

        // A right click on a thumbnail, then ANNULER: nothing changes.
        QVERIFY(pressJouer());
        QTest::mouseClick(chooser()->findChild<QWidget *>(QStringLiteral("VV%1").arg(chooser()->puzzleNumbers().first())), Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(pressAnnuler());
        QCOMPARE(m_screen->selectedPuzzle(), -1);
        QVERIFY(m_screen->isGameActive());
        QCOMPARE(m_screen->play()->game().puzzleName, QStringLiteral("Le chien"));
        QCOMPARE(m_screen->play()->game().moveCount, 3);
        QVERIFY(!QTest::qWaitFor([&] { return m_screen->board()->backBuffer() != board; }, 50));
    }

    void cancellingWithoutAGameWelcomesAgain()
    {
        const int frames = m_screen->board()->frameCount();
        QVERIFY(pressJouer());
        QVERIFY(pressAnnuler());
        QVERIFY(m_rig->settle());
        QVERIFY(!m_screen->isGameActive());
        QCOMPARE(m_screen->board()->frameCount() - frames, 64);
        QCOMPARE(title()->text(), QString());
    }

    void aFailedLoadLeavesTheGame()
    {
        QVERIFY(playPuzzle(m_dog));

        // The cat's picture disappears after the list was built.
        const QString picture = QDir(m_dir.path()).filePath(PuzzleStore::pictureName(m_cat));
        QVERIFY(QFile::rename(picture, picture + ".bak"));
        ModalAnswerer boxes;
        QVERIFY(pressJouer());
        QVERIFY(clickThumbnail(m_cat));
        QTRY_COMPARE(boxes.count(), 1);
        QVERIFY(QFile::rename(picture + ".bak", picture));

        QCOMPARE(boxes.texts.first(), QStringLiteral("Impossible de lire le fichier « %1 » : le fichier n'existe pas.")
                                          .arg(PuzzleStore::pictureName(m_cat)));
        QVERIFY(m_screen->isGameActive());
        QCOMPARE(m_screen->play()->game().puzzleName, QStringLiteral("Le chien"));
        QCOMPARE(title()->text(), QStringLiteral("Le chien"));
    }

    void whatEndsAGameInProgress_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("abandoned");
        QTest::newRow("JOUER, another puzzle") << "another puzzle" << true;
        QTest::newRow("QUITTER") << "QUITTER" << true;
        QTest::newRow("the window closing") << "close" << true;
        // Back to the game, which goes on.
        QTest::newRow("JOUER, ANNULER") << "ANNULER" << false;
        QTest::newRow("CREER, its QUITTER") << "CREER" << false;
    }

    void whatEndsAGameInProgress()
    {
        QFETCH(QString, then);
        QFETCH(bool, abandoned);
        qRegisterMetaType<GameResult>();
        QVERIFY(playPuzzle(m_dog));
        QSignalSpy ended(&m_screen->session(), &GameSession::ended);

        if (then == "another puzzle") {
            QVERIFY(playPuzzle(m_cat));
        } else if (then == "QUITTER") {
            QTest::mouseClick(m_screen->findChild<QToolButton *>(QStringLiteral("bquitter")), Qt::LeftButton);
        } else if (then == "close") {
            QVERIFY(m_screen->close());
        } else if (then == "ANNULER") {
            QVERIFY(pressJouer());
            QVERIFY(pressAnnuler());
        } else {
            QTest::mouseClick(m_screen->findChild<QToolButton *>(QStringLiteral("Bcreer")), Qt::LeftButton);
            QTRY_VERIFY(m_screen->creationForm()->isVisible());
            QTest::mouseClick(m_screen->creationForm()->findChild<QWidget *>(QStringLiteral("SpeedButton1")),
                              Qt::LeftButton);
            QTRY_VERIFY(!m_screen->creationForm()->isVisible());
        }

        QCOMPARE(ended.count(), abandoned ? 1 : 0);
        if (!abandoned) {
            QVERIFY(m_screen->session().isInProgress());
            QCOMPARE(m_screen->play()->game().puzzleName, QStringLiteral("Le chien"));
            return;
        }
        const GameResult result = ended.first().at(0).value<GameResult>();
        QCOMPARE(result.outcome, GameOutcome::Abandoned);
        QCOMPARE(result.puzzle, m_dog);
        QCOMPARE(result.puzzleName, QStringLiteral("Le chien"));
    }
};

QTEST_MAIN(TestJouer)
#include "tst_jouer.moc"
