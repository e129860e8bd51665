#pragma once

// The BookMarks key and its entries. This file is the key's one owner: every bookmark
// of every book, in the order they were set, in the registry's list layout ("Count" =
// index of the last entry, "0".."N" the entries). An entry reads
// "[" date "] " book " <" line number ">", e.g. "[05.12.99] /books/tale.txt <128>".

#include "reader/book_names.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace lirra {

inline constexpr const char* kBookMarksKey = "Software\\Lirra Reader\\BookMarks";

// The date is always written dd.MM.yy, so every entry this program writes has its
// book at the same place.
QString bookmarkEntry(const QDate& day, const QString& book, const QString& lineNumber);

struct BookmarkPlace {
    QString book;         // the file name the book was opened with
    QString lineNumber;   // as the status line showed it; not yet read as a number
};

// The book is the text after the first "] " up to the last " <" (a file name may hold
// " <" itself, a line number never does); the line number is the rest without its
// last character, the ">". Nothing when the entry names no book.
std::optional<BookmarkPlace> splitBookmark(const QString& entry);

// The stored entries, read by the rule of every stored list (platform/registry_list.h):
// not `found` when there is no key or no "Count" (a dialog then keeps the rows it
// shows), and the read error beside the entries that could be read.
StoredNames loadBookmarks();
// "Set Book-Mark": the entries written into the key, created if missing.
void storeBookmarks(const QStringList& entries);
// "Delete": the key made to hold exactly these entries, in one change, so that no
// entry of a removed index stays behind and the bookmarks are never missing meanwhile.
void replaceBookmarks(const QStringList& entries);
// "Clear": deletes the key; false when there was none. Raises "Failed to delete key %s"
// when the hive cannot be changed.
bool clearBookmarks();
// The last stored entry, the one set last; nothing when none is stored. Raises the
// list's read error.
std::optional<QString> lastBookmark();

} // namespace lirra
