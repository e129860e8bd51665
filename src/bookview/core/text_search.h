#pragma once

// Find text in a book: plain 1251 bytes or UTF-16, case-insensitive (platform/case_fold.h)
// unless asked otherwise, optionally whole words only.

#include "bookview/core/book_types.h"

#include <cstdint>
#include <string_view>

namespace lirra {

// Letters, digits and '_' make words; anything else separates them.
bool isWordUnit(char16_t unit);

// First match lying wholly in [from, to) of `text`, or -1; 0 <= from <= to <= size.
// An empty `what` matches nothing. Word edges look at the text outside the range too.
std::int64_t findText(std::string_view ansi1251, std::u16string_view what, std::int64_t from,
                      std::int64_t to, FindOptions options);
std::int64_t findText(std::u16string_view text, std::u16string_view what, std::int64_t from,
                      std::int64_t to, FindOptions options);

} // namespace lirra
