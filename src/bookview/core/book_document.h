#pragma once

// BookDocument: what one view holds of a book — the shared text, the view's own row
// layout, caret, selection and scroll position. Toolkit-free; TBookView paints it.
//
// A "line" of the view is a hard line with word wrap off and a wrapped row with word
// wrap on (see RowLayout, also for the empty last line that is not counted).
//
// Scrolling: the top line runs from 0 to the last counted line, so the keys and the
// scroll bar can take the view until the book's last line stands at its top. The scroll
// steps (scroll()) go no further than the last line at the bottom.

#include "bookview/core/book_text.h"
#include "bookview/core/book_types.h"
#include "bookview/core/row_layout.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
    // Takes the text as it is given (a book converted on its way in); never fails.
    void setText(BookText text);
    // The rest of the text come: `whole` begins with the text held now. The caret, the
    // selection and the top line stay; nothing is told (nothing moved). Rows made for it
    // are taken when they fit the wrap of now (RowLayout::setText).
    void extendText(BookText whole, std::optional<WrappedRows> rows);
    void setPlainText(std::string_view ansi1251);   // copies; loadFile reads in place
    void setRichText(RichText rich);
    void saveAsPlainText(const std::string& path) const { m_text->saveAsPlainText(path); }
    void clear();
    bool isRich() const { return m_text->isRich(); }
    std::int64_t length() const { return m_text->length(); }
    char16_t charAt(std::int64_t index) const { return m_text->charAt(index); }   // index in [0, length())
    std::u16string text(std::int64_t start, std::int64_t count) const { return m_text->text(start, count); }
    const std::vector<FormatRun>& runs() const { return m_text->runs(); }   // empty for plain books
    const FormatTable& formats() const { return m_text->formats(); }
    // The text to lay out elsewhere (a printout): shared, never copied. A later line
    // edit leaves it as it was.
    std::shared_ptr<const BookText> sharedText() const { return m_text; }
    const RowLayout& layout() const { return m_layout; }

    // --- lines of the view -----------------------------------------------------------
    std::int64_t lineCount() const { return m_layout.lineCount(); }   // an empty last line does not count
    std::int64_t lineFromChar(std::int64_t index) const { return m_layout.lineFromChar(index); }   // clamped
    std::int64_t lineIndex(std::int64_t line) const { return m_layout.lineIndex(line); }   // -1 if none
    std::int64_t lineLength(std::int64_t line) const { return m_layout.lineLength(line); }   // -1 if none
    std::u16string lineText(std::int64_t line) const { return m_layout.lineText(line); }   // empty if none
    // Replaces the line's characters (not its break) and leaves the caret after them,
    // in view; onChanged fires. Nothing at all when the line does not exist.
    void replaceLine(std::int64_t line, std::u16string_view text);
    // Caret to the end of `line`, selection empty, line brought into view, onChanged.
    // Nothing at all unless 0 <= line < lineCount().
    void reanchorLine(std::int64_t line);

    // --- word wrap: nullptr switches it off; `measure` must outlive the wrap ----------
    void setWrap(const AdvanceSource* measure, int widthPixels);
    bool wrapped() const { return m_layout.wrapped(); }

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
    void scroll(ScrollStep step);                 // moves the view, not the caret; see above
    void scrollIntoView(std::int64_t index);      // the least scroll that shows it
    void scrollCaretIntoView() { scrollIntoView(m_active); }

    // --- search ----------------------------------------------------------------------
    // First match lying wholly in [start, start + length) (clipped to the text), or -1.
    std::int64_t find(std::u16string_view what, std::int64_t start, std::int64_t length,
                      FindOptions options = {}) const
    {
        return m_text->find(what, start, length, options);
    }

    // Called after every text change and every re-anchoring.
    std::function<void()> onChanged;
    // Called when the scroll position changed (the widget repaints).
    std::function<void()> onScrolled;
    // Called when the caret or the selection changed.
    std::function<void()> onCaretMoved;

private:
    void setCaret(std::int64_t anchor, std::int64_t active);
    void endLineEdit(std::int64_t caret);
    void scrollTo(std::int64_t line);

    std::shared_ptr<BookText> m_text;
    RowLayout m_layout;
    std::int64_t m_anchor = 0;
    std::int64_t m_active = 0;
    std::int64_t m_top = 0;
    int m_visible = 1;
};

} // namespace lirra
