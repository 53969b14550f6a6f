// What the teacher sees of the record: the filters, one child's summary and completed puzzles,
// and the table's rows.
#include "classroom/RecordFilter.h"
#include "classroom/RecordModel.h"

#include <QTest>

#include <vector>

using namespace tivane;

namespace {

// A Wednesday.
const QDate Today(2026, 3, 11);

RecordEntry game(const QString &child, const QDate &date, GameOutcome outcome, int puzzle, int moves)
{
    RecordEntry entry;
    entry.when = {date, QTime(9, 0)};
    entry.child = child;
    entry.puzzle = puzzle;
    entry.puzzleName = QStringLiteral("Puzzle %1").arg(puzzle);
    entry.columns = 3;
    entry.rows = 2;
    entry.outcome = outcome;
    entry.moves = moves;
    entry.seconds = 65;
    return entry;
}

const QList<RecordEntry> Games{
    game(QStringLiteral("Léa"), Today, GameOutcome::Completed, 1, 10),
    game(QStringLiteral("Tom"), QDate(2026, 3, 9), GameOutcome::Abandoned, 1, 3),   // this week's Monday
    game(QString(), QDate(2026, 3, 8), GameOutcome::Completed, 4, 8),               // last week's Sunday
    game(QStringLiteral("Léa"), QDate(2026, 3, 1), GameOutcome::Completed, 1, 7),
    game(QStringLiteral("Léa"), QDate(2026, 2, 28), GameOutcome::TimedOut, 2, 30),  // last month
    game(QStringLiteral("LÉA"), QDate(2026, 3, 12), GameOutcome::Completed, 3, 12), // a clock set wrong
    game(QStringLiteral("Léa"), QDate(2026, 3, 10), GameOutcome::Completed, 2, 20),
};

RecordFilter filterOf(int children, const QString &child, int period)
{
    RecordFilter filter;
    filter.children = RecordFilter::Children(children);
    filter.child = child;
    filter.period = RecordPeriod(period);
    return filter;
}

QStringList column(const RecordModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

} // namespace

class TestRecordView : public QObject
{
    Q_OBJECT

private slots:
    void filters_data()
    {
        QTest::addColumn<int>("children");
        QTest::addColumn<QString>("child");
        QTest::addColumn<int>("period");
        QTest::addColumn<QList<qsizetype>>("shown");
        const int all = int(RecordFilter::Children::All);
        const int one = int(RecordFilter::Children::One);
        const int guests = int(RecordFilter::Children::Guests);
        QTest::newRow("everything") << all << QString() << int(RecordPeriod::All) << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6};
        QTest::newRow("today") << all << QString() << int(RecordPeriod::Today) << QList<qsizetype>{0};
        QTest::newRow("this week") << all << QString() << int(RecordPeriod::ThisWeek) << QList<qsizetype>{0, 1, 6};
        QTest::newRow("this month") << all << QString() << int(RecordPeriod::ThisMonth)
                                    << QList<qsizetype>{0, 1, 2, 3, 6};
        QTest::newRow("one child, any case") << one << QStringLiteral("léa") << int(RecordPeriod::All)
                                             << QList<qsizetype>{0, 3, 4, 5, 6};
        QTest::newRow("one child this month") << one << QStringLiteral("Léa") << int(RecordPeriod::ThisMonth)
                                              << QList<qsizetype>{0, 3, 6};
        QTest::newRow("guests") << guests << QString() << int(RecordPeriod::All) << QList<qsizetype>{2};
        QTest::newRow("guests today") << guests << QString() << int(RecordPeriod::Today) << QList<qsizetype>{};
    }
    void filters()
    {
        QFETCH(int, children);
        QFETCH(QString, child);
        QFETCH(int, period);
        QFETCH(QList<qsizetype>, shown);
        // As vectors: Qt 6.4 compares an empty list with a reserved one through memcmp(nullptr).
        const QList<qsizetype> kept = filterRecord(Games, filterOf(children, child, period), Today);
        QCOMPARE(std::vector<qsizetype>(kept.cbegin(), kept.cend()), std::vector<qsizetype>(shown.cbegin(), shown.cend()));
    }

