#include "bookview/core/book_document.h"

#include "bookview/core/book_file.h"
#include "bookview/core/text_search.h"
#include "platform/codepages.h"
#include "platform/lirra_error.h"

#include <algorithm>
#include <optional>

namespace lirra {

namespace {

// Runs after replacing [start, end) of a text of `oldLength` units by `inserted` units:
// the new units take the format in force at `start`, the units after `end` keep theirs.
std::vector<FormatRun> shiftRuns(const std::vector<FormatRun>& runs, std::int64_t start, std::int64_t end,
                                 std::int64_t inserted, std::int64_t oldLength)
{
    std::vector<FormatRun> result;
    if (runs.empty())
        return result;
    const auto add = [&result](std::int64_t at, const CharFormat& format) {
        while (!result.empty() && result.back().start >= at)
            result.pop_back();
        if (result.empty() || result.back().format != format)
            result.push_back({at, format});
    };
    CharFormat atEnd = runs.front().format;
    for (const FormatRun& run : runs) {
        if (run.start <= start)
            add(run.start, run.format);
        if (run.start <= end)
            atEnd = run.format;
    }
    const std::int64_t delta = inserted - (end - start);
    if (end < oldLength) {
        add(start + inserted, atEnd);
        for (const FormatRun& run : runs)
            if (run.start > end)
                add(run.start + delta, run.format);
    }
    while (!result.empty() && result.back().start >= oldLength + delta)
        result.pop_back();
    return result;
}

// Plain text is written as it is held; rich text is encoded, best fit.
std::string_view ansiBytes(std::string_view ansi1251)
{
    return ansi1251;
}

std::string ansiBytes(std::u16string_view text)
{
    return platform::encodeAnsi(text);
}

} // namespace

BookDocument::BookDocument() : m_hardLines(scanHardLines(std::string_view())) {}

template <class F>
decltype(auto) BookDocument::withText(F&& f) const
{
    if (m_rich)
        return f(std::u16string_view(m_richText.text));
    return f(std::string_view(m_plain));
}

// --- content --------------------------------------------------------------------------

void BookDocument::loadFile(const std::string& path)
{
    BookBytes data = readBookFile(path);
    std::optional<RichText> rich = looksLikeRtf(data) ? parseRtf(data) : std::nullopt;
    if (!rich) {
        takeText(std::move(data), {}, false);
        return;
    }
    BookBytes().swap(data);   // free the file before the rich text is laid out
    setRichText(std::move(*rich));
}

void BookDocument::setPlainText(std::string_view ansi1251)
{
    takeText(BookBytes(ansi1251), {}, false);
}

void BookDocument::setRichText(RichText rich)
{
    takeText({}, std::move(rich), true);
}

void BookDocument::clear()
{
    takeText({}, {}, false);
}

void BookDocument::takeText(BookBytes plain, RichText rich, bool isRich)
{
    const auto size = static_cast<std::int64_t>(isRich ? rich.text.size() : plain.size());
    if (size > kMaxTextLength)
        throw Error("Failed to Load Stream");
    LineStarts hardLines = isRich ? scanHardLines(std::u16string_view(rich.text)) : scanHardLines(std::string_view(plain));
    m_rich = isRich;
    m_plain = std::move(plain);
    m_richText = std::move(rich);
    m_hardLines = std::move(hardLines);
    relayout();
    m_anchor = m_active = 0;
    scrollTo(0);
    if (onChanged)
        onChanged();
}

void BookDocument::saveAsPlainText(const std::string& path) const
{
    BookFileWriter out(path);
    withText([&](auto text) {
        const std::int64_t last = m_hardLines.size() - 1;
        for (std::int64_t line = 0; line <= last; ++line) {
            const std::int64_t start = m_hardLines[line];
            const std::int64_t end = line == last ? length() : m_hardLines[line + 1];
            if (line == last && start == end)
                break;   // an empty last line has no break of its own
            const auto content = text.substr(static_cast<std::size_t>(start),
                                             static_cast<std::size_t>(end - start - breakLengthBefore(text, end)));
            out.put(ansiBytes(content));
            out.put("\r\n");
        }
    });
    out.finish();
}

std::int64_t BookDocument::length() const
{
    return withText([](auto text) { return static_cast<std::int64_t>(text.size()); });
}

char16_t BookDocument::charAt(std::int64_t index) const
{
    const auto at = static_cast<std::size_t>(index);
    return m_rich ? m_richText.text[at] : platform::ansiToUnicode(static_cast<unsigned char>(m_plain[at]));
}

std::u16string BookDocument::text(std::int64_t start, std::int64_t count) const
{
    const std::int64_t from = std::clamp<std::int64_t>(start, 0, length());
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, length() - from);
    if (m_rich)
        return m_richText.text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(n));
    return platform::decodeAnsi(std::string_view(m_plain).substr(static_cast<std::size_t>(from),
                                                                 static_cast<std::size_t>(n)));
}

