#pragma once
// The one failure type: every user action catches it at its handler and shows its message.

#include <QString>
#include <stdexcept>

class TivaneError : public std::runtime_error
{
public:
    explicit TivaneError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};
