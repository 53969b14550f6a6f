// The class's two text files as a spreadsheet writes them, and the class list.
#include "ErrorOf.h"
#include "TestFiles.h"
#include "classroom/ClassFiles.h"
#include "classroom/ClassList.h"
#include "classroom/CsvFormat.h"
#include "store/PuzzleStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

namespace {

// Rows as "line:field|field" (a '~' at the end for a row without its line end).
QStringList described(const CsvParse &parse)
{
    QStringList rows;
    for (const CsvRow &row : parse.rows)
        rows << QString::number(row.line) + u':' + row.fields.join(u'|') + (row.terminated ? QString() : QStringLiteral("~"));
    return rows;
}

QStringList firstNames(const ClassList &list)
{
    QStringList names;
    for (const Pupil &pupil : list.pupils)
        names << pupil.firstName + u'=' + pupil.picture;
    return names;
}

} // namespace

class TestClassFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("breaks");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("unreadable");
        const int allowed = int(LineBreaksInFields::Allowed);
        const int refused = int(LineBreaksInFields::Refused);
        QTest::newRow("CR LF, byte-order mark") << QByteArray("\xEF\xBB\xBFpr\xC3\xA9nom;image\r\nL\xC3\xA9o;a.png\r\n")
                                                << allowed << QStringList{"1:prénom|image", "2:Léo|a.png"} << QList<int>{};
        QTest::newRow("LF, no mark") << QByteArray("a;b\nc;d\n") << allowed << QStringList{"1:a|b", "2:c|d"}
                                     << QList<int>{};
        QTest::newRow("quoted ; and doubled quotes")
            << QByteArray("\"x;y\";\"dit \"\"non\"\"\";\"\"\r\n") << allowed << QStringList{"1:x;y|dit \"non\"|"}
            << QList<int>{};
        QTest::newRow("empty fields") << QByteArray("a;;\r\n;\r\n") << allowed << QStringList{"1:a||"} << QList<int>{};
        QTest::newRow("line break in a quoted field")
            << QByteArray("\"deux\r\nlignes\";b\r\nc\r\n") << allowed << QStringList{"1:deux\nlignes|b", "3:c"}
            << QList<int>{};
        QTest::newRow("line break refused") << QByteArray("a\r\n\"ouvert;b\r\nc;d\r\n") << refused
                                            << QStringList{"1:a", "3:c|d"} << QList<int>{2};
        QTest::newRow("last line cut short") << QByteArray("a;b\r\nc;\"d") << refused << QStringList{"1:a|b", "2:c|d~"}
                                             << QList<int>{};
        QTest::newRow("last line without its end") << QByteArray("a;b\r\nc;d") << allowed
                                                   << QStringList{"1:a|b", "2:c|d~"} << QList<int>{};
        QTest::newRow("blank lines skipped, numbers kept")
            << QByteArray("a\r\n\r\n\nb\r\n") << allowed << QStringList{"1:a", "4:b"} << QList<int>{};
        QTest::newRow("Windows-1252 from a spreadsheet")
            << QByteArray("pr\xE9nom\r\nZo\xE9\r\n") << allowed << QStringList{"1:prénom", "2:Zoé"} << QList<int>{};
    }
    void readsFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, breaks);
        const CsvParse parse = parseCsv(decodeCsvText(bytes, QStringLiteral("f.csv")), LineBreaksInFields(breaks));
        QTEST(described(parse), "rows");
        QTEST(parse.unreadableLines, "unreadable");
    }

    void writesFields_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain, accents") << QStringList{"Léa", "chat.png"} << QStringLiteral("Léa;chat.png\r\n");
        QTest::newRow("separator") << QStringList{"a;b", ""} << QStringLiteral("\"a;b\";\r\n");
        QTest::newRow("quote") << QStringList{"le \"grand\""} << QStringLiteral("\"le \"\"grand\"\"\"\r\n");
        QTest::newRow("line break") << QStringList{"a\nb", "c"} << QStringLiteral("\"a\nb\";c\r\n");
    }
    void writesFields()
    {
        QFETCH(QStringList, fields);
        QTEST(csvLine(fields), "line");
        const CsvParse back = parseCsv(csvLine(fields), LineBreaksInFields::Allowed);
        QCOMPARE(back.rows.size(), 1);
        QCOMPARE(back.rows[0].fields, fields);
    }

    void refusesBinaryAndHugeFiles()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(writeBytes(dir.path(), ClassFiles::ClassList, QByteArray("pr\xC3\xA9nom\r\n\0\x01\x02", 12)));
        QVERIFY(errorOf([&] { readClassList(store); }).contains(QStringLiteral("ce n'est pas un fichier texte")));

        QFile huge(QDir(dir.path()).filePath(ClassFiles::ClassList));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(ClassFiles::MaxClassListBytes + 1));
        huge.close();
        const QString message = errorOf([&] { readClassList(store); });
        QVERIFY2(message.contains(QStringLiteral("« eleves.csv »")) && message.contains(QStringLiteral("trop grand")),
                 qPrintable(message));
    }

    void readsClassList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("pupils");
        QTest::addColumn<QList<int>>("skipped");
        QTest::addColumn<QList<int>>("droppedPictures");
        QTest::newRow("as written") << QByteArray("\xEF\xBB\xBFpr\xC3\xA9nom;image\r\nL\xC3\xA9o;lion.png\r\nAmir;\r\n")
                                    << QStringList{"Léo=lion.png", "Amir="} << QList<int>{} << QList<int>{};
        QTest::newRow("header spelled otherwise, LF")
            << QByteArray("Image ; PRENOM\nchat.png; Zo\xC3\xA9 \n") << QStringList{"Zoé=chat.png"} << QList<int>{}
            << QList<int>{};
        QTest::newRow("no picture column") << QByteArray("prénom\r\nNina\r\n") << QStringList{"Nina="} << QList<int>{}
                                           << QList<int>{};
        QTest::newRow("empty, too long, repeated")
            << QByteArray("prénom;image\r\n;a.png\r\nAnna\r\n" + QByteArray(31, 'x') + "\r\n" + QByteArray(30, 'y')
                          + "\r\nANNA\r\n")
            << QStringList{"Anna=", QString(30, u'y') + u'='} << QList<int>{2, 4, 6} << QList<int>{};
        QTest::newRow("picture outside the folder")
            << QByteArray("prénom;image\r\nTom;../puz0.tvn\r\nEva;sous/dossier.png\r\nIda;ok.png\r\n")
            << QStringList{"Tom=", "Eva=", "Ida=ok.png"} << QList<int>{} << QList<int>{2, 3};
        QTest::newRow("name of 30 accented letters")
            << (QByteArray("prénom\r\n") + QString(30, u'é').toUtf8() + "\r\n") << QStringList{QString(30, u'é') + u'='}
            << QList<int>{} << QList<int>{};
    }
    void readsClassList()
    {
        QFETCH(QByteArray, bytes);
        const ClassListReading reading = parseClassList(decodeCsvText(bytes, ClassFiles::ClassList));
        QTEST(firstNames(reading.list), "pupils");
        QTEST(reading.skippedLines, "skipped");
        QTEST(reading.droppedPictureLines, "droppedPictures");
        QCOMPARE(reading.problems().isEmpty(), reading.skippedLines.isEmpty() && reading.droppedPictureLines.isEmpty());
    }

    void problemsNameTheLines()
    {
        const ClassListReading reading =
            parseClassList(QStringLiteral("prénom;image\r\n\r\nAnna\r\nanna\r\nBo;a/b\r\n;\"x\"\r\n"));
        QCOMPARE(reading.skippedLines, (QList<int>{4, 6}));
        QVERIFY2(reading.problems().contains(QStringLiteral("lignes 4 et 6")), qPrintable(reading.problems()));
        QVERIFY2(reading.problems().contains(QStringLiteral("(lignes 5)")), qPrintable(reading.problems()));
    }

    void refusesListWithoutFirstNames()
    {
        const QString message = errorOf([] { parseClassList(QStringLiteral("nom;image\r\nLéo;\r\n")); });
        QVERIFY2(message.contains(QStringLiteral("« prénom »")), qPrintable(message));
    }

    void savesAsWrittenWithUnknownColumnsAndUnreadLines()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(writeBytes(dir.path(), ClassFiles::ClassList,
                           QByteArray("note;image;pr\xC3\xA9nom\nsage;a.png;L\xC3\xA9o\n;;\n\"dit \"\"bof\"\"\";;Zo\xC3\xA9\n"
                                      "x;y;\n")));
        ClassListReading reading = readClassList(store);
        QCOMPARE(firstNames(reading.list), (QStringList{"Léo=a.png", "Zoé="}));
        Pupil added;
        added.firstName = QStringLiteral("Inès");
        reading.list.pupils << added;
        reading.list.pupils[0].picture = QStringLiteral("b.png");
        saveClassList(store, reading.list);
        QCOMPARE(fileBytes(dir.path(), ClassFiles::ClassList),
                 QByteArray("\xEF\xBB\xBFnote;image;pr\xC3\xA9nom\r\nsage;b.png;L\xC3\xA9o\r\n\"dit \"\"bof\"\"\";;Zo\xC3\xA9\r\n"
                            ";;In\xC3\xA8s\r\nx;y;\r\n"));
        QCOMPARE(readClassList(store).list, reading.list);
    }

    void newListHasTheDefaultHeader()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        ClassList list = readClassList(store).list;
        QVERIFY(list.pupils.isEmpty());
        Pupil pupil;
        pupil.firstName = QStringLiteral("Noé; le grand");
        list.pupils << pupil;
        saveClassList(store, list);
        QCOMPARE(fileBytes(dir.path(), ClassFiles::ClassList),
                 QByteArray("\xEF\xBB\xBFpr\xC3\xA9nom;image\r\n\"No\xC3\xA9; le grand\";\r\n"));
    }

    void firstNameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("self");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("new") << QStringLiteral("Yanis") << -1 << true;
        QTest::newRow("empty") << QString() << -1 << false;
        QTest::newRow("30 letters") << QString(30, u'a') << -1 << true;
        QTest::newRow("31 letters") << QString(31, u'a') << -1 << false;
        QTest::newRow("taken, other case") << QStringLiteral("LÉA") << -1 << false;
        QTest::newRow("its own name, other case") << QStringLiteral("LÉA") << 0 << true;
        QTest::newRow("taken by another") << QStringLiteral("tom") << 0 << false;
        QTest::newRow("line break") << QStringLiteral("a\nb") << -1 << false;
    }
    void firstNameRules()
    {
        QFETCH(QString, name);
        QFETCH(int, self);
        ClassList list = emptyClassList();
        list.pupils << Pupil{QStringLiteral("Léa"), {}, {}} << Pupil{QStringLiteral("Tom"), {}, {}};
        const std::optional<QString> problem =
            firstNameProblem(name, list, self < 0 ? std::nullopt : std::optional<qsizetype>(self));
        QTEST(!problem.has_value(), "accepted");
    }

    void sortsByFirstNameInFrenchOrder()
    {
        const QList<Pupil> sorted = sortedByFirstName({Pupil{QStringLiteral("fanny"), {}, {}}, Pupil{QStringLiteral("Élodie"), {}, {}},
                                                       Pupil{QStringLiteral("Eddy"), {}, {}}, Pupil{QStringLiteral("Zoé"), {}, {}}});
        ClassList list;
        list.pupils = sorted;
        QCOMPARE(firstNames(list), (QStringList{"Eddy=", "Élodie=", "fanny=", "Zoé="}));
    }
};

QTEST_GUILESS_MAIN(TestClassFiles)
#include "tst_classfiles.moc"
