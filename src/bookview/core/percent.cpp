#include "bookview/core/percent.h"

namespace lirra {

std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {   // floor division, so that halves below zero round alike
        --quotient;
        remainder += denominator;
    }
    const std::int64_t twiceRemainder = 2 * remainder;
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

int readingPercent(std::int64_t lineNumber, std::int64_t lineCount)
{
    return static_cast<int>(roundHalfEven(100 * lineNumber, lineCount + 1));
}

} // namespace lirra
