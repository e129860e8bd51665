// What Save As relies on beyond its own tests: the temporary file never outlives a
// replacement that did not happen, and a link's file is replaced, not the link.

#include "platform/file_replacement.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lirra::platform;
namespace fs = std::filesystem;

TEST(FileReplacement, AReplacementThatDidNotHappenLeavesTheTargetAndNoTemporaryFile)
{
    ScratchFolder folder;
    writeFile(folder / "book.txt", "good book");
    fs::create_directory(folder / "shelf");
    {
        FileReplacement uncommitted(folder / "book.txt");
        ASSERT_TRUE(uncommitted.create());
        writeFile(uncommitted.temporaryPath(), "half a bo");
        FileReplacement refused(folder / "shelf");   // a folder is not replaced by a file
        ASSERT_TRUE(refused.create() && refused.flush());
        EXPECT_FALSE(refused.commit());
    }
    EXPECT_EQ(readFile(folder / "book.txt"), "good book");
    EXPECT_TRUE(fs::is_directory(folder / "shelf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
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
