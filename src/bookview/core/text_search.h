#pragma once

// Find text in a book: plain 1251 bytes or UTF-16, case-insensitive unless asked
// otherwise, optionally whole words only.

#include "bookview/core/book_types.h"

#include <cstdint>
#include <string_view>

namespace lirra {

// Small letter of a capital: ASCII, Latin-1 and Cyrillic (Russian, Ukrainian,
// Belarusian, Serbian, Macedonian). Anything else is returned as it is.
char16_t foldCase(char16_t unit);
// Letters, digits and '_' make words; anything else separates them.
bool isWordUnit(char16_t unit);

// First match lying wholly in [from, to) of `text`, or -1; 0 <= from <= to <= size.
// An empty `what` matches nothing. Word edges look at the text outside the range too.
std::int64_t findText(std::string_view ansi1251, std::u16string_view what, std::int64_t from,
                      std::int64_t to, FindOptions options);
std::int64_t findText(std::u16string_view text, std::u16string_view what, std::int64_t from,
                      std::int64_t to, FindOptions options);

} // namespace lirra
