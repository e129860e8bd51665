#pragma once

// The integer arithmetic behind percentages, page counts and jumps: exact, with halves
// rounded to the even neighbour as the reader's arithmetic has always done.

#include <cstdint>

namespace lirra {

// numerator / denominator rounded to the nearest integer, ties to even; denominator > 0.
std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator);

// Where line `lineNumber` (one-based) stands in a view of `lineCount` lines:
// lineNumber / (lineCount + 1) * 100, rounded half to even.
int readingPercent(std::int64_t lineNumber, std::int64_t lineCount);

} // namespace lirra
