#pragma once

// The raw conversion tables, compiled in (see codepages/README.md). Use codepages.h.

#include <array>
#include <cstddef>

namespace lirra::platform::tables {

struct UnicodeToAnsi {
    char16_t unicode;
    unsigned char ansi;
};

extern const std::array<unsigned char, 256> kOem866ToAnsi1251;   // OemToCharBuff
extern const std::array<unsigned char, 256> kAnsi1251ToOem866;   // CharToOemBuff
extern const std::array<char16_t, 256> kAnsi1251ToUnicode;       // 1251 decoding
extern const std::array<UnicodeToAnsi, 640> kUnicodeToAnsi1251;  // best fit, sorted by unicode

} // namespace lirra::platform::tables
