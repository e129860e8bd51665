// The one reading of the stored list layout: every damaged form of a list, one row each.

#include "platform/registry_list.h"

#include "platform/registry_hive.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

using lirra::platform::readStringList;
using lirra::platform::Registry;

namespace {

const std::string kKey = "Software\\Lirra Reader\\List";

struct Case {
    const char* values;   // the key's section as the hive file spells it; nullptr: no key
    std::size_t limit;
    bool found;
    std::vector<std::string> entries;
    std::string error;
};

TEST(StoredList, EveryDamageReadsByTheOneRule)
{
    const auto all = lirra::platform::kWholeList;
    const Case cases[] = {
        {nullptr, all, false, {}, ""},
        {"\"0\"=\"a\"\n", all, false, {}, ""},                                     // no "Count"
        {"\"Count\"=dword:ffffffff\n\"0\"=\"a\"\n", all, true, {}, ""},             // negative
        {"\"Count\"=dword:00000001\n\"0\"=\"a\"\n\"1\"=\"b\"\n\"2\"=\"left over\"\n", all, true, {"a", "b"}, ""},
        {"\"Count\"=dword:7fffffff\n\"2\"=\"c\"\n\"0\"=\"a\"\n\"00\"=\"x\"\n\"-1\"=\"x\"\n\"2000000000\"=\"z\"\n", all,
         true, {"a", "c", "z"}, ""},                                                // huge, gaps, odd names
        {"\"Count\"=\"abc\"\n\"1\"=\"b\"\n\"0\"=\"a\"\n", all, true, {"a", "b"}, "Invalid data type for 'Count'"},
        {"\"Count\"=dword:00000002\n\"0\"=\"a\"\n\"1\"=dword:00000005\n\"2\"=\"c\"\n", all, true, {"a", "c"},
         "Invalid data type for '1'"},
        {"\"Count\"=dword:00000002\n\"0\"=\"a\"\n\"1\"=hex:01\n\"2\"=dword:00000005\n", all, true, {"a"},
         "Invalid data type for '1'"},                                             // the first error is named
        {"\"Count\"=dword:00000003\n\"0\"=\"a\"\n\"1\"=\"b\"\n\"2\"=dword:00000005\n", 2, true, {"a", "b"}, ""},
        {"\"Count\"=hex(2):25,00,41,00,00,00\n\"0\"=hex(2):25,00,41,00,00,00\n", all, true, {"%A"},
         "Invalid data type for 'Count'"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string hive = folder / "registry.reg";
        writeFile(hive, std::string("REGEDIT4\n\n")
                            + (c.values ? "[HKEY_CURRENT_USER\\" + kKey + "]\n" + c.values : std::string()));
        Registry registry(hive);
        const auto list = readStringList(registry, kKey, c.limit);
        EXPECT_EQ(std::tuple(list.found, list.entries, list.error), std::tuple(c.found, c.entries, c.error))
            << (c.values ? c.values : "(no key)");
    }
}

} // namespace
