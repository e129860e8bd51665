#include "app/reading_position.h"

#include "bookview/core/percent.h"
#include "bookview/widget/book_view.h"

namespace lirra {

ReadingPosition readingPosition(const TBookView& view)
{
    const std::int64_t caret = view.caretPosition();
    const std::int64_t line = view.lineFromChar(caret);
    const std::int64_t first = view.lineIndex(line);
    ReadingPosition position;
    position.lineNumber = static_cast<std::int32_t>(line + 1);
    position.column = static_cast<std::int32_t>(caret - first + 1);
    if (view.holdsWholeText())
        position.percent = readingPercent(position.lineNumber, view.lineCount());
    else
        position.percent.reset();
    return position;
}

} // namespace lirra
