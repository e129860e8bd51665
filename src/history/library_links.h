#pragma once

// The twelve online libraries of the "&Internet" menu, url1 to url12: each item's
// caption is the address it opens.

#include <array>

namespace lirra {

inline constexpr std::array<const char*, 12> kLibraryAddresses{
    "https://www.gutenberg.org",   "http://lib.ru",
    "http://az.lib.ru",            "https://ru.wikisource.org",
    "https://en.wikisource.org",   "https://archive.org/details/texts",
    "https://standardebooks.org",  "https://www.fadedpage.com",
    "https://manybooks.net",       "https://rvb.ru",
    "https://ilibrary.ru",         "https://imwerden.de",
};

} // namespace lirra
