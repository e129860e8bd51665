#pragma once

// The per-user folder for temporary files (what GetTempPath means on this system).

#include <string>

namespace lirra::platform {

// With a trailing '/': $XDG_RUNTIME_DIR when it is a private folder of the user
// (a real folder, owned by the user, mode 0700), else ${TMPDIR:-/tmp}/lirra-<uid>/,
// created with mode 0700. Raises lirra::Error when that folder cannot be created or
// is not safe: a symlink, not a folder, someone else's, or open to group or others.
std::string tempDirectory();

} // namespace lirra::platform
