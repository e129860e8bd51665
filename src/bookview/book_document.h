#pragma once

// BookDocument: the whole book held once, with its line index, wrap rows, caret,
// selection, scroll position and search. Toolkit-free; TBookView paints it.
//
// Plain books keep their 1251 bytes (one byte a character); rich books keep UTF-16.
// Character indices mean the same in both. Line breaks (CR LF, lone CR, lone LF) are
// characters of the text like any other. A "line" of the view is a hard line with
// word wrap off and a wrapped row with word wrap on.

#include "bookview/book_types.h"
#include "bookview/rtf_reader.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lirra {

// Widths of characters in the current font, for word wrap. The widget supplies one.
class AdvanceSource {
public:
    virtual ~AdvanceSource() = default;
    virtual int advance(char16_t unit) const = 0;   // pixels
    virtual bool fixedPitch() const = 0;            // every advance is the same
};

class BookDocument {
public:
    // --- content (see TBookView for the error texts) --------------------------------
    void loadFile(const std::string& path);
    void setPlainText(std::string ansi1251);
    void setRichText(RichText rich);
    void saveAsPlainText(const std::string& path) const;
    void clear();
    bool isRich() const;
    std::int64_t length() const;
    char16_t charAt(std::int64_t index) const;
    std::u16string text(std::int64_t start, std::int64_t count) const;
    const std::vector<FormatRun>& runs() const;   // empty for plain books

    // --- lines of the view -------------------------------------------------------------
    std::int64_t lineCount() const;               // an empty last line does not count
    std::int64_t lineFromChar(std::int64_t index) const;
    std::int64_t lineIndex(std::int64_t line) const;   // -1 if no such line
    std::int64_t lineLength(std::int64_t line) const;  // without the line break
    std::u16string lineText(std::int64_t line) const;
    void replaceLine(std::int64_t line, std::u16string_view text);
    void reanchorLine(std::int64_t line);

    // --- word wrap: nullptr switches it off ---------------------------------------------
    void setWrap(const AdvanceSource* measure, int widthPixels);
    bool wrapped() const;

    // --- caret and selection (anchor and active end) ------------------------------------
    std::int64_t selectionStart() const;
    std::int64_t selectionLength() const;
    std::int64_t caret() const;                   // the active end
    void setSelection(std::int64_t start, std::int64_t length);
    void moveCaret(std::int64_t index, bool extendSelection);

    // --- scroll position in lines; the widget tells how many lines fit ------------------
    std::int64_t topLine() const;
    void setTopLine(std::int64_t line);           // clamped
    void setVisibleLines(int lines);
    int visibleLines() const;
    void scroll(ScrollStep step);                 // moves the view, not the caret
    void scrollCaretIntoView();

    // --- search ----------------------------------------------------------------------
    std::int64_t find(std::u16string_view what, std::int64_t start, std::int64_t length,
                      FindOptions options = {}) const;

    // Called after every text change and every re-anchoring.
    std::function<void()> onChanged;
    // Called when the scroll position changed (the widget repaints).
    std::function<void()> onScrolled;

    // (implementation adds private members)
};

} // namespace lirra
