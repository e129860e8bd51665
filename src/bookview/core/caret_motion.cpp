#include "bookview/core/caret_motion.h"

#include <algorithm>

namespace lirra {
namespace {

bool isLineBreakPair(const BookDocument& document, std::int64_t at)
{
    return at >= 0 && at + 1 < document.length() && document.charAt(at) == u'\r' &&
           document.charAt(at + 1) == u'\n';
}

} // namespace

std::int64_t CaretMotion::toLine(const BookDocument& document, std::int64_t caret, std::int64_t lines)
{
    const std::int64_t line = document.lineFromChar(caret);
    if (m_goalColumn < 0)
        m_goalColumn = caret - document.lineIndex(line);
    // The end of the text may sit on an empty line that the line count leaves out.
    const std::int64_t lastLine = document.lineFromChar(document.length());
    const std::int64_t target = std::clamp<std::int64_t>(line + lines, 0, lastLine);
    const std::int64_t first = document.lineIndex(target);
    return first + std::min(m_goalColumn, document.lineLength(target));
}

std::int64_t CaretMotion::target(const BookDocument& document, CaretMove move, std::int64_t caret,
                                 int pageLines)
{
    const bool vertical = move == CaretMove::LineUp || move == CaretMove::LineDown ||
                          move == CaretMove::PageUp || move == CaretMove::PageDown;
    if (!vertical)
        forgetColumn();
    switch (move) {
    case CaretMove::LineUp: return toLine(document, caret, -1);
    case CaretMove::LineDown: return toLine(document, caret, 1);
    case CaretMove::PageUp: return toLine(document, caret, -pageLines);
    case CaretMove::PageDown: return toLine(document, caret, pageLines);
    case CaretMove::LineStart: return document.lineIndex(document.lineFromChar(caret));
    case CaretMove::LineEnd: {
        const std::int64_t line = document.lineFromChar(caret);
        return document.lineIndex(line) + document.lineLength(line);
    }
    case CaretMove::TextStart: return 0;
    case CaretMove::TextEnd: return document.length();
    case CaretMove::CharLeft:
        return std::max<std::int64_t>(0, caret - (isLineBreakPair(document, caret - 2) ? 2 : 1));
    case CaretMove::CharRight:
        return std::min(document.length(), caret + (isLineBreakPair(document, caret) ? 2 : 1));
    }
    return caret;
}

} // namespace lirra
