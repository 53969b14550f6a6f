#include "MainScreenRig.h"
#include "play/PlayBoard.h"
#include "TestPuzzles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tivane;

namespace {
// Answers the next modal window: the chooser by `answer`, a message box by OK.
// Records the text of every message box seen.
struct ModalAnswerer
{
    std::function<void(PuzzleChooser *)> answer;
    QStringList messages;
    QTimer poll;

    explicit ModalAnswerer(std::function<void(PuzzleChooser *)> a) : answer(std::move(a))
    {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *chooser = qobject_cast<PuzzleChooser *>(modal)) {
                if (answer) {
                    auto once = std::move(answer);
                    answer = nullptr;
                    once(chooser);
                }
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                messages << box->text();
                box->accept();
            }
        });
        poll.start();
    }
};

void clickThumbnail(PuzzleChooser *chooser, int n)
{
    auto *vv = chooser->findChild<QWidget *>(QStringLiteral("VV%1").arg(n));
    QVERIFY(vv);
    QTest::mouseClick(vv, Qt::LeftButton, {}, QPoint(50, 50));
}

void pressAnnuler(PuzzleChooser *chooser)
{
    QTest::mouseClick(chooser->findChild<QWidget *>(QStringLiteral("Annuler")), Qt::LeftButton);
}
}

class TestJouer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_store;
    int m_cat = -1;
    int m_dog = -1;
    std::unique_ptr<MainScreenRig> m_rig;
    MainScreen *m_depart = nullptr;

    QLabel *title() { return m_depart->findChild<QLabel *>(QStringLiteral("Ltitre")); }

private slots:
    void init()
    {
        // The store is the working directory.
        QVERIFY(QDir::setCurrent(m_store.path()));
        PuzzleStore store;
        if (m_cat < 0) {
            m_cat = TestPuzzles::add(store, TestPuzzles::description("Le chat", 3, 2, 1, true));
            m_dog = TestPuzzles::add(store, TestPuzzles::description("Le chien", 2, 2, 0));
        }
        m_rig = std::make_unique<MainScreenRig>();
        m_depart = &m_rig->Depart;
    }

    void cleanup()
    {
        m_rig.reset();
    }

    void choosingAPuzzleDealsIt()
    {
        ModalAnswerer answerer([this](PuzzleChooser *c) { clickThumbnail(c, m_cat); });
        const int flips = m_depart->board()->flipCount();
        m_depart->BjouerClick();

        QVERIFY(m_depart->GameActive());
        const Game &game = m_depart->play()->game();
        QCOMPARE(game.puzzleName, QStringLiteral("Le chat"));
        QCOMPARE(game.pieceCount, 6);
        QCOMPARE(title()->text(), QStringLiteral("Le chat"));
        QCOMPARE(m_depart->state().selectedPuzzle, m_cat);
        // The empty board, then one flip a piece.
        QCOMPARE(m_depart->board()->flipCount() - flips, 1 + 6);
        QVERIFY(m_depart->findChild<QTimer *>("personne")->isActive());
        QVERIFY(m_depart->animThread().isSuspended());
        QVERIFY(answerer.messages.isEmpty());
    }

    void cancellingKeepsTheGame()
    {
        {
            ModalAnswerer first([this](PuzzleChooser *c) { clickThumbnail(c, m_dog); });
            m_depart->BjouerClick();
        }
        m_depart->play()->game().moveCount = 3;
        const QImage board = m_depart->board()->backBuffer().copy();

        // A right click on a thumbnail, then ANNULER: nothing changes.
        ModalAnswerer second([](PuzzleChooser *c) {
            QTest::mouseClick(c->thumbnails().first(), Qt::RightButton, {}, QPoint(50, 50));
            pressAnnuler(c);
        });
        m_depart->BjouerClick();
        QCOMPARE(m_depart->state().selectedPuzzle, -1);
        QVERIFY(m_depart->GameActive());
        QCOMPARE(m_depart->play()->game().puzzleName, QStringLiteral("Le chien"));
        QCOMPARE(m_depart->play()->game().moveCount, 3);
        QCOMPARE(m_depart->board()->backBuffer(), board);
    }

    void cancellingWithoutAGameWelcomesAgain()
    {
        ModalAnswerer answerer([](PuzzleChooser *c) { pressAnnuler(c); });
        const int flips = m_depart->board()->flipCount();
        m_depart->BjouerClick();
        QVERIFY(!m_depart->GameActive());
        QCOMPARE(m_depart->board()->flipCount() - flips, 64);
        QCOMPARE(title()->text(), QString());
    }

    void aFailedLoadLeavesTheGame()
    {
        {
            ModalAnswerer first([this](PuzzleChooser *c) { clickThumbnail(c, m_dog); });
            m_depart->BjouerClick();
        }

        // The cat's picture disappears after the list was built.
        const QString picture = PuzzleStore::pictureName(m_cat);
        QVERIFY(QFile::rename(picture, picture + ".bak"));
        ModalAnswerer second([this](PuzzleChooser *c) { clickThumbnail(c, m_cat); });
        m_depart->BjouerClick();
        QVERIFY(QFile::rename(picture + ".bak", picture));

        QCOMPARE(second.messages.size(), 1);
        QVERIFY2(second.messages.first().contains(picture), qPrintable(second.messages.first()));
        QVERIFY(m_depart->GameActive());
        QCOMPARE(m_depart->play()->game().puzzleName, QStringLiteral("Le chien"));
        QCOMPARE(title()->text(), QStringLiteral("Le chien"));
    }
};

QTEST_MAIN(TestJouer)
#include "tst_jouer.moc"
