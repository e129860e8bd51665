#pragma once

// The twelve online libraries of the "&Internet" menu: each item's caption is the
// address it opens. A menu row and its handler take the object name and the address
// from the same entry, so reordering the table reorders the menu and nothing else.

#include <array>

namespace lirra {

struct LibraryLink {
    const char* menuName;   // the menu item's object name
    const char* address;
};

inline constexpr std::array<LibraryLink, 12> kLibraryLinks{{
    {"url1", "https://www.gutenberg.org"},
    {"url2", "http://lib.ru"},
    {"url3", "http://az.lib.ru"},
    {"url4", "https://ru.wikisource.org"},
    {"url5", "https://en.wikisource.org"},
    {"url6", "https://archive.org/details/texts"},
    {"url7", "https://standardebooks.org"},
    {"url8", "https://www.fadedpage.com"},
    {"url9", "https://manybooks.net"},
    {"url10", "https://rvb.ru"},
    {"url11", "https://ilibrary.ru"},
    {"url12", "https://imwerden.de"},
}};

} // namespace lirra