// --- lines ----------------------------------------------------------------------------

std::int64_t BookDocument::lineEnd(std::int64_t line) const
{
    return line + 1 < allLines() ? lines()[line + 1] : length();
}

std::int64_t BookDocument::lineCount() const
{
    const std::int64_t all = allLines();
    return lines()[all - 1] == length() ? all - 1 : all;
}

std::int64_t BookDocument::lineFromChar(std::int64_t index) const
{
    return lines().lineOf(std::clamp<std::int64_t>(index, 0, length()));
}

std::int64_t BookDocument::lineIndex(std::int64_t line) const
{
    return line >= 0 && line < allLines() ? lines()[line] : -1;
}

std::int64_t BookDocument::lineLength(std::int64_t line) const
{
    const std::int64_t start = lineIndex(line);
    if (start < 0)
        return -1;
    const std::int64_t end = lineEnd(line);
    if (line + 1 == allLines())
        return end - start;
    return end - start - withText([end](auto text) { return breakLengthBefore(text, end); });
}

std::u16string BookDocument::lineText(std::int64_t line) const
{
    const std::int64_t start = lineIndex(line);
    return start < 0 ? std::u16string() : text(start, lineLength(line));
}

void BookDocument::replaceLine(std::int64_t line, std::u16string_view newText)
{
    const std::int64_t start = lineIndex(line);
    if (start < 0)
        return;
    const std::int64_t end = start + lineLength(line);
    if (!holds(start, end, newText))
        replaceRange(start, end, newText);
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
    m_anchor = m_active = caret;
    scrollCaretIntoView();
    if (onChanged)
        onChanged();
}

bool BookDocument::holds(std::int64_t start, std::int64_t end, std::u16string_view units) const
{
    if (end - start != static_cast<std::int64_t>(units.size()))
        return false;
    for (std::size_t i = 0; i < units.size(); ++i)
        if (charAt(start + static_cast<std::int64_t>(i)) != units[i])
            return false;
    return true;
}

void BookDocument::replaceRange(std::int64_t start, std::int64_t end, std::u16string_view newText)
{
    const std::int64_t topChar = lines()[m_top];
    const auto pos = static_cast<std::size_t>(start);
    const auto count = static_cast<std::size_t>(end - start);
    if (m_rich) {
        m_richText.runs = shiftRuns(m_richText.runs, start, end, static_cast<std::int64_t>(newText.size()), length());
        m_richText.text.replace(pos, count, newText);
    } else {
        m_plain.replace(pos, count, platform::encodeAnsi(newText));
    }
    m_hardLines = withText([](auto text) { return scanHardLines(text); });
    relayout();
    m_anchor = m_active = start + static_cast<std::int64_t>(newText.size());
    scrollTo(lineFromChar(topChar));
}

// --- word wrap ------------------------------------------------------------------------

void BookDocument::setWrap(const AdvanceSource* measure, int widthPixels)
{
    const std::int64_t topChar = lines()[m_top];
    m_measure = measure;
    m_wrapWidth = widthPixels;
    relayout();
    scrollTo(lineFromChar(topChar));   // the same text stays on top
}

void BookDocument::relayout()
{
    if (m_measure)
        m_rows = withText([this](auto text) { return wrapRows(text, m_hardLines, *m_measure, m_wrapWidth); });
    else
        m_rows = LineStarts();
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

void BookDocument::setSelection(std::int64_t start, std::int64_t length)
{
    const std::int64_t size = this->length();
    m_anchor = std::clamp<std::int64_t>(start, 0, size);
    m_active = std::clamp<std::int64_t>(length, -m_anchor, size - m_anchor) + m_anchor;
    scrollCaretIntoView();
}

void BookDocument::moveCaret(std::int64_t index, bool extendSelection)
{
    m_active = std::clamp<std::int64_t>(index, 0, length());
    if (!extendSelection)
        m_anchor = m_active;
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
    switch (step) {
    case ScrollStep::LineUp: scrollTo(m_top - 1); break;
    case ScrollStep::LineDown: scrollTo(m_top + 1); break;
    case ScrollStep::PageDown: scrollTo(m_top + m_visible); break;
    }
}

void BookDocument::showLine(std::int64_t line)
{
    if (line < m_top)
        scrollTo(line);
    else if (line >= m_top + m_visible)
        scrollTo(line - m_visible + 1);
}

void BookDocument::scrollCaretIntoView()
{
    showLine(lineFromChar(m_active));
}

// --- search ---------------------------------------------------------------------------

std::int64_t BookDocument::find(std::u16string_view what, std::int64_t start, std::int64_t length,
                                FindOptions options) const
{
    const std::int64_t size = this->length();
    const std::int64_t from = std::clamp<std::int64_t>(start, 0, size);
    const std::int64_t to = std::clamp<std::int64_t>(length, 0, size - from) + from;
    return withText([&](auto text) { return findText(text, what, from, to, options); });
}

} // namespace lirra
