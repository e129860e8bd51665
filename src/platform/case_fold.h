#pragma once

// Letter case folded the one way the whole program compares names and text without
// regard to case: registry names, recent-items lists and find text alike.

#include <string>
#include <string_view>

namespace lirra::platform {

// The small letter of a capital: ASCII, Latin-1 and Cyrillic (Russian, Ukrainian,
// Belarusian, Serbian, Macedonian). Anything else is returned as it is. Inline: the
// settings file folds every name it reads.
constexpr char16_t foldCase(char16_t u)
{
    if ((u >= u'A' && u <= u'Z') || (u >= u'\u00C0' && u <= u'\u00DE' && u != u'\u00D7') ||
        (u >= u'\u0410' && u <= u'\u042F'))
        return static_cast<char16_t>(u + 0x20);
    if (u >= u'\u0400' && u <= u'\u040F')
        return static_cast<char16_t>(u + 0x50);
    if (u == u'\u0490')   // Ґ
        return u'\u0491';
    return u;
}
std::u16string foldCase(std::u16string_view text);
bool equalFolded(std::u16string_view a, std::u16string_view b);

} // namespace lirra::platform
