// What Save As relies on beyond its own tests: a link's file is replaced, not the link,
// and a file whose folder takes no new file is still replaced.

#include "platform/file_replacement.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lirra::platform;
namespace fs = std::filesystem;

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

TEST(FileReplacement, ALinksFileIsReplacedAndOneInAFolderThatRefusesNewFilesIsWrittenInPlaceOnceTheWriteStarts)
{
    ScratchFolder folder;
    writeFile(folder / "book.txt", "old book");
    fs::create_symlink("book.txt", folder / "link.txt");
    FileReplacement throughLink(folder / "link.txt");
    ASSERT_TRUE(throughLink.create());
    writeFile(throughLink.writePath(), "linked book");
    ASSERT_TRUE(throughLink.flush() && throughLink.commit());
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readFile(folder / "book.txt"), "linked book");

    ASSERT_EQ(::chmod((folder / "book.txt").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    EXPECT_EQ(inFolderThatRefusesNewFiles(folder, [] {
                  FileReplacement file("book.txt");
                  if (!file.create() || file.writePath() != "book.txt" || readFile("book.txt") != "linked book")
                      return 1;
                  writeFile(file.writePath(), "new");
                  return file.flush() && file.commit() ? 0 : 2;
              }),
              0);
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(readFile(folder / "book.txt"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}
