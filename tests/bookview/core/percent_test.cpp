#include "bookview/core/percent.h"

#include <gtest/gtest.h>

using lirra::readingPercent;
using lirra::roundHalfEven;

TEST(ReadingPercent, RoundsHalvesToTheEvenNeighbour)
{
    // A 199-line book: 0.5 -> 0, 99.5 -> 100.
    EXPECT_EQ(readingPercent(1, 199), 0);
    EXPECT_EQ(readingPercent(2, 199), 1);
    EXPECT_EQ(readingPercent(100, 199), 50);
    EXPECT_EQ(readingPercent(199, 199), 100);
    // A 7-line book: 12.5 -> 12, 37.5 -> 38.
    EXPECT_EQ(readingPercent(1, 7), 12);
    EXPECT_EQ(readingPercent(3, 7), 38);
    // An empty view: line 1 of 0 lines.
    EXPECT_EQ(readingPercent(1, 0), 100);
}

TEST(ReadingPercent, HugeBooksDoNotOverflow)
{
    EXPECT_EQ(readingPercent(1'500'000, 1'500'000), 100);
    EXPECT_EQ(readingPercent(750'000, 1'499'999), 50);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbourOnBothSidesOfZero)
{
    EXPECT_EQ(roundHalfEven(5, 2), 2);     // 2.5
    EXPECT_EQ(roundHalfEven(7, 2), 4);     // 3.5
    EXPECT_EQ(roundHalfEven(29, 28), 1);   // 1.04
    EXPECT_EQ(roundHalfEven(42, 28), 2);   // 1.5
    EXPECT_EQ(roundHalfEven(-5, 2), -2);   // -2.5
    EXPECT_EQ(roundHalfEven(-7, 2), -4);   // -3.5
    EXPECT_EQ(roundHalfEven(-1, 3), 0);
    EXPECT_EQ(roundHalfEven(0, 7), 0);
}
