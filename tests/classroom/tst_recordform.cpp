// "Carnet de suivi…": the table and its filters, the summary, lines not read and games not
// written named, the export, one printed page per child, and clearing after the question.
#include "ModalAnswerer.h"
#include "RecordSamples.h"
#include "TestFiles.h"
#include "classroom/ClassFiles.h"
#include "classroom/RecordFile.h"
#include "classroom/RecordView.h"
#include "classroom/RecordWriter.h"
#include "store/PuzzleStore.h"

#include <QComboBox>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tivane;

namespace {

const QByteArray Bom = "\xEF\xBB\xBF";
const QByteArray Header = "date;\xC3\xA9l\xC3\xA8ve;puzzle;nom du puzzle;colonnes;lignes;rotation;temps limite;"
                          "r\xC3\xA9sultat;coups;dur\xC3\xA9" "e\r\n";
const QByteArray LeaWin = "2026-03-10 09:00:00;L\xC3\xA9" "a;1;Chat;2;2;non;0;r\xC3\xA9ussi;6;40\r\n";
const QByteArray LeaOut = "2026-03-11 09:00:00;L\xC3\xA9" "a;2;Chien;3;3;oui;60;temps \xC3\xA9" "coul\xC3\xA9;20;60\r\n";
const QByteArray TomWin = "2026-03-11 10:00:00;Tom;1;Chat;2;2;non;0;r\xC3\xA9ussi;9;75\r\n";
const QByteArray GuestWin = "2026-02-11 10:00:00;;3;Vache;1;2;non;0;r\xC3\xA9ussi;2;10\r\n";

struct RecordStore
{
    QTemporaryDir dir;
    PuzzleStore store{dir.path()};

    bool fill(const QByteArray &record = Bom + Header + LeaWin + "illisible\r\n" + LeaOut + TomWin + GuestWin)
    {
        return writeBytes(dir.path(), ClassFiles::ClassList, QByteArray("pr\xC3\xA9nom;image\r\nTom;\r\nL\xC3\xA9" "a;\r\n"))
               && writeBytes(dir.path(), ClassFiles::Record, record);
    }
};

void chooseChild(RecordView &view, const QString &name)
{
    auto *children = view.findChild<QComboBox *>(QStringLiteral("CBeleve"));
    QVERIFY(children);
    const int index = children->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    children->setCurrentIndex(index);
}

} // namespace

