#pragma once

// UTF-8 <-> UTF-16 for the few places where stored text is UTF-16 (registry
// REG_EXPAND_SZ data) or where 8-bit code-page text is built from UTF-8 sources.

#include <string>
#include <string_view>

namespace lirra::platform {

// Malformed UTF-8 becomes U+FFFD, one per bad byte.
std::u16string utf8ToUtf16(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);
// Bytes that may or may not be UTF-8 (file names are bytes), kept whole in UTF-16:
// valid UTF-8 decodes as usual, and each other byte becomes the lone surrogate
// U+DC00 + byte (U+DC80..U+DCFF), which bytesFromUtf16 turns back into that byte.
std::u16string bytesToUtf16(std::string_view bytes);
std::string bytesFromUtf16(std::u16string_view text);
// Whether `text` holds such escaped bytes.
bool holdsEscapedBytes(std::u16string_view text);
// UTF-16LE bytes (as Windows stores REG_EXPAND_SZ) up to the first NUL, as UTF-8.
std::string utf16leBytesToUtf8(std::string_view bytes);

} // namespace lirra::platform
