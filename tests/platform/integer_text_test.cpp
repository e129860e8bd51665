#include "platform/integer_text.h"

#include "error_text.h"

#include <gtest/gtest.h>

TEST(IntegerText, ReadsSignedDecimalAndDollarHexWithLeadingBlanksAndRefusesAnythingElse)
{
    for (const auto& [text, value] : {std::pair{"12", 12}, {"  -3", -3}, {"+0", 0}, {"$1f", 31}, {"$FFFFFFFF", -1},
                                      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}})
        EXPECT_EQ(lirra::parseInteger(text), value) << text;
    for (const char* text : {"", "   ", "-", "$", "abc", "9a", "12 ", "1.5", "1e3", "0x10", "2147483648", "-2147483649",
                             "$100000000", "--1", "1 2"})
        EXPECT_EQ(lirra::parseInteger(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(errorText([] { lirra::strToInt("abc"); }), "'abc' is not a valid integer value");
}
