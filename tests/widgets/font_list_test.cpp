#include "widgets/font_list.h"

#include <gtest/gtest.h>

using namespace lirra;
using O = TFontListOption;

namespace {
const FontFamily kMono{QStringLiteral("Mono"), FontCharset::Ansi, true, kTrueTypeFontType};
const FontFamily kSerif{QStringLiteral("serif"), FontCharset::Ansi, false, kTrueTypeFontType};
const FontFamily kSymbols{QStringLiteral("Symbols"), FontCharset::Symbol, false, kTrueTypeFontType};
const FontFamily kTerminal{QStringLiteral("Terminal"), FontCharset::Oem, true, kRasterFontType};
const FontFamily kGreek{QStringLiteral("Alpha"), FontCharset::Other, false, kDeviceFontType};

QStringList names(const QList<FontListItem>& items)
{
    QStringList result;
    for (const FontListItem& item : items)
        result << item.name;
    return result;
}
} // namespace

TEST(FontList, EveryOptionInTheSetMustHold)
{
    const QList<FontFamily> all{kMono, kSerif, kSymbols, kTerminal, kGreek};
    const auto listed = [&](TFontListOptions options) { return names(buildFontList(all, options)); };
    EXPECT_EQ(listed({}), QStringList({"Alpha", "Mono", "serif", "Symbols", "Terminal"}));
    EXPECT_EQ(listed(O::foAnsiOnly), QStringList({"Mono", "serif"}));
    EXPECT_EQ(listed(O::foTrueTypeOnly), QStringList({"Mono", "serif", "Symbols"}));
    EXPECT_EQ(listed(O::foFixedPitchOnly), QStringList({"Mono", "Terminal"}));
    EXPECT_EQ(listed(O::foNoOEMFonts), QStringList({"Alpha", "Mono", "serif", "Symbols"}));
    EXPECT_EQ(listed(O::foOEMFontsOnly), QStringList({"Terminal"}));
    EXPECT_EQ(listed(O::foScalableOnly), QStringList({"Alpha", "Mono", "serif", "Symbols"}));
    EXPECT_EQ(listed(O::foNoSymbolFonts), QStringList({"Alpha", "Mono", "serif", "Terminal"}));
    EXPECT_EQ(listed(O::foFixedPitchOnly | O::foScalableOnly), QStringList({"Mono"}));
}

TEST(FontList, EachNameOnceWithTheOwnFaceBitForAllButSymbolFontsAndTrueTypeGlyphsFirst)
{
    // A name reported again (by another foundry, in another case) is listed once; a
    // report that fails the options does not take the name.
    const FontFamily proportionalMono{QStringLiteral("MONO"), FontCharset::Ansi, false, kTrueTypeFontType};
    const QList<FontListItem> items =
        buildFontList({proportionalMono, kSymbols, kMono, kTerminal, {QStringLiteral("mono"), FontCharset::Ansi, true, 0}},
                      O::foFixedPitchOnly);
    ASSERT_EQ(names(items), QStringList({"Mono", "Terminal"}));
    EXPECT_TRUE(items[0].fontType == (kTrueTypeFontType | kNotSymbolFont));
    EXPECT_EQ(buildFontList({kSymbols}, {}).first().fontType, kTrueTypeFontType);
    EXPECT_TRUE(glyphFor(kTrueTypeFontType | kDeviceFontType | kNotSymbolFont) == FontGlyph::TrueType &&
                glyphFor(kDeviceFontType) == FontGlyph::Device && glyphFor(kRasterFontType | kNotSymbolFont) == FontGlyph::None);
}
