#include "app/book_conversion.h"

#include "app/book_loader.h"
#include "bookview/widget/book_view.h"
#include "platform/codepage_tables.h"
#include "platform/file_errors.h"
#include "platform/file_names.h"
#include "reader/book_names.h"
#include "reader/reader_window.h"

#include <cerrno>

namespace lirra {

const ByteTable& windowsRoundTrip()
{
    static const ByteTable table = [] {
        ByteTable composed{};
        for (std::size_t byte = 0; byte < composed.size(); ++byte)
            composed[byte] = platform::tables::kOem866ToAnsi1251[platform::tables::kAnsi1251ToOem866[byte]];
        return composed;
    }();
    return table;
}

void convertToWin(ReaderWindow& reader)
{
    // Taken first: loading refreshes the status line, and with it CurLine.
    const std::int32_t curLine = reader.currentLine();
    // The idle caption names no file; a file of that name in the current folder is
    // not a book the reader opened.
    if (!reader.hasBook())
        platform::throwFileError(ENOENT);
    TBookView& view = reader.bookView();
    view.loadText(convertBook(reader.bookName(), windowsRoundTrip()));
    // CurLine is one-based, so this is the line below the caret's; past the last line
    // the view stays where the load left it.
    view.reanchorLine(curLine);
    view.repaintNow();
}

} // namespace lirra
