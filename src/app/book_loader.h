#pragma once

// BookLoader: how books come into the view. A plain (DOS) book is converted line by
// line from code page 866 to 1251 in one pass into the text the view takes, the same
// bytes going to the temporary copy "lirra.tmp" on the way (the view never reads the copy
// back, so another reader writing it at the same time cannot change what this one
// shows); a rich (RTF) book is loaded as it is. Either way the view is put on its first
// line and the caption names the book.

#include "bookview/core/book_copy.h"
#include "bookview/core/book_text.h"

#include <QString>
#include <string>

namespace lirra {

class FileDialog;
class ReaderWindow;
class TMRUManager;

// The plain book `name` converted line by line through `table` into the text the view
// will hold, written to the temporary copy "lirra.tmp" on the way (the old copy deleted
// first). A copy cut short is deleted before the error goes on. A Unicode book keeps its
// characters (the copy in UTF-8) and a FictionBook shows as rich text (no copy), whatever
// `table` says.
BookText convertBook(const QString& name, const ByteTable& table);

class BookLoader {
public:
    BookLoader(ReaderWindow& reader, TMRUManager& history);

    // LoadBook: convert, show, caption, record in the history, repaint.
    void loadBook(const QString& name);
    // The same without the history (reopening from the history list, bookmarks).
    void showBook(const QString& name);
    // "Open Book" and "Open RTF Book": the copy is dropped first, then the dialog asks.
    void openBook(FileDialog& dialog);
    void openRtfBook(FileDialog& dialog);
    // The first of the dropped files, as a plain book.
    void openDropped(const QStringList& files);
    // "Clear All": an empty view and the idle caption.
    void clear();
    // Deletes lirra.tmp; a copy that is missing or cannot be deleted is no error.
    void dropCopy();

private:
    ReaderWindow& m_reader;
    TMRUManager& m_history;
};

} // namespace lirra
