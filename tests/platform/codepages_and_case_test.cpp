#include "platform/case_fold.h"
#include "platform/codepages.h"

#include <gtest/gtest.h>

using namespace lirra::platform;

namespace {

// `text` through one of the converters.
std::string converted(void (*convert)(const char*, char*, std::size_t), const std::string& text)
{
    std::string result(text.size(), '\0');
    convert(text.data(), result.data(), text.size());
    return result;
}

} // namespace

TEST(CodePages, LettersGoBothWaysAndBoxDrawingAndMissingCharactersFallBackToTheirBestFit)
{
    // ASCII, А..п, р..я, Ё and ё: in 866 first, then where 1251 has them.
    for (const auto& [oem, last, ansi] : {std::tuple{0x00, 0x7F, 0x00}, {0x80, 0xAF, 0xC0}, {0xE0, 0xEF, 0xF0},
                                         {0xF0, 0xF0, 0xA8}, {0xF1, 0xF1, 0xB8}})
        for (int i = 0; i <= last - oem; ++i) {
            EXPECT_EQ(converted(oemToCharBuff, std::string(1, char(oem + i)))[0], char(ansi + i)) << oem + i;
            EXPECT_EQ(converted(charToOemBuff, std::string(1, char(ansi + i)))[0], char(oem + i)) << ansi + i;
        }
    // ░ │ ┐ └ ┼ ╔ ═ in 866, and Cyrillic "Аа" which round-trips exactly.
    EXPECT_EQ(converted(oemToCharBuff, "\xB0\xB3\xBF\xC0\xC5\xC9\xCD\x80\xA0"), "-\xA6\xACL+\xE3=\xC0\xE0");
    // € undefined І « » — № а; the split "??" "?" keeps "??<" from being a trigraph.
    EXPECT_EQ(converted(charToOemBuff, "\x88\x98\xB2\xAB\xBB\x97\xB9\xE0"), "??" "?<>-\xFC\xA0");

    const std::u16string text = u"Привет, Ёжик! № «»";
    EXPECT_EQ(decodeAnsi(encodeAnsi(text)), text);
    EXPECT_EQ(ansiToUnicode(0x98), u'\u0098');
    EXPECT_EQ(unicodeToAnsi(u'\u4E2D'), '?');          // nothing fits: default char
    EXPECT_EQ(unicodeToAnsi(u'\uFF21'), 'A');          // fullwidth A: best fit
}

TEST(CaseFold, FoldsLatinLatin1AndCyrillicCapitalsOnlyAndComparesWholeTexts)
{
    EXPECT_EQ(foldCase(u"ABCxyz ÀÖØÞ ×"), u"abcxyz àöøþ ×");
    EXPECT_EQ(foldCase(u"АБВЯ ЁЂЏ Ґ ЇІЄ"), u"абвя ёђџ ґ їіє");
    EXPECT_EQ(foldCase(u"ß ÿ № 12_"), u"ß ÿ № 12_"); // no capitals, nothing changes
    EXPECT_TRUE(equalFolded(u"/Книги/Война и МИР.TXT", u"/книги/война и мир.txt"));
    EXPECT_FALSE(equalFolded(u"/книги/а.txt", u"/книги/а.txt ") || equalFolded(u"ё", u"е"));
}
