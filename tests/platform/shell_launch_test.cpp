#include "platform/shell_launch.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace lirra::platform;

namespace {

// A stand-in xdg-open first on PATH: it writes its arguments, one per file, its process
// and session ids, and leaves a mark if anything ever runs what the address holds.
class Launch : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldPath_ = std::getenv("PATH");
        writeFile(folder_ / "xdg-open",
                  "#!/bin/sh\n"
                  "cd \"$(dirname \"$0\")\"\n"
                  "printf '%s' \"$#\" > count.part\n"
                  "printf '%s' \"$1\" > argument\n"
                  "echo $$ > pid\n"
                  "cut -d' ' -f6 /proc/$$/stat > session\n"
                  "mv count.part count\n");
        std::filesystem::permissions(folder_ / "xdg-open", std::filesystem::perms::owner_all);
        ::setenv("PATH", (folder_.path() + ":" + oldPath_).c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", oldPath_.c_str(), 1); }

    // Waits for `name` in the scratch folder; false after ten seconds.
    bool waitFor(const std::string& name, bool present = true) const
    {
        for (int i = 0; i < 1000; ++i) {
            if (std::filesystem::exists(name) == present)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    ScratchFolder folder_;
    std::string oldPath_;
};

TEST_F(Launch, TheAddressReachesXdgOpenAsOneArgumentByteForByte)
{
    const std::string mark = folder_ / "ran";
    const std::string address = "http://example.org/a b?q=\"quoted\"&s='single'; touch " + mark + " $(touch " + mark
                                + ") `touch " + mark + "` | > Книга \\ %20";
    launchAddress(address);
    ASSERT_TRUE(waitFor(folder_ / "count"));
    EXPECT_EQ(readFile(folder_ / "count"), "1");
    EXPECT_EQ(readFile(folder_ / "argument"), address);
    EXPECT_FALSE(std::filesystem::exists(mark));

    // Started in a session of its own, and collected once it ended: no zombie stays.
    EXPECT_NE(std::stol(readFile(folder_ / "session")), long(::getsid(0)));
    const std::string child = "/proc/" + std::to_string(std::stol(readFile(folder_ / "pid")));
    EXPECT_TRUE(waitFor(child, false)) << "the finished launch was not collected";
}

TEST_F(Launch, NoXdgOpenOnThePathIsNoError)
{
    ::setenv("PATH", (folder_ / "empty").c_str(), 1);
    launchAddress("https://example.org");
    SUCCEED();
}

} // namespace
