#pragma once

// The pieces of a laid-out text that assistive technology reads by: characters, words,
// lines (rows of the layout), paragraphs (hard lines) and the whole text. Each is
// found from the one position asked about, never by walking the book.

#include "bookview/core/row_layout.h"

#include <cstdint>

namespace lirra {

enum class TextUnit { Character, Word, Line, Paragraph, Whole };

// [start, end) of a text.
struct TextRange {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool operator==(const TextRange&) const = default;
};

// The unit that holds `index` (clamped to the text). A line or paragraph runs up to the
// next one's start, its break included. A word is a run of word characters, or a run of
// anything else, within one line. At the end of the text a character or word is empty.
TextRange unitAt(const RowLayout& layout, TextUnit unit, std::int64_t index);
// The unit before / after the one at `index`; empty at the start / end of the text.
TextRange unitBefore(const RowLayout& layout, TextUnit unit, std::int64_t index);
TextRange unitAfter(const RowLayout& layout, TextUnit unit, std::int64_t index);

} // namespace lirra
