#include "bookview/core/percent.h"

#include <gtest/gtest.h>

using lirra::readingPercent;
using lirra::roundHalfEven;

TEST(ReadingPercent, RoundsHalvesToTheEvenNeighbourWithoutOverflow)
{
    const struct {
        std::int64_t line, lines;
        int percent;
    } cases[] = {
        {1, 199, 0}, {2, 199, 1}, {100, 199, 50}, {199, 199, 100},   // 0.5 -> 0, 99.5 -> 100
        {1, 7, 12}, {3, 7, 38},                                      // 12.5 -> 12, 37.5 -> 38
        {1, 0, 100},                                                 // an empty view
        {1'500'000, 1'500'000, 100}, {750'000, 1'499'999, 50},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readingPercent(c.line, c.lines), c.percent) << c.line << " of " << c.lines;
}

// Ties above zero are the percentages' above.
TEST(RoundHalfEven, TiesBelowZeroGoToTheEvenNeighbourToo)
{
    EXPECT_EQ(roundHalfEven(29, 28), 1);   // 1.04
    EXPECT_EQ(roundHalfEven(-5, 2), -2);   // -2.5
    EXPECT_EQ(roundHalfEven(-7, 2), -4);   // -3.5
    EXPECT_EQ(roundHalfEven(-1, 3), 0);
    EXPECT_EQ(roundHalfEven(0, 7), 0);
}