    void periodsStart_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("period");
        QTest::addColumn<QDate>("start");
        QTest::newRow("a Monday's week") << QDate(2026, 3, 9) << int(RecordPeriod::ThisWeek) << QDate(2026, 3, 9);
        QTest::newRow("a Sunday's week") << QDate(2026, 3, 8) << int(RecordPeriod::ThisWeek) << QDate(2026, 3, 2);
        QTest::newRow("a week across months") << QDate(2026, 4, 1) << int(RecordPeriod::ThisWeek) << QDate(2026, 3, 30);
        QTest::newRow("the month") << QDate(2026, 2, 28) << int(RecordPeriod::ThisMonth) << QDate(2026, 2, 1);
        QTest::newRow("all") << QDate(2026, 2, 28) << int(RecordPeriod::All) << QDate();
    }
    void periodsStart()
    {
        QFETCH(QDate, today);
        QFETCH(int, period);
        QTEST(periodStart(RecordPeriod(period), today), "start");
    }

    void summarisesOneChild()
    {
        const QList<qsizetype> lea = filterRecord(Games, filterOf(int(RecordFilter::Children::One), QStringLiteral("Léa"),
                                                                  int(RecordPeriod::All)), Today);
        const ChildSummary summary = summarise(Games, lea);
        QCOMPARE(summary, (ChildSummary{5, 4, 3}));
        QCOMPARE(summaryText(summary), QStringLiteral("5 parties jouées, 4 puzzles réussis, 3 puzzles différents réussis"));
        QCOMPARE(summaryText(summarise(Games, {1})),
                 QStringLiteral("1 partie jouée, 0 puzzle réussi, 0 puzzle différent réussi"));

        const QList<Achievement> done = achievements(Games, lea);
        QCOMPARE(done.size(), 3);
        QCOMPARE(done[0], (Achievement{1, QStringLiteral("Puzzle 1"), 3, 2, {QDate(2026, 3, 1), QTime(9, 0)}, 7}));
        QCOMPARE(done[1].puzzle, 2);
        QCOMPARE(done[1].fewestMoves, 20);
        QCOMPARE(done[2].puzzle, 3);
    }

    void aReusedNumberIsAnotherPuzzle()
    {
        QList<RecordEntry> games{game(QStringLiteral("Tom"), Today, GameOutcome::Completed, 5, 9),
                                 game(QStringLiteral("Tom"), Today, GameOutcome::Completed, 5, 4)};
        games[1].puzzleName = QStringLiteral("Autre");
        QCOMPARE(summarise(games, {0, 1}).differentPuzzlesCompleted, 2);
        QCOMPARE(achievements(games, {0, 1}).size(), 2);
    }

    void rowsNewestFirstAndSortable()
    {
        RecordModel model;
        model.setEntries(Games);
        model.setFilter({}, Today);
        QCOMPARE(model.rowCount(), 7);
        QCOMPARE(column(model, RecordModel::DateColumn),
                 (QStringList{"12/03/2026 09:00", "11/03/2026 09:00", "10/03/2026 09:00", "09/03/2026 09:00",
                              "08/03/2026 09:00", "01/03/2026 09:00", "28/02/2026 09:00"}));
        QCOMPARE(model.index(4, RecordModel::ChildColumn).data().toString(), QStringLiteral("Invité"));
        QCOMPARE(model.index(0, RecordModel::GridColumn).data().toString(), QStringLiteral("3 × 2"));
        QCOMPARE(model.index(0, RecordModel::DurationColumn).data().toString(), QStringLiteral("1:05"));
        QCOMPARE(model.index(6, RecordModel::OutcomeColumn).data().toString(), QStringLiteral("temps écoulé"));

        model.sort(RecordModel::ChildColumn, Qt::AscendingOrder);
        const QStringList children = column(model, RecordModel::ChildColumn);
        QCOMPARE(children.constFirst(), QStringLiteral("Invité"));
        QCOMPARE(children.constLast(), QStringLiteral("Tom"));
        model.sort(RecordModel::MovesColumn, Qt::DescendingOrder);
        QCOMPARE(column(model, RecordModel::MovesColumn), (QStringList{"30", "20", "12", "10", "8", "7", "3"}));

        // A filter keeps the chosen order.
        model.setFilter(filterOf(int(RecordFilter::Children::One), QStringLiteral("Léa"), int(RecordPeriod::ThisMonth)), Today);
        QCOMPARE(column(model, RecordModel::MovesColumn), (QStringList{"20", "10", "7"}));
    }

    void durations_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << QStringLiteral("0:00");
        QTest::newRow("59") << 59 << QStringLiteral("0:59");
        QTest::newRow("600") << 600 << QStringLiteral("10:00");
        QTest::newRow("an hour and more") << 3725 << QStringLiteral("62:05");
    }
    void durations()
    {
        QFETCH(int, seconds);
        QTEST(RecordModel::durationText(seconds), "text");
    }

    void thumbnailsAreAskedOncePerPuzzle()
    {
        RecordModel model;
        model.setEntries(Games);
        int asked = 0;
        model.setThumbnailSource([&](int puzzle) {
            ++asked;
            QImage picture;
            if (puzzle == 1) {
                picture = QImage(100, 100, QImage::Format_RGB32);
                picture.fill(Qt::red);
            }
            return picture;
        });
        for (int pass = 0; pass < 2; ++pass)
            for (int row = 0; row < model.rowCount(); ++row) {
                const QVariant decoration = model.index(row, RecordModel::PuzzleColumn).data(Qt::DecorationRole);
                const int puzzle = Games[model.shown()[row]].puzzle;
                QCOMPARE(decoration.isValid(), puzzle == 1);
                if (puzzle == 1)
                    QCOMPARE(decoration.value<QImage>().size(), QSize(RecordModel::ThumbnailSide, RecordModel::ThumbnailSide));
            }
        QCOMPARE(asked, 4);
    }
};

QTEST_GUILESS_MAIN(TestRecordView)
#include "tst_recordview.moc"
