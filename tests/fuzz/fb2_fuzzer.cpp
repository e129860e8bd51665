// libFuzzer harness for the readers of today's books. FictionBook: any input must either
// be refused with an error or give rich text the book view can rely on, within the
// memory budget. Unicode text: the kind of a book must not depend on how its bytes are
// cut into pieces, nor must the UTF-8 decoding.
#include "bookview/core/book_kind.h"
#include "bookview/core/fiction_book.h"
#include "bookview/core/unicode_text.h"
#include "platform/lirra_error.h"
#include "rich_text_promises.h"

#include <cstddef>

namespace {

void checkFictionBook(std::string_view input)
{
    lirra::RichText rich;
    try {
        rich = lirra::parseFictionBook(input);
    } catch (const lirra::Error&) {
        return;
    }
    requireSoundRuns(rich);
    require(rich.formats.faces.empty());
    // Twice the input and some room, the title block and the closing note.
    require(2 * rich.text.size() + rich.runs.size() * sizeof(lirra::FormatRun) <= 2 * input.size() + 64 * 1024 + 4096);
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
        input.find('\x1A') != std::string_view::npos)
        return;
    std::size_t lead = input.size();
    while (lead > 0 && input.size() - lead < 4 && (static_cast<unsigned char>(input[lead - 1]) & 0xC0) == 0x80)
        --lead;
    std::size_t cut = 0;
    if (lead > 0) {
        const auto byte = static_cast<unsigned char>(input[lead - 1]);
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (input.size() - (lead - 1) < length)
            cut = input.size() - (lead - 1);
    }
    std::string expected(input.substr(0, input.size() - cut));
    for (std::size_t i = 0; i < cut; ++i)
        expected += "\xEF\xBF\xBD";
    std::string encoded;
    lirra::appendUtf8(inOne, encoded);
    require(encoded == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkFictionBook(input);
    checkUnicodeText(input);
    return 0;
}
