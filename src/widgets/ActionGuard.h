#pragma once
// Runs one user action; a failure is shown in a message box (which does not block) and the
// action is abandoned. Nothing thrown ever leaves a handler.

#include "core/Error.h"
#include "widgets/Messages.h"

#include <QString>
#include <new>

namespace tivane {

template <typename Action>
bool runGuarded(QWidget *parent, Action &&action)
{
    try {
        action();
        return true;
    } catch (const Error &error) {
        showError(parent, error.message());
    } catch (const std::bad_alloc &) {
        showError(parent, QStringLiteral("La mémoire manque pour terminer cette action."));
    } catch (const std::exception &error) {
        showError(parent, QStringLiteral("Erreur inattendue : %1").arg(QString::fromLocal8Bit(error.what())));
    }
    return false;
}

} // namespace tivane
