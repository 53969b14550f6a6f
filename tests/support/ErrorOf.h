#pragma once
// The message of the Error an action throws, for tests of what users are told.

#include "core/Error.h"

#include <QString>

namespace tivane {

// Empty when the action throws nothing.
template <typename Action>
QString errorOf(Action &&action)
{
    try {
        action();
    } catch (const Error &error) {
        return error.message();
    }
    return {};
}

} // namespace tivane
