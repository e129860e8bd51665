#include "bookview/core/book_document.h"

#include <algorithm>

namespace lirra {

BookDocument::BookDocument() : m_text(std::make_shared<BookText>()), m_layout(*m_text) {}

// --- content --------------------------------------------------------------------------

void BookDocument::loadFile(const std::string& path)
{
    setText(loadBookText(path));
}

void BookDocument::setPlainText(std::string_view ansi1251)
{
    setText(BookText(BookBytes(ansi1251)));
}

void BookDocument::setRichText(RichText rich)
{
    setText(BookText(std::move(rich)));
}

void BookDocument::clear()
{
    setText(BookText());
}

void BookDocument::setText(BookText text)
{
    m_text = std::make_shared<BookText>(std::move(text));
    m_layout.setText(*m_text);
    setCaret(0, 0);
    scrollTo(0);
    if (onChanged)
        onChanged();
}

void BookDocument::extendText(BookText whole, std::optional<WrappedRows> rows)
{
    const std::int64_t topChar = lineIndex(m_top);
    m_text = std::make_shared<BookText>(std::move(whole));
    m_layout.setText(*m_text, std::move(rows));
    m_top = lineFromChar(topChar);
}

// --- lines ----------------------------------------------------------------------------

void BookDocument::replaceLine(std::int64_t line, std::u16string_view newText)
{
    const std::int64_t start = lineIndex(line);
    if (start < 0)
        return;
    const std::int64_t end = start + lineLength(line);
    if (!m_text->holds(start, end, newText)) {
        const std::int64_t topChar = lineIndex(m_top);
        // Copy on write: a printout may still be reading the text as it was.
        if (m_text.use_count() > 1)
            m_text = std::make_shared<BookText>(*m_text);
        m_text->replace(start, end, newText);
        m_layout.setText(*m_text);
        scrollTo(lineFromChar(topChar));
    }
    endLineEdit(start + static_cast<std::int64_t>(newText.size()));
}

void BookDocument::reanchorLine(std::int64_t line)
{
    if (line < 0 || line >= lineCount())
        return;
    // The line replaced by its own text: nothing to change, however long it is.
    endLineEdit(lineIndex(line) + lineLength(line));
}

void BookDocument::endLineEdit(std::int64_t caret)
{
    setCaret(caret, caret);
    scrollCaretIntoView();
    if (onChanged)
        onChanged();
}

// --- word wrap ------------------------------------------------------------------------

void BookDocument::setWrap(const AdvanceSource* measure, int widthPixels)
{
    const std::int64_t topChar = lineIndex(m_top);
    m_layout.setWrap(measure, widthPixels);
    scrollTo(lineFromChar(topChar));   // the same text stays on top
}

// --- caret and selection --------------------------------------------------------------

std::int64_t BookDocument::selectionStart() const
{
    return std::min(m_anchor, m_active);
}

std::int64_t BookDocument::selectionLength() const
{
    return std::max(m_anchor, m_active) - selectionStart();
}

void BookDocument::setCaret(std::int64_t anchor, std::int64_t active)
{
    if (anchor == m_anchor && active == m_active)
        return;
    m_anchor = anchor;
    m_active = active;
    if (onCaretMoved)
        onCaretMoved();
}

void BookDocument::setSelection(std::int64_t start, std::int64_t length)
{
    const std::int64_t size = this->length();
    const std::int64_t anchor = std::clamp<std::int64_t>(start, 0, size);
    setCaret(anchor, std::clamp<std::int64_t>(length, -anchor, size - anchor) + anchor);
    scrollCaretIntoView();
}

void BookDocument::moveCaret(std::int64_t index, bool extendSelection)
{
    const std::int64_t active = std::clamp<std::int64_t>(index, 0, length());
    setCaret(extendSelection ? m_anchor : active, active);
    scrollCaretIntoView();
}

// --- scrolling ------------------------------------------------------------------------

void BookDocument::scrollTo(std::int64_t line)
{
    const std::int64_t top = std::clamp<std::int64_t>(line, 0, std::max<std::int64_t>(0, lineCount() - 1));
    if (top == m_top)
        return;
    m_top = top;
    if (onScrolled)
        onScrolled();
}

void BookDocument::setTopLine(std::int64_t line)
{
    scrollTo(line);
}

void BookDocument::setVisibleLines(int lines)
{
    m_visible = std::max(1, lines);
    scrollTo(m_top);
}

void BookDocument::scroll(ScrollStep step)
{
    // Once the last line is in view there is nothing to scroll down: the steps stop with
    // it at the bottom (and never pull back a view the keys took further).
    const std::int64_t lastPage = std::max(m_top, lineCount() - m_visible);
    switch (step) {
    case ScrollStep::LineUp: scrollTo(m_top - 1); break;
    case ScrollStep::LineDown: scrollTo(std::min(m_top + 1, lastPage)); break;
    case ScrollStep::PageDown: scrollTo(std::min(m_top + m_visible, lastPage)); break;
    }
}

void BookDocument::scrollIntoView(std::int64_t index)
{
    const std::int64_t line = lineFromChar(index);
    if (line < m_top)
        scrollTo(line);
    else if (line >= m_top + m_visible)
        scrollTo(line - m_visible + 1);
}

} // namespace lirra
