#pragma once

// Opening an address (a web page, a file) with the program the desktop associates with
// it, as the system's "Start" command does: xdg-open, started directly with the address
// as its one argument. No shell ever sees the address, so no text a user types or pastes
// can run as a command.

#include <string>

namespace lirra::platform {

// Starts xdg-open (looked up on PATH) with `address`, byte for byte, in a session of its
// own, and returns without waiting for it. A launch that fails is not reported: the
// desktop tells the user about an address it cannot open, and nothing else can be said.
void launchAddress(const std::string& address) noexcept;

} // namespace lirra::platform
