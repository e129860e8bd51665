#pragma once

// Where the navigation keys put the caret. Toolkit-free; the widget maps keys to moves.

#include "bookview/core/book_document.h"

#include <cstdint>

namespace lirra {

enum class CaretMove {
    LineUp, LineDown, PageUp, PageDown,
    LineStart, LineEnd, TextStart, TextEnd,
    CharLeft, CharRight,
};

class CaretMotion {
public:
    // The caret's new index for `move` from `caret`; a page is `pageLines` lines.
    std::int64_t target(const BookDocument& document, CaretMove move, std::int64_t caret,
                        int pageLines);
    // The next vertical move starts from the caret's own column again.
    void forgetColumn() { m_goalColumn = -1; }

private:
    std::int64_t toLine(const BookDocument& document, std::int64_t caret, std::int64_t lines);

    // Up and Down keep the column the caret had before the first of them, so passing a
    // short line does not drag the caret to the left for good.
    std::int64_t m_goalColumn = -1;
};

} // namespace lirra
