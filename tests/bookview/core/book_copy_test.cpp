#include "bookview/core/book_copy.h"

#include "book_texts.h"
#include "error_text.h"
#include "platform/codepage_tables.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using lirra::copyBookLines;

namespace {

const auto& kDosToWindows = lirra::platform::tables::kOem866ToAnsi1251;

} // namespace

// Line breaks become CR LF, a lone LF stays in the line, Ctrl+Z ends the book and letters become
// Windows ones; the first page begins the whole text, cut after a line; a copy stops when asked.
TEST(BookCopy, LinesLettersTheFirstPageAndStopping)
{
    const ScratchFolder scratch;
    const std::string bookPath = scratch / "book.txt", copyPath = scratch / "lirra.tmp";
    // The text the view takes, checked to be byte for byte the copy written on the way and
    // to come with the lines a scan of the whole text finds.
    const auto copy = [&](const std::string& bytes, const lirra::ByteTable& table = kDosToWindows) {
        writeFile(bookPath, bytes);
        const lirra::CopiedBook copied = copyBookLines(bookPath, copyPath, table);
        const std::string written = readFile(copyPath);
        EXPECT_EQ(std::string_view(copied.text), written);
        EXPECT_TRUE(copied.hardLines == lirra::scanHardLines(std::string_view(copied.text))) << bytes.substr(0, 20);
        return written;
    };
    const std::string wide(1 << 20, 'x');   // the read buffer, a CR LF split across its edge
    const std::pair<std::string, std::string> cases[] = {
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n"},
        {"one\r\ntwo", "one\r\ntwo\r\n"},           // last line without a break
        {"one\rtwo\r", "one\r\ntwo\r\n"},           // CR alone ends a line
        {"one\ntwo\n", "one\ntwo\n\r\n"},           // LF alone is an ordinary character
        {"a\r\n\r\n\r\nb", "a\r\n\r\n\r\nb\r\n"},   // empty lines survive
        {"a\r\r\nb", "a\r\n\r\nb\r\n"},             // only one LF is eaten per CR
        {"", ""},
        {"first\r\nsec\x1Aond\r\nthird\r\n", "first\r\nsec\r\n"},
        {"first\r\n\x1A", "first\r\n"},
        {"\x1Arest", ""},
        {wide.substr(1) + "\r\nnext", wide.substr(1) + "\r\nnext\r\n"},
        {repeated("ab\r", 100000), repeated("ab\r\n", 100000)},   // far more lone CRs than the room kept
        // "Привет" in 866, and a box-drawing line that has no 1251 form.
        {"\x8F\xE0\xA8\xA2\xA5\xE2\r\n\xC9\xCD\xBB", "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xE3=\xAC\r\n"},
    };
    for (const auto& [book, expected] : cases)
        EXPECT_EQ(copy(book), expected) << book.substr(0, 20);
    // A table that makes a CR of another byte: its LF may come with the next piece read.
    lirra::ByteTable crFromSoh = kDosToWindows;
    crFromSoh[1] = '\r';
    EXPECT_EQ(copy(wide.substr(1) + "\x01\ny", crFromSoh), wide.substr(1) + "\r\ny\r\n");

    // A missing book raises "File not found" and writes nothing.
    std::filesystem::remove(copyPath);
    EXPECT_EQ(errorText([&] { copyBookLines(scratch / "absent.txt", copyPath, kDosToWindows); }), "File not found");
    EXPECT_FALSE(std::filesystem::exists(copyPath));

    // The first page begins the whole text, cut after a line; a copy stops when asked.
    const std::size_t piece = 1 << 18;   // what the reader reads at once
    std::string lines;
    while (lines.size() < 2 * piece)
        lines += "\xE1\xE2\xE0\xAE\xAA\xA0 " + std::to_string(lines.size()) + "\r\n";
    // The book, whether its first page is all of it, and that page's length (0: not checked).
    const std::tuple<std::string, bool, std::size_t> firstPages[] = {
        {lines, false, 0},
        {std::string(piece - 1, 'x') + "\r\n" + lines, false, piece + 1},   // its CR ends the read piece
        {std::string(piece - 1, 'x') + "\n" + lines, false, piece},         // a lone LF ends a line too
        {std::string(2 * piece, 'x'), false, piece},                          // one line, shown as far as read
        {"first\r\n\x1A" + lines, true, 0},
        {"short", true, 0},
    };
    for (const auto& [book, whole, length] : firstPages) {
        const std::string copied = copy(book);
        const lirra::BookStart start = lirra::convertBookStart(bookPath, kDosToWindows, 1);
        EXPECT_EQ(start.whole, whole) << book.substr(0, 20);
        EXPECT_EQ(whole ? copied : copied.substr(0, start.text.size()), std::string_view(start.text));
        EXPECT_TRUE(length == 0 || start.text.size() == length) << start.text.size();
    }

    writeFile(bookPath, lines);
    lirra::ConversionProgress progress;
    std::stop_source stop;
    progress.stop = stop.get_token();
    stop.request_stop();
    EXPECT_THROW(copyBookLines(bookPath, copyPath, kDosToWindows, &progress), lirra::ConversionStopped);
    EXPECT_EQ(std::pair(progress.bytesRead.load(), progress.bookSize.load()),
              std::pair(std::int64_t(piece), std::int64_t(lines.size())));
}
