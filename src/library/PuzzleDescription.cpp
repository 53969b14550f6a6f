#include "PuzzleDescription.h"

#include "TivaneError.h"
#include "Windows1252.h"

#include <limits>
#include <optional>

namespace {

constexpr int MinGrid = 1;
constexpr int MaxGrid = 6;
constexpr int MaxTimeLimit = 600;
constexpr int MaxModelMode = 3;

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// Reads a text file's bytes line by line, as checked text input does.
class LineReader
{
public:
    LineReader(QByteArrayView bytes, const QString &fileName) : m_bytes(bytes), m_fileName(fileName) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // The rest of the current line, without its line break, which is consumed. Empty at the end.
    QByteArrayView readLine()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && !isLineBreak(m_bytes[m_pos]))
            ++m_pos;
        const QByteArrayView line = m_bytes.sliced(start, m_pos - start);
        skipLineBreak();
        return line;
    }

    // A number: blanks and line breaks before it are skipped, it runs to the next blank or
    // control character, and the rest of its line is skipped. 0 at the end of the file.
    int readInteger()
    {
        while (m_pos < m_bytes.size() && static_cast<unsigned char>(m_bytes[m_pos]) <= ' ') {
            if (isLineBreak(m_bytes[m_pos]))
                skipLineBreak();
            else
                ++m_pos;
        }
        if (atEnd())
            return 0;
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && static_cast<unsigned char>(m_bytes[m_pos]) > ' ')
            ++m_pos;
        const std::optional<int> value = parseWord(m_bytes.sliced(start, m_pos - start));
        if (!value)
            throw TivaneError(QStringLiteral("Invalid numeric input: \"%1\", line %2")
                                  .arg(m_fileName)
                                  .arg(m_line));
        readLine();
        return *value;
    }

private:
    void skipLineBreak()
    {
        if (m_pos >= m_bytes.size() || !isLineBreak(m_bytes[m_pos]))
            return;
        if (m_bytes[m_pos++] == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
        ++m_line;
    }

    // A whole word in decimal, with an optional sign, that fits an int.
    static std::optional<int> parseWord(QByteArrayView word)
    {
        qsizetype i = 0;
        bool negative = false;
        if (i < word.size() && (word[i] == '+' || word[i] == '-'))
            negative = word[i++] == '-';
        if (i == word.size())
            return std::nullopt;
        qint64 value = 0;
        for (; i < word.size(); ++i) {
            const char c = word[i];
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
            if (value > qint64(std::numeric_limits<int>::max()) + 1)
                return std::nullopt;
        }
        if (negative)
            value = -value;
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
        return static_cast<int>(value);
    }

    QByteArrayView m_bytes;
    QString m_fileName;
    qsizetype m_pos = 0;
    int m_line = 1;
};

// The three characters after a key of keyLength characters, upper-cased, equal "OUI".
bool answerIsYes(QByteArrayView line, qsizetype keyLength)
{
    if (line.size() < keyLength + 3)
        return false;
    const QByteArrayView answer = line.sliced(keyLength, 3);
    return answer.compare(QByteArrayView("OUI"), Qt::CaseInsensitive) == 0;
}

QByteArrayView dropFirst(QByteArrayView line, qsizetype count)
{
    return line.size() > count ? line.sliced(count) : QByteArrayView();
}

void requireRange(const char *what, int value, int low, int high)
{
    if (value < low || value > high)
        throw TivaneError(QStringLiteral("Valeur invalide pour %1 : %2 (de %3 à %4).")
                              .arg(QLatin1String(what))
                              .arg(value)
                              .arg(low)
                              .arg(high));
}

} // namespace

int integerRule(QByteArrayView text, bool *hasDigits)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    qint64 value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        if (value <= std::numeric_limits<int>::max())
            value = value * 10 + (text[i] - '0');
    }
    if (hasDigits)
        *hasDigits = digits;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

PuzzleDescription parseDescription(QByteArrayView bytes, DescriptionLines lines,
                                   const QString &fileName)
{
    PuzzleDescription d;
    LineReader in(bytes, fileName);
    d.PuzzleName = fromWindows1252(in.readLine());
    d.GridCols = in.readInteger();
    d.GridRows = in.readInteger();
    if (d.GridCols < MinGrid || d.GridCols > MaxGrid || d.GridRows < MinGrid || d.GridRows > MaxGrid)
        throw TivaneError(QStringLiteral("Grille invalide dans \"%1\" : %2 colonne(s) sur %3 ligne(s), "
                                         "chacune doit être de %4 à %5.")
                              .arg(fileName)
                              .arg(d.GridCols)
                              .arg(d.GridRows)
                              .arg(MinGrid)
                              .arg(MaxGrid));
    if (lines == DescriptionLines::UpToGrid)
        return d;

    d.ModelAllowed = answerIsYes(in.readLine(), 7);      // "modèle=", è being one byte
    d.RotationEnabled = answerIsYes(in.readLine(), 9);   // "rotation="
    if (in.atEnd())
        return d;
    d.hasTimeLine = true;
    d.TimeLimit = integerRule(dropFirst(in.readLine(), 6));   // "temps="
    if (lines == DescriptionLines::UpToTime || in.atEnd())
        return d;
    d.hasModelModeLine = true;
    d.ModelMode = integerRule(dropFirst(in.readLine(), 8));   // "typemod="
    return d;
}

QByteArray formatDescription(const PuzzleDescription &d, DescriptionLines lines)
{
    if (lines == DescriptionLines::UpToGrid)
        throw TivaneError(QStringLiteral("Une description s'écrit sur six ou sept lignes."));
    requireRange("le nombre de colonnes", d.GridCols, MinGrid, MaxGrid);
    requireRange("le nombre de lignes", d.GridRows, MinGrid, MaxGrid);
    requireRange("le temps limite", d.TimeLimit, 0, MaxTimeLimit);
    if (lines == DescriptionLines::All)
        requireRange("le type de modèle", d.ModelMode, 0, MaxModelMode);

    QString name = d.PuzzleName;
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    const QByteArray eol("\r\n");
    QByteArray out = toWindows1252(name) + eol;
    out += QByteArray::number(d.GridCols) + eol;
    out += QByteArray::number(d.GridRows) + eol;
    out += QByteArray("mod\xE8le=") + (d.ModelAllowed ? "OUI" : "NON") + eol;
    out += QByteArray("rotation=") + (d.RotationEnabled ? "OUI" : "NON") + eol;
    out += "temps=" + QByteArray::number(d.TimeLimit) + eol;
    if (lines == DescriptionLines::All)
        out += "typemod=" + QByteArray::number(d.ModelMode) + eol;
    return out;
}
