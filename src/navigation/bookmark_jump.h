#pragma once

// Going back to a bookmark: its book read anew from the file, then the jump that puts
// the bookmarked line at the top of the view.

#include <QString>
#include <cstdint>

namespace lirra {

class ReaderWindow;
class TBookView;

// The stored line number is used as a zero-based line index: the line below the
// bookmarked one takes the caret (at its start), and the bookmarked line becomes the
// top line of the view. Near either end of the book the limits of scrolling win; a
// number past the end moves no caret.
void jumpToBookmarkedLine(TBookView& view, std::int32_t lineNumber);

// "Get Book-Mark": the entry's book shown as LoadBook shows it, but not recorded in the
// history, and its line jumped to. An entry that names no book or no number raises
// lirra::Error before anything changes; a book that cannot be read raises the file
// error and leaves the view and the caption as they were.
void openBookmark(ReaderWindow& reader, const QString& entry);

// "Get Last Bookmark": the entry set last, opened through LoadBook (so the book goes
// into the history). With none stored the user is told so and nothing changes.
void openLastBookmark(ReaderWindow& reader);

} // namespace lirra
