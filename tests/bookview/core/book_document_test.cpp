#include "bookview/core/book_document.h"

#include "book_texts.h"
#include "error_text.h"
#include "fixed_advances.h"
#include "platform/codepages.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

namespace lirra {
namespace {

using platform::encodeAnsi;
using Lines = std::vector<std::u16string>;
using Pair = std::pair<std::int64_t, std::int64_t>;

// `text` as a plain 1251 book, or as a rich one in a single format.
BookDocument plainBook(std::u16string_view text, bool rich = false)
{
    BookDocument doc;
    if (rich)
        doc.setRichText({std::u16string(text), {{0, 0}}, {{CharFormat{}}, {}}});
    else
        doc.setPlainText(encodeAnsi(text));
    return doc;
}

Lines allLines(const BookDocument& doc)
{
    Lines lines;
    for (std::int64_t line = 0; line < doc.lineCount(); ++line)
        lines.push_back(doc.lineText(line));
    return lines;
}

// --- lines ------------------------------------------------------------------------------

TEST(BookDocumentLines, EveryBreakEndsALineAndTheEmptyLastLineIsNotCounted)
{
    for (const auto& [text, count] : {std::pair<std::u16string_view, int>{u"", 0}, {u"a", 1}, {u"a\r\n", 1},
                                      {u"a\r\nb", 2}, {u"a\r\n\r\n", 2}, {u"\r\n", 1}})
        EXPECT_EQ(plainBook(text).lineCount(), count) << text.size();

    const BookDocument doc = plainBook(u"one\r\ntwo\rthree\nfour\n\rfive");
    EXPECT_EQ(allLines(doc), (Lines{u"one", u"two", u"three", u"four", u"", u"five"}));
    EXPECT_EQ(Pair(doc.lineIndex(1), doc.lineIndex(2)), Pair(5, 9));
    // A line holds its CR and the LF after it; LF CR are two breaks, an empty line between.
    for (const auto& [index, line] : {Pair{3, 0}, {4, 0}, {5, 1}, {19, 3}, {20, 4}})
        EXPECT_EQ(doc.lineFromChar(index), line) << index;

    // The empty last line starts at the end; indexes out of range are clamped or refused.
    const BookDocument ended = plainBook(u"ab\r\ncd\r\n");
    EXPECT_EQ(std::tuple(ended.lineIndex(2), ended.lineLength(2), ended.lineIndex(3), ended.lineIndex(-1)),
              std::tuple(8, 0, -1, -1));
    EXPECT_EQ(Pair(ended.lineFromChar(1000), ended.lineFromChar(-5)), Pair(2, 0));
    EXPECT_EQ(plainBook(u"ab").lineIndex(1), -1);

    // CR LF pairs and lone breaks at every offset around the 16-byte blocks of the scan.
    std::u16string text;
    Lines expected;
    for (int i = 0; i < 40; ++i) {
        expected.emplace_back(static_cast<std::size_t>(i % 17), u'ж');
        text += expected.back() + (i % 3 == 0 ? u"\r\n" : i % 3 == 1 ? u"\n" : u"\r");
    }
    EXPECT_EQ(allLines(plainBook(text)), expected);
}

// A book of three lines, its changes and scrolls counted, and a folder for its files.
class BookDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.setPlainText(encodeAnsi(u"first\r\nsecond\r\nthird\r\n"));
        doc.onChanged = [this] { ++changes; };
        doc.onScrolled = [this] { ++scrolls; };
    }
    std::string saved() const
    {
        doc.saveAsPlainText(dir / "out.txt");
        return readFile(dir / "out.txt");
    }

    BookDocument doc;
    int changes = 0, scrolls = 0;
    ScratchFolder dir;
};

// --- re-anchoring and replacing lines ---------------------------------------------------

