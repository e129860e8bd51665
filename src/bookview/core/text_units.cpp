#include "bookview/core/text_units.h"

#include "bookview/core/text_search.h"

#include <algorithm>

namespace lirra {
namespace {

TextRange wordAt(const RowLayout& layout, std::int64_t index)
{
    const BookText& text = layout.text();
    if (index >= text.length())
        return {index, index};
    const std::int64_t line = layout.lineFromChar(index);
    const std::int64_t lineStart = layout.lineIndex(line);
    const std::int64_t lineEnd = layout.lineEnd(line);
    const bool word = isWordUnit(text.charAt(index));
    TextRange range{index, index + 1};
    while (range.start > lineStart && isWordUnit(text.charAt(range.start - 1)) == word)
        --range.start;
    while (range.end < lineEnd && isWordUnit(text.charAt(range.end)) == word)
        ++range.end;
    return range;
}

TextRange paragraphAt(const BookText& text, std::int64_t index)
{
    const LineStarts& hard = text.hardLines();
    const std::int64_t line = hard.lineOf(index);
    return {hard[line], line + 1 < hard.size() ? hard[line + 1] : text.length()};
}

} // namespace

TextRange unitAt(const RowLayout& layout, TextUnit unit, std::int64_t index)
{
    const std::int64_t length = layout.text().length();
    const std::int64_t at = std::clamp<std::int64_t>(index, 0, length);
    switch (unit) {
    case TextUnit::Character: return {at, std::min(at + 1, length)};
    case TextUnit::Word: return wordAt(layout, at);
    case TextUnit::Line: {
        const std::int64_t line = layout.lineFromChar(at);
        return {layout.lineIndex(line), layout.lineEnd(line)};
    }
    case TextUnit::Paragraph: return paragraphAt(layout.text(), at);
    case TextUnit::Whole: break;
    }
    return {0, length};
}

TextRange unitBefore(const RowLayout& layout, TextUnit unit, std::int64_t index)
{
    const TextRange current = unitAt(layout, unit, index);
    return current.start > 0 ? unitAt(layout, unit, current.start - 1) : TextRange{0, 0};
}

TextRange unitAfter(const RowLayout& layout, TextUnit unit, std::int64_t index)
{
    const std::int64_t length = layout.text().length();
    const TextRange current = unitAt(layout, unit, index);
    return current.end < length ? unitAt(layout, unit, current.end) : TextRange{length, length};
}

} // namespace lirra
