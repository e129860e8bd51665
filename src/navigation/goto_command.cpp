#include "navigation/goto_command.h"

#include "bookview/core/percent.h"
#include "bookview/widget/book_view.h"
#include "platform/integer_text.h"
#include "reader/reader_window.h"

namespace lirra {

std::optional<std::int64_t> percentTargetLine(std::int64_t lineCount, std::int32_t percent)
{
    if (percent < 1 || percent > 100)
        return std::nullopt;
    // In 64 bits: a 32-bit product would overflow beyond 21 million lines.
    return roundHalfEven(lineCount * percent, 100) - 1;
}

void gotoPercentOrLine(ReaderWindow& reader, const QString& percentText, const QString& lineText)
{
    TBookView& view = reader.bookView();
    if (!percentText.isEmpty()) {
        if (const auto line = percentTargetLine(view.lineCount(), strToInt(percentText.toStdString())))
            view.reanchorLine(*line);
    }
    // No range check: a line that does not exist leaves the caret where it is.
    if (!lineText.isEmpty())
        view.reanchorLine(std::int64_t(strToInt(lineText.toStdString())) - 1);
    reader.refreshStatus();
    view.repaintNow();
}

void gotoFirstPage(TBookView& view)
{
    view.reanchorLine(0);
    view.repaintNow();
}

} // namespace lirra
