// A key's values as a file and the program change them: read in any order, written and
// found in the order of their names whatever their letter case. Keys keep the order they
// were made in, not that of their names.

#include "platform/hive_format.h"

#include <gtest/gtest.h>

namespace hive = lirra::platform::hive;

TEST(HiveValues, ReadInAnyOrderTheyAreFoundAndWrittenByNameAndTheLastOfTwinsWins)
{
    auto root = hive::parseHive("REGEDIT4\n\n[HKEY_CURRENT_USER\\L]\n\"x\"=\"6\"\n\n[HKEY_CURRENT_USER\\K]\n"
                                "\"b\"=\"1\"\n\"Ж\"=\"2\"\n\"B\"=\"3\"\n\"a10\"=\"4\"\n\"A2\"=\"5\"\n\n"
                                "[HKEY_CURRENT_USER\\k]\n\"ж\"=\"7\"\n\"a1\"=\"8\"\n");
    auto* key = hive::findKey(root, {"K"});
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->findValue("Ж")->data, "7");
    EXPECT_EQ(key->findValue("a2")->name, "A2");
    EXPECT_FALSE(key->setValue({"B", hive::RegSz, "3"})); // equal to what is stored: no change
    EXPECT_TRUE(key->setValue({"a11", hive::RegSz, "9"}));
    EXPECT_TRUE(key->setValue({"a10", hive::RegSz, "10"}));
    EXPECT_EQ(hive::formatHive(root), "REGEDIT4\n\n[HKEY_CURRENT_USER\\L]\n\"x\"=\"6\"\n\n[HKEY_CURRENT_USER\\K]\n"
                                      "\"a1\"=\"8\"\n\"a10\"=\"10\"\n\"a11\"=\"9\"\n\"A2\"=\"5\"\n\"b\"=\"3\"\n"
                                      "\"Ж\"=\"7\"\n\n");
    EXPECT_FALSE(key->findValue("c") || key->findValue("a"));
}
