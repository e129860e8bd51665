#pragma once

// BookDocument: the whole book held once, with its line index, wrap rows, caret,
// selection, scroll position and search. Toolkit-free; TBookView paints it.
//
// Plain books keep their 1251 bytes (one byte a character); rich books keep UTF-16.
// Character indices mean the same in both. Line breaks (CR LF, lone CR, lone LF) are
// characters of the text like any other. A "line" of the view is a hard line with
// word wrap off and a wrapped row with word wrap on.
//
// Lines: the text always has one line more than it has breaks; the last of them is
// empty when the text is empty or ends with a break. That empty last line exists (it
// has a first character, the text's length, and the caret can stand on it) but is not
// counted by lineCount() and cannot be re-anchored on.
//
// Scrolling: the top line runs from 0 to the last counted line, so the view can scroll
// until the book's last line stands at its top (a page down near the end stops there
// and a match on the last line can still be shown below four lines of context).

#include "bookview/core/book_types.h"
#include "bookview/core/line_index.h"
#include "bookview/core/rtf_reader.h"
#include "bookview/core/wrap_layout.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lirra {

class BookDocument {
public:
    BookDocument();

    // --- content ---------------------------------------------------------------------
    // Rich text when the file holds valid RTF, otherwise its bytes as plain 1251 text.
    // Throws Error "Cannot open file %s" / "Failed to Load Stream" (also for a text of
    // more than kMaxTextLength characters); on failure the content stays as it was.
    void loadFile(const std::string& path);
    void setPlainText(std::string_view ansi1251);   // copies; loadFile reads in place
    void setRichText(RichText rich);
    // Each hard line ended by CR LF (an empty last line adds none), in 1251, whatever
    // the wrap. Throws Error "Cannot create file %s" / "Failed to Save Stream".
    void saveAsPlainText(const std::string& path) const;
    void clear();
    bool isRich() const { return m_rich; }
    std::int64_t length() const;
    char16_t charAt(std::int64_t index) const;    // index must be in [0, length())
    std::u16string text(std::int64_t start, std::int64_t count) const;   // clipped
    const std::vector<FormatRun>& runs() const { return m_richText.runs; }   // empty for plain books

    // --- lines of the view -----------------------------------------------------------
    std::int64_t lineCount() const;               // an empty last line does not count
    std::int64_t lineFromChar(std::int64_t index) const;   // index clamped to the text
    std::int64_t lineIndex(std::int64_t line) const;       // -1 if no such line
    std::int64_t lineLength(std::int64_t line) const;      // without the line break; -1 if none
    std::u16string lineText(std::int64_t line) const;      // empty if no such line
    // Replaces the line's characters (not its break) and leaves the caret after them,
    // in view; onChanged fires. Nothing at all when the line does not exist.
    void replaceLine(std::int64_t line, std::u16string_view text);
    // Caret to the end of `line`, selection empty, line brought into view, onChanged.
    // Nothing at all unless 0 <= line < lineCount().
    void reanchorLine(std::int64_t line);

    // --- word wrap: nullptr switches it off; `measure` must outlive the wrap ----------
    void setWrap(const AdvanceSource* measure, int widthPixels);
    bool wrapped() const { return m_measure != nullptr; }

    // --- caret and selection (anchor and active end) -----------------------------------
    std::int64_t selectionStart() const;
    std::int64_t selectionLength() const;
    std::int64_t caret() const { return m_active; }   // the active end
    // Anchor at `start`, active end at start + length, both clamped to the text; the
    // active end is scrolled into view.
    void setSelection(std::int64_t start, std::int64_t length);
    void moveCaret(std::int64_t index, bool extendSelection);   // scrolls it into view

    // --- scroll position in lines; the widget tells how many lines fit ---------------
    std::int64_t topLine() const { return m_top; }
    void setTopLine(std::int64_t line);           // clamped
    void setVisibleLines(int lines);              // at least 1
    int visibleLines() const { return m_visible; }
    void scroll(ScrollStep step);                 // moves the view, not the caret
    void scrollCaretIntoView();                   // the least scroll that shows it

    // --- search ----------------------------------------------------------------------
    // First match lying wholly in [start, start + length) (clipped to the text), or -1.
    std::int64_t find(std::u16string_view what, std::int64_t start, std::int64_t length,
                      FindOptions options = {}) const;

    // Called after every text change and every re-anchoring.
    std::function<void()> onChanged;
    // Called when the scroll position changed (the widget repaints).
    std::function<void()> onScrolled;

private:
    template <class F> decltype(auto) withText(F&& f) const;
    const LineStarts& lines() const { return wrapped() ? m_rows : m_hardLines; }
    std::int64_t allLines() const { return lines().size(); }   // the empty last line too
    std::int64_t lineEnd(std::int64_t line) const;   // start of the next line, or length()
    void takeText(BookBytes plain, RichText rich, bool isRich);
    void relayout();
    // Like replacing a selection: the caret ends after the new text.
    void replaceRange(std::int64_t start, std::int64_t end, std::u16string_view text);
    bool holds(std::int64_t start, std::int64_t end, std::u16string_view units) const;
    void endLineEdit(std::int64_t caret);
    void scrollTo(std::int64_t line);
    void showLine(std::int64_t line);

    bool m_rich = false;
    BookBytes m_plain;
    RichText m_richText;
    LineStarts m_hardLines;
    LineStarts m_rows;                             // wrap rows, empty with wrap off
    const AdvanceSource* m_measure = nullptr;
    int m_wrapWidth = 0;
    std::int64_t m_anchor = 0;
    std::int64_t m_active = 0;
    std::int64_t m_top = 0;
    int m_visible = 1;
};

} // namespace lirra
