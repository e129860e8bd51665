#include "app/reading_position.h"

#include <gtest/gtest.h>

using lirra::readingPercent;

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
