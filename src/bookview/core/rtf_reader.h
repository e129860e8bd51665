#pragma once

// Reads rich text (RTF) into plain UTF-16 text plus character-format runs.
// Toolkit-free. Malformed input never crashes or hangs: parseRtf() says "not rich
// text" instead, and the caller falls back to plain text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lirra {

// One character format. Fields left unset ("inherit") take the view's own font.
struct CharFormat {
    static constexpr std::int32_t kViewFace = -1;
    std::int32_t face = kViewFace;  // index into FormatTable::faces; kViewFace: the view's face
    int halfPoints = 0;             // \fsN; 0: the view's size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<std::uint32_t> color;      // 00BBGGRR; none: the view's font colour
    std::optional<std::uint32_t> background; // 00BBGGRR; none: the view's background
    auto operator<=>(const CharFormat&) const = default;
};

// The distinct formats of a rich text and the distinct face names they use, each held
// once: a run names its format by index, a format its face. However many runs a book has
// and however long its face names are, a run costs the same few bytes.
struct FormatTable {
    std::vector<CharFormat> formats;
    std::vector<std::u16string> faces;

    const CharFormat& operator[](std::uint32_t format) const { return formats[format]; }
    // The face name of `format`; empty for the view's face.
    std::u16string_view face(const CharFormat& format) const
    {
        return format.face == CharFormat::kViewFace ? std::u16string_view() : faces[format.face];
    }
};

// The format from `start` up to the next run's start (or the end of the text).
struct FormatRun {
    std::int64_t start = 0;
    std::uint32_t format = 0;       // index into FormatTable::formats
};

struct RichText {
    // Paragraph and line breaks (\par, \line) are stored as CR LF, tabs as '\t', so a
    // rich book has the same line structure as a plain one.
    std::u16string text;
    std::vector<FormatRun> runs;    // sorted by start, first at 0 when text is not empty
    FormatTable formats;            // neighbouring runs have different formats
};

// True when `data` starts like rich text ("{\rtf", after optional whitespace).
bool looksLikeRtf(std::string_view data);

// Parses `data`; std::nullopt when it is not valid rich text (does not start as RTF,
// unbalanced groups, truncated, nesting deeper than a sane limit, ...).
std::optional<RichText> parseRtf(std::string_view data);

} // namespace lirra
