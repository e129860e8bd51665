#include "bookview/core/book_document.h"

#include "platform/codepages.h"
#include "error_text.h"
#include "scratch_folder.h"
#include "test_fifo.h"

#include <gtest/gtest.h>

namespace lirra {
namespace {

using platform::encodeAnsi;
using Lines = std::vector<std::u16string>;

BookDocument plainBook(std::u16string_view text)
{
    BookDocument doc;
    doc.setPlainText(encodeAnsi(text));
    return doc;
}

// Every character is `width` pixels wide.
class FixedPitch : public AdvanceSource {
public:
    explicit FixedPitch(int width) : m_width(width) {}
    int advance(char16_t) const override { return m_width; }
    int cellWidth() const override { return m_width; }

private:
    int m_width;
};

// 'W' and 'Ш' are three times as wide as anything else.
class Proportional : public AdvanceSource {
public:
    int advance(char16_t unit) const override { return unit == u'W' || unit == u'Ш' ? 30 : 10; }
    int cellWidth() const override { return 0; }
};

std::u16string repeated(std::u16string_view piece, int times)
{
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
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
    const std::pair<std::u16string_view, int> counts[] = {
        {u"", 0}, {u"a", 1}, {u"a\r\n", 1}, {u"a\r\nb", 2}, {u"a\r\n\r\n", 2}, {u"\r\n", 1}};
    for (const auto& [text, count] : counts)
        EXPECT_EQ(plainBook(text).lineCount(), count) << text.size();

    const BookDocument doc = plainBook(u"one\r\ntwo\rthree\nfour\n\rfive");
    EXPECT_EQ(allLines(doc), (Lines{u"one", u"two", u"three", u"four", u"", u"five"}));
    EXPECT_EQ(doc.lineIndex(1), 5);
    EXPECT_EQ(doc.lineIndex(2), 9);
    EXPECT_EQ(doc.lineFromChar(3), 0);   // the CR belongs to its line
    EXPECT_EQ(doc.lineFromChar(4), 0);   // and so does the LF after it
    EXPECT_EQ(doc.lineFromChar(5), 1);
    EXPECT_EQ(doc.lineFromChar(19), 3);  // LF CR: two breaks, an empty line between
    EXPECT_EQ(doc.lineFromChar(20), 4);

    const BookDocument ended = plainBook(u"ab\r\ncd\r\n");
    EXPECT_EQ(ended.lineIndex(2), 8);   // the empty last line starts at the end
    EXPECT_EQ(ended.lineLength(2), 0);
    EXPECT_EQ(ended.lineIndex(3), -1);
    EXPECT_EQ(ended.lineIndex(-1), -1);
    EXPECT_EQ(ended.lineFromChar(1000), 2);
    EXPECT_EQ(ended.lineFromChar(-5), 0);
    EXPECT_EQ(plainBook(u"ab").lineIndex(1), -1);
}

TEST(BookDocumentLines, BreaksSplitAcrossTheFastScanStillPair)
{
    // CR LF pairs and lone breaks at every offset around the 16-byte blocks of the scan.
    std::u16string text;
    Lines expected;
    for (int i = 0; i < 40; ++i) {
        std::u16string line(static_cast<std::size_t>(i % 17), u'ж');
        text += line + (i % 3 == 0 ? u"\r\n" : i % 3 == 1 ? u"\n" : u"\r");
        expected.push_back(line);
    }
    EXPECT_EQ(allLines(plainBook(text)), expected);
}

// --- re-anchoring and replacing lines ---------------------------------------------------

class BookDocumentChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.setPlainText(encodeAnsi(u"first\r\nsecond\r\nthird\r\n"));
        doc.onChanged = [this] { ++changes; };
        doc.onScrolled = [this] { ++scrolls; };
    }
    BookDocument doc;
    int changes = 0;
    int scrolls = 0;
};

TEST_F(BookDocumentChanges, ReanchorPutsCaretAtEndOfLineAndNotifies)
{
    doc.setSelection(0, 3);
    doc.reanchorLine(1);
    EXPECT_EQ(doc.caret(), 13);
    EXPECT_EQ(doc.selectionLength(), 0);
    EXPECT_EQ(changes, 1);
    doc.reanchorLine(2);   // the last counted line
    EXPECT_EQ(doc.caret(), 20);

    doc.setSelection(2, 2);   // lines that do not exist: nothing happens
    doc.reanchorLine(3);      // the empty last line is not counted
    doc.reanchorLine(-1);
    EXPECT_EQ(doc.selectionStart(), 2);
    EXPECT_EQ(doc.selectionLength(), 2);
    EXPECT_EQ(changes, 2);
}

