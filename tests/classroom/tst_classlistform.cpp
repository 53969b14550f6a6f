// "Élèves…": adding, renaming (the record follows), a framed photo, and removing a child after
// the question, with or without its record lines.
#include "ModalAnswerer.h"
#include "TestFiles.h"
#include "authoring/FramingDialog.h"
#include "classroom/ClassFiles.h"
#include "classroom/ClassListForm.h"
#include "classroom/PicturePickerDialog.h"
#include "classroom/PupilPictures.h"
#include "classroom/RecordFile.h"
#include "store/PuzzleStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tivane;

namespace {

const QByteArray ClassBytes = "\xEF\xBB\xBFpr\xC3\xA9nom;image;note\r\nL\xC3\xA9" "a;lea.png;calme\r\nTom;;\r\n";
const QByteArray RecordBytes =
    "\xEF\xBB\xBF" "date;\xC3\xA9l\xC3\xA8ve;puzzle;r\xC3\xA9sultat\r\n"
    "2026-03-02 09:00:00;L\xC3\xA9" "a;1;r\xC3\xA9ussi\r\n"
    "2026-03-02 09:05:00;Tom;2;abandonn\xC3\xA9\r\n";

QStringList childrenOf(const QTemporaryDir &dir)
{
    QStringList lines;
    for (const RecordEntry &entry : readRecord(PuzzleStore(dir.path())).entries)
        lines << entry.child;
    return lines;
}

QStringList namesOnFile(const QTemporaryDir &dir)
{
    QStringList names;
    for (const Pupil &pupil : readClassList(PuzzleStore(dir.path())).list.pupils)
        names << pupil.firstName + u'=' + pupil.picture;
    return names;
}

// A store with the class of Léa (and her photo) and Tom, and a record of one game each.
struct ClassStore
{
    QTemporaryDir dir;
    PuzzleStore store{dir.path()};

    bool fill()
    {
        QImage photo(240, 240, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        return writeBytes(dir.path(), ClassFiles::ClassList, ClassBytes)
               && writeBytes(dir.path(), ClassFiles::Record, RecordBytes)
               && QDir(dir.path()).mkdir(ClassFiles::PicturesFolder)
               && photo.save(QDir(dir.path()).filePath(QStringLiteral("eleves/lea.png")));
    }
};

void click(QWidget *form, const char *name)
{
    auto *button = form->findChild<QToolButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void type(QWidget *form, const QString &text)
{
    auto *edit = form->findChild<QLineEdit *>(QStringLiteral("EPrenom"));
    QVERIFY(edit);
    edit->setText(text);
}

} // namespace

class TestClassListForm : public QObject
{
    Q_OBJECT

private slots:
    void addsChildrenWithDistinctNames()
    {
        ClassStore s;
        ModalAnswerer answerer;
        ClassListForm form(s.store);
        QVERIFY(form.openForm());
        type(&form, QStringLiteral("  Inès "));
        click(&form, "BAjouter");
        QCOMPARE(namesOnFile(s.dir), QStringList{"Inès="});
        QCOMPARE(form.findChild<QListWidget *>(QStringLiteral("LEleves"))->count(), 1);

        const QByteArray before = fileBytes(s.dir.path(), ClassFiles::ClassList);
        type(&form, QStringLiteral("INÈS"));
        click(&form, "BAjouter");
        QVERIFY(QTest::qWaitFor([&] { return answerer.count() == 1; }));
        QVERIFY2(answerer.texts.join(u' ').contains(QStringLiteral("déjà")), qPrintable(answerer.texts.join(u' ')));
        QCOMPARE(fileBytes(s.dir.path(), ClassFiles::ClassList), before);
    }

    void renamingCarriesThePastLines()
    {
        ClassStore s;
        QVERIFY(s.fill());
        ClassListForm form(s.store);
        QVERIFY(form.openForm());
        form.selectPupil(0);
        type(&form, QStringLiteral("Léane"));
        click(&form, "BRenommer");
        QCOMPARE(namesOnFile(s.dir), (QStringList{"Léane=lea.png", "Tom="}));
        QCOMPARE(childrenOf(s.dir), (QStringList{"Léane", "Tom"}));
        // The column the program does not know stays.
        QVERIFY(fileBytes(s.dir.path(), ClassFiles::ClassList).contains(";calme\r\n"));
    }

