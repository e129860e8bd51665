#include "platform/case_fold.h"

#include <algorithm>

namespace lirra::platform {

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