TEST_F(BookDocumentChanges, ReanchorBringsTheLineIntoViewOnlyWhenNeeded)
{
    doc.setPlainText(encodeAnsi(repeated(u"line\r\n", 100)));
    doc.setVisibleLines(10);
    scrolls = 0;
    doc.reanchorLine(5);
    EXPECT_EQ(doc.topLine(), 0);
    EXPECT_EQ(scrolls, 0);
    doc.reanchorLine(50);
    EXPECT_EQ(doc.topLine(), 41);   // just enough: line 50 is the last one shown
    EXPECT_EQ(scrolls, 1);
    doc.reanchorLine(20);
    EXPECT_EQ(doc.topLine(), 20);
}

TEST_F(BookDocumentChanges, ReplaceLineChangesOnlyThatLine)
{
    doc.replaceLine(1, u"2nd line, longer");
    EXPECT_EQ(allLines(doc), (Lines{u"first", u"2nd line, longer", u"third"}));
    EXPECT_EQ(doc.caret(), 7 + 16);
    EXPECT_EQ(changes, 1);
    doc.replaceLine(0, u"first");   // the same text: nothing changes but the caret
    EXPECT_EQ(doc.caret(), 5);
    EXPECT_EQ(doc.length(), 7 + 16 + 2 + 5 + 2);
    EXPECT_EQ(changes, 2);
}

TEST_F(BookDocumentChanges, OnlyNewTextAndLineEditsNotify)
{
    const FixedPitch pitch(1);
    doc.setSelection(1, 5);
    doc.moveCaret(9, true);
    doc.scroll(ScrollStep::LineDown);
    doc.setWrap(&pitch, 3);
    EXPECT_EQ(changes, 0);
    doc.setPlainText("x");
    doc.clear();
    EXPECT_EQ(changes, 2);
    doc.replaceLine(1, u"nothing");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(doc.length(), 0);
}

TEST(BookDocumentRich, ReplacedCharactersTakeTheFormatWhereTheyStart)
{
    CharFormat bold;
    bold.bold = true;
    BookDocument doc;
    doc.setRichText({u"ab\r\ncd\r\nef", {{0, 0}, {4, 1}, {6, 0}}, {{CharFormat{}, bold}, {}}});
    doc.replaceLine(1, u"CDXY");
    EXPECT_EQ(doc.text(0, doc.length()), u"ab\r\nCDXY\r\nef");
    ASSERT_EQ(doc.runs().size(), 3u);
    EXPECT_EQ(doc.runs()[1].start, 4);
    EXPECT_TRUE(doc.formats()[doc.runs()[1].format].bold);
    EXPECT_EQ(doc.runs()[2].start, 8);   // the break after the line keeps its own format
    EXPECT_FALSE(doc.formats()[doc.runs()[2].format].bold);
    doc.replaceLine(1, u"");   // the bold run goes with its characters
    EXPECT_EQ(doc.text(0, doc.length()), u"ab\r\n\r\nef");
    ASSERT_EQ(doc.runs().size(), 1u);
    EXPECT_FALSE(doc.formats()[doc.runs()[0].format].bold);
}

// --- word wrap --------------------------------------------------------------------------

TEST(BookDocumentWrap, RowsBreakAfterTheLastBlankThatFitsPlainOrRich)
{
    const FixedPitch ten(10), one(1);
    const Proportional proportional;
    const struct {
        std::u16string_view text;
        const AdvanceSource* measure;
        int width;
        Lines rows;
    } cases[] = {
        {u"aaa bbb ccc dddd\r\nee\r\n", &ten, 80, {u"aaa bbb ", u"ccc dddd", u"ee"}},
        // The blank at the edge stays on its row; a word longer than a row is cut.
        {u"abcd efghijklmn", &one, 4, {u"abcd ", u"efgh", u"ijkl", u"mn"}},
        // "ab " is 30, "WW" would need 60 more; "WW " is 70: the blank hangs over the edge.
        {u"ab WW cd\r\nШa", &proportional, 60, {u"ab ", u"WW ", u"cd", u"Шa"}},
        {u"one two three four\r\nfive\r\n", &one, 9, {u"one two ", u"three ", u"four", u"five"}},
    };
    for (const auto& c : cases) {
        BookDocument plain = plainBook(c.text);
        BookDocument rich;
        rich.setRichText({std::u16string(c.text), {{0, 0}}, {{CharFormat{}}, {}}});
        for (BookDocument* doc : {&plain, &rich}) {
            SCOPED_TRACE(std::string(doc == &rich ? "rich " : "plain ") + std::to_string(c.rows.size()));
            doc->setWrap(c.measure, c.width);
            EXPECT_EQ(allLines(*doc), c.rows);
            // The end lies on the last row, or on the empty row after a final break.
            EXPECT_EQ(doc->lineFromChar(doc->length()), std::int64_t(c.rows.size()) - (c.text.ends_with(u'\n') ? 0 : 1));
        }
    }
}

