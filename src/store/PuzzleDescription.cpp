#include "store/PuzzleDescription.h"

#include "core/Error.h"
#include "store/Windows1252.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace tivane {

namespace {

constexpr int MinGrid = 1;
constexpr int MaxGrid = 6;
constexpr int MaxTimeLimit = 600;
constexpr int MaxModelMode = int(ModelMode::Underneath);

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
            throw cannotRead(m_fileName, QStringLiteral("la ligne %1 ne commence pas par un nombre entier.")
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
        throw Error(QStringLiteral("Valeur invalide pour %1 : %2 (de %3 à %4).")
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
    d.puzzleName = fromWindows1252(in.readLine());
    d.gridCols = in.readInteger();
    d.gridRows = in.readInteger();
    if (d.gridCols < MinGrid || d.gridCols > MaxGrid || d.gridRows < MinGrid || d.gridRows > MaxGrid)
        throw cannotRead(fileName, QStringLiteral("la grille de %1 colonne(s) sur %2 ligne(s) n'est pas "
                                                  "valable : chacune doit être de %3 à %4.")
                                       .arg(d.gridCols)
                                       .arg(d.gridRows)
                                       .arg(MinGrid)
                                       .arg(MaxGrid));
    if (lines == DescriptionLines::UpToGrid)
        return d;

    d.modelAllowed = answerIsYes(in.readLine(), 7);      // "modèle=", è being one byte
    d.rotationEnabled = answerIsYes(in.readLine(), 9);   // "rotation="
    if (in.atEnd())
        return d;
    d.hasTimeLine = true;
    d.timeLimit = std::clamp(integerRule(dropFirst(in.readLine(), 6)), 0, MaxReadTimeLimit);   // "temps="
    if (lines == DescriptionLines::UpToTime || in.atEnd())
        return d;
    d.hasModelModeLine = true;
    const int mode = integerRule(dropFirst(in.readLine(), 8));   // "typemod="
    d.modelMode = mode >= 0 && mode <= MaxModelMode ? ModelMode(mode) : ModelMode::None;
    return d;
}

QByteArray formatDescription(const PuzzleDescription &d, DescriptionLines lines)
{
    if (lines == DescriptionLines::UpToGrid)
        throw Error(QStringLiteral("Une description s'écrit sur six ou sept lignes."));
    requireRange("le nombre de colonnes", d.gridCols, MinGrid, MaxGrid);
    requireRange("le nombre de lignes", d.gridRows, MinGrid, MaxGrid);
    requireRange("le temps limite", d.timeLimit, 0, MaxTimeLimit);
    if (lines == DescriptionLines::All)
        requireRange("le type de modèle", int(d.modelMode), 0, MaxModelMode);

    QString name = d.puzzleName;
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    const QByteArray eol("\r\n");
    QByteArray out = toWindows1252(name) + eol;
    out += QByteArray::number(d.gridCols) + eol;
    out += QByteArray::number(d.gridRows) + eol;
    out += QByteArray("mod\xE8le=") + (d.modelAllowed ? "OUI" : "NON") + eol;
    out += QByteArray("rotation=") + (d.rotationEnabled ? "OUI" : "NON") + eol;
    out += "temps=" + QByteArray::number(d.timeLimit) + eol;
    if (lines == DescriptionLines::All)
        out += "typemod=" + QByteArray::number(int(d.modelMode)) + eol;
    return out;
}

} // namespace tivane
