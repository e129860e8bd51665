#pragma once

// Letter case folded the one way the whole program compares names and text without
// regard to case: registry names, recent-items lists and find text alike.

#include <string>
#include <string_view>

namespace lirra::platform {

// The small letter of a capital: ASCII, Latin-1 and Cyrillic (Russian, Ukrainian,
// Belarusian, Serbian, Macedonian). Anything else is returned as it is.
char16_t foldCase(char16_t unit);
std::u16string foldCase(std::u16string_view text);
bool equalFolded(std::u16string_view a, std::u16string_view b);

} // namespace lirra::platform
