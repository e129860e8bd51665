#include "bookview/core/book_document.h"
#include "bookview/core/row_layout.h"

#include "fixed_advances.h"
#include "platform/codepages.h"

#include <gtest/gtest.h>

namespace lirra {
namespace {

using platform::encodeAnsi;

std::vector<std::int64_t> starts(const RowLayout& layout)
{
    std::vector<std::int64_t> result;
    for (std::int64_t line = 0; line < layout.allLines(); ++line)
        result.push_back(layout.lineIndex(line));
    return result;
}

TEST(RowLayout, EditsCopySharedTextTheLongestLineLeavesItsBreakOutAndCountedCellsWrapAsMeasuredOnes)
{
    BookDocument doc;
    doc.setPlainText(encodeAnsi(u"first\r\nsecond\r\n"));
    const BookText* alone = doc.sharedText().get();
    doc.replaceLine(0, u"1st");
    EXPECT_EQ(doc.sharedText().get(), alone);   // nobody else held it: changed in place
    EXPECT_EQ(doc.lineText(0), u"1st");

    const std::shared_ptr<const BookText> printout = doc.sharedText();
    doc.replaceLine(1, u"2nd");
    EXPECT_NE(doc.sharedText(), printout);
    EXPECT_EQ(RowLayout(*printout).lineText(1), u"second");   // the printout reads what it took
    EXPECT_EQ(doc.text(0, doc.length()), u"1st\r\n2nd\r\n");

    // The longest line leaves its break out: the same span with the shorter break; a last
    // line without one; blank lines after.
    for (const auto& [text, longest] : {std::pair<std::string_view, std::int64_t>{"", 0}, {"abc\r\nabcd\n", 4},
                                        {"abcd\r\nab\rabcd\n", 4}, {"abc\r\nabcd", 4}, {"abcdef\r\n\r\n", 6}})
        EXPECT_EQ(RowLayout(BookText{BookBytes(text)}).longestLine(), longest) << text;

    // Lines shorter and longer than a row, long words, runs of blanks, every kind of
    // break; every third line has a tab: at its start, inside or at its end.
    const std::u16string words[] = {u"word ", u"a ", u"longerword ", u"x", u"  ", u"verylongwordthatneverfitsinanyrow "};
    const std::u16string breaks[] = {u"\r\n", u"\n", u"\r"};
    std::u16string text;
    for (int line = 0; line < 300; ++line) {
        std::u16string content;
        for (int i = 0; i < line % 23; ++i)
            content += words[(line * 7 + i) % std::size(words)];
        if (line % 3 == 0)
            content.insert(content.size() * (line % 4) / 3, u"\t");
        text += content + breaks[line % std::size(breaks)];
    }
    const BookText plain(BookBytes(encodeAnsi(text)));
    const BookText rich(RichText{text, {}, {}});
    const FixedAdvances counted(10, u"\t", 80), measured(10, u"\t", 80, false);
    for (const BookText* book : {&plain, &rich}) {
        for (const int width : {0, 7, 10, 35, 80, 200}) {
            RowLayout byCells(*book), byMeasure(*book);
            byCells.setWrap(&counted, width * 10 + 3);
            byMeasure.setWrap(&measured, width * 10 + 3);
            EXPECT_EQ(starts(byCells), starts(byMeasure)) << (book->isRich() ? "rich " : "plain ") << width;
        }
    }
}

// Lines of lengths around the 16-bit edge, mixed so that blocks of 64 lines turn to 32-bit
// distances at different lines and others stay at 16.
TEST(LineStarts, KeepsEveryStartWalksEverySpanAndFindsTheLineOfEveryOffset)
{
    const std::int64_t lengths[] = {1, 70, 1000, 65535, 65536, 3, 200000, 1, 1024};
    LineStarts lines;
    std::vector<std::int64_t> expected;
    for (std::int64_t line = 0, start = 0; line < 700; ++line) {
        lines.append(start);
        expected.push_back(start);
        start += lengths[(line * line + line / 64) % std::size(lengths)];
    }
    ASSERT_EQ(lines.size(), std::ssize(expected));
    std::int64_t spans = 0;
    lines.eachSpan([&](std::int64_t line, std::int64_t span) {
        EXPECT_EQ(span, expected[std::size_t(line) + 1] - expected[std::size_t(line)]) << line;
        spans += line == spans;
    });
    EXPECT_EQ(spans, lines.size() - 1);   // every line but the last, in order
    for (std::size_t line = 0; line < expected.size(); ++line) {
        EXPECT_EQ(lines[std::int64_t(line)], expected[line]);
        for (const std::int64_t offset : {expected[line], expected[line] + 1, expected[line] - 1}) {
            const auto after = std::upper_bound(expected.begin(), expected.end(), offset);
            ASSERT_EQ(lines.lineOf(offset), std::max<std::int64_t>(0, after - expected.begin() - 1)) << offset;
        }
    }
}

} // namespace
} // namespace lirra
