// What Save As relies on beyond its own tests: the temporary file never outlives a
// replacement that did not happen, a link's file is replaced, not the link, and a file
// whose folder takes no new file is still replaced.

#include "platform/file_replacement.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lirra::platform;
namespace fs = std::filesystem;

TEST(FileReplacement, AReplacementThatDidNotHappenLeavesNoTemporaryFileAndALinksFileIsReplaced)
{
    ScratchFolder folder;
    writeFile(folder / "book.txt", "good book");
    fs::create_directory(folder / "shelf");
    fs::create_symlink(folder / "book.txt", folder / "link.txt");
    {
        FileReplacement uncommitted(folder / "book.txt");
        ASSERT_TRUE(uncommitted.create());
        writeFile(uncommitted.writePath(), "half a bo");
        FileReplacement refused(folder / "shelf");   // a folder is not replaced by a file
        ASSERT_TRUE(refused.create() && refused.flush());
        EXPECT_FALSE(refused.commit());
    }
    EXPECT_EQ(readFile(folder / "book.txt"), "good book");
    EXPECT_TRUE(fs::is_directory(folder / "shelf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);

    FileReplacement file(folder / "link.txt");
    ASSERT_TRUE(file.create());
    writeFile(file.writePath(), "new");
    ASSERT_TRUE(file.flush() && file.commit());
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readFile(folder / "book.txt"), "new");
}

// Run by a user who may write the file "book.txt" in the current folder but may not add
// a file to that folder: root runs it as nobody, the folder root's.
static int inFolderThatRefusesNewFiles(const ScratchFolder& folder, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        // Into the folder first: nobody may not pass the folders above it.
        const bool ready = ::chdir(folder.path().c_str()) == 0
                           && (::geteuid() != 0
                               || (::chown("book.txt", 65534, 65534) == 0 && ::setgid(65534) == 0
                                   && ::setuid(65534) == 0));
        ::_exit(ready ? body() : 99);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST(FileReplacement, AWritableFileInAFolderThatRefusesNewFilesIsWrittenInPlaceOnceTheWriteStarts)
{
    ScratchFolder folder;
    writeFile(folder / "book.txt", "old book");
    ASSERT_EQ(::chmod((folder / "book.txt").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    EXPECT_EQ(inFolderThatRefusesNewFiles(folder, [] {
                  FileReplacement file("book.txt");
                  if (!file.create() || file.writePath() != "book.txt" || readFile("book.txt") != "old book")
                      return 1;
                  writeFile(file.writePath(), "new");
                  return file.flush() && file.commit() ? 0 : 2;
              }),
              0);
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(readFile(folder / "book.txt"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    // A file without a write bit is read-only, for root too.
    ASSERT_EQ(::chmod((folder / "book.txt").c_str(), 0444), 0);
    FileReplacement readOnly(folder / "book.txt");
    EXPECT_FALSE(readOnly.create());
    EXPECT_EQ(errno, EACCES);
}
