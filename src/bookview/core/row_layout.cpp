#include "bookview/core/row_layout.h"

#include "bookview/core/book_copy.h"

#include <algorithm>
#include <type_traits>

namespace lirra {

void RowLayout::setText(const BookText& text, std::optional<WrappedRows> made)
{
    m_text = &text;
    if (made && m_ansiWrap && made->request == *m_ansiWrap)
        m_rows = std::move(made->rows);
    else
        relayout();
}

void RowLayout::setWrap(const AdvanceSource* measure, int widthPixels)
{
    m_measure = measure;
    if (measure)
        m_ansiWrap = WrapRequest{AnsiAdvances(*measure), widthPixels};
    else
        m_ansiWrap.reset();
    relayout();
}

void RowLayout::relayout()
{
    if (!m_measure) {
        m_rows = LineStarts();
        return;
    }
    m_rows = m_text->visit([this](auto text) {
        if constexpr (std::is_same_v<decltype(text), std::string_view>)
            return wrapRows(text, m_text->hardLines(), *m_ansiWrap);
        else
            return wrapRows(text, m_text->hardLines(), *m_measure, m_ansiWrap->widthPixels);
    });
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
    // of those that span the most characters, break included, is the longest: one walk
    // measures only the lines that span the most so far.
    std::int64_t widest = -1;
    std::int64_t longestOfWidest = 0;
    starts().eachSpan([&](std::int64_t line, std::int64_t span) {
        if (span < widest)
            return;
        if (span > widest) {
            widest = span;
            longestOfWidest = 0;
        }
        longestOfWidest = std::max(longestOfWidest, lineLength(line));
    });
    return std::max(longestOfWidest, lineLength(allLines() - 1));
}

std::u16string RowLayout::lineText(std::int64_t line) const
{
    const std::int64_t start = lineIndex(line);
    return start < 0 ? std::u16string() : m_text->text(start, lineLength(line));
}

void WrapInUse::set(std::optional<WrapRequest> request)
{
    const std::lock_guard lock(m_mutex);
    m_request = std::move(request);
}

std::optional<WrappedRows> WrapInUse::wrap(const BookText& text, const std::stop_token& stop) const
{
    std::optional<WrapRequest> request;
    {
        const std::lock_guard lock(m_mutex);
        request = m_request;
    }
    if (!request)
        return std::nullopt;
    return text.visit([&](auto units) -> std::optional<WrappedRows> {
        if constexpr (std::is_same_v<decltype(units), std::string_view>) {
            LineStarts rows = wrapRows(units, text.hardLines(), *request, stop);
            if (stop.stop_requested())
                throw ConversionStopped();
            return WrappedRows{*request, std::move(rows)};
        } else {
            return std::nullopt;
        }
    });
}

} // namespace lirra
