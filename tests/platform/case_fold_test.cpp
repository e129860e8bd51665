#include "platform/case_fold.h"

#include <gtest/gtest.h>

using namespace lirra::platform;

TEST(CaseFold, FoldsLatinLatin1AndCyrillicCapitalsOnlyAndComparesWholeTexts)
{
    EXPECT_EQ(foldCase(u"ABCxyz ÀÖØÞ ×"), u"abcxyz àöøþ ×");
    EXPECT_EQ(foldCase(u"АБВЯ ЁЂЏ Ґ ЇІЄ"), u"абвя ёђџ ґ їіє");
    EXPECT_EQ(foldCase(u"ß ÿ № 12_"), u"ß ÿ № 12_"); // no capitals, nothing changes
    EXPECT_TRUE(equalFolded(u"/Книги/Война и МИР.TXT", u"/книги/война и мир.txt"));
    EXPECT_FALSE(equalFolded(u"/книги/а.txt", u"/книги/а.txt "));
    EXPECT_FALSE(equalFolded(u"ё", u"е"));
}
