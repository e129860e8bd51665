#pragma once

#include "bookview/core/wrap_layout.h"

#include <string>

namespace lirra {

// A made-up font: every character `width` pixels wide but those of `others`, `otherWidth`;
// its rows counted in cells of the width, or measured a character at a time.
class FixedAdvances : public AdvanceSource {
public:
    explicit FixedAdvances(int width, std::u16string_view others = {}, int otherWidth = 0, bool cells = true)
        : m_width(width), m_otherWidth(otherWidth), m_cells(cells), m_others(others) {}
    int advance(char16_t unit) const override { return m_others.find(unit) == m_others.npos ? m_width : m_otherWidth; }
    int cellWidth() const override { return m_cells ? m_width : 0; }

private:
    int m_width, m_otherWidth;
    bool m_cells;
    std::u16string m_others;
};

} // namespace lirra
