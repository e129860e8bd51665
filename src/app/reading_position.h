#pragma once

// Where the caret of the book view stands, as the status line shows it.

#include <cstdint>

namespace lirra {

class TBookView;

struct ReadingPosition {
    std::int32_t lineNumber = 1;  // one-based
    std::int32_t column = 1;      // one-based
    int percent = 100;
};

ReadingPosition readingPosition(const TBookView& view);

} // namespace lirra
