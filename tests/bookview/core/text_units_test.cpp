#include "bookview/core/text_units.h"

#include "fixed_advances.h"

#include <gtest/gtest.h>

#include <tuple>

namespace lirra {
namespace {

using Find = TextRange (*)(const RowLayout&, TextUnit, std::int64_t);
using Case = std::tuple<Find, TextUnit, std::int64_t, TextRange>;

void expectUnits(const RowLayout& rows, std::initializer_list<Case> cases)
{
    for (const auto& [find, unit, index, range] : cases)
        EXPECT_EQ(find(rows, unit, index), range) << "unit " << int(unit) << " at " << index;
}

constexpr Find at = unitAt, before = unitBefore, after = unitAfter;
using enum TextUnit;

TEST(TextUnits, UnitsAroundAnOffsetFollowTheRowsShown)
{
    // 0 "Hello, world" 12 CR LF | 14 "" 14 CR LF | 16 "last line"; length 25
    const BookText text{BookBytes("Hello, world\r\n\r\nlast line")};
    RowLayout rows{text};
    // The break belongs to its line's last word; an index past the end is clamped to it.
    expectUnits(rows, {{at, Character, 4, {4, 5}}, {at, Character, 25, {25, 25}}, {at, Word, 0, {0, 5}}, {at, Word, 4, {0, 5}},
                       {at, Word, 5, {5, 7}}, {at, Word, 9, {7, 12}}, {at, Word, 12, {12, 14}}, {at, Word, 24, {21, 25}},
                       {at, Word, 25, {25, 25}}, {before, Word, 8, {5, 7}}, {after, Word, 2, {5, 7}}, {before, Character, 0, {0, 0}},
                       {before, Character, 1, {0, 1}}, {after, Character, 24, {25, 25}}, {at, Line, 3, {0, 14}},
                       {at, Line, 14, {14, 16}}, {at, Line, 30, {16, 25}}, {before, Line, 20, {14, 16}},
                       {after, Line, 0, {14, 16}}, {after, Line, 20, {25, 25}}, {before, Line, 5, {0, 0}}});

    const FixedAdvances measure(1);
    rows.setWrap(&measure, 7);   // a line is a row, a paragraph the hard line
    expectUnits(rows, {{at, Line, 9, {7, 14}}, {at, Word, 9, {7, 12}}, {at, Word, 6, {5, 7}}, {at, Paragraph, 9, {0, 14}},
                       {after, Paragraph, 9, {14, 16}}, {at, Whole, 9, {0, 25}}, {after, Whole, 9, {25, 25}}});

    const BookText longWord(BookBytes("abcdefghijklmnopqrstu"));
    RowLayout narrow(longWord);
    narrow.setWrap(&measure, 7);   // a word wider than a row is cut into rows
    EXPECT_EQ(unitAt(narrow, Word, 9), (TextRange{7, 14}));
}

} // namespace
} // namespace lirra
