#pragma once
// What the authoring forms' text boxes accept as it is typed: a puzzle name holds only
// characters a description file can store, the time limit only a whole number of seconds.

#include <QValidator>

namespace tivane {

// Windows-1252 can hold it, and it is not a control character (a line break would end the
// name's line in the description file).
bool isPuzzleNameCharacter(QChar c);

// Refuses any text holding a character that is not isPuzzleNameCharacter.
class PuzzleNameValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;
};

inline constexpr int MaxTimeLimit = 600;

// Digits only, 0..600; the empty text may be typed on the way and reads as 0.
class TimeLimitValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;
    void fixup(QString &input) const override;
};

// The value of an accepted time text; 0 for an empty one.
int timeLimitValue(const QString &text);

} // namespace tivane
