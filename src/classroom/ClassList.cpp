#include "classroom/ClassList.h"

#include "classroom/ClassFiles.h"
#include "classroom/CsvFormat.h"
#include "core/Error.h"
#include "store/PuzzleStore.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace tivane {

const QList<PupilColumn> &knownColumns()
{
    static const QList<PupilColumn> columns{
        {QStringLiteral("prénom"), [](const Pupil &p) { return p.firstName; },
         [](Pupil &p, const QString &value) { p.firstName = value.trimmed(); }},
        {QStringLiteral("image"), [](const Pupil &p) { return p.picture; },
         [](Pupil &p, const QString &value) { p.picture = value.trimmed(); }},
    };
    return columns;
}

namespace {

const PupilColumn *knownColumn(const QString &name)
{
    const QString key = columnKey(name);
    for (const PupilColumn &column : knownColumns())
        if (columnKey(column.name) == key)
            return &column;
    return nullptr;
}

QString lineList(const QList<int> &lines)
{
    QStringList numbers;
    for (const int line : lines)
        numbers << QString::number(line);
    return numbers.join(QStringLiteral(", "));
}

} // namespace

QString ClassListReading::problems() const
{
    QStringList parts;
    if (!skippedLines.isEmpty())
        parts << skippedLinesMessage(ClassFiles::ClassList, skippedLines)
                     + QStringLiteral(" Un prénom y manque, dépasse %1 caractères ou se répète.").arg(MaxFirstNameLength);
    if (!droppedPictureLines.isEmpty())
        parts << QStringLiteral("Dans le fichier %1, l'image n'est pas un simple nom de fichier du dossier « %2 » "
                                "(lignes %3) : ces enfants sont montrés sans image.")
                     .arg(quoted(ClassFiles::ClassList), ClassFiles::PicturesFolder, lineList(droppedPictureLines));
    return parts.join(QStringLiteral("\n"));
}

std::optional<QString> firstNameProblem(const QString &firstName, const ClassList &list,
                                        std::optional<qsizetype> self)
{
    if (firstName.isEmpty())
        return QStringLiteral("Le prénom ne peut pas être vide.");
    if (firstName.normalized(QString::NormalizationForm_C).toUcs4().size() > MaxFirstNameLength)
        return QStringLiteral("Le prénom ne peut pas dépasser %1 caractères.").arg(MaxFirstNameLength);
    if (std::any_of(firstName.cbegin(), firstName.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("Le prénom ne peut contenir ni saut de ligne ni tabulation.");
    for (qsizetype i = 0; i < list.pupils.size(); ++i)
        if (i != self && sameFirstName(list.pupils[i].firstName, firstName))
            return QStringLiteral("Un autre enfant de la classe a déjà ce prénom.");
    return std::nullopt;
}

bool sameFirstName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBarePictureName(const QString &name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..")
           && !name.contains(u'/') && !name.contains(u'\\') && !name.contains(u':')
           && std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

std::optional<qsizetype> findPupil(const ClassList &list, const QString &firstName)
{
    for (qsizetype i = 0; i < list.pupils.size(); ++i)
        if (sameFirstName(list.pupils[i].firstName, firstName))
            return i;
    return std::nullopt;
}

QList<Pupil> sortedByFirstName(const QList<Pupil> &pupils)
{
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QList<Pupil> sorted = pupils;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const Pupil &a, const Pupil &b) { return collator.compare(a.firstName, b.firstName) < 0; });
    return sorted;
}

ClassList emptyClassList()
{
    ClassList list;
    for (const PupilColumn &column : knownColumns())
        list.columns << column.name;
    return list;
}

ClassListReading parseClassList(QStringView text)
{
    ClassListReading reading;
    const CsvParse parse = parseCsv(text, LineBreaksInFields::Allowed);
    if (parse.rows.isEmpty()) {
        reading.list = emptyClassList();
        return reading;
    }
    ClassList &list = reading.list;
    list.columns = parse.rows.constFirst().fields;
    QList<const PupilColumn *> columnOf;
    for (const QString &name : list.columns)
        columnOf << knownColumn(name);
    for (const PupilColumn &column : knownColumns())
        if (!columnOf.contains(&column)) {
            if (&column == &knownColumns().constFirst())
                throw cannotRead(ClassFiles::ClassList,
                                 QStringLiteral("sa première ligne n'a pas de colonne « prénom » ; ce n'est "
                                                "pas une liste de la classe."));
            list.columns << column.name;
            columnOf << &column;
        }

    for (qsizetype r = 1; r < parse.rows.size(); ++r) {
        const CsvRow &row = parse.rows[r];
        Pupil pupil;
        for (qsizetype c = 0; c < list.columns.size(); ++c) {
            const QString value = c < row.fields.size() ? row.fields[c] : QString();
            if (columnOf[c])
                columnOf[c]->write(pupil, value);
            else if (!value.isEmpty())
                pupil.otherColumns.insert(list.columns[c], value);
        }
        if (firstNameProblem(pupil.firstName, list)) {
            reading.skippedLines << row.line;
            list.unreadRows << row.fields;
            continue;
        }
        if (!pupil.picture.isEmpty() && !isBarePictureName(pupil.picture)) {
            reading.droppedPictureLines << row.line;
            pupil.picture.clear();
        }
        list.pupils << pupil;
    }
    return reading;
}

QByteArray formatClassList(const ClassList &list)
{
    QString text = csvLine(list.columns);
    for (const Pupil &pupil : list.pupils) {
        QStringList fields;
        for (const QString &name : list.columns) {
            const PupilColumn *column = knownColumn(name);
            fields << (column ? column->read(pupil) : pupil.otherColumns.value(name));
        }
        text += csvLine(fields);
    }
    for (const QStringList &row : list.unreadRows)
        text += csvLine(row);
    return csvFileBytes(text);
}

ClassListReading readClassList(const PuzzleStore &store)
{
    if (!store.exists(ClassFiles::ClassList)) {
        ClassListReading reading;
        reading.list = emptyClassList();
        return reading;
    }
    return parseClassList(readCsvFile(store, ClassFiles::ClassList, ClassFiles::MaxClassListBytes));
}

void saveClassList(PuzzleStore &store, const ClassList &list)
{
    store.writeFile(ClassFiles::ClassList, formatClassList(list));
}

} // namespace tivane