TEST_F(BookDocumentTest, ReanchorPutsCaretAtEndOfLineNotifiesAndScrollsOnlyWhenNeededAndStepsStopAtBothEnds)
{
    doc.setSelection(0, 3);
    doc.reanchorLine(1);
    EXPECT_EQ(std::tuple(doc.caret(), doc.selectionLength(), changes), std::tuple(13, 0, 1));
    doc.reanchorLine(2);   // the last counted line
    EXPECT_EQ(doc.caret(), 20);
    doc.setSelection(2, 2);   // lines that do not exist: nothing happens
    doc.reanchorLine(3);      // the empty last line is not counted
    doc.reanchorLine(-1);
    EXPECT_EQ(std::tuple(doc.selectionStart(), doc.selectionLength(), changes), std::tuple(2, 2, 2));

    doc.setPlainText(encodeAnsi(repeated(u"line\r\n", 100)));
    doc.setVisibleLines(10);
    scrolls = 0;
    doc.reanchorLine(5);
    EXPECT_EQ(Pair(doc.topLine(), scrolls), Pair(0, 0));
    doc.reanchorLine(50);
    EXPECT_EQ(Pair(doc.topLine(), scrolls), Pair(41, 1));   // just enough: line 50 is the last one shown
    doc.reanchorLine(20);
    EXPECT_EQ(doc.topLine(), 20);

    // Scrolling steps stop at both ends.
    doc.setPlainText(encodeAnsi(repeated(u"line\r\n", 30)));   // 30 lines and the empty last one
    EXPECT_EQ(doc.topLine(), 0);   // new text starts at the top
    const auto step = [&](ScrollStep s) { return doc.scroll(s), doc.topLine(); };
    EXPECT_EQ(step(ScrollStep::LineUp), 0);
    step(ScrollStep::PageDown);
    EXPECT_EQ(step(ScrollStep::PageDown), 20);
    // The last line is in view, at the bottom: the steps have nothing left to scroll.
    EXPECT_EQ(Pair(step(ScrollStep::PageDown), step(ScrollStep::LineDown)), Pair(20, 20));
    doc.setTopLine(1000);   // the keys and the scroll bar go on until it is at the top
    EXPECT_EQ(doc.topLine(), 29);
    EXPECT_EQ(step(ScrollStep::PageDown), 29);   // and a step does not pull the view back
    EXPECT_EQ(doc.caret(), 0);   // scrolling never moves the caret
}

TEST_F(BookDocumentTest, OnlyNewTextAndEditsNotifyAndAnEditChangesOnlyItsLineInTheFormatWhereItStarts)
{
    doc.replaceLine(1, u"2nd line, longer");
    EXPECT_EQ(allLines(doc), (Lines{u"first", u"2nd line, longer", u"third"}));
    EXPECT_EQ(Pair(doc.caret(), changes), Pair(7 + 16, 1));
    doc.replaceLine(0, u"first");   // the same text: nothing changes but the caret
    EXPECT_EQ(std::tuple(doc.caret(), doc.length(), changes), std::tuple(5, 7 + 16 + 2 + 5 + 2, 2));

    const FixedAdvances pitch(1);
    doc.setSelection(1, 5);
    doc.moveCaret(9, true);
    doc.scroll(ScrollStep::LineDown);
    doc.setWrap(&pitch, 3);
    EXPECT_EQ(changes, 2);
    doc.setPlainText("x");
    doc.clear();
    EXPECT_EQ(changes, 4);
    doc.replaceLine(1, u"nothing");
    EXPECT_EQ(Pair(changes, doc.length()), Pair(4, 0));

    // Replaced characters of a rich book take the format where they start.
    doc.setWrap(nullptr, 0);   // lines, not rows
    CharFormat bold;
    bold.bold = true;
    doc.setRichText({u"ab\r\ncd\r\nef", {{0, 0}, {4, 1}, {6, 0}}, {{CharFormat{}, bold}, {}}});
    const auto runs = [&] {
        std::vector<std::pair<std::int64_t, bool>> found;   // start, bold
        for (const FormatRun& run : doc.runs())
            found.emplace_back(run.start, doc.formats()[run.format].bold);
        return found;
    };
    doc.replaceLine(1, u"CDXY");
    EXPECT_EQ(doc.text(0, doc.length()), u"ab\r\nCDXY\r\nef");
    // The break after the line keeps its own format.
    EXPECT_EQ(runs(), (std::vector<std::pair<std::int64_t, bool>>{{0, false}, {4, true}, {8, false}}));
    doc.replaceLine(1, u"");   // the bold run goes with its characters
    EXPECT_EQ(doc.text(0, doc.length()), u"ab\r\n\r\nef");
    EXPECT_EQ(runs(), (std::vector<std::pair<std::int64_t, bool>>{{0, false}}));
}

// --- word wrap --------------------------------------------------------------------------

