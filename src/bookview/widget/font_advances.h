#pragma once

// Character advances of one font, measured once per character and cached, for word
// wrap, painting and hit testing alike (so the three always agree).

#include "bookview/core/wrap_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <array>
#include <string_view>
#include <unordered_map>

namespace lirra {

class FontAdvances final : public AdvanceSource {
public:
    explicit FontAdvances(const QFont& font);

    int advance(char16_t unit) const override;
    // In a monospaced font every character but the tab (eight cells) is one cell wide.
    int cellWidth() const override { return m_fixed ? m_fixedAdvance : 0; }
    bool monospaced() const { return m_fixed; }
    // Width of a run of characters without tabs.
    std::int64_t width(std::u16string_view text) const;
    // How many leading characters of such a run fit into `width` pixels.
    std::size_t fittingCount(std::u16string_view text, std::int64_t width) const;

    const QFont& font() const { return m_font; }
    const QFontMetrics& metrics() const { return m_metrics; }
    // A tab is at most as wide as eight blanks: it jumps to the next multiple of that.
    int tabStop() const { return m_tabStop; }
    std::int64_t nextTabStop(std::int64_t x) const { return (x / m_tabStop + 1) * m_tabStop; }

private:
    QFont m_font;
    QFontMetrics m_metrics;
    bool m_fixed;
    int m_fixedAdvance;
    int m_tabStop;
    // Latin and Cyrillic in a table, anything else in a map; -1 = not measured yet.
    mutable std::array<int, 0x500> m_common;
    mutable std::unordered_map<char16_t, int> m_other;
};

} // namespace lirra
