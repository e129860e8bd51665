#pragma once

// The nine colour themes of the "Color Themes" menu: each sets the view's text colour,
// then its background colour. "Windows Default" uses system colours (window text on
// window), which follow the desktop's palette.

#include "bookview/core/book_types.h"

#include <array>
#include <string_view>

namespace lirra {

struct ColorTheme {
    const char* menuName;     // the menu item's object name
    const char* caption;
    ColorValue text;
    ColorValue background;
};

inline constexpr std::array<ColorTheme, 9> kColorThemes{{
    {"Grey1", "Grey (DN like)", 0x00B4B4B4, 0x00505458},
    {"Green1", "Green", 0x00DBDFBF, 0x00737C3D},
    {"BlackWhite1", "Black on White", 0x00000000, 0x00FFFFFF},
    {"WhiteonBlack1", "White on Black", 0x00FFFFFF, 0x00000000},
    {"Blue1", "Blue", 0x00E9DFD1, 0x00927145},
    {"Dark1", "Dark", 0x00BCBCBC, 0x00000000},
    {"Light1", "Light", 0x007D7D7D, 0x00FFFFFF},
    {"Contrast1", "Contrast", 0x00000000, 0x003D9DDE},
    {"WindowsDefault1", "Windows Default", 0x80000008, 0x80000005},
}};

// The theme of the menu item `menuName`. Menus and handlers name their theme this way,
// never by its place in the table, and a name the table lacks does not compile.
consteval const ColorTheme& colorTheme(std::string_view menuName)
{
    for (const ColorTheme& theme : kColorThemes)
        if (menuName == theme.menuName)
            return theme;
    throw "no colour theme has this menu name";
}

} // namespace lirra
