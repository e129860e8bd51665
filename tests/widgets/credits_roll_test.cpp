#include "widgets/credits_roll.h"

#include <gtest/gtest.h>

using namespace lirra;

namespace {

int tenPerCharacter(const QString& line) { return int(line.size()) * 10; }

std::vector<int> shownLines(const CreditsRoll& roll)
{
    std::vector<int> lines;
    for (const CreditsRow& row : roll.visibleRows())
        lines.push_back(row.line);
    return lines;
}

} // namespace

TEST(CreditsRoll, TextAreaLeavesBorderBevelsMarginAndTheGlyphsSideAndMayBeEmpty)
{
    EXPECT_EQ(creditsTextRect(QRect(0, 0, 166, 61), 0, 1, 0), QRect(3, 3, 160, 55));
    EXPECT_EQ(creditsTextRect(QRect(0, 0, 166, 61), 1, 2, 2), QRect(8, 8, 150, 45));
    EXPECT_TRUE(creditsTextRect(QRect(0, 0, 10, 40), 1, 1, 1).isEmpty() && creditsTextRect(QRect(0, 0, 8, 8), 0, 1, 1).isEmpty());
    const QRect text(3, 3, 160, 55);
    const GlyphSplit left = splitForGlyph(text, QSize(16, 16), TGlyphLayout::glGlyphLeft);
    EXPECT_TRUE(left.glyph == QRect(3, 22, 16, 16) && left.text == QRect(22, 3, 141, 55));
    const GlyphSplit bottom = splitForGlyph(text, QSize(16, 16), TGlyphLayout::glGlyphBottom);
    EXPECT_TRUE(bottom.glyph == QRect(75, 42, 16, 16) && bottom.text == QRect(3, 3, 160, 36));
    EXPECT_TRUE(splitForGlyph(text, QSize(200, 16), TGlyphLayout::glGlyphRight).text.isEmpty());
}

TEST(CreditsRoll, UpwardSkipsLeadingBlankLinesAndLetsTrailingOnesTakeRoom)
{
    // Two blank lines before, one after: 30-pixel area, 10-pixel lines.
    const QStringList lines{"", "  ", "A", "B", ""};
    CreditsRoll roll(lines, 10, QRect(0, 0, 50, 30), TScrollDirection::sdVertical, tenPerCharacter);
    EXPECT_TRUE(roll.firstLine() == 2 && roll.maxScroll() == 30 + 3 * 10);
    EXPECT_EQ(CreditsRoll({"A", "B", ""}, 10, QRect(0, 0, 50, 30), TScrollDirection::sdVertical, tenPerCharacter)
                  .maxScroll(),
              roll.maxScroll());

    EXPECT_TRUE(shownLines(roll).empty());   // step 0: the first line waits just below
    roll.moveTo(1);
    ASSERT_EQ(shownLines(roll), (std::vector<int>{2}));
    EXPECT_EQ(roll.visibleRows()[0].place, QRect(0, 29, 50, 10));
    // At 41 "B" has one pixel row left at the top; at 60 everything has left.
    for (const auto& [step, shown] : {std::pair{30, std::vector<int>{2, 3, 4}}, {41, {3, 4}}, {60, {}}}) {
        roll.moveTo(step);
        EXPECT_EQ(shownLines(roll), shown) << step;
    }
    roll.moveTo(30);
    EXPECT_EQ(roll.visibleRows()[0].place.top(), 0);
}

TEST(CreditsRoll, StepsOnePixelAndStartsAgainOnlyWhenCycled)
{
    CreditsRoll roll({"A"}, 10, QRect(0, 0, 50, 20), TScrollDirection::sdVertical, tenPerCharacter);
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(roll.step(false));
    EXPECT_TRUE(!roll.step(false) && roll.counter() == 30);
    EXPECT_TRUE(roll.step(true) && roll.counter() == 0);
    roll.moveTo(99);
    EXPECT_EQ(roll.counter(), 30);
}

TEST(CreditsRoll, SidewaysTheCentredBlockEntersFromTheRight)
{
    // The block: "ab" and "abcd" (20 pixels high, 40 wide) in a 100 × 40 area.
    CreditsRoll roll({"", "ab", "abcd", "", ""}, 10, QRect(5, 5, 100, 40), TScrollDirection::sdHorizontal,
                     tenPerCharacter);
    EXPECT_TRUE(roll.area() == QRect(5, 15, 100, 20) && roll.maxScroll() == 40 + 100 && shownLines(roll).empty());
    roll.moveTo(1);
    ASSERT_EQ(shownLines(roll), (std::vector<int>{1, 2}));
    EXPECT_EQ(roll.visibleRows()[1].place, QRect(99, 10, 40, 10));
    roll.moveTo(139);
    EXPECT_EQ(roll.visibleRows()[0].place.left(), -39);
    roll.moveTo(140);
    EXPECT_TRUE(shownLines(roll).empty());
}

