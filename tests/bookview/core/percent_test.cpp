#include "bookview/core/percent.h"

#include <gtest/gtest.h>

using lirra::readingPercent;
using lirra::roundHalfEven;

TEST(ReadingPercent, RoundsHalvesToTheEvenNeighbourWithoutOverflow)
{
    const std::tuple<std::int64_t, std::int64_t, int> cases[] = {   // the line, of lines, the percent
        {1, 199, 0}, {2, 199, 1}, {100, 199, 50}, {199, 199, 100},   // 0.5 -> 0, 99.5 -> 100
        {1, 7, 12}, {3, 7, 38},                                      // 12.5 -> 12, 37.5 -> 38
        {1, 0, 100},                                                 // an empty view
        {1'500'000, 1'500'000, 100}, {750'000, 1'499'999, 50},
    };
    for (const auto& [line, lines, percent] : cases)
        EXPECT_EQ(readingPercent(line, lines), percent) << line << " of " << lines;
    // Ties below zero go to the even neighbour too: -2.5 -> -2, -3.5 -> -4; 29 / 28 is 1.04.
    for (const auto& [value, divisor, rounded] :
         {std::tuple{29, 28, 1}, {-5, 2, -2}, {-7, 2, -4}, {-1, 3, 0}, {0, 7, 0}})
        EXPECT_EQ(roundHalfEven(value, divisor), rounded) << value << " / " << divisor;
}
