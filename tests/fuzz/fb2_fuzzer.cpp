// libFuzzer harness for the readers of today's books. FictionBook: any input must either
// be refused with an error or give rich text the book view can rely on, within the
// memory budget. Unicode text: the kind of a book must not depend on how its bytes are
// cut into pieces, nor must the UTF-8 decoding.
#include "bookview/core/book_kind.h"
#include "bookview/core/fiction_book.h"
#include "bookview/core/unicode_text.h"
#include "platform/lirra_error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkFictionBook(std::string_view input)
{
    lirra::RichText rich;
    try {
        rich = lirra::parseFictionBook(input);
    } catch (const lirra::Error&) {
        return;
    }
    const auto length = static_cast<std::int64_t>(rich.text.size());
    const auto& runs = rich.runs;
    require(runs.empty() == rich.text.empty());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        require(runs[i].start < length);
        require(runs[i].format < rich.formats.formats.size());
        require(i == 0 ? runs[i].start == 0 : runs[i - 1].start < runs[i].start);
        require(i == 0 || runs[i - 1].format != runs[i].format);
    }
    const auto& formats = rich.formats.formats;
    require(std::set<lirra::CharFormat>(formats.begin(), formats.end()).size() == formats.size());
    require(rich.formats.faces.empty());
    // Twice the input and some room, the title block and the closing note.
    require(2 * rich.text.size() + runs.size() * sizeof(lirra::FormatRun) <= 2 * input.size() + 64 * 1024 + 4096);
}

void checkUnicodeText(std::string_view input)
{
    const lirra::BookKind whole = lirra::detectBookKind(input);
    lirra::BookKindProbe probe;
    const std::size_t head = std::min<std::size_t>(input.size(), 4096);
    probe.feed(input.substr(0, head));
    for (std::size_t at = head; at < input.size(); at += 3)
        probe.feed(input.substr(at, 3));
    require(probe.kind() == whole);

    std::u16string inOne, inPieces;
    lirra::Utf8Decoder one, pieces;
    one.decode(input, inOne);
    one.decode({}, inOne);
    for (std::size_t at = 0; at < input.size(); at += 5)
        pieces.decode(input.substr(at, 5), inPieces);
    pieces.decode({}, inPieces);
    require(inOne == inPieces);
    require(inOne.size() <= input.size());
    // Valid UTF-8 (what is read without a mark) comes back byte for byte, but for a
    // sequence cut by the end, whose bytes become U+FFFD each.
    if (whole != lirra::BookKind::Utf8 || input.starts_with("\xEF\xBB\xBF") ||
        input.find('\x1A') != std::string_view::npos || input.ends_with("\xEF\xBF\xBD"))
        return;
    std::size_t cut = 0;
    while (cut < inOne.size() && inOne[inOne.size() - 1 - cut] == u'\uFFFD')
        ++cut;
    std::string encoded;
    lirra::appendUtf8(std::u16string_view(inOne).substr(0, inOne.size() - cut), encoded);
    require(cut <= 3 && encoded == input.substr(0, input.size() - cut));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkFictionBook(input);
    checkUnicodeText(input);
    return 0;
}
