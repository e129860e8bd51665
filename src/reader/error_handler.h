#pragma once

// Commands run through runCommand(): an error ends the command at the step that raised
// it, reaches the default error box, and the program goes on.

#include "reader/message_boxes.h"
#include "platform/lirra_error.h"

#include <exception>

namespace lirra {

// Shows the exception currently being handled in the default error box.
void reportCurrentException();

// Runs `command`; returns false when it ended with an error (already shown).
template <typename Command>
bool runCommand(Command&& command)
{
    try {
        command();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

} // namespace lirra