    void removing_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("withRecord");
        QTest::addColumn<QStringList>("pupils");
        QTest::addColumn<QStringList>("recordChildren");
        QTest::addColumn<bool>("photoKept");
        QTest::newRow("Non") << false << true << QStringList{"Léa=lea.png", "Tom="} << QStringList{"Léa", "Tom"} << true;
        QTest::newRow("Oui, the record kept") << true << false << QStringList{"Tom="} << QStringList{"Léa", "Tom"} << false;
        QTest::newRow("Oui, the record lines too") << true << true << QStringList{"Tom="} << QStringList{"Tom"} << false;
    }
    void removing()
    {
        QFETCH(bool, yes);
        QFETCH(bool, withRecord);
        ClassStore s;
        QVERIFY(s.fill());
        QString question;
        ModalAnswerer answerer([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return;
            question = box->text();
            if (auto *check = box->findChild<QCheckBox *>(QStringLiteral("CBcarnet")))
                check->setChecked(withRecord);
            ModalAnswerer::clickStandard(box, yes ? QMessageBox::Yes : QMessageBox::No);
        });
        ClassListForm form(s.store);
        QVERIFY(form.openForm());
        form.selectPupil(0);
        click(&form, "BRetirer");
        QVERIFY(QTest::qWaitFor([&] { return !question.isEmpty(); }));
        QCOMPARE(question, QStringLiteral("Retirer Léa de la classe ? Sa photo sera supprimée."));
        QTEST(namesOnFile(s.dir), "pupils");
        QTEST(childrenOf(s.dir), "recordChildren");
        QTEST(QFile::exists(QDir(s.dir.path()).filePath(QStringLiteral("eleves/lea.png"))), "photoKept");
    }

    void aFramedPhotoIsTheChildsPicture()
    {
        ClassStore s;
        QVERIFY(s.fill());
        ClassListForm form(s.store);
        QVERIFY(form.openForm());
        form.selectPupil(1);
        QImage picture(400, 300, QImage::Format_RGB888);
        picture.fill(qRgb(250, 10, 10));
        form.frameForSelected(picture);
        QVERIFY(QTest::qWaitFor([&] { return form.framingDialog()->isVisible(); }));
        click(form.framingDialog(), "SpeedButton2");
        QCOMPARE(namesOnFile(s.dir), (QStringList{"Léa=lea.png", "Tom=photo0.png"}));
        const QImage saved(QDir(s.dir.path()).filePath(QStringLiteral("eleves/photo0.png")));
        QCOMPARE(saved.size(), QSize(ClassListForm::PhotoSide, ClassListForm::PhotoSide));
        QCOMPARE(QColor(saved.pixel(120, 120)).red(), 250);
    }

    void aDrawnPictureIsTheChildsPicture()
    {
        const QStringList drawn = builtinPupilPictures();
        QVERIFY(drawn.size() >= 24);
        for (const QString &name : drawn)
            QCOMPARE(builtinPupilPicture(name).size(), QSize(ClassListForm::PhotoSide, ClassListForm::PhotoSide));

        ClassStore s;
        QVERIFY(s.fill());
        ClassListForm form(s.store);
        QVERIFY(form.openForm());
        form.selectPupil(1);
        click(&form, "BImages");
        QVERIFY(QTest::qWaitFor([&] { return form.picturePicker()->isVisible(); }));
        click(form.picturePicker(), "Image2");
        QCOMPARE(namesOnFile(s.dir), (QStringList{"Léa=lea.png", "Tom=" + drawn[2]}));
        QCOMPARE(QImage(QDir(s.dir.path()).filePath(QStringLiteral("eleves/") + drawn[2])), builtinPupilPicture(drawn[2]));
    }

    void anUnreadableListIsNotOpened()
    {
        ClassStore s;
        QVERIFY(writeBytes(s.dir.path(), ClassFiles::ClassList, QByteArray("nom;image\r\nTom;\r\n")));
        ModalAnswerer answerer;
        ClassListForm form(s.store);
        QVERIFY(!form.openForm());
        QVERIFY(QTest::qWaitFor([&] { return answerer.count() == 1; }));
        QVERIFY(answerer.texts.join(u' ').contains(QStringLiteral("« prénom »")));
        QVERIFY(!form.isVisible());
        QCOMPARE(fileBytes(s.dir.path(), ClassFiles::ClassList), QByteArray("nom;image\r\nTom;\r\n"));
    }
};

QTEST_MAIN(TestClassListForm)
#include "tst_classlistform.moc"
