#include "bookview/widget/font_advances.h"

#include <QFontInfo>
#include <algorithm>

namespace lirra {

FontAdvances::FontAdvances(const QFont& font)
    : m_font(font),
      m_metrics(font),
      m_fixed(QFontInfo(font).fixedPitch()),
      m_fixedAdvance(m_metrics.horizontalAdvance(QLatin1Char('M'))),
      m_tabStop(std::max(1, 8 * m_metrics.horizontalAdvance(QLatin1Char(' '))))
{
    m_common.fill(-1);
}

int FontAdvances::advance(char16_t unit) const
{
    if (unit == u'\t')
        return m_tabStop;
    if (m_fixed)
        return m_fixedAdvance;
    if (unit < m_common.size()) {
        int& cached = m_common[unit];
        if (cached < 0)
            cached = m_metrics.horizontalAdvance(QChar(unit));
        return cached;
    }
    auto [it, added] = m_other.try_emplace(unit, 0);
    if (added)
        it->second = m_metrics.horizontalAdvance(QChar(unit));
    return it->second;
}

std::int64_t FontAdvances::width(std::u16string_view text) const
{
    if (m_fixed)
        return std::int64_t(text.size()) * m_fixedAdvance;
    std::int64_t sum = 0;
    for (char16_t unit : text)
        sum += advance(unit);
    return sum;
}

std::size_t FontAdvances::fittingCount(std::u16string_view text, std::int64_t width) const
{
    if (width <= 0)
        return 0;
    if (m_fixed)
        return std::min<std::size_t>(text.size(), std::size_t(width / std::max(1, m_fixedAdvance)));
    std::size_t count = 0;
    for (std::int64_t used = 0; count < text.size(); ++count) {
        used += advance(text[count]);
        if (used > width)
            break;
    }
    return count;
}

} // namespace lirra
