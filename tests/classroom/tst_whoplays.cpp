// "Qui joue ?": the children's tiles in the order of their first names, then the guest's; a
// click chooses, ANNULER does not; a child without a picture shows its letter on a disc.
#include "TestFiles.h"
#include "classroom/ClassFiles.h"
#include "classroom/ClassList.h"
#include "classroom/PupilPictures.h"
#include "classroom/WhoPlaysDialog.h"
#include "store/PuzzleStore.h"

#include <QApplication>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tivane;

namespace {

// The scale of a 1024 x 768 screen.
constexpr float Scale1024x768 = float(768 / 600.0 / 1.1);

QList<Pupil> pupils()
{
    return {Pupil{QStringLiteral("Zoé"), QStringLiteral("zoe.png"), {}}, Pupil{QStringLiteral("Élodie"), {}, {}},
            Pupil{QStringLiteral("amir"), QStringLiteral("absente.png"), {}}};
}

QStringList captions(const WhoPlaysDialog &dialog)
{
    QStringList texts;
    for (const QToolButton *tile : dialog.tiles())
        texts << tile->text();
    return texts;
}

} // namespace

class TestWhoPlays : public QObject
{
    Q_OBJECT

private slots:
    void tilesInOrderWithTheGuestLast()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        WhoPlaysDialog dialog(store, pupils(), Scale1024x768);
        QCOMPARE(dialog.objectName(), QStringLiteral("TFqui"));
        QCOMPARE(captions(dialog), (QStringList{"amir", "Élodie", "Zoé", "Invité"}));
        QCOMPARE(dialog.tiles().constLast()->objectName(), QStringLiteral("Invite"));
        QVERIFY(dialog.findChild<QToolButton *>(QStringLiteral("Annuler")));
    }

    void picturesFollowTheScreen_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<int>("side");
        QTest::newRow("1024 x 768") << Scale1024x768 << 120;
        QTest::newRow("1920 x 1080") << float(1920 / 800.0 / 1.1) << 225;
    }
    void picturesFollowTheScreen()
    {
        QFETCH(float, scale);
        QTEST(WhoPlaysDialog::pictureSide(scale), "side");
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        WhoPlaysDialog dialog(store, pupils(), scale);
        QFETCH(int, side);
        QCOMPARE(dialog.tiles().constFirst()->iconSize(), QSize(side, side));
    }

    void choosesOnClick_data()
    {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("child");
        QTest::newRow("a child") << QStringLiteral("Eleve1") << int(QDialog::Accepted) << QStringLiteral("Élodie");
        QTest::newRow("the guest") << QStringLiteral("Invite") << int(QDialog::Accepted) << QString();
        QTest::newRow("ANNULER") << QStringLiteral("Annuler") << int(QDialog::Rejected) << QString();
    }
    void choosesOnClick()
    {
        QFETCH(QString, tile);
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        WhoPlaysDialog dialog(store, pupils(), Scale1024x768);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *button = dialog.findChild<QToolButton *>(tile);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QTEST(finished.at(0).at(0).toInt(), "result");
        QTEST(dialog.chosenChild(), "child");
        QVERIFY(!dialog.isVisible());
    }

    void escapeDoesNotClose()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        WhoPlaysDialog dialog(store, pupils(), Scale1024x768);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }

    void childPictureOrLetterDisc()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(QDir(dir.path()).mkdir(ClassFiles::PicturesFolder));
        QImage photo(300, 300, QImage::Format_RGB32);
        photo.fill(qRgb(0, 200, 0));
        QVERIFY(photo.save(QDir(dir.path()).filePath(ClassFiles::PicturesFolder + QStringLiteral("/zoe.png"))));
        QVERIFY(writeBytes(QDir(dir.path()).filePath(ClassFiles::PicturesFolder), QStringLiteral("faux.png"),
                           QByteArray("pas une image")));

        const QImage own = pupilPicture(store, Pupil{QStringLiteral("Zoé"), QStringLiteral("zoe.png"), {}}, 120);
        QCOMPARE(own.size(), QSize(120, 120));
        QCOMPARE(own.pixel(60, 60), qRgb(0, 200, 0));
        // No picture, a missing one, one that does not decode, one outside the folder: the disc.
        for (const QString &picture : {QString(), QStringLiteral("absente.png"), QStringLiteral("faux.png"),
                                       QStringLiteral("../eleves/zoe.png")}) {
            const QImage disc = pupilPicture(store, Pupil{QStringLiteral("amir"), picture, {}}, 120);
            QCOMPARE(disc, letterDisc(QStringLiteral("amir"), 120));
        }
        const QImage disc = letterDisc(QStringLiteral("amir"), 120);
        QCOMPARE(qAlpha(disc.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(disc.pixel(20, 60)), 255);
        // The letter is drawn in white at the centre of the disc.
        bool white = false;
        for (int y = 30; y < 90 && !white; ++y)
            for (int x = 30; x < 90 && !white; ++x)
                white = disc.pixel(x, y) == qRgb(255, 255, 255);
        QVERIFY(white);
        // The colour follows the name, whatever its case; the class does not get one colour only.
        QCOMPARE(letterDisc(QStringLiteral("AMIR"), 120).pixel(20, 60), disc.pixel(20, 60));
        QSet<QRgb> colours;
        for (const char *name : {"Bo", "Léa", "Tom", "Inès", "Noé"})
            colours.insert(letterDisc(QString::fromUtf8(name), 120).pixel(20, 60));
        QVERIFY(colours.size() > 2);
    }
};

QTEST_MAIN(TestWhoPlays)
#include "tst_whoplays.moc"
