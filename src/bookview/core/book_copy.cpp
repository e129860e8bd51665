#include "bookview/core/book_copy.h"

#include "bookview/core/book_file.h"
#include "bookview/core/line_index.h"
#include "platform/buffered_file.h"

#include <algorithm>
#include <string_view>

namespace lirra {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = '\x1A';
constexpr std::string_view kBreak = "\r\n";

// A DOS book's text is as long as the book, give or take its last break; a CR standing
// alone grows into CR LF, and a few of those fit in this much more.
constexpr std::int64_t kSlack = 64 * 1024;

std::size_t room(std::int64_t bytes)
{
    return static_cast<std::size_t>(std::clamp<std::int64_t>(bytes, 0, kMaxTextLength + 1));
}

// Converts one piece of the book into `to`, which has room for twice its size. `afterCr`
// says the previous piece ended with a CR, whose LF this one may begin with; it is set
// again when this piece ends with a CR. Returns the end of what was written. One plain
// loop: lines are short, so looking for the next CR first would cost more than it saves.
char* convertPiece(std::string_view piece, char* to, const ByteTable& bookTable, bool& afterCr)
{
    const ByteTable table = bookTable;   // a copy of its own, which no write can touch
    const char* from = piece.data();
    const char* const end = from + piece.size();
    if (afterCr && from < end && *from == kLf)
        ++from;
    afterCr = false;
    while (from < end) {
        const char c = *from++;
        if (c != kCr) {
            *to++ = static_cast<char>(table[static_cast<unsigned char>(c)]);
            continue;
        }
        to = std::copy(kBreak.begin(), kBreak.end(), to);
        if (from == end)
            afterCr = true;
        else if (*from == kLf)
            ++from;
    }
    return to;
}

} // namespace

BookBytes copyBookLines(const std::string& source, const std::string& target, const ByteTable& table)
{
    platform::FileReader in(source);
    platform::FileWriter out(target);
    BookBytes text;
    text.reserve(room(in.size() + kSlack));
    std::string converted;   // one chunk's worth, before it joins the text
    std::int64_t unread = in.size();
    bool afterCr = false;
    bool ended = false;      // Ctrl+Z seen
    for (std::string_view chunk = in.takeChunk(); !chunk.empty() && !ended; chunk = in.takeChunk()) {
        unread -= static_cast<std::int64_t>(chunk.size());
        if (const std::size_t end = chunk.find(kCtrlZ); end != std::string_view::npos) {
            chunk = chunk.substr(0, end);
            ended = true;
        }
        converted.resize(2 * chunk.size());
        const auto made = static_cast<std::size_t>(convertPiece(chunk, converted.data(), table, afterCr) -
                                                   converted.data());
        const std::size_t start = text.size();
        // More lone CRs than the slack holds (a book from a Mac): room at once for the rest
        // at its worst, every byte a CR, so the text moves once at most.
        if (start + made > text.capacity()) {
            const std::int64_t worstOfTheRest = 2 * std::max<std::int64_t>(unread, 0) + kSlack;
            text.reserve(room(static_cast<std::int64_t>(start + made) + worstOfTheRest));
        }
        text.append(converted.data(), made);
        if (static_cast<std::int64_t>(text.size()) > kMaxTextLength)
            throwLoadFailed();
        out.write(std::string_view(text).substr(start));
    }
    if (!text.empty() && !text.ends_with(kBreak)) {
        text.append(kBreak);
        out.write(kBreak);
    }
    in.close();
    out.close();
    return text;
}

} // namespace lirra
