#include "platform/buffered_file.h"
#include "platform/file_errors.h"
#include "platform/file_names.h"
#include "platform/temp_dir.h"
#include "platform/utf8.h"
#include "error_text.h"
#include "scratch_folder.h"
#include "test_fifo.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

using namespace lirra::platform;

TEST(Files, NamesLoseTrailingBlanksOneAtATimeKeepEveryByteInUtf16CopiesAreExactAndFailuresCarryTheSystemTexts)
{
    ScratchFolder folder;
    writeFile(folder / "book.txt", "12345");
    writeFile(folder / "blank.txt ", "1");
    writeFile(folder / "blank.txt", "123");

    for (const auto& [asked, found] : {std::pair{"book.txt  ", "book.txt"}, {"blank.txt ", "blank.txt "},
                                       {"blank.txt   ", "blank.txt "}, {"missing.txt  ", "missing.txt"}, {" lead", " lead"}})
        EXPECT_EQ(resolveFileName(folder / asked), folder / found) << asked;
    EXPECT_EQ(resolveFileName("   "), "");
    EXPECT_EQ(std::tuple(fileSize(folder / "book.txt "), fileSize(folder / "blank.txt "),
                         fileSize(folder / "missing.txt"), fileSize(folder.path())),
              std::tuple(5, 1, -1, -1));
    EXPECT_TRUE(deleteFile(folder / "book.txt"));
    EXPECT_FALSE(deleteFile(folder / "book.txt") || deleteFile(folder.path()));

    // File names are bytes; in UTF-16 they keep every one, UTF-8 or not.
    const std::vector<std::pair<std::string, std::u16string>> names = {
        {"plain.txt", u"plain.txt"}, {"Книга.txt", u"Книга.txt"},
        // CP866 "Привет": "рив" happens to be valid UTF-8 (U+0A22), the rest is not.
        {"\x8F\xE0\xA8\xA2\xA5\xE2", u"\xDC8F\x0A22\xDCA5\xDCE2"},
        {"\xF0\x90\x82\x80", u"\xD800\xDC80"},                                      // U+10080, not a byte
        {"\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},                                     // an encoded surrogate
        {"\xC0\x80 \xE2\x82", u"\xDCC0\xDC80 \xDCE2\xDC82"},                          // overlong, cut short
    };
    for (const auto& [bytes, text] : names)
        EXPECT_EQ(std::tuple(bytesToUtf16(bytes), bytesFromUtf16(text), holdsEscapedBytes(text)),
                  std::tuple(text, bytes, utf16ToUtf8(text) != bytes)) << bytes;
    for (unsigned first = 0; first < 256; ++first)
        for (unsigned second = 0; second < 256; ++second)
            for (const std::string& bytes : {std::string{char(first), char(second)}, std::string{char(0xE0), char(first), char(second)}})
                ASSERT_EQ(bytesFromUtf16(bytesToUtf16(bytes)), bytes) << first << ' ' << second;

    std::string content;
    for (int i = 0; i < 700000; ++i)
        content += static_cast<char>(i * 7 % 256);
    writeFile(folder / "book.txt", content);

    FileReader reader(folder / "book.txt   ");
    FileWriter writer(folder / "copy.tmp");
    // Written in small pieces, so the writer's buffer fills and empties many times.
    for (std::string_view chunk = reader.takeChunk(); !chunk.empty(); chunk = reader.takeChunk())
        for (std::size_t at = 0; at < chunk.size(); at += 1000)
            writer.write(chunk.substr(at, 1000));
    EXPECT_TRUE(reader.takeChunk().empty());
    reader.close();
    writer.close();
    EXPECT_EQ(readFile(folder / "copy.tmp"), content);

    using std::filesystem::perms;
    EXPECT_EQ(std::filesystem::status(folder / "copy.tmp").permissions(), perms::owner_read | perms::owner_write);

    EXPECT_EQ(errorText([&] { FileReader(folder / "missing.txt"); }), "File not found");
    // Only a regular file is opened: a folder, a FIFO or a device is refused at once.
    const TestFifo fifo(folder / "fifo");
    for (const std::string& notAFile : {folder.path(), fifo.path(), std::string("/dev/zero")})
        EXPECT_EQ(errorText([&] { FileReader opened(notAFile); }), "File access denied") << notAFile;
    EXPECT_FALSE(fifo.opened());
    EXPECT_EQ(errorText([&] { FileWriter(folder / "missing/copy.tmp"); }), "File not found");

    // /dev/full takes no byte: the write fails when the buffer goes out, at close at the latest.
    EXPECT_EQ(errorText([] {
                  FileWriter full("/dev/full");
                  full.write("text");
                  full.close();
              }),
              "Disk full");
    // Each errno a file operation may meet has its system text.
    const std::vector<std::pair<int, std::string>> cases = {
        {ENOENT, "File not found"},      {ENOTDIR, "File not found"},    {ENAMETOOLONG, "Invalid filename"},
        {EINVAL, "Invalid filename"},    {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"},
        {EACCES, "File access denied"},  {EPERM, "File access denied"},  {EROFS, "File access denied"},
        {EISDIR, "File access denied"},  {ENOSPC, "Disk full"},          {EDQUOT, "Disk full"},
        {EIO, "I/O error 5"},            {EBUSY, "I/O error 16"},
    };
    for (const auto& [err, text] : cases)
        EXPECT_EQ(errorText([err = err] { throwFileError(err); }), text) << err;
    EXPECT_EQ(errorText([] { throwReadBeyondEndOfFile(); }), "Read beyond end of file");
}

// --- the temporary folder ---

class TempDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::mkdir((folder / "runtime").c_str(), 0700); // private, but RAM: never for a copy as big as a book
        const std::pair<const char*, std::string> environment[] = {
            {"XDG_CACHE_HOME", folder / "cache"}, {"TMPDIR", folder.path()}, {"HOME", folder / "home"},
            {"XDG_RUNTIME_DIR", folder / "runtime"}};
        for (const auto& [name, value] : environment) {
            saved.emplace_back(name, std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
            ::setenv(name, value.c_str(), 1);
        }
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

    std::string cacheFolder() const { return folder / "cache/lirra-reader"; }
    std::string ownFolder() const { return folder / ("lirra-" + std::to_string(::geteuid())); }

    ScratchFolder folder;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(TempDirectoryTest, TheCacheFolderIsMadePrivateElseTheTemporaryOneAndALinkAtTheCopyIsNotFollowed)
{
    // Used only when private: a folder created open to others would be refused below.
    EXPECT_EQ(existingTempDirectory(), std::nullopt); // looking creates nothing
    EXPECT_EQ(tempDirectory(), cacheFolder() + "/");
    EXPECT_EQ(existingTempDirectory(), cacheFolder() + "/");

    // A relative XDG_CACHE_HOME does not count: the cache in the home folder does.
    ::setenv("XDG_CACHE_HOME", "relative/cache", 1);
    EXPECT_EQ(tempDirectory(), folder / "home/.cache/lirra-reader/");
    ::setenv("XDG_CACHE_HOME", (folder / "cache").c_str(), 1);

    // A cache folder open to others is not used; the private temporary one is.
    ASSERT_EQ(::chmod(cacheFolder().c_str(), 0755), 0);
    EXPECT_EQ(existingTempDirectory(), std::nullopt);
    EXPECT_EQ(tempDirectory(), ownFolder() + "/");
    EXPECT_EQ(existingTempDirectory(), ownFolder() + "/");

    // A symbolic link planted at the temporary file is not followed.
    writeFile(folder / "victim.txt", "precious");
    ASSERT_EQ(::symlink((folder / "victim.txt").c_str(), (ownFolder() + "/lirra.tmp").c_str()), 0);
    EXPECT_EQ(errorText([&] { FileWriter writer(ownFolder() + "/lirra.tmp"); }), "File access denied");
    EXPECT_EQ(readFile(folder / "victim.txt"), "precious");
}

TEST_F(TempDirectoryTest, UnsafeFoldersAreRefused)
{
    // The cache cannot be had (a file where its folder should be): the fallback's rules.
    writeFile(folder / "cache", "a file");
    const std::string own = ownFolder();
    const auto refusal = [&] {
        const auto text = errorText([] { tempDirectory(); });
        std::filesystem::remove_all(own);
        return text;
    };

    ASSERT_EQ(::mkdir((folder / "elsewhere").c_str(), 0700), 0);
    ASSERT_EQ(::symlink((folder / "elsewhere").c_str(), own.c_str()), 0);
    EXPECT_EQ(refusal(), "The temporary folder " + own + " is not safe to use: it is a symbolic link");

    writeFile(own, "a file");
    EXPECT_EQ(refusal(), "The temporary folder " + own + " is not safe to use: it is not a folder");

    ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(own.c_str(), 0770), 0);
    EXPECT_EQ(refusal(), "The temporary folder " + own + " is not safe to use: other users may open it");

    if (::geteuid() == 0) {
        ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
        ASSERT_EQ(::chown(own.c_str(), 12345, 12345), 0);
        EXPECT_EQ(refusal(), "The temporary folder " + own + " is not safe to use: it belongs to another user");
    }
    EXPECT_EQ(existingTempDirectory(), std::nullopt);
}
