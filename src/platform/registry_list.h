#pragma once

// Reading the list layout that Registry::writeStringList writes (History, BookMarks,
// InterNet): REG_DWORD "Count" = index of the last entry, REG_SZ "0", "1", ... the
// entries. Every list is read here, by one rule, so that a damaged list reads the same
// wherever it is stored:
// - no key, or no "Count": no list at all;
// - a negative "Count": an empty list;
// - a "Count" that is not a REG_DWORD: the list ends at its highest stored entry, and
//   the error names "Count";
// - entries past "Count", missing ones and those that are not text are left out; the
//   first that is not text is named by the error.
// Only stored values are looked at, so a "Count" of two billion costs nothing.

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace lirra::platform {

class Registry;

struct StoredList {
    bool found = false;                  // the key holds a "Count"
    std::vector<std::string> entries;    // in the order of their indexes
    std::string error;                   // the first read error's text; empty when none
};

inline constexpr std::size_t kWholeList = std::numeric_limits<std::size_t>::max();

// The list stored in the key `path`: its first `limit` entries. An entry beyond them
// is not read, so it raises no error.
StoredList readStringList(Registry& registry, const std::string& path, std::size_t limit = kWholeList);

} // namespace lirra::platform
