#include "book_generator.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

std::string book(std::uint64_t size, std::uint64_t seed = 1)
{
    std::ostringstream out;
    lirra::bench::generateBook(out, size, seed);
    return out.str();
}

// Every CR starts a CR LF pair and every LF ends one.
bool crLfOnly(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

std::vector<std::size_t> lineLengths(const std::string& text)
{
    std::vector<std::size_t> lengths;
    for (std::size_t start = 0; start < text.size();) {
        const auto end = std::min(text.find("\r\n", start), text.size());
        lengths.push_back(end - start);
        start = end + 2;
    }
    return lengths;
}

TEST(BookGenerator, GivesExactlyTheSizeAskedWithCrLfLinesAndNoCtrlZ)
{
    for (std::uint64_t size : {0, 1, 2, 3, 121, 4096, 2000000}) {
        const auto text = book(size);
        ASSERT_EQ(text.size(), size);
        EXPECT_EQ(text.find('\x1A'), std::string::npos) << size;
        EXPECT_TRUE(crLfOnly(text)) << size;
    }
}

TEST(BookGenerator, IsDeterministicPerSeed)
{
    EXPECT_EQ(book(300000), book(300000));
    // A smaller book is the start of a bigger one, up to its cut last line.
    const auto small = book(100000);
    const auto cut = small.rfind("\r\n");
    EXPECT_EQ(book(300000).substr(0, cut), small.substr(0, cut));
    EXPECT_NE(book(300000, 1), book(300000, 2));

    ScratchFolder folder;
    lirra::bench::generateBookFile(folder / "book.txt", 300000);
    EXPECT_EQ(readFile(folder / "book.txt"), book(300000));
}

TEST(BookGenerator, MixesCyrillicAndLatinInLinesOfVariedLength)
{
    const auto text = book(2000000);
    const auto lengths = lineLengths(text);
    EXPECT_GT(std::count(lengths.begin(), lengths.end(), 0u), 100);
    EXPECT_GT(std::count_if(lengths.begin(), lengths.end(), [](std::size_t n) { return n > 0 && n <= 120; }),
              10000);
    EXPECT_GT(std::count_if(lengths.begin(), lengths.end(), [](std::size_t n) { return n >= 1024 && n <= 5120; }),
              10);
    EXPECT_TRUE(std::all_of(lengths.begin(), lengths.end(), [](std::size_t n) { return n <= 5120; }));

    // 866: А..п at 0x80..0xAF, р..я at 0xE0..0xEF.
    const auto count = [&](auto predicate) { return std::count_if(text.begin(), text.end(), predicate); };
    const auto cyrillic = count([](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b >= 0x80 && b <= 0xAF) || (b >= 0xE0 && b <= 0xF1);
    });
    const auto latin = count([](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
    EXPECT_GT(cyrillic, static_cast<long>(text.size() / 2));
    EXPECT_GT(latin, static_cast<long>(text.size() / 50));
}

} // namespace
