#pragma once
// Runs one user action; a failure is shown in a message box and the action is abandoned.

#include "TivaneError.h"

#include <QMessageBox>
#include <QString>

template <typename Action>
bool runGuarded(QWidget *parent, Action &&action)
{
    try {
        action();
        return true;
    } catch (const TivaneError &error) {
        QMessageBox::critical(parent, QStringLiteral("TIVANE"), error.message());
    } catch (const std::exception &error) {
        QMessageBox::critical(parent, QStringLiteral("TIVANE"), QString::fromLocal8Bit(error.what()));
    }
    return false;
}
