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
    // Never all the same, even in a monospaced font: a tab is eight cells wide.
    bool fixedPitch() const override { return false; }
    bool monospaced() const { return fixed_; }
    // Width of a run of characters without tabs.
    std::int64_t width(std::u16string_view text) const;
    // How many leading characters of such a run fit into `width` pixels.
    std::size_t fittingCount(std::u16string_view text, std::int64_t width) const;

    const QFont& font() const { return font_; }
    const QFontMetrics& metrics() const { return metrics_; }
    // A tab is at most as wide as eight blanks: it jumps to the next multiple of that.
    int tabStop() const { return tabStop_; }
    std::int64_t nextTabStop(std::int64_t x) const { return (x / tabStop_ + 1) * tabStop_; }

private:
    QFont font_;
    QFontMetrics metrics_;
    bool fixed_;
    int fixedAdvance_;
    int tabStop_;
    // Latin and Cyrillic in a table, anything else in a map; -1 = not measured yet.
    mutable std::array<int, 0x500> common_;
    mutable std::unordered_map<char16_t, int> other_;
};

} // namespace lirra
