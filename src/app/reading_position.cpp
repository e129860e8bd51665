#include "app/reading_position.h"

#include "bookview/book_view.h"

namespace lirra {

int readingPercent(std::int64_t lineNumber, std::int64_t lineCount)
{
    // Exact integer arithmetic, so that halves really are halves (12.5 -> 12, 37.5 -> 38).
    const std::int64_t numerator = 100 * lineNumber;
    const std::int64_t denominator = lineCount + 1;
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

ReadingPosition readingPosition(const TBookView& view)
{
    const std::int64_t caret = view.caretPosition();
    const std::int64_t line = view.lineFromChar(caret);
    const std::int64_t first = view.lineIndex(line);
    ReadingPosition position;
    position.lineNumber = static_cast<std::int32_t>(line + 1);
    position.column = static_cast<std::int32_t>(caret - first + 1);
    position.percent = readingPercent(position.lineNumber, view.lineCount());
    return position;
}

} // namespace lirra
