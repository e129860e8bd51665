#pragma once

// File names the Windows way: the system ignores
// trailing blanks in a file name, so "book.txt " opens "book.txt" unless a file
// with the blank really exists. Captions and stored names keep the blanks; only
// the look-up on disk uses the resolved name. Names are bytes, passed on as they are.

#include <cstdint>
#include <string>

namespace lirra::platform {

// `name` when that file exists, else `name` with its trailing blanks removed one at a
// time until a file of that name exists ("book.txt " with one real trailing blank
// is found from "book.txt  "), else without any of them.
std::string resolveFileName(const std::string& name);
// Size in bytes of the file `name` names; -1 when there is none or it is a folder.
std::int64_t fileSize(const std::string& name);
// Removes the file; false when it could not (missing, a folder, no right).
bool deleteFile(const std::string& path) noexcept;

} // namespace lirra::platform
