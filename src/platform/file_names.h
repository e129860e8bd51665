#pragma once

// File names the way the Windows reader's users know them: the system ignores
// trailing blanks in a file name, so "book.txt " opens "book.txt" unless a file
// with the blank really exists. Captions and stored names keep the blanks; only
// the look-up on disk uses the resolved name.

#include <cstdint>
#include <string>

namespace lirra::platform {

// `name` when that file exists, else `name` without its trailing blanks.
std::string resolveFileName(const std::string& name);
// Size in bytes of the file `name` names; -1 when there is none or it is a folder.
std::int64_t fileSize(const std::string& name);
// Removes the file; false when it could not (missing, a folder, no right).
bool deleteFile(const std::string& path) noexcept;

} // namespace lirra::platform
