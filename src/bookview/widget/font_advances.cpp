#include "bookview/widget/font_advances.h"

#include <QFontInfo>
#include <algorithm>

namespace lirra {

FontAdvances::FontAdvances(const QFont& font)
    : font_(font),
      metrics_(font),
      fixed_(QFontInfo(font).fixedPitch()),
      fixedAdvance_(metrics_.horizontalAdvance(QLatin1Char('M'))),
      tabStop_(std::max(1, 8 * metrics_.horizontalAdvance(QLatin1Char(' '))))
{
    common_.fill(-1);
}

int FontAdvances::advance(char16_t unit) const
{
    if (unit == u'\t')
        return tabStop_;
    if (fixed_)
        return fixedAdvance_;
    if (unit < common_.size()) {
        int& cached = common_[unit];
        if (cached < 0)
            cached = metrics_.horizontalAdvance(QChar(unit));
        return cached;
    }
    auto [it, added] = other_.try_emplace(unit, 0);
    if (added)
        it->second = metrics_.horizontalAdvance(QChar(unit));
    return it->second;
}

std::int64_t FontAdvances::width(std::u16string_view text) const
{
    if (fixed_)
        return std::int64_t(text.size()) * fixedAdvance_;
    std::int64_t sum = 0;
    for (char16_t unit : text)
        sum += advance(unit);
    return sum;
}

std::size_t FontAdvances::fittingCount(std::u16string_view text, std::int64_t width) const
{
    if (width <= 0)
        return 0;
    if (fixed_)
        return std::min<std::size_t>(text.size(), std::size_t(width / std::max(1, fixedAdvance_)));
    std::size_t count = 0;
    for (std::int64_t used = 0; count < text.size(); ++count) {
        used += advance(text[count]);
        if (used > width)
            break;
    }
    return count;
}

} // namespace lirra