TEST(BookDocumentWrap, PositionsCountsAndReanchoringUseRows)
{
    BookDocument doc = plainBook(u"aaa bbb ccc dddd\r\nee\r\n");
    const FixedPitch pitch(10);
    doc.setWrap(&pitch, 80);   // 8 columns
    EXPECT_EQ(doc.lineIndex(1), 8);
    EXPECT_EQ(doc.lineFromChar(9), 1);
    int changes = 0;
    doc.onChanged = [&] { ++changes; };
    doc.reanchorLine(2);
    EXPECT_EQ(doc.caret(), 20);
    doc.reanchorLine(3);   // the empty row after the last break
    EXPECT_EQ(doc.caret(), 20);
    EXPECT_EQ(changes, 1);
    doc.setWrap(&pitch, 0);   // no room at all: one character a row, the blank hanging
    EXPECT_EQ(doc.lineCount(), 15);
    EXPECT_EQ(doc.lineText(2), u"a ");
    doc.setWrap(nullptr, 0);
    EXPECT_EQ(doc.lineCount(), 2);
}

TEST(BookDocumentWrap, TheTextOnTopStaysOnTop)
{
    BookDocument doc = plainBook(repeated(u"aaaa bbbb\r\n", 50));
    doc.setVisibleLines(5);
    doc.setTopLine(10);
    const FixedPitch pitch(1);
    doc.setWrap(&pitch, 5);   // every line becomes two rows
    EXPECT_EQ(doc.topLine(), 20);
    doc.setWrap(nullptr, 0);
    EXPECT_EQ(doc.topLine(), 10);
}

// --- scrolling --------------------------------------------------------------------------

TEST(BookDocumentScroll, StepsStopAtBothEnds)
{
    BookDocument doc = plainBook(repeated(u"line\r\n", 30));   // 30 lines and the empty last one
    doc.setVisibleLines(10);
    doc.scroll(ScrollStep::LineUp);
    EXPECT_EQ(doc.topLine(), 0);
    doc.scroll(ScrollStep::PageDown);
    doc.scroll(ScrollStep::PageDown);
    EXPECT_EQ(doc.topLine(), 20);
    // The last line is in view, at the bottom: the steps have nothing left to scroll.
    for (const ScrollStep step : {ScrollStep::PageDown, ScrollStep::LineDown}) {
        doc.scroll(step);
        EXPECT_EQ(doc.topLine(), 20);
    }
    doc.setTopLine(1000);   // the keys and the scroll bar go on until it is at the top
    EXPECT_EQ(doc.topLine(), 29);
    doc.scroll(ScrollStep::PageDown);   // and a step does not pull the view back
    EXPECT_EQ(doc.topLine(), 29);
    EXPECT_EQ(doc.caret(), 0);   // scrolling never moves the caret
    doc.setPlainText("short");   // new text starts at the top
    EXPECT_EQ(doc.topLine(), 0);
}

// --- find -------------------------------------------------------------------------------

TEST(BookDocumentFind, CyrillicIgnoresCaseUnlessAsked)
{
    const std::u16string text = u"Жили-были ЁЖИК и Її. ёжик, єнот Єнот\r\nконец";
    for (const bool rich : {false, true}) {
        BookDocument doc;
        if (rich)
            doc.setRichText({text, {{0, 0}}, {{CharFormat{}}, {}}});
        else
            doc.setPlainText(encodeAnsi(text));
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
}

TEST(BookDocumentFind, LongTextMatchesAFoldedScan)
{
    // Matches at every offset within and across the 16-byte blocks of the fast scan.
    std::u16string text;
    for (int i = 0; i < 200; ++i)
        text += (i % 7 == 0) ? u"Щука " : (i % 5 == 0 ? u"щУкА," : u"щит ");
    const BookDocument doc = plainBook(text);
    std::u16string folded = text;
    for (char16_t& u : folded)
        u = (u >= u'А' && u <= u'Я') ? static_cast<char16_t>(u + 32) : u;
    for (std::size_t from = 0; from < text.size(); from += 13)
        EXPECT_EQ(doc.find(u"щука", static_cast<std::int64_t>(from), doc.length()),
                  static_cast<std::int64_t>(folded.find(u"щука", from)))
            << from;
    EXPECT_EQ(doc.find(u"Щ", 1, doc.length()), static_cast<std::int64_t>(folded.find(u"щ", 1)));
}

// --- files ------------------------------------------------------------------------------

class BookDocumentFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) const
    {
        writeFile(dir / name, bytes);
        return dir / name;
    }
    ScratchFolder dir;
};

