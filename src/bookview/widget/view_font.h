#pragma once

// The book view's font as the program holds it (the designed face name, a Windows-style
// pixel height) and its realisation as a QFont.

#include "bookview/core/rtf_reader.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace lirra {

enum class FontPitch { Default, Variable, Fixed };

// Windows face names are at most 31 characters long.
constexpr int kMaxFaceLength = 31;

struct ViewFont {
    QString face = QStringLiteral("Courier New Cyr");
    // Negative: character height in pixels; positive: cell height (internal leading
    // included); zero: the font system's default height.
    int height = -17;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    FontPitch pitch = FontPitch::Fixed;

    QFont toQFont() const;
    // The font of a run of a rich book: the run's own settings (its face named
    // `formatFace`, empty for this font's) over this font.
    QFont toQFont(const CharFormat& format, std::u16string_view formatFace, int dpi) const;
};

// The largest size in points, either sign, that the view shows: the most a rich-text
// view holds (a size in twips fits 16 bits), and a glyph taller than any screen already.
constexpr int kMaxFontPoints = 1638;

// Size in points <-> pixel height at `dpi` pixels per inch, both rounded to nearest.
int heightFromPoints(int points, int dpi);
int pointsFromHeight(int height, int dpi);

// The designed faces do not exist on Linux; map them to their metric twins. The face
// name the view holds and saves stays the designed one. Call once at start.
void registerFontSubstitutions();
// The designed face names registered there, spelt as designed.
QStringList substitutedFaces();

} // namespace lirra