TEST_F(BookDocumentTest, RowsBreakAfterTheLastBlankThatFitsAndPositionsCountsReanchoringAndTheTopLineUseThem)
{
    const FixedAdvances ten(10), one(1), proportional(10, u"WШ", 30, false);
    // The text, measured by a font, wrapped to a width in pixels, and the rows.
    const std::tuple<std::u16string_view, const AdvanceSource*, int, Lines> cases[] = {
        {u"aaa bbb ccc dddd\r\nee\r\n", &ten, 80, {u"aaa bbb ", u"ccc dddd", u"ee"}},
        // The blank at the edge stays on its row; a word longer than a row is cut.
        {u"abcd efghijklmn", &one, 4, {u"abcd ", u"efgh", u"ijkl", u"mn"}},
        // "ab " is 30, "WW" would need 60 more; "WW " is 70: the blank hangs over the edge.
        {u"ab WW cd\r\nШa", &proportional, 60, {u"ab ", u"WW ", u"cd", u"Шa"}},
        {u"one two three four\r\nfive\r\n", &one, 9, {u"one two ", u"three ", u"four", u"five"}},
    };
    for (const auto& [text, measure, width, rows] : cases) {
        BookDocument plain = plainBook(text), rich = plainBook(text, true);
        for (BookDocument* book : {&plain, &rich}) {
            SCOPED_TRACE(std::string(book == &rich ? "rich " : "plain ") + std::to_string(rows.size()));
            book->setWrap(measure, width);
            EXPECT_EQ(allLines(*book), rows);
            // The end lies on the last row, or on the empty row after a final break.
            EXPECT_EQ(book->lineFromChar(book->length()), std::int64_t(rows.size()) - (text.ends_with(u'\n') ? 0 : 1));
        }
    }

    // Positions, counts, re-anchoring and the top line use rows.
    doc.setPlainText(encodeAnsi(u"aaa bbb ccc dddd\r\nee\r\n"));
    doc.setWrap(&ten, 80);   // 8 columns
    EXPECT_EQ(Pair(doc.lineIndex(1), doc.lineFromChar(9)), Pair(8, 1));
    doc.reanchorLine(2);
    EXPECT_EQ(doc.caret(), 20);
    doc.reanchorLine(3);   // the empty row after the last break
    EXPECT_EQ(Pair(doc.caret(), changes), Pair(20, 2));   // the new text and one re-anchoring
    doc.setWrap(&ten, 0);   // no room at all: one character a row, the blank hanging
    EXPECT_EQ(doc.lineCount(), 15);
    EXPECT_EQ(doc.lineText(2), u"a ");
    doc.setWrap(nullptr, 0);
    EXPECT_EQ(doc.lineCount(), 2);

    // The text on top stays on top.
    doc = plainBook(repeated(u"aaaa bbbb\r\n", 50));
    doc.setVisibleLines(5);
    doc.setTopLine(10);
    doc.setWrap(&one, 5);   // every line becomes two rows
    EXPECT_EQ(doc.topLine(), 20);
    doc.setWrap(nullptr, 0);
    EXPECT_EQ(doc.topLine(), 10);
}

// --- find -------------------------------------------------------------------------------

TEST(BookDocumentFind, CyrillicIgnoresCaseUnlessAsked)
{
    const std::u16string text = u"Жили-были ЁЖИК и Її. ёжик, єнот Єнот\r\nконец";
    for (const bool rich : {false, true}) {
        const BookDocument doc = plainBook(text, rich);
        const std::int64_t all = doc.length();
        SCOPED_TRACE(rich ? "rich" : "plain");
        EXPECT_EQ(doc.find(u"ёжик", 0, all), 10);
        EXPECT_EQ(doc.find(u"ёжик", 11, all), 21);                      // from a start offset
        EXPECT_EQ(doc.find(u"ЁЖИК", 0, all, {.matchCase = true}), 10);
        EXPECT_EQ(doc.find(u"ёжик", 0, all, {.matchCase = true}), 21);
        EXPECT_EQ(doc.find(u"ЇЇ", 0, all), 17);
        EXPECT_EQ(doc.find(u"ЄНОТ", 22, all), 27);
        EXPECT_EQ(doc.find(u"ли", 0, all, {.wholeWord = true}), -1);
        EXPECT_EQ(doc.find(u"были", 0, all, {.wholeWord = true}), 5);
        EXPECT_EQ(doc.find(u"нец", 0, all), all - 3);                  // at the very end
        EXPECT_EQ(doc.find(u"нец", 0, all - 1), -1);                   // must lie wholly inside
        EXPECT_EQ(doc.find(u"конец", all - 5, 1000), all - 5);         // range clipped to the text
        EXPECT_EQ(doc.find(u"", 0, all), -1);
        EXPECT_EQ(doc.find(u"\r\nк", 0, all), all - 7);
        EXPECT_EQ(doc.find(u"ä", 0, all), -1);
    }

    // Matches at every offset within and across the 16-byte blocks of the fast scan.
    std::u16string book;
    for (int i = 0; i < 200; ++i)
        book += (i % 7 == 0) ? u"Щука " : (i % 5 == 0 ? u"щУкА," : u"щит ");
    const BookDocument doc = plainBook(book);
    for (char16_t& u : book)
        u = (u >= u'А' && u <= u'Я') ? static_cast<char16_t>(u + 32) : u;
    for (std::size_t from = 0; from < book.size(); from += 13)
        EXPECT_EQ(doc.find(u"щука", std::int64_t(from), doc.length()), std::int64_t(book.find(u"щука", from))) << from;
    EXPECT_EQ(doc.find(u"Щ", 1, doc.length()), std::int64_t(book.find(u"щ", 1)));
}

