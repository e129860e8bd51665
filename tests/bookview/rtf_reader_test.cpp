#include "bookview/rtf_reader.h"

#include <gtest/gtest.h>

using namespace lirra;

TEST(RtfReader, ReadsTextOfASimpleDocument)
{
    const auto rich = parseRtf("{\\rtf1\\ansi Hello\\par world}");
    ASSERT_TRUE(rich);
    EXPECT_EQ(rich->text, u"Hello\r\nworld");
}
