#include "bookview/core/row_layout.h"

#include <algorithm>

namespace lirra {

void RowLayout::setText(const BookText& text)
{
    m_text = &text;
    relayout();
}

void RowLayout::setWrap(const AdvanceSource* measure, int widthPixels)
{
    m_measure = measure;
    m_wrapWidth = widthPixels;
    relayout();
}

void RowLayout::relayout()
{
    if (m_measure)
        m_rows = m_text->visit([this](auto text) { return wrapRows(text, m_text->hardLines(), *m_measure, m_wrapWidth); });
    else
        m_rows = LineStarts();
}

std::int64_t RowLayout::lineCount() const
{
    const std::int64_t all = allLines();
    return starts()[all - 1] == m_text->length() ? all - 1 : all;
}

std::int64_t RowLayout::lineFromChar(std::int64_t index) const
{
    return starts().lineOf(std::clamp<std::int64_t>(index, 0, m_text->length()));
}

std::int64_t RowLayout::lineIndex(std::int64_t line) const
{
    return line >= 0 && line < allLines() ? starts()[line] : -1;
}

std::int64_t RowLayout::lineEnd(std::int64_t line) const
{
    return line + 1 < allLines() ? starts()[line + 1] : m_text->length();
}

std::int64_t RowLayout::lineLength(std::int64_t line) const
{
    const std::int64_t start = lineIndex(line);
    if (start < 0)
        return -1;
    const std::int64_t end = lineEnd(line);
    if (line + 1 == allLines())
        return end - start;
    return end - start - m_text->visit([end](auto text) { return breakLengthBefore(text, end); });
}

std::int64_t RowLayout::longestLine() const
{
    // Every line but the last ends with a break of one or two characters, so among them one
    // of those that span the most characters, break included, is the longest.
    const LineStarts& lines = starts();
    std::int64_t widest = 0;
    lines.eachSpan([&widest](std::int64_t, std::int64_t span) { widest = std::max(widest, span); });
    std::int64_t longest = lineLength(allLines() - 1);
    lines.eachSpan([&](std::int64_t line, std::int64_t span) {
        if (span == widest)
            longest = std::max(longest, lineLength(line));
    });
    return longest;
}

std::u16string RowLayout::lineText(std::int64_t line) const
{
    const std::int64_t start = lineIndex(line);
    return start < 0 ? std::u16string() : m_text->text(start, lineLength(line));
}

} // namespace lirra
