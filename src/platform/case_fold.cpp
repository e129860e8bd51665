#include "platform/case_fold.h"

#include <algorithm>

namespace lirra::platform {

char16_t foldCase(char16_t u)
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

std::u16string foldCase(std::u16string_view text)
{
    std::u16string folded(text);
    for (char16_t& unit : folded)
        unit = foldCase(unit);
    return folded;
}

bool equalFolded(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

} // namespace lirra::platform
