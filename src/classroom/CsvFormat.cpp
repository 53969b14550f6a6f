#include "classroom/CsvFormat.h"

#include "core/Error.h"
#include "store/FileReading.h"
#include "store/PuzzleStore.h"
#include "store/Windows1252.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace tivane {

QString decodeCsvText(QByteArrayView bytes, const QString &fileName)
{
    if (bytes.contains('\0'))
        throw cannotRead(fileName, QStringLiteral("ce n'est pas un fichier texte."));
    if (bytes.startsWith(Utf8ByteOrderMark))
        return QString::fromUtf8(bytes.sliced(Utf8ByteOrderMark.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1252(bytes) : text;
}

namespace {

// The rest of a field up to the next ';' or line end, from i; a CR before a line end is dropped.
QStringView plainPart(QStringView text, qsizetype &i)
{
    const qsizetype start = i;
    const qsizetype n = text.size();
    while (i < n && text[i] != u';' && text[i] != u'\n')
        ++i;
    qsizetype end = i;
    if (end > start && text[end - 1] == u'\r' && (i == n || text[i] == u'\n'))
        --end;
    return text.sliced(start, end - start);
}

} // namespace

bool CsvFields::isBlank() const
{
    return std::all_of(fields.cbegin(), fields.cend(), [](QStringView field) { return field.isEmpty(); });
}

qsizetype scanCsvRow(QStringView text, qsizetype from, LineBreaksInFields lineBreaks, CsvFields &row)
{
    row.fields.clear();
    row.unquoted.clear();
    row.lineEnds = 0;
    row.terminated = false;
    row.unreadable = false;
    const qsizetype n = text.size();
    qsizetype i = from;
    for (;;) {
        if (i < n && text[i] == u'"') {
            const qsizetype open = ++i;
            bool simple = true;  // the text between the quotes is the field as it stands
            QString field;
            for (; i < n; ++i) {
                const QChar c = text[i];
                if (c == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        if (simple)
                            field = text.sliced(open, i - open).toString();
                        simple = false;
                        field += u'"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (c == u'\n') {
                    if (lineBreaks == LineBreaksInFields::Refused) {
                        row.unreadable = true;
                        row.fields.clear();
                        row.unquoted.clear();
                        row.lineEnds = 1;
                        row.terminated = true;
                        return i + 1;
                    }
                    ++row.lineEnds;
                }
                const bool lineEndCr = c == u'\r' && i + 1 < n && text[i + 1] == u'\n';
                if (lineEndCr && simple) {
                    field = text.sliced(open, i - open).toString();
                    simple = false;
                }
                if (!simple && !lineEndCr)
                    field += c;
            }
            const qsizetype close = i;
            if (i < n)
                ++i;
            const QStringView rest = plainPart(text, i);
            if (simple && rest.isEmpty()) {
                row.fields.append(text.sliced(open, close - open));
            } else {
                if (simple)
                    field = text.sliced(open, close - open).toString();
                field += rest;
                row.unquoted.append(std::move(field));
                row.fields.append(row.unquoted.constLast());
            }
        } else {
            row.fields.append(plainPart(text, i));
        }
        if (i >= n)
            return i;
        if (text[i] == u';') {
            ++i;
            continue;
        }
        ++row.lineEnds;
        row.terminated = true;
        return i + 1;
    }
}

CsvParse parseCsv(QStringView text, LineBreaksInFields lineBreaks)
{
    CsvParse parse;
    CsvFields row;
    int line = 1;
    for (qsizetype i = 0; i < text.size();) {
        i = scanCsvRow(text, i, lineBreaks, row);
        if (row.unreadable)
            parse.unreadableLines.append(line);
        else if (!row.isBlank()) {
            CsvRow read;
            read.line = line;
            read.terminated = row.terminated;
            for (const QStringView field : row.fields)
                read.fields.append(field.toString());
            parse.rows.append(std::move(read));
        }
        line += row.lineEnds;
    }
    return parse;
}

QString csvField(const QString &value)
{
    const bool mustQuote = value.contains(u';') || value.contains(u'"') || value.contains(u'\n')
                           || value.contains(u'\r');
    if (!mustQuote)
        return value;
    QString quotedValue = value;
    quotedValue.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quotedValue + u'"';
}

QString csvLine(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u';';
        line += csvField(fields[i]);
    }
    return line + QStringLiteral("\r\n");
}

QByteArray csvFileBytes(const QString &text)
{
    return Utf8ByteOrderMark.toByteArray() + text.toUtf8();
}

QString readCsvFile(const PuzzleStore &store, const QString &bareName, qint64 maxBytes)
{
    const QString tooLarge = QStringLiteral("il est trop grand (plus de %1 Mo) : ce n'est sans doute pas "
                                            "un fichier de Tivane.")
                                 .arg(maxBytes / (1024 * 1024));
    return decodeCsvText(readRegularFile(store.filePath(bareName), maxBytes, tooLarge, bareName), bareName);
}

QString skippedLinesMessage(const QString &fileName, const QList<int> &lines)
{
    constexpr qsizetype Named = 20;
    QStringList numbers;
    for (qsizetype i = 0; i < std::min(lines.size(), Named); ++i)
        numbers << QString::number(lines[i]);
    QString list;
    if (lines.size() == 1)
        list = QStringLiteral("ligne %1").arg(numbers.constFirst());
    else if (lines.size() <= Named)
        list = QStringLiteral("lignes %1 et %2").arg(numbers.mid(0, numbers.size() - 1).join(QStringLiteral(", ")),
                                                      numbers.constLast());
    else
        list = QStringLiteral("lignes %1… (%2 lignes en tout)").arg(numbers.join(QStringLiteral(", ")))
                   .arg(lines.size());
    return QStringLiteral("Le fichier %1 a des lignes illisibles, laissées de côté : %2.").arg(quoted(fileName), list);
}

QString columnKey(QStringView name)
{
    const QString decomposed = name.trimmed().toString().normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            key += c;
    return key.toCaseFolded();
}

} // namespace tivane