// --- files ------------------------------------------------------------------------------

TEST_F(BookDocumentTest, FailuresLeaveTheBookAsItWasSavedBooksAre1251WithCrLfAndLoadingFallsBackToPlain)
{
    doc.setSelection(1, 2);
    const std::string noFolder = dir / "no/such.txt", missing = dir / "missing.txt";
    EXPECT_EQ(errorText([&] { doc.saveAsPlainText(noFolder); }), "Cannot create file " + noFolder);
    EXPECT_EQ(errorText([&] { doc.saveAsPlainText("/dev/full"); }), "Failed to Save Stream");
    EXPECT_EQ(errorText([&] { doc.loadFile(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(std::tuple(doc.lineText(0), doc.selectionStart(), changes), std::tuple(u"first", 1, 0));

    // A saved book is 1251 with every hard line ended by CR LF.
    doc.setPlainText("one two three\rfour\n\r\n\xC6");
    const FixedAdvances pitch(1);
    doc.setWrap(&pitch, 4);   // rows do not matter
    EXPECT_EQ(saved(), "one two three\r\nfour\r\n\r\n\xC6\r\n");
    doc.setPlainText("a\r\nb\r\n");   // a final empty line adds nothing
    EXPECT_EQ(saved(), "a\r\nb\r\n");
    doc.clear();
    EXPECT_EQ(saved(), "");
    doc.setRichText({u"Ёлка\r\n\u2014 дa\n", {{0, 0}}, {{CharFormat{}}, {}}});   // encoded to 1251
    EXPECT_EQ(saved(), "\xA8\xEB\xEA\xE0\r\n\x97 \xE4" "a\r\n");

    // Loading takes rich text or falls back to plain.
    doc.setWrap(nullptr, 0);
    const std::tuple<const char*, std::string, bool, Lines> loads[] = {   // the file, its bytes, rich or not, lines
        {"plain.txt", "\xCC\xE8\xF0\r\nline", false, {u"Мир", u"line"}},
        {"book.rtf", "{\\rtf1\\ansi {\\b bold}\\par plain}", true, {u"bold", u"plain"}},
        {"broken.rtf", "{\\rtf1 unbalanced", false, {u"{\\rtf1 unbalanced"}},
        {"empty.txt", "", false, {}},
    };
    for (const auto& [name, bytes, rich, lines] : loads) {
        writeFile(dir / name, bytes);
        doc.loadFile(dir / name + "  ");   // trailing blanks of a name are ignored
        EXPECT_EQ(std::pair(doc.isRich(), allLines(doc)), std::pair(rich, lines)) << name;
    }

    // Large enough for the big-block storage of the text and of its line starts.
    const int lines = 400000;
    const std::string book = numberedLines(lines, "line", 0);
    writeFile(dir / "large.txt", book + "\xDF\xF9\xE8\xEA");   // "Ящик" in 1251
    doc.loadFile(dir / "large.txt");
    EXPECT_EQ(Pair(doc.length(), doc.lineCount()), Pair(book.size() + 4, lines + 1));
    EXPECT_EQ(doc.lineText(123456) + doc.charAt(book.size()), u"line 123456Я");
    EXPECT_EQ(doc.lineFromChar(doc.lineIndex(399999) + 3), 399999);
    EXPECT_EQ(doc.find(u"ЯЩИК", 0, doc.length()), doc.length() - 4);
}

} // namespace
} // namespace lirra
