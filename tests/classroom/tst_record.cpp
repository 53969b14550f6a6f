// The record, carnet.csv: its lines, reading a file a teacher may have edited, appending under
// the store's lock (also from two programs at once), and the teacher's rewrites.
#include "ErrorOf.h"
#include "RecordSamples.h"
#include "TestFiles.h"
#include "classroom/ClassFiles.h"
#include "classroom/CsvFormat.h"
#include "classroom/RecordFile.h"
#include "classroom/RecordWriter.h"
#include "store/PuzzleStore.h"

#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tivane;

namespace {

const QByteArray Bom = "\xEF\xBB\xBF";
const QByteArray Header = "date;\xC3\xA9l\xC3\xA8ve;puzzle;nom du puzzle;colonnes;lignes;rotation;temps limite;"
                          "r\xC3\xA9sultat;coups;dur\xC3\xA9" "e\r\n";

QByteArray recordBytes(const QByteArray &lines)
{
    return Bom + Header + lines;
}

// Entries as "child/moves/outcome".
QStringList described(const QList<RecordEntry> &entries)
{
    QStringList lines;
    for (const RecordEntry &entry : entries)
        lines << QStringLiteral("%1/%2/%3").arg(entry.child).arg(entry.moves).arg(outcomeWord(entry.outcome));
    return lines;
}

QByteArray recordFile(const QTemporaryDir &dir)
{
    return fileBytes(dir.path(), ClassFiles::Record);
}

// A record of five children's lines, one with an unknown column's value, one that does not read.
const QByteArray MixedRecord =
    "\xEF\xBB\xBF" "date;\xC3\xA9l\xC3\xA8ve;puzzle;r\xC3\xA9sultat;remarque\r\n"
    "2026-03-02 09:00:00;L\xC3\xA9" "a;1;r\xC3\xA9ussi;bien\r\n"
    "2026-03-02 09:05:00;Tom;2;abandonn\xC3\xA9;\r\n"
    "2026-03-02 09:10:00;L\xC3\x89" "A;3;temps \xC3\xA9" "coul\xC3\xA9;\"vite; trop\"\r\n"
    "illisible\r\n"
    "2026-03-02 09:20:00;;4;r\xC3\xA9ussi;\r\n";

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT

private slots:
    void writesOneLinePerGame_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("child");
        QTest::addColumn<bool>("rotation");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("a win") << int(GameOutcome::Completed) << QStringLiteral("Léa") << true
                               << QByteArray("2026-03-04 09:05:07;L\xC3\xA9" "a;3;\"Les \"\"lapins\"\"; bis\";3;2;oui;120;"
                                             "r\xC3\xA9ussi;17;95\r\n");
        QTest::newRow("a time-out, a guest") << int(GameOutcome::TimedOut) << QString() << false
                                             << QByteArray("2026-03-04 09:05:07;;3;\"Les \"\"lapins\"\"; bis\";3;2;non;120;"
                                                           "temps \xC3\xA9" "coul\xC3\xA9;17;95\r\n");
        QTest::newRow("an abandonment") << int(GameOutcome::Abandoned) << QStringLiteral("Tom") << false
                                        << QByteArray("2026-03-04 09:05:07;Tom;3;\"Les \"\"lapins\"\"; bis\";3;2;non;120;"
                                                      "abandonn\xC3\xA9;17;95\r\n");
    }
    void writesOneLinePerGame()
    {
        QFETCH(int, outcome);
        QFETCH(QString, child);
        QFETCH(bool, rotation);
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        RecordWriter writer(store);
        GameResult result;
        result.puzzle = 3;
        result.puzzleName = QStringLiteral("Les \"lapins\"; bis");
        result.columns = 3;
        result.rows = 2;
        result.rotation = rotation;
        result.timeLimit = 120;
        result.moves = 17;
        result.secondsPlayed = 95;
        result.outcome = GameOutcome(outcome);
        result.endedAt = QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7, 600));
        const RecordEntry entry = recordEntry(result, child);
        QVERIFY(writer.append(entry));
        QFETCH(QByteArray, line);
        QCOMPARE(recordFile(dir), recordBytes(line));
        QCOMPARE(readRecord(store).entries, QList<RecordEntry>{entry});
    }

    void outcomeWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("outcome");
        QTest::newRow("réussi") << QStringLiteral("réussi") << int(GameOutcome::Completed);
        QTest::newRow("temps écoulé") << QStringLiteral("temps écoulé") << int(GameOutcome::TimedOut);
        QTest::newRow("abandonné") << QStringLiteral("abandonné") << int(GameOutcome::Abandoned);
        QTest::newRow("upper case, blanks") << QStringLiteral(" RÉUSSI ") << int(GameOutcome::Completed);
        QTest::newRow("unknown") << QStringLiteral("gagné") << -1;
    }
    void outcomeWords()
    {
        QFETCH(QString, word);
        QFETCH(int, outcome);
        const std::optional<GameOutcome> read = outcomeFromWord(word);
        QCOMPARE(read ? int(*read) : -1, outcome);
        if (read)
            QCOMPARE(outcomeFromWord(outcomeWord(*read)), read);
    }

    void readsRecord_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("skipped");
        const QByteArray win = "2026-03-02 09:00:00;L\xC3\xA9" "a;1;Chat;2;2;non;0;r\xC3\xA9ussi;4;30\r\n";
        QTest::newRow("as written") << recordBytes(win) << QStringList{"Léa/4/réussi"} << QList<int>{};
        QTest::newRow("no mark, LF") << QByteArray(Header + win).replace("\r\n", "\n") << QStringList{"Léa/4/réussi"}
                                     << QList<int>{};
        QTest::newRow("header alone") << recordBytes({}) << QStringList{} << QList<int>{};
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QList<int>{};
        QTest::newRow("last line cut short")
            << recordBytes(win + "2026-03-02 09:01:00;Tom;1;Ch") << QStringList{"Léa/4/réussi"} << QList<int>{};
        QTest::newRow("last line cut in a quote")
            << recordBytes(win + "2026-03-02 09:01:00;Tom;1;\"Ch") << QStringList{"Léa/4/réussi"} << QList<int>{};
        QTest::newRow("bad lines")
            << recordBytes(win + "2026-03-02 09:00:00;Tom;1;Chat\r\n"                          // too few fields
                           + "2026-03-02 09:00:00;Tom;1;Chat;2;2;non;0;r\xC3\xA9ussi;douze;30\r\n"  // a bad number
                           + "2026-02-30 09:00:00;Tom;1;Chat;2;2;non;0;r\xC3\xA9ussi;4;30\r\n"      // a bad date
                           + "2026-03-02 09:00:00;Tom;1;Chat;2;2;peut-\xC3\xAAtre;0;r\xC3\xA9ussi;4;30\r\n"
                           + "2026-03-02 09:00:00;Tom;1;Chat;2;2;non;0;gagn\xC3\xA9;4;30\r\n"
                           + "2026-03-02 09:00:00;Tom;-1;Chat;2;2;non;0;r\xC3\xA9ussi;4;30\r\n"
                           + "\"2026-03-02 09:00:00;Tom\r\n" + win)
            << QStringList{"Léa/4/réussi", "Léa/4/réussi"} << QList<int>{3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("reordered, unknown and missing columns, spreadsheet dates")
            << QByteArray("R\xC3\xA9sultat;remarque;Eleve;Date;puzzle;coups\n"
                          "abandonn\xC3\xA9;bof;Tom;02/03/2026 10:15;7;3\n"
                          "r\xC3\xA9ussi;;;2026-03-02 10:20;8;9\n")
            << QStringList{"Tom/3/abandonné", "/9/réussi"} << QList<int>{};
    }
    void readsRecord()
    {
        QFETCH(QByteArray, bytes);
        const RecordReading reading = parseRecord(decodeCsvText(bytes, ClassFiles::Record));
        QTEST(described(reading.entries), "entries");
        QTEST(reading.skippedLines, "skipped");
        QCOMPARE(reading.problems().isEmpty(), reading.skippedLines.isEmpty());
    }

    void problemsNameTheSkippedLines()
    {
        const RecordReading reading = parseRecord(decodeCsvText(MixedRecord, ClassFiles::Record));
        QCOMPARE(reading.entries.size(), 4);
        QCOMPARE(reading.problems(),
                 QStringLiteral("Le fichier « carnet.csv » a des lignes illisibles, laissées de côté : ligne 5."));
        const RecordEntry &first = reading.entries.constFirst();
        QCOMPARE(first.when, (RecordTime{QDate(2026, 3, 2), QTime(9, 0)}));
        QCOMPARE(first.puzzle, 1);
    }

    void refusesWhatIsNotARecord_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said");
        QTest::newRow("foreign header") << QByteArray("nom;age\r\nTom;5\r\n") << QStringLiteral("« date », « élève »");
        QTest::newRow("binary") << QByteArray("date;\0\x7F\x45LF", 10) << QStringLiteral("ce n'est pas un fichier texte");
    }
    void refusesWhatIsNotARecord()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(writeBytes(dir.path(), ClassFiles::Record, bytes));
        const QString message = errorOf([&] { readRecord(store); });
        QFETCH(QString, said);
        QVERIFY2(message.contains(QStringLiteral("« carnet.csv »")) && message.contains(said), qPrintable(message));
    }

    void refusesHugeRecord()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QFile file(QDir(dir.path()).filePath(ClassFiles::Record));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(ClassFiles::MaxRecordBytes + 1));
        file.close();
        QVERIFY(errorOf([&] { readRecord(store); }).contains(QStringLiteral("trop grand")));
    }

    void appendsOnALineOfItsOwnAfterATornLine()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const QByteArray whole = "2026-03-02 09:00:00;Tom;1;Chat;2;2;non;0;r\xC3\xA9ussi;4;30\r\n";
        QVERIFY(writeBytes(dir.path(), ClassFiles::Record, recordBytes(whole + "2026-03-02 09:01:00;\"L\xC3\xA9")));
        RecordWriter writer(store);
        const RecordEntry entry = RecordSamples::entry(QStringLiteral("Léa"), 7);
        QVERIFY(writer.append(entry));
        QVERIFY(recordFile(dir).startsWith(recordBytes(whole + "2026-03-02 09:01:00;\"L\xC3\xA9\r\n")));
        const RecordReading reading = readRecord(store);
        QCOMPARE(described(reading.entries), (QStringList{"Tom/4/réussi", "Léa/7/réussi"}));
        QCOMPARE(reading.entries.constLast(), entry);
        QCOMPARE(reading.skippedLines, QList<int>{3});
    }

    void appendsInTheFilesOwnColumns()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        const QByteArray header = "r\xC3\xA9sultat;date;\xC3\xA9l\xC3\xA8ve;remarque;puzzle\r\n";
        QVERIFY(writeBytes(dir.path(), ClassFiles::Record, Bom + header));
        RecordWriter writer(store);
        QVERIFY(writer.append(RecordSamples::entry(QStringLiteral("Léa"), 3, GameOutcome::TimedOut)));
        QCOMPARE(recordFile(dir), Bom + header + "temps \xC3\xA9" "coul\xC3\xA9;2026-03-05 08:00:03;L\xC3\xA9" "a;;3\r\n");
        QCOMPARE(described(readRecord(store).entries), QStringList{"Léa/0/temps écoulé"});
    }

    void keepsWhatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("a full disk") << false;
        QTest::newRow("the store locked by another program") << true;
    }
    void keepsWhatCannotBeWritten()
    {
        QFETCH(bool, locked);
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QLockFile otherProgram(QDir(dir.path()).filePath(PuzzleStore::lockFileName()));
        if (locked)
            QVERIFY(otherProgram.tryLock(0));
        else
            store.setFaultHook([](const QString &name) { return name == ClassFiles::Record; });
        RecordWriter writer(store);
        const RecordEntry first = RecordSamples::entry(QStringLiteral("Léa"), 1);
        const RecordEntry second = RecordSamples::entry(QString(), 2, GameOutcome::Abandoned);
        QVERIFY(!writer.append(first));
        QCOMPARE(writer.unwritten(), QList<RecordEntry>{first});
        QVERIFY(!writer.failure().isEmpty());
        QVERIFY(!store.exists(ClassFiles::Record));

        otherProgram.unlock();
        store.setFaultHook({});
        QVERIFY(writer.append(second));
        QVERIFY(writer.unwritten().isEmpty());
        QVERIFY(writer.failure().isEmpty());
        QCOMPARE(readRecord(store).entries, (QList<RecordEntry>{first, second}));
        QCOMPARE(recordFile(dir).count("\r\n"), 3);
    }

    void renamesPastLines()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(writeBytes(dir.path(), ClassFiles::Record, QByteArray(MixedRecord).replace("\r\n", "\n")));
        renameInRecord(store, QStringLiteral("léa"), QStringLiteral("Léa-Rose"));
        QCOMPARE(recordFile(dir),
                 QByteArray("\xEF\xBB\xBF" "date;\xC3\xA9l\xC3\xA8ve;puzzle;r\xC3\xA9sultat;remarque\r\n"
                            "2026-03-02 09:00:00;L\xC3\xA9" "a-Rose;1;r\xC3\xA9ussi;bien\r\n"
                            "2026-03-02 09:05:00;Tom;2;abandonn\xC3\xA9;\r\n"
                            "2026-03-02 09:10:00;L\xC3\xA9" "a-Rose;3;temps \xC3\xA9" "coul\xC3\xA9;\"vite; trop\"\r\n"
                            "illisible\r\n"
                            "2026-03-02 09:20:00;;4;r\xC3\xA9ussi;\r\n"));
    }

    void removesOneChildsLines()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(writeBytes(dir.path(), ClassFiles::Record, MixedRecord));
        removeFromRecord(store, QStringLiteral("LÉA"));
        QCOMPARE(recordFile(dir),
                 QByteArray("\xEF\xBB\xBF" "date;\xC3\xA9l\xC3\xA8ve;puzzle;r\xC3\xA9sultat;remarque\r\n"
                            "2026-03-02 09:05:00;Tom;2;abandonn\xC3\xA9;\r\n"
                            "illisible\r\n"
                            "2026-03-02 09:20:00;;4;r\xC3\xA9ussi;\r\n"));
        clearRecord(store);
        QCOMPARE(recordFile(dir), recordBytes({}));
    }

    void rewritesAreRefusedWhileTheStoreIsLocked()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        QVERIFY(writeBytes(dir.path(), ClassFiles::Record, MixedRecord));
        QLockFile otherProgram(QDir(dir.path()).filePath(PuzzleStore::lockFileName()));
        QVERIFY(otherProgram.tryLock(0));
        QVERIFY_THROWS_EXCEPTION(StoreBusy, renameInRecord(store, QStringLiteral("Tom"), QStringLiteral("Tim")));
        QVERIFY_THROWS_EXCEPTION(StoreBusy, clearRecord(store));
        QCOMPARE(recordFile(dir), MixedRecord);
    }

    void twoProgramsAppendWithoutLosingOrMixingLines()
    {
        constexpr int Each = 500;
        QTemporaryDir dir;
        QProcess first, second;
        first.start(QStringLiteral(RECORD_APPENDER), {dir.path(), QStringLiteral("Ana"), QString::number(Each)});
        second.start(QStringLiteral(RECORD_APPENDER), {dir.path(), QStringLiteral("Bob"), QString::number(Each)});
        for (QProcess *appender : {&first, &second}) {
            QVERIFY(appender->waitForFinished(60000));
            QVERIFY2(appender->exitStatus() == QProcess::NormalExit && appender->exitCode() == 0,
                     appender->readAllStandardError().constData());
        }
        PuzzleStore store(dir.path());
        const QByteArray bytes = recordFile(dir);
        QCOMPARE(bytes.count("\r\n"), 2 * Each + 1);
        QVERIFY(bytes.endsWith("\r\n"));
        const RecordReading reading = readRecord(store);
        QCOMPARE(reading.skippedLines, QList<int>{});
        QCOMPARE(reading.entries.size(), 2 * Each);
        int next[2] = {0, 0};
        for (const RecordEntry &entry : reading.entries) {
            const int who = entry.child == QStringLiteral("Bob") ? 1 : 0;
            // Each program's games, whole and in the order it appended them.
            QCOMPARE(entry, RecordSamples::entry(entry.child, next[who]));
            ++next[who];
        }
        QCOMPARE(next[0], Each);
        QCOMPARE(next[1], Each);
    }
};

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
