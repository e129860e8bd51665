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
// UTF-16LE bytes (as Windows stores REG_EXPAND_SZ) up to the first NUL, as UTF-8.
std::string utf16leBytesToUtf8(std::string_view bytes);

} // namespace lirra::platform
