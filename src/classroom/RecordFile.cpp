#include "classroom/RecordFile.h"

#include "classroom/ClassFiles.h"
#include "classroom/ClassList.h"
#include "classroom/CsvFormat.h"
#include "store/PuzzleStore.h"

#include <QStringTokenizer>

#include <functional>

namespace tivane {

QString RecordReading::problems() const
{
    return skippedLines.isEmpty() ? QString() : skippedLinesMessage(ClassFiles::Record, skippedLines);
}

RecordReading parseRecord(QStringView text)
{
    RecordReading reading;
    CsvFields row;
    SharedTexts texts;
    std::optional<RecordLayout> layout;
    int line = 1;
    for (qsizetype i = 0; i < text.size();) {
        i = scanCsvRow(text, i, LineBreaksInFields::Refused, row);
        const int rowLine = line;
        line += row.lineEnds;
        // A last line without its line end was cut short while it was written.
        if (!row.terminated)
            break;
        if (row.unreadable) {
            reading.skippedLines.append(rowLine);
        } else if (row.isBlank()) {
            continue;
        } else if (!layout) {
            QStringList header;
            for (const QStringView field : row.fields)
                header << field.toString();
            layout = RecordLayout::fromHeader(header);
        } else if (std::optional<RecordEntry> entry = layout->parse(row.fields, texts)) {
            reading.entries.append(std::move(*entry));
        } else {
            reading.skippedLines.append(rowLine);
        }
    }
    return reading;
}

RecordReading readRecord(const PuzzleStore &store)
{
    if (!store.exists(ClassFiles::Record))
        return {};
    return parseRecord(readCsvFile(store, ClassFiles::Record, ClassFiles::MaxRecordBytes));
}

QByteArray exportRecord(const QList<RecordEntry> &entries, const QList<qsizetype> &shown)
{
    const RecordLayout layout = RecordLayout::standard();
    QString text = csvLine(recordHeader());
    for (const qsizetype i : shown)
        text += csvLine(layout.fields(entries[i]));
    return csvFileBytes(text);
}

namespace {

// Rewrites every line but the header: `keep` may change a line's fields and says whether it
// stays. Lines that do not read as fields stay as they were.
void rewriteLines(PuzzleStore &store, const std::function<bool(QStringList &fields, int childField)> &keep)
{
    store.runLocked([&] {
        if (!store.exists(ClassFiles::Record))
            return;
        const QString text = readCsvFile(store, ClassFiles::Record, ClassFiles::MaxRecordBytes);
        QString rewritten;
        std::optional<RecordLayout> layout;
        for (QStringView line : QStringTokenizer(text, u'\n')) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (line.isEmpty())
                continue;
            const CsvParse parse = parseCsv(line, LineBreaksInFields::Refused);
            if (!layout) {
                layout = RecordLayout::fromHeader(parse.rows.value(0).fields);
                rewritten += line;
                rewritten += QStringLiteral("\r\n");
                continue;
            }
            if (parse.rows.size() == 1 && parse.rows[0].fields.size() > layout->childField()) {
                QStringList fields = parse.rows[0].fields;
                if (keep(fields, layout->childField()))
                    rewritten += csvLine(fields);
                continue;
            }
            rewritten += line;
            rewritten += QStringLiteral("\r\n");
        }
        store.writeFile(ClassFiles::Record, csvFileBytes(rewritten));
    });
}

} // namespace

void renameInRecord(PuzzleStore &store, const QString &from, const QString &to)
{
    rewriteLines(store, [&](QStringList &fields, int childField) {
        if (sameFirstName(fields[childField].trimmed(), from))
            fields[childField] = to;
        return true;
    });
}

void removeFromRecord(PuzzleStore &store, const QString &child)
{
    rewriteLines(store, [&](QStringList &fields, int childField) {
        return !sameFirstName(fields[childField].trimmed(), child);
    });
}

void clearRecord(PuzzleStore &store)
{
    store.runLocked([&] { store.writeFile(ClassFiles::Record, csvFileBytes(csvLine(recordHeader()))); });
}

} // namespace tivane
