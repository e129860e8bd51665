#pragma once

// Unicode plain books: UTF-8 and UTF-16 decoded piece by piece into the UTF-16 text the
// view holds, and that text encoded back to UTF-8 for the copy and for saving.

#include "bookview/core/book_kind.h"

#include <string>
#include <string_view>

namespace lirra {

// Decodes UTF-8 arriving in pieces; a sequence cut between two pieces is carried over,
// and an empty piece (the end) turns what is left of it into U+FFFD. Malformed bytes
// become U+FFFD, one for each.
class Utf8Decoder {
public:
    void decode(std::string_view piece, std::u16string& out);

private:
    std::string m_carry;
};

// `units` as UTF-8 appended to `out`; an unpaired surrogate becomes U+FFFD.
void appendUtf8(std::u16string_view units, std::string& out);

// Reads the Unicode plain book `path` of kind `kind` (Utf8, Utf16Le or Utf16Be) as
// copyBookLines reads a DOS book: its mark dropped, a line ends at CR (an LF right after
// it belongs to the break, any other LF is an ordinary character), Ctrl+Z ends the text,
// each line is followed by CR LF. The text is written to `copy` in UTF-8 as it is made,
// unless `copy` is empty. Throws lirra::Error with the file error texts, "Failed to Load
// Stream" for a text longer than kMaxTextLength.
std::u16string readUnicodeText(const std::string& path, BookKind kind, const std::string& copy);

} // namespace lirra
