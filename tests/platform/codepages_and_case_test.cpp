#include "platform/case_fold.h"
#include "platform/codepages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace lirra::platform;

namespace {

struct CsvRow {
    unsigned byte, oemToAnsi, ansiToOem;
};

// Both tables straight from the data file the compiled tables were made from.
std::vector<CsvRow> readTables()
{
    std::ifstream in(LIRRA_SOURCE_DIR "/src/platform/codepages/tables.csv");
    std::string line;
    std::getline(in, line); // header
    std::vector<CsvRow> rows;
    for (CsvRow row; std::getline(in, line);)
        if (std::sscanf(line.c_str(), "%x,%x,%*[^,],%*[^,],%*[^,],%x", &row.byte, &row.oemToAnsi, &row.ansiToOem) == 3)
            rows.push_back(row);
    return rows;
}

// `text` through one of the converters.
std::string converted(void (*convert)(const char*, char*, std::size_t), const std::string& text)
{
    std::string result(text.size(), '\0');
    convert(text.data(), result.data(), text.size());
    return result;
}

} // namespace

TEST(CodePages, EveryByteOfBothTablesMatchesTheDataAndBoxDrawingAndMissingCharactersFallBackToTheirBestFit)
{
    const auto rows = readTables();
    ASSERT_EQ(rows.size(), 256u);
    for (const auto& row : rows) {
        const std::string in(1, static_cast<char>(row.byte));
        EXPECT_EQ(0xFFu & converted(oemToCharBuff, in)[0], row.oemToAnsi) << "OEM byte " << row.byte;
        EXPECT_EQ(0xFFu & converted(charToOemBuff, in)[0], row.ansiToOem) << "ANSI byte " << row.byte;
    }
    // Spot checks of the best fits, should the data file itself go wrong.
    // ░ │ ┐ └ ┼ ╔ ═ in 866, and Cyrillic "Аа" which round-trips exactly.
    EXPECT_EQ(converted(oemToCharBuff, "\xB0\xB3\xBF\xC0\xC5\xC9\xCD\x80\xA0"), "-\xA6\xACL+\xE3=\xC0\xE0");
    // € undefined І « » — № а; the split "??" "?" keeps "??<" from being a trigraph.
    EXPECT_EQ(converted(charToOemBuff, "\x88\x98\xB2\xAB\xBB\x97\xB9\xE0"), "??" "?<>-\xFC\xA0");
}

TEST(CodePages, UnicodeRoundTripAndBestFit)
{
    const std::u16string text = u"Привет, Ёжик! № «»";
    EXPECT_EQ(decodeAnsi(encodeAnsi(text)), text);
    EXPECT_EQ(ansiToUnicode(0x98), u'\u0098');
    EXPECT_EQ(unicodeToAnsi(u'\u4E2D'), '?');          // nothing fits: default char
    EXPECT_EQ(unicodeToAnsi(u'\uFF21'), 'A');          // fullwidth A: best fit
    EXPECT_EQ(encodeAnsi(u""), "");
}

TEST(CaseFold, FoldsLatinLatin1AndCyrillicCapitalsOnlyAndComparesWholeTexts)
{
    EXPECT_EQ(foldCase(u"ABCxyz ÀÖØÞ ×"), u"abcxyz àöøþ ×");
    EXPECT_EQ(foldCase(u"АБВЯ ЁЂЏ Ґ ЇІЄ"), u"абвя ёђџ ґ їіє");
    EXPECT_EQ(foldCase(u"ß ÿ № 12_"), u"ß ÿ № 12_"); // no capitals, nothing changes
    EXPECT_TRUE(equalFolded(u"/Книги/Война и МИР.TXT", u"/книги/война и мир.txt"));
    EXPECT_FALSE(equalFolded(u"/книги/а.txt", u"/книги/а.txt ") || equalFolded(u"ё", u"е"));
}