TEST_F(BookDocumentFiles, SavedBookIs1251WithEveryHardLineEndedByCrLf)
{
    BookDocument doc;
    doc.setPlainText("one two three\rfour\n\r\n\xC6");
    const FixedPitch pitch(1);
    doc.setWrap(&pitch, 4);   // rows do not matter
    const std::string path = dir / "out.txt";
    doc.saveAsPlainText(path);
    EXPECT_EQ(readFile(path), "one two three\r\nfour\r\n\r\n\xC6\r\n");

    doc.setPlainText("a\r\nb\r\n");   // a final empty line adds nothing
    doc.saveAsPlainText(path);
    EXPECT_EQ(readFile(path), "a\r\nb\r\n");
    doc.clear();
    doc.saveAsPlainText(path);
    EXPECT_EQ(readFile(path), "");

    doc.setRichText({u"Ёлка\r\n\u2014 дa\n", {{0, 0}}, {{CharFormat{}}, {}}});   // encoded to 1251
    doc.saveAsPlainText(path);
    EXPECT_EQ(readFile(path), "\xA8\xEB\xEA\xE0\r\n\x97 \xE4" "a\r\n");
}

TEST_F(BookDocumentFiles, LoadTakesRichTextOrFallsBackToPlain)
{
    BookDocument doc;
    doc.loadFile(write("plain.txt", "\xCC\xE8\xF0\r\nline"));
    EXPECT_FALSE(doc.isRich());
    EXPECT_EQ(allLines(doc), (Lines{u"Мир", u"line"}));
    EXPECT_EQ(doc.charAt(0), u'М');

    doc.loadFile(write("book.rtf", "{\\rtf1\\ansi {\\b bold}\\par plain}"));
    EXPECT_TRUE(doc.isRich());
    EXPECT_EQ(doc.lineText(0), u"bold");
    EXPECT_FALSE(doc.runs().empty());

    const std::string broken = "{\\rtf1 unbalanced";
    doc.loadFile(write("broken.rtf", broken));
    EXPECT_FALSE(doc.isRich());
    EXPECT_EQ(doc.text(0, doc.length()), platform::decodeAnsi(broken));

    doc.loadFile(write("empty.txt", ""));
    EXPECT_EQ(doc.lineCount(), 0);

    write("blank.txt", "found");   // trailing blanks of a name are ignored
    doc.loadFile(dir / "blank.txt  ");
    EXPECT_EQ(doc.lineText(0), u"found");
}

TEST_F(BookDocumentFiles, LargeBookLoadsWhole)
{
    // Large enough for the big-block storage of the text and of its line starts.
    std::string book;
    const int lines = 400000;
    for (int i = 0; i < lines; ++i)
        book += "line " + std::to_string(i) + "\r\n";
    book += "\xDF\xF9\xE8\xEA";   // "Ящик" in 1251
    BookDocument doc;
    doc.loadFile(write("large.txt", book));
    EXPECT_EQ(doc.length(), static_cast<std::int64_t>(book.size()));
    EXPECT_EQ(doc.lineCount(), lines + 1);
    EXPECT_EQ(doc.lineText(123456), u"line 123456");
    EXPECT_EQ(doc.lineFromChar(doc.lineIndex(399999) + 3), 399999);
    EXPECT_EQ(doc.find(u"ЯЩИК", 0, doc.length()), doc.length() - 4);
}

TEST_F(BookDocumentFiles, FailuresNameTheFileAndLeaveTheBookAsItWas)
{
    BookDocument doc = plainBook(u"kept\r\n");
    doc.setSelection(1, 2);
    int changes = 0;
    doc.onChanged = [&] { ++changes; };
    const std::string noFolder = dir / "no/such.txt", missing = dir / "missing.txt";
    EXPECT_EQ(errorText([&] { doc.saveAsPlainText(noFolder); }), "Cannot create file " + noFolder);
    EXPECT_EQ(errorText([&] { doc.saveAsPlainText("/dev/full"); }), "Failed to Save Stream");
    EXPECT_EQ(errorText([&] { doc.loadFile(missing); }), "Cannot open file " + missing);
    // What is not a file is refused before it is opened: a FIFO would wait for a writer,
    // a device might never end.
    const TestFifo fifo(dir / "fifo.rtf");
    for (const std::string& notAFile : {dir.path(), fifo.path(), std::string("/dev/zero")})
        EXPECT_EQ(errorText([&] { doc.loadFile(notAFile); }), "Cannot open file " + notAFile);
    EXPECT_FALSE(fifo.opened());
    EXPECT_EQ(doc.lineText(0), u"kept");
    EXPECT_EQ(doc.selectionStart(), 1);
    EXPECT_EQ(changes, 0);
}

} // namespace
} // namespace lirra
