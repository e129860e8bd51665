#pragma once

// The per-user folder for temporary files as big as a book (what GetTempPath means on
// this system): on disk, never in the RAM-backed $XDG_RUNTIME_DIR.

#include <optional>
#include <string>

namespace lirra::platform {

// With a trailing '/': ${XDG_CACHE_HOME:-$HOME/.cache}/lirra-reader/, else, when that
// cannot be had, ${TMPDIR:-/tmp}/lirra-<uid>/; either is created with mode 0700 and
// refused when it is a symbolic link, not a folder, someone else's, or open to group
// or others. Raises lirra::Error when neither can be had.
std::string tempDirectory();
// The folder tempDirectory() would give, if it exists already; nothing is created.
std::optional<std::string> existingTempDirectory();

} // namespace lirra::platform
