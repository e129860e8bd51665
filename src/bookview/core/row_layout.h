#pragma once

// RowLayout: the lines of one view or one printout over a shared BookText. With word
// wrap off they are the text's hard lines (nothing is copied); with it on, the rows
// that fit a width. A layout holds line starts only, never the text.
//
// The text always has one line more than it has breaks; the last of them is empty when
// the text is empty or ends with a break. That empty last line exists (it has a first
// character, the text's length, and a caret can stand on it) but lineCount() leaves it
// out.

#include "bookview/core/book_text.h"
#include "bookview/core/wrap_layout.h"

#include <cstdint>
#include <string>

namespace lirra {

class RowLayout {
public:
    explicit RowLayout(const BookText& text) : m_text(&text) {}

    // Lays out `text` (the same one after a change, or another) again; it must
    // outlive the layout or the next setText().
    void setText(const BookText& text);
    // Rows that fit `widthPixels` as `measure` measures them; nullptr: the hard lines.
    // `measure` must outlive the wrap.
    void setWrap(const AdvanceSource* measure, int widthPixels);
    bool wrapped() const { return m_measure != nullptr; }
    const BookText& text() const { return *m_text; }

    std::int64_t lineCount() const;                        // the empty last line left out
    std::int64_t allLines() const { return starts().size(); }   // the empty last line too
    std::int64_t lineFromChar(std::int64_t index) const;   // index clamped to the text
    std::int64_t lineIndex(std::int64_t line) const;       // first character; -1 if no such line
    std::int64_t lineLength(std::int64_t line) const;      // without the line break; -1 if none
    std::int64_t lineEnd(std::int64_t line) const;         // start of the next line, or the length
    std::u16string lineText(std::int64_t line) const;      // empty if no such line
    // Characters in the longest line, its break left out: one walk over the line starts.
    std::int64_t longestLine() const;

private:
    const LineStarts& starts() const { return wrapped() ? m_rows : m_text->hardLines(); }
    void relayout();

    const BookText* m_text;
    LineStarts m_rows;                                     // empty with wrap off
    const AdvanceSource* m_measure = nullptr;
    int m_wrapWidth = 0;
};

} // namespace lirra
