#include "navigation/bookmark_jump.h"

#include "bookview/widget/book_view.h"
#include "navigation/bookmark_store.h"
#include "platform/integer_text.h"
#include "platform/lirra_error.h"
#include "reader/message_boxes.h"
#include "reader/reader_window.h"

namespace lirra {

namespace {

const QString kNoBookmark = QStringLiteral("No book-mark has been set yet.");

struct Target {
    QString book;
    std::int32_t lineNumber;
};

// The whole entry is read before the book is touched, so a damaged entry changes
// nothing: the view never shows one book under the caption of another.
Target targetOf(const QString& entry)
{
    const auto place = splitBookmark(entry);
    if (!place)
        throw Error(formatText("'%s' is not a book-mark", entry.toStdString()));
    return {place->book, strToInt(place->lineNumber.toStdString())};
}

} // namespace

void jumpToBookmarkedLine(TBookView& view, std::int32_t lineNumber)
{
    view.reanchorLine(lineNumber);
    // A page down leaves the caret's line above the view; bringing the caret back into
    // view makes its line the top one, and a line up shows the bookmarked line above it.
    // Near the end the page down stops with the last line at the bottom, the bookmarked
    // line already in view: a line up would only hide the last one.
    view.scroll(ScrollStep::PageDown);
    view.scrollCaretIntoView();
    if (view.firstVisibleLine() > lineNumber - 1)
        view.scroll(ScrollStep::LineUp);
    view.sendKey(VirtualKey::Home);
}

void openBookmark(ReaderWindow& reader, const QString& entry)
{
    const Target target = targetOf(entry);
    reader.showBook(target.book);
    if (reader.awaitWholeBook())
        jumpToBookmarkedLine(reader.bookView(), target.lineNumber);
}

void openLastBookmark(ReaderWindow& reader)
{
    const auto entry = lastBookmark();
    if (!entry) {
        showMessage(BoxKind::Information, kNoBookmark);
        return;
    }
    const Target target = targetOf(*entry);
    reader.LoadBook(target.book);
    if (reader.awaitWholeBook())
        jumpToBookmarkedLine(reader.bookView(), target.lineNumber);
}

} // namespace lirra
