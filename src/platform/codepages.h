#pragma once

// The Russian system's two code pages: OEM 866 (DOS books) and ANSI 1251 (Windows text).
// Conversions never change the length of the text.

#include <cstddef>
#include <string>
#include <string_view>

namespace lirra::platform {

// OemToCharBuff: OEM 866 bytes to ANSI 1251 bytes, `count` bytes; src may equal dst.
void oemToCharBuff(const char* src, char* dst, std::size_t count);
// CharToOemBuff: ANSI 1251 bytes to OEM 866 bytes, best fit, '?' where nothing fits.
void charToOemBuff(const char* src, char* dst, std::size_t count);

// One 1251 byte as Unicode (for display). 0x98, undefined in 1251, decodes to U+0098.
char16_t ansiToUnicode(unsigned char byte);
std::u16string decodeAnsi(std::string_view ansi);

// One UTF-16 unit as a 1251 byte, with Windows' best fit; '?' when nothing fits.
unsigned char unicodeToAnsi(char16_t unit);
std::string encodeAnsi(std::u16string_view text);

} // namespace lirra::platform
