#include "platform/shell_launch.h"
#include "xdg_open_stand_in.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace lirra::platform;

TEST(Launch, TheAddressReachesXdgOpenAsOneArgumentByteForByte)
{
    XdgOpenStandIn xdgOpen;
    ScratchFolder folder;
    const std::string mark = folder / "ran";
    const std::string address = "http://example.org/a b?q=\"quoted\"&s='single'; touch " + mark + " $(touch " + mark
                                + ") `touch " + mark + "` | > Книга \\ %20";
    launchAddress(address);
    const auto launches = xdgOpen.launches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{address});
    EXPECT_FALSE(std::filesystem::exists(mark));

    // Started in a session of its own, and collected once it ended: no zombie stays.
    EXPECT_NE(launches[0].session, long(::getsid(0)));
    const std::string child = "/proc/" + std::to_string(launches[0].pid);
    for (int i = 0; i < 1000 && std::filesystem::exists(child); ++i)
        ::usleep(10000);
    EXPECT_FALSE(std::filesystem::exists(child)) << "the finished launch was not collected";
}
