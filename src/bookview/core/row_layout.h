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
#include <mutex>
#include <optional>
#include <string>

namespace lirra {

// The rows of a plain 1251 text made away from the layout that takes them (on a worker
// thread), with the wrap they were made for.
struct WrappedRows {
    WrapRequest request;
    LineStarts rows;
};

class RowLayout {
public:
    explicit RowLayout(const BookText& text) : m_text(&text) {}

    // Lays out `text` (the same one after a change, or another) again; it must
    // outlive the layout or the next setText(). Rows `made` for it are taken as they are
    // when they were made for the wrap laid out now, and made anew otherwise.
    void setText(const BookText& text, std::optional<WrappedRows> made = std::nullopt);
    // Rows that fit `widthPixels` as `measure` measures them; nullptr: the hard lines.
    // `measure` must outlive the wrap.
    void setWrap(const AdvanceSource* measure, int widthPixels);
    bool wrapped() const { return m_measure != nullptr; }
    // The wrap a plain 1251 text is laid out with; nullopt with wrap off.
    const std::optional<WrapRequest>& ansiWrap() const { return m_ansiWrap; }
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
    std::optional<WrapRequest> m_ansiWrap;                 // m_measure's and the width, once per wrap
};

// The wrap a view lays out, published for the worker thread that makes a book's whole
// text, so that it can make the rows too and the view only take them.
class WrapInUse {
public:
    void set(std::optional<WrapRequest> request);
    // The rows of `text` for the wrap set last: none with wrap off, or for a text not
    // plain 1251. Throws ConversionStopped once `stop` is asked.
    std::optional<WrappedRows> wrap(const BookText& text, const std::stop_token& stop = {}) const;

private:
    mutable std::mutex m_mutex;
    std::optional<WrapRequest> m_request;
};

} // namespace lirra
