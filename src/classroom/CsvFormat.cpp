#include "classroom/CsvFormat.h"

#include "core/Error.h"
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

// An empty line, or one of empty fields only (a spreadsheet's empty row).
bool isBlank(const QStringList &fields)
{
    return std::all_of(fields.cbegin(), fields.cend(), [](const QString &field) { return field.isEmpty(); });
}

} // namespace

CsvParse parseCsv(QStringView text, LineBreaksInFields lineBreaks)
{
    CsvParse parse;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        CsvRow row;
        row.line = line;
        bool unreadable = false;
        for (;;) {
            QString field;
            if (i < n && text[i] == u'"') {
                for (++i; i < n; ++i) {
                    const QChar c = text[i];
                    if (c == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            field += u'"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (c == u'\n') {
                        if (lineBreaks == LineBreaksInFields::Refused) {
                            unreadable = true;
                            break;
                        }
                        ++line;
                    }
                    if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                        continue;
                    field += c;
                }
                if (unreadable)
                    break;
                field += plainPart(text, i);
            } else {
                field = plainPart(text, i).toString();
            }
            row.fields.append(std::move(field));
            if (i >= n) {
                row.terminated = false;
                break;
            }
            if (text[i] == u';') {
                ++i;
                continue;
            }
            ++i;
            ++line;
            break;
        }
        if (unreadable) {
            while (i < n && text[i] != u'\n')
                ++i;
            if (i < n)
                ++i;
            parse.unreadableLines.append(row.line);
            ++line;
            continue;
        }
        if (!isBlank(row.fields))
            parse.rows.append(std::move(row));
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
    const auto tooLarge = [&] {
        return cannotRead(bareName, QStringLiteral("il est trop grand (plus de %1 Mo) : ce n'est sans doute pas "
                                                   "un fichier de Tivane.")
                                        .arg(maxBytes / (1024 * 1024)));
    };
    const QFileInfo info(store.filePath(bareName));
    if (info.isFile() && info.size() > maxBytes)
        throw tooLarge();
    const QByteArray bytes = store.readFile(bareName);
    if (bytes.size() > maxBytes)
        throw tooLarge();
    return decodeCsvText(bytes, bareName);
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
