#pragma once

// Where the caret of the book view stands, as the status line shows it.

#include <cstdint>
#include <optional>

namespace lirra {

class TBookView;

struct ReadingPosition {
    std::int32_t lineNumber = 1;  // one-based
    std::int32_t column = 1;      // one-based
    // None while the book is still loading: its line count is not known yet.
    std::optional<int> percent = 100;
};

ReadingPosition readingPosition(const TBookView& view);

} // namespace lirra
