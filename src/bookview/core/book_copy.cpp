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

// Room for the whole text, so that it never moves while it grows: each byte of the book
// gives at most two (a lone CR grows into CR LF), and a last line without a break gains
// one. Room that is never written costs no memory.
std::size_t roomFor(std::int64_t bookSize)
{
    return static_cast<std::size_t>(std::min<std::int64_t>(2 * std::max<std::int64_t>(bookSize, 0) + 2,
                                                            kMaxTextLength + 1));
}

char* translate(std::string_view bytes, char* to, const ByteTable& table)
{
    for (const char c : bytes)
        *to++ = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return to;
}

// Converts one piece of the book into `to`, which has room for twice its size. `afterCr`
// says the previous piece ended with a CR, whose LF this one may begin with; it is set
// again when this piece ends with a CR. Returns the end of what was written.
char* convertPiece(std::string_view piece, char* to, const ByteTable& table, bool& afterCr)
{
    if (afterCr && !piece.empty() && piece.front() == kLf)
        piece.remove_prefix(1);
    afterCr = false;
    for (;;) {
        const std::size_t cr = piece.find(kCr);
        to = translate(piece.substr(0, cr), to, table);
        if (cr == std::string_view::npos)
            return to;
        to = std::copy(kBreak.begin(), kBreak.end(), to);
        piece.remove_prefix(cr + 1);
        if (piece.empty()) {
            afterCr = true;
            return to;
        }
        if (piece.front() == kLf)
            piece.remove_prefix(1);
    }
}

} // namespace

BookBytes copyBookLines(const std::string& source, const std::string& target, const ByteTable& table)
{
    platform::FileReader in(source);
    platform::FileWriter out(target);
    BookBytes text;
    text.reserve(roomFor(in.size()));
    std::string converted;   // one chunk's worth, before it joins the text
    bool afterCr = false;
    bool ended = false;      // Ctrl+Z seen
    for (std::string_view chunk = in.takeChunk(); !chunk.empty() && !ended; chunk = in.takeChunk()) {
        if (const std::size_t end = chunk.find(kCtrlZ); end != std::string_view::npos) {
            chunk = chunk.substr(0, end);
            ended = true;
        }
        converted.resize(2 * chunk.size());
        const char* made = convertPiece(chunk, converted.data(), table, afterCr);
        const std::size_t start = text.size();
        text.append(converted.data(), static_cast<std::size_t>(made - converted.data()));
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
