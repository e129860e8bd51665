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

} // namespace

TEST(CodePages, EveryByteOfBothTablesMatchesTheData)
{
    const auto rows = readTables();
    ASSERT_EQ(rows.size(), 256u);
    for (const auto& row : rows) {
        char in = static_cast<char>(row.byte), out = 0;
        oemToCharBuff(&in, &out, 1);
        EXPECT_EQ(0xFFu & out, row.oemToAnsi) << "OEM byte " << row.byte;
        charToOemBuff(&in, &out, 1);
        EXPECT_EQ(0xFFu & out, row.ansiToOem) << "ANSI byte " << row.byte;
    }
}

// Spot checks of the best fits, should the data file itself go wrong.
TEST(CodePages, BoxDrawingAndMissingCharactersFallBackToTheirBestFit)
{
    // ░ │ ┐ └ ┼ ╔ ═ in 866, and Cyrillic "Аа" which round-trips exactly.
    const std::string oem = "\xB0\xB3\xBF\xC0\xC5\xC9\xCD\x80\xA0";
    std::string ansi(oem.size(), '\0');
    oemToCharBuff(oem.data(), ansi.data(), oem.size());
    EXPECT_EQ(ansi, "-\xA6\xACL+\xE3=\xC0\xE0");

    const std::string fromAnsi = "\x88\x98\xB2\xAB\xBB\x97\xB9\xE0"; // € undefined І « » — № а
    std::string back(fromAnsi.size(), '\0');
    charToOemBuff(fromAnsi.data(), back.data(), fromAnsi.size());
    EXPECT_EQ(back, "??" "?<>-\xFC\xA0"); // split: "??<" would be a trigraph
}

TEST(CodePages, UnicodeRoundTripAndBestFit)
{
    const std::u16string text = u"Привет, Ёжик! № «»";
    EXPECT_EQ(decodeAnsi(encodeAnsi(text)), text);
    EXPECT_EQ(ansiToUnicode(0x98), u'\u0098');
    EXPECT_EQ(unicodeToAnsi(u'\u4E2D'), '?');          // nothing fits: default char
    EXPECT_EQ(unicodeToAnsi(u'\uFF21'), 'A');          // fullwidth A: best fit
    EXPECT_EQ(encodeAnsi(u"").size(), 0u);
}
