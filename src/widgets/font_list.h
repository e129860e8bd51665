#pragma once

// The font picker's list as plain data: which families its options let through, in what
// order, and the font-type bits each item carries (those decide its glyph).

#include <QFlags>
#include <QList>
#include <QString>

namespace lirra {

// The list options, in their bit order. A family is listed only if every option in the
// set holds for it.
enum class TFontListOption : unsigned {
    foAnsiOnly = 1u << 0,        // its character set is ANSI
    foTrueTypeOnly = 1u << 1,    // it is a TrueType font
    foFixedPitchOnly = 1u << 2,  // its pitch is fixed
    foNoOEMFonts = 1u << 3,      // its character set is not OEM
    foOEMFontsOnly = 1u << 4,    // its character set is OEM
    foScalableOnly = 1u << 5,    // it is not a raster font
    foNoSymbolFonts = 1u << 6,   // its character set is not the symbol set
};
Q_DECLARE_FLAGS(TFontListOptions, TFontListOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontListOptions)

// Font-type bits as the font enumeration reports them, and the picker's own bit for a
// family that may be drawn in its own face.
inline constexpr unsigned kRasterFontType = 0x001;
inline constexpr unsigned kDeviceFontType = 0x002;
inline constexpr unsigned kTrueTypeFontType = 0x004;
inline constexpr unsigned kNotSymbolFont = 0x100;

enum class FontCharset { Ansi, Symbol, Oem, Other };

// One family as the font enumeration reports it.
struct FontFamily {
    QString name;
    FontCharset charset = FontCharset::Ansi;
    bool fixedPitch = false;
    unsigned fontType = 0;   // kRasterFontType, kDeviceFontType, kTrueTypeFontType
};

struct FontListItem {
    QString name;
    unsigned fontType = 0;   // the family's bits, plus kNotSymbolFont
    bool operator==(const FontListItem&) const = default;
};

bool passesFontOptions(const FontFamily& family, TFontListOptions options);

// The families that pass `options`, each name once (the first report of a name counts,
// names compared without regard to case), sorted alphabetically without regard to case.
QList<FontListItem> buildFontList(const QList<FontFamily>& families, TFontListOptions options);

enum class FontGlyph { None, TrueType, Device };
// TrueType before device; a raster font gets none.
FontGlyph glyphFor(unsigned fontType);

} // namespace lirra