class TestRecordForm : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFilteredRecordAndTheSummary()
    {
        RecordStore s;
        QVERIFY(s.fill());
        RecordView view(s.store, nullptr);
        view.setToday(QDate(2026, 3, 11));
        QVERIFY(view.openForm());
        QCOMPARE(view.objectName(), QStringLiteral("TFcarnet"));
        QCOMPARE(view.model()->rowCount(), 4);
        QCOMPARE(view.model()->index(0, RecordModel::ChildColumn).data().toString(), QStringLiteral("Tom"));
        QVERIFY2(view.problems().contains(QStringLiteral("ligne 3")), qPrintable(view.problems()));
        QVERIFY(view.summary().isEmpty());

        auto *children = view.findChild<QComboBox *>(QStringLiteral("CBeleve"));
        QStringList items;
        for (int i = 0; i < children->count(); ++i)
            items << children->itemText(i);
        QCOMPARE(items, (QStringList{"Tous les enfants", "Léa", "Tom", "Invités"}));

        chooseChild(view, QStringLiteral("Léa"));
        QCOMPARE(view.model()->rowCount(), 2);
        QCOMPARE(view.summary(), QStringLiteral("2 parties jouées, 1 puzzle réussi, 1 puzzle différent réussi"));
        view.findChild<QComboBox *>(QStringLiteral("CBperiode"))->setCurrentIndex(int(RecordPeriod::Today));
        QCOMPARE(view.model()->rowCount(), 1);
        chooseChild(view, QStringLiteral("Invités"));
        view.findChild<QComboBox *>(QStringLiteral("CBperiode"))->setCurrentIndex(int(RecordPeriod::All));
        QCOMPARE(view.model()->rowCount(), 1);
        QVERIFY(view.summary().isEmpty());
    }

    void namesGamesNotWrittenYet()
    {
        RecordStore s;
        QVERIFY(s.fill());
        RecordWriter writer(s.store);
        s.store.setFaultHook([](const QString &name) { return name == ClassFiles::Record; });
        QVERIFY(!writer.append(RecordSamples::entry(QStringLiteral("Tom"), 1)));
        RecordView view(s.store, &writer);
        QVERIFY(view.openForm());
        QVERIFY2(view.problems().contains(QStringLiteral("1 partie(s) n'ont pas encore pu être écrites")),
                 qPrintable(view.problems()));
        // Once the store takes it again, opening the view writes it.
        s.store.setFaultHook({});
        view.close();
        QVERIFY(view.openForm());
        QVERIFY(writer.unwritten().isEmpty());
        QCOMPARE(view.model()->rowCount(), 5);
        QVERIFY(!view.problems().contains(QStringLiteral("partie(s)")));
    }

    void exportsTheLinesShown()
    {
        RecordStore s;
        QVERIFY(s.fill());
        RecordView view(s.store, nullptr);
        QVERIFY(view.openForm());
        chooseChild(view, QStringLiteral("Léa"));
        const QString path = QDir(s.dir.path()).filePath(QStringLiteral("export.csv"));
        QVERIFY(view.exportTo(path));
        QCOMPARE(fileBytes(path), Bom + Header + LeaOut + LeaWin);
    }

    void printsOnePagePerChild()
    {
        RecordStore s;
        QVERIFY(s.fill());
        RecordView view(s.store, nullptr);
        QVERIFY(view.openForm());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = QDir(s.dir.path()).filePath(QStringLiteral("carnet.pdf"));
        printer.setOutputFileName(pdf);
        QVERIFY(view.printOn(printer));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY2(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))),
                 "two children, two pages");
    }

    void printingNobodyIsRefused()
    {
        RecordStore s;
        QVERIFY(s.fill(Bom + Header + GuestWin));
        ModalAnswerer answerer;
        RecordView view(s.store, nullptr);
        QVERIFY(view.openForm());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(s.dir.path()).filePath(QStringLiteral("carnet.pdf")));
        QVERIFY(!view.printOn(printer));
        QVERIFY(QTest::qWaitFor([&] { return answerer.texts.join(u' ').contains(QStringLiteral("rien à imprimer")); }));
    }

    void clears_data()
    {
        QTest::addColumn<QString>("child");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("everything") << QStringLiteral("Tous les enfants") << true
                                    << QStringLiteral("Effacer tout le carnet de suivi ?") << (Bom + Header);
        QTest::newRow("one child") << QStringLiteral("Léa") << true
                                   << QStringLiteral("Effacer toutes les lignes de Léa du carnet de suivi ?")
                                   << (Bom + Header + "illisible\r\n" + TomWin + GuestWin);
        QTest::newRow("Non") << QStringLiteral("Tom") << false
                             << QStringLiteral("Effacer toutes les lignes de Tom du carnet de suivi ?")
                             << (Bom + Header + LeaWin + "illisible\r\n" + LeaOut + TomWin + GuestWin);
    }
    void clears()
    {
        QFETCH(QString, child);
        QFETCH(bool, yes);
        RecordStore s;
        QVERIFY(s.fill());
        QString asked;
        ModalAnswerer answerer([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                asked = box->text();
                ModalAnswerer::clickStandard(box, yes ? QMessageBox::Yes : QMessageBox::No);
            }
        });
        RecordView view(s.store, nullptr);
        QVERIFY(view.openForm());
        chooseChild(view, child);
        QTest::mouseClick(view.findChild<QToolButton *>(QStringLiteral("BEffacer")), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !asked.isEmpty(); }));
        QTEST(asked, "question");
        QFETCH(QByteArray, after);
        QVERIFY(QTest::qWaitFor([&] { return fileBytes(s.dir.path(), ClassFiles::Record) == after; }));
        QCOMPARE(view.model()->entries().size(), readRecord(s.store).entries.size());
    }

    void aBrokenRecordOpensAndCanBeCleared()
    {
        RecordStore s;
        QVERIFY(s.fill(QByteArray("binaire\0\x01", 9)));
        ModalAnswerer answerer;
        RecordView view(s.store, nullptr);
        QVERIFY(view.openForm());
        QVERIFY(view.problems().contains(QStringLiteral("ce n'est pas un fichier texte")));
        QCOMPARE(view.model()->rowCount(), 0);
        QTest::mouseClick(view.findChild<QToolButton *>(QStringLiteral("BEffacer")), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return fileBytes(s.dir.path(), ClassFiles::Record) == Bom + Header; }));
        QVERIFY(QTest::qWaitFor([&] { return view.problems().isEmpty(); }));
    }
};

QTEST_MAIN(TestRecordForm)
#include "tst_recordform.moc"
