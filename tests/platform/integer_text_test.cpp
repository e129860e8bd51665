#include "platform/integer_text.h"

#include "error_text.h"

#include <gtest/gtest.h>

using lirra::parseInteger;

TEST(IntegerText, ReadsSignedDecimalAndDollarHexWithLeadingBlanks)
{
    EXPECT_EQ(parseInteger("12"), 12);
    EXPECT_EQ(parseInteger("  -3"), -3);
    EXPECT_EQ(parseInteger("+0"), 0);
    EXPECT_EQ(parseInteger("$1f"), 31);
    EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), std::int32_t(-2147483647 - 1));
}

TEST(IntegerText, RefusesAnythingElse)
{
    for (const char* text : {"", "   ", "-", "$", "abc", "12 ", "1.5", "1e3", "0x10", "2147483648", "-2147483649",
                             "$100000000", "--1", "1 2"})
        EXPECT_EQ(parseInteger(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(errorText([] { lirra::strToInt("abc"); }), "'abc' is not a valid integer value");
}
