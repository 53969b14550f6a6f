// The record of a class over years: reading 100,000 lines into the teacher's table, applying a
// filter, and appending one game, whose cost must not grow with the record.
#include "classroom/ClassFiles.h"
#include "classroom/CsvFormat.h"
#include "classroom/RecordFile.h"
#include "classroom/RecordModel.h"
#include "classroom/RecordWriter.h"
#include "store/PuzzleStore.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

using namespace tivane;

namespace {

constexpr int LargeRecord = 100'000;

// Game i of a class of 25, over about two years of school days.
RecordEntry game(int i)
{
    RecordEntry entry;
    entry.when = {QDate(2025, 1, 6).addDays(i / 140), QTime(8, 30).addSecs(i % 140 * 120)};
    entry.child = i % 26 == 0 ? QString() : QStringLiteral("Prénom%1").arg(i % 26);
    entry.puzzle = i % 120;
    entry.puzzleName = QStringLiteral("Les animaux de la ferme %1").arg(i % 120);
    entry.columns = 1 + i % 6;
    entry.rows = 1 + i / 6 % 6;
    entry.rotation = i % 2;
    entry.timeLimit = i % 3 == 0 ? 120 : 0;
    entry.outcome = GameOutcome(i % 3);
    entry.moves = 4 + i % 40;
    entry.seconds = 20 + i % 300;
    return entry;
}

// A store whose record holds `lines` games.
void writeRecord(const QString &dir, int lines)
{
    QString text = csvLine(recordHeader());
    const RecordLayout layout = RecordLayout::standard();
    for (int i = 0; i < lines; ++i)
        text += csvLine(layout.fields(game(i)));
    const QByteArray bytes = csvFileBytes(text);
    QFile file(QDir(dir).filePath(ClassFiles::Record));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the benchmark record");
}

void BM_Record_ReadIntoModel(benchmark::State &state)
{
    QTemporaryDir dir;
    writeRecord(dir.path(), LargeRecord);
    PuzzleStore store(dir.path());
    for (auto _ : state) {
        RecordModel model;
        model.setEntries(readRecord(store).entries);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_Record_ApplyFilter(benchmark::State &state)
{
    QTemporaryDir dir;
    writeRecord(dir.path(), LargeRecord);
    PuzzleStore store(dir.path());
    RecordModel model;
    model.setEntries(readRecord(store).entries);
    const QDate today = model.entries().constLast().when.date;
    RecordFilter oneChild;
    oneChild.children = RecordFilter::Children::One;
    oneChild.child = QStringLiteral("prénom7");
    oneChild.period = RecordPeriod::ThisMonth;
    bool narrow = false;
    for (auto _ : state) {
        // Back and forth between one child's month and the whole record: the larger of the two sorts.
        narrow = !narrow;
        model.setFilter(narrow ? oneChild : RecordFilter{}, today);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_Record_AppendOne(benchmark::State &state)
{
    QTemporaryDir dir;
    writeRecord(dir.path(), int(state.range(0)));
    PuzzleStore store(dir.path());
    RecordWriter writer(store);
    int i = 0;
    for (auto _ : state)
        if (!writer.append(game(i++)))
            state.SkipWithError("the record could not be written");
}

} // namespace

BENCHMARK(BM_Record_ReadIntoModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Record_ApplyFilter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Record_AppendOne)->Arg(10)->Arg(LargeRecord)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
