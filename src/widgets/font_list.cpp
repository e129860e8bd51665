#include "widgets/font_list.h"

#include "platform/case_fold.h"

#include <algorithm>
#include <unordered_set>

namespace lirra {

bool passesFontOptions(const FontFamily& family, TFontListOptions options)
{
    using O = TFontListOption;
    const bool oem = family.charset == FontCharset::Oem;
    return (!options.testFlag(O::foAnsiOnly) || family.charset == FontCharset::Ansi)
        && (!options.testFlag(O::foTrueTypeOnly) || (family.fontType & kTrueTypeFontType))
        && (!options.testFlag(O::foFixedPitchOnly) || family.fixedPitch)
        && (!options.testFlag(O::foNoOEMFonts) || !oem)
        && (!options.testFlag(O::foOEMFontsOnly) || oem)
        && (!options.testFlag(O::foScalableOnly) || !(family.fontType & kRasterFontType))
        && (!options.testFlag(O::foNoSymbolFonts) || family.charset != FontCharset::Symbol);
}

namespace {
std::u16string folded(const QString& name) { return platform::foldCase(name.toStdU16String()); }
} // namespace

QList<FontListItem> buildFontList(const QList<FontFamily>& families, TFontListOptions options)
{
    QList<FontListItem> items;
    std::unordered_set<std::u16string> listed;
    for (const FontFamily& family : families) {
        std::u16string key = folded(family.name);
        if (listed.contains(key) || !passesFontOptions(family, options))
            continue;
        listed.insert(std::move(key));
        const unsigned ownFace = family.charset == FontCharset::Symbol ? 0 : kNotSymbolFont;
        items.append({family.name, family.fontType | ownFace});
    }
    std::stable_sort(items.begin(), items.end(), [](const FontListItem& a, const FontListItem& b) {
        return folded(a.name) < folded(b.name);
    });
    return items;
}

FontGlyph glyphFor(unsigned fontType)
{
    if (fontType & kTrueTypeFontType)
        return FontGlyph::TrueType;
    if (fontType & kDeviceFontType)
        return FontGlyph::Device;
    return FontGlyph::None;
}

} // namespace lirra
