#pragma once

#include "platform/lirra_error.h"

#include <functional>
#include <string>

// The text of the lirra::Error that `action` raises, or "(no error)".
inline std::string errorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const lirra::Error& error) {
        return error.text();
    }
    return "(no error)";
}
