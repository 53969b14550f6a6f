#include "classroom/RecordWriter.h"

#include "classroom/ClassFiles.h"
#include "classroom/CsvFormat.h"
#include "core/Error.h"
#include "store/PuzzleStore.h"

#include <QFile>
#include <QFileInfo>

namespace tivane {

namespace {

// A header is far shorter; what is read of it to learn the file's columns.
constexpr qint64 HeaderBytes = 4096;

[[noreturn]] void cannotAppend(const QString &reason)
{
    throw cannotWrite(ClassFiles::Record, reason);
}

// The columns of the file open in `file`, from its first line.
RecordLayout layoutOf(QFile &file)
{
    if (!file.seek(0))
        cannotAppend(fileErrorText(file));
    const QByteArray start = file.read(HeaderBytes);
    const qsizetype end = start.indexOf('\n');
    if (end < 0)
        cannotAppend(QStringLiteral("sa première ligne n'est pas l'en-tête d'un carnet de suivi."));
    const CsvParse header = parseCsv(decodeCsvText(start.left(end + 1), ClassFiles::Record), LineBreaksInFields::Refused);
    if (header.rows.isEmpty())
        cannotAppend(QStringLiteral("sa première ligne n'est pas l'en-tête d'un carnet de suivi."));
    return RecordLayout::fromHeader(header.rows.constFirst().fields);
}

void appendLines(PuzzleStore &store, const QList<RecordEntry> &entries)
{
    store.runLocked([&] {
        if (store.writer().faultAt(ClassFiles::Record))
            cannotAppend(fileErrorText(QFileDevice::WriteError));
        QFile file(store.filePath(ClassFiles::Record));
        const QFileInfo info(file.fileName());
        if (info.exists() && !info.isFile())
            cannotAppend(QStringLiteral("ce n'est pas un fichier."));
        if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
            cannotAppend(fileErrorText(file));
        const qint64 size = file.size();
        QString text;
        RecordLayout layout = RecordLayout::standard();
        if (size == 0) {
            text = csvLine(recordHeader());
        } else {
            layout = layoutOf(file);
            char last = 0;
            if (!file.seek(size - 1) || !file.getChar(&last))
                cannotAppend(fileErrorText(file));
            if (last != '\n')
                text = QStringLiteral("\r\n");
        }
        for (const RecordEntry &entry : entries)
            text += csvLine(layout.fields(entry));
        const QByteArray bytes = size == 0 ? csvFileBytes(text) : text.toUtf8();
        if (file.write(bytes) != bytes.size())
            cannotAppend(fileErrorText(file));
        file.close();
        if (file.error() != QFileDevice::NoError)
            cannotAppend(fileErrorText(file));
    });
}

} // namespace

bool RecordWriter::append(const RecordEntry &entry)
{
    m_unwritten.append(entry);
    return flush();
}

bool RecordWriter::flush()
{
    if (m_unwritten.isEmpty())
        return true;
    try {
        appendLines(m_store, m_unwritten);
    } catch (const Error &error) {
        m_failure = error.message();
        return false;
    }
    m_unwritten.clear();
    m_failure.clear();
    return true;
}

} // namespace tivane
