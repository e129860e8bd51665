#include "bookview/core/text_units.h"

#include <gtest/gtest.h>

namespace lirra {
namespace {

class TextUnits : public ::testing::Test {
protected:
    // 0 "Hello, world" 12 CR LF | 14 "" 14 CR LF | 16 "last line"; length 25
    BookText text{BookBytes("Hello, world\r\n\r\nlast line")};
    RowLayout rows{text};
};

TEST_F(TextUnits, CharactersAndWordsAroundAnOffset)
{
    EXPECT_EQ(unitAt(rows, TextUnit::Character, 4), (TextRange{4, 5}));
    EXPECT_EQ(unitAt(rows, TextUnit::Character, 25), (TextRange{25, 25}));
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 0), (TextRange{0, 5}));
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 4), (TextRange{0, 5}));
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 5), (TextRange{5, 7}));     // ", "
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 9), (TextRange{7, 12}));
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 12), (TextRange{12, 14}));  // the break, within its line
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 24), (TextRange{21, 25}));
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 25), (TextRange{25, 25}));
    EXPECT_EQ(unitBefore(rows, TextUnit::Word, 8), (TextRange{5, 7}));
    EXPECT_EQ(unitAfter(rows, TextUnit::Word, 2), (TextRange{5, 7}));
    EXPECT_EQ(unitBefore(rows, TextUnit::Character, 0), (TextRange{0, 0}));
    EXPECT_EQ(unitBefore(rows, TextUnit::Character, 1), (TextRange{0, 1}));
    EXPECT_EQ(unitAfter(rows, TextUnit::Character, 24), (TextRange{25, 25}));
}

TEST_F(TextUnits, LinesFollowTheLayoutParagraphsTheHardLines)
{
    EXPECT_EQ(unitAt(rows, TextUnit::Line, 3), (TextRange{0, 14}));
    EXPECT_EQ(unitAt(rows, TextUnit::Line, 14), (TextRange{14, 16}));
    EXPECT_EQ(unitAt(rows, TextUnit::Line, 30), (TextRange{16, 25}));   // clamped to the end
    EXPECT_EQ(unitBefore(rows, TextUnit::Line, 20), (TextRange{14, 16}));
    EXPECT_EQ(unitAfter(rows, TextUnit::Line, 0), (TextRange{14, 16}));
    EXPECT_EQ(unitAfter(rows, TextUnit::Line, 20), (TextRange{25, 25}));
    EXPECT_EQ(unitBefore(rows, TextUnit::Line, 5), (TextRange{0, 0}));

    class OneEach : public AdvanceSource {
        int advance(char16_t) const override { return 1; }
        int cellWidth() const override { return 1; }
    } measure;
    rows.setWrap(&measure, 7);
    EXPECT_EQ(unitAt(rows, TextUnit::Line, 9), (TextRange{7, 14}));     // the row "world"
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 9), (TextRange{7, 12}));
    EXPECT_EQ(unitAt(rows, TextUnit::Word, 6), (TextRange{5, 7}));      // ", " ends its row
    EXPECT_EQ(unitAt(rows, TextUnit::Paragraph, 9), (TextRange{0, 14}));
    EXPECT_EQ(unitAfter(rows, TextUnit::Paragraph, 9), (TextRange{14, 16}));
    EXPECT_EQ(unitAt(rows, TextUnit::Whole, 9), (TextRange{0, 25}));
    EXPECT_EQ(unitAfter(rows, TextUnit::Whole, 9), (TextRange{25, 25}));

    const BookText longWord(BookBytes("abcdefghijklmnopqrstu"));
    RowLayout narrow(longWord);
    narrow.setWrap(&measure, 7);   // a word wider than a row is cut into rows
    EXPECT_EQ(unitAt(narrow, TextUnit::Word, 9), (TextRange{7, 14}));
}

} // namespace
} // namespace lirra
