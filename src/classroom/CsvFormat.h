#pragma once
// The text files of the class (the class list and the record) as a spreadsheet reads and writes
// them: UTF-8 with a byte-order mark, fields separated by ';', CR LF after every line, the first
// line a header. A field holding ';', '"' or a line break is enclosed in '"', with each inner '"'
// doubled. Read leniently: with or without the byte-order mark, CR LF or LF, and as
// Windows-1252 when the bytes are not UTF-8 (what a spreadsheet saves by default).

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tivane {

class PuzzleStore;

inline constexpr QByteArrayView Utf8ByteOrderMark = "\xEF\xBB\xBF";

// One line of a file: its fields, the number of the file's line it starts on (the header is
// line 1), and whether a line end closed it (a line cut short by a crash has none).
struct CsvRow
{
    QStringList fields;
    int line = 0;
    bool terminated = true;
};

enum class LineBreaksInFields {
    Allowed,  // a quoted field may run over several lines
    Refused,  // every line is a row of its own; an unclosed quote makes a row unreadable
};

struct CsvParse
{
    QList<CsvRow> rows;
    // Rows of Refused files whose quotes do not close on their line (never in rows).
    QList<int> unreadableLines;
};

// The text of a file's bytes. Throws Error naming fileName for a file holding a NUL byte.
QString decodeCsvText(QByteArrayView bytes, const QString &fileName);

// Blank lines (no field holding anything) are skipped.
CsvParse parseCsv(QStringView text, LineBreaksInFields lineBreaks);

// One row as scanned, for readers of many rows: each field a view into the text or, for a field
// that had to be unquoted, into `unquoted`. Valid until the next scan into it.
struct CsvFields
{
    QList<QStringView> fields;
    QList<QString> unquoted;
    int lineEnds = 0;         // line ends read, the row's own included
    bool terminated = false;  // a line end closed the row
    bool unreadable = false;  // Refused: a quote did not close on its line; the line was passed over

    bool isBlank() const;
};

// Scans the row that starts at `from` into `row`; returns where the next one starts.
qsizetype scanCsvRow(QStringView text, qsizetype from, LineBreaksInFields lineBreaks, CsvFields &row);

// One field as written: quoted only when it must be.
QString csvField(const QString &value);
// One line as written, its line end included.
QString csvLine(const QStringList &fields);
// Text as written to a file: UTF-8, after the byte-order mark.
QByteArray csvFileBytes(const QString &text);

// The text of a store file, refused (Error naming it) above maxBytes or when it is not text.
QString readCsvFile(const PuzzleStore &store, const QString &bareName, qint64 maxBytes);

// "…illisibles, laissées de côté : lignes 3, 8 et 12." naming the file; a long list is cut short.
QString skippedLinesMessage(const QString &fileName, const QList<int> &lines);

// A column name as it is compared: trimmed, case and accents ignored ("Prénom" is "prenom").
QString columnKey(QStringView name);

} // namespace tivane
