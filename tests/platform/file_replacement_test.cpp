#include "platform/file_replacement.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

using namespace lirra::platform;
namespace fs = std::filesystem;

namespace {

std::size_t entries(const std::string& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

mode_t modeOf(const std::string& path)
{
    struct stat info;
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(FileReplacement, ReplacesTheTargetWholeKeepingItsPermissions)
{
    ScratchFolder folder;
    const std::string target = folder / "book.txt";
    writeFile(target, "old text");
    ::chmod(target.c_str(), 0640);
    {
        FileReplacement file(target);
        ASSERT_TRUE(file.create());
        EXPECT_EQ(fs::path(file.temporaryPath()).parent_path(), fs::path(folder.path()));
        writeFile(file.temporaryPath(), "new text");
        EXPECT_EQ(readFile(target), "old text");   // untouched until committed
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.commit());
    }
    EXPECT_EQ(readFile(target), "new text");
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(entries(folder.path()), 1u);
}

TEST(FileReplacement, AnUncommittedOrFailedReplacementLeavesTheTargetAndNoTemporaryFile)
{
    ScratchFolder folder;
    const std::string target = folder / "book.txt";
    writeFile(target, "good book");
    {
        FileReplacement file(target);
        ASSERT_TRUE(file.create());
        writeFile(file.temporaryPath(), "half a bo");
    }
    EXPECT_EQ(readFile(target), "good book");
    EXPECT_EQ(entries(folder.path()), 1u);

    // A folder cannot be replaced by a file.
    fs::create_directory(folder / "shelf");
    {
        FileReplacement file(folder / "shelf");
        ASSERT_TRUE(file.create());
        EXPECT_TRUE(file.flush());
        EXPECT_FALSE(file.commit());
    }
    EXPECT_TRUE(fs::is_directory(folder / "shelf"));
    EXPECT_EQ(entries(folder.path()), 2u);

    EXPECT_FALSE(FileReplacement(folder / "no/such/folder.txt").create());
}

TEST(FileReplacement, ALinkStaysALinkAndTheFileItNamesIsReplaced)
{
    ScratchFolder folder;
    fs::create_directory(folder / "real");
    writeFile(folder / "real/book.txt", "old");
    fs::create_symlink(folder / "real/book.txt", folder / "link.txt");
    FileReplacement file(folder / "link.txt");
    ASSERT_TRUE(file.create());
    writeFile(file.temporaryPath(), "new");
    ASSERT_TRUE(file.flush() && file.commit());
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readFile(folder / "real/book.txt"), "new");
}

} // namespace
