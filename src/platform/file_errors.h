#pragma once

// File failures as the user reads them: an errno value becomes the system's text
// ("File not found", "Disk full", "I/O error 5", ...) raised as lirra::Error.

#include <string>

namespace lirra::platform {

std::string fileErrorText(int err);
[[noreturn]] void throwFileError(int err);
// A read that needed more bytes than the file holds.
[[noreturn]] void throwReadBeyondEndOfFile();

} // namespace lirra::platform
