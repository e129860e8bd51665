#include "book_generator.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

static std::string book(std::uint64_t size, std::uint64_t seed = 1)
{
    std::ostringstream out;
    lirra::bench::generateBook(out, size, seed);
    return out.str();
}

// The lines between CR LF pairs, the last one perhaps cut short.
static std::vector<std::string_view> lines(const std::string& text)
{
    std::vector<std::string_view> found;
    for (std::size_t start = 0; start < text.size();) {
        const auto end = std::min(text.find("\r\n", start), text.size());
        found.push_back(std::string_view(text).substr(start, end - start));
        start = end + 2;
    }
    return found;
}

TEST(BookGenerator, GivesTheSizeAskedInCrLfLinesOfMixedLengthAndScriptTheSameForASeed)
{
    for (std::uint64_t size : {0, 1, 2, 3, 121, 4096, 2000000}) {
        const auto text = book(size);
        ASSERT_EQ(text.size(), size);
        EXPECT_EQ(text.find('\x1A'), std::string::npos) << size;
        for (const auto line : lines(text))
            ASSERT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << size; // a lone CR or LF
    }

    // Lines of every length up to 5 KiB.
    const auto text = book(2000000);
    const auto all = lines(text);
    const auto linesOf = [&](std::size_t from, std::size_t to) {
        return std::count_if(all.begin(), all.end(), [&](auto line) { return line.size() >= from && line.size() <= to; });
    };
    for (const auto& [from, to, atLeast] : {std::tuple{0, 0, 101}, {1, 120, 10001}, {1024, 5120, 11}})
        EXPECT_GE(linesOf(from, to), atLeast) << from << ".." << to;
    EXPECT_EQ(linesOf(0, 5120), static_cast<long>(all.size()));

    // Mostly Cyrillic in 866 (А..п at 0x80..0xAF, р..ё at 0xE0..0xF1), some Latin.
    const auto bytes = [&](auto in) { return std::count_if(text.begin(), text.end(), [&](char c) { return in(std::uint8_t(c)); }); };
    EXPECT_GT(bytes([](std::uint8_t b) { return (b >= 0x80 && b <= 0xAF) || (b >= 0xE0 && b <= 0xF1); }) * 2, long(text.size()));
    EXPECT_GT(bytes([](std::uint8_t b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }) * 50, long(text.size()));

    // The same for a seed; a smaller book is the start of a bigger one, up to its cut last line.
    const auto big = book(300000), small = book(100000);
    EXPECT_EQ(book(300000), big);
    EXPECT_EQ(big.substr(0, small.rfind("\r\n")), small.substr(0, small.rfind("\r\n")));
    EXPECT_NE(book(300000, 2), big);

    ScratchFolder folder;
    lirra::bench::generateBookFile(folder / "book.txt", 300000);
    EXPECT_EQ(readFile(folder / "book.txt"), big);
}
