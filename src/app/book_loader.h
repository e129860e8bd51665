#pragma once

// BookLoader: how books come into the view. A plain (DOS) book is converted line by
// line from code page 866 to 1251 in one pass into the text the view takes, the same
// bytes going to the temporary copy "lirra.tmp" on the way (the view never reads the copy
// back, so another reader writing it at the same time cannot change what this one
// shows); a rich (RTF) book is loaded as it is. Either way the view is put on its first
// line and the caption names the book.
//
// A plain book longer than its first page is shown at once by that page, while a worker
// thread makes the whole text (and the copy), and its rows when the view wraps; the view
// takes them when they are done. What needs the whole book waits for it through
// awaitWholeBook().

#include "bookview/core/book_copy.h"
#include "bookview/core/book_text.h"
#include "bookview/core/row_layout.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

class QEventLoop;

namespace lirra {

class FileDialog;
class ReaderWindow;
class TMRUManager;

// The plain book `name` converted line by line through `table` into the text the view
// will hold, written to the temporary copy "lirra.tmp" on the way (the old copy deleted
// first). A copy cut short, or stopped through `progress`, is deleted before the error
// (or ConversionStopped) goes on. A Unicode book keeps its characters (the copy in UTF-8)
// and a FictionBook shows as rich text (no copy), whatever `table` says. This is the one step that turns a book's bytes into the
// view's text; its first page comes from convertFirstPage.
BookText convertBook(const QString& name, const ByteTable& table, ConversionProgress* progress = nullptr);
// The book's first page the same way, without a copy; nullopt when that page is the
// whole book, or when the book must be read whole to be shown (a text that looks like
// rich text shows formatted).
std::optional<BookText> convertFirstPage(const QString& name, const ByteTable& table);

// What a worker makes of a book: its whole text and, with word wrap on, its rows.
struct WholeBook {
    BookText text;
    std::optional<WrappedRows> rows;
};

// A conversion running on a worker thread. `done` is called on that thread when it has
// ended, whichever way, unless it was stopped; take() then gives its book or throws its
// error. Destruction stops it and waits for the thread.
class ConversionThread {
public:
    ConversionThread(std::function<WholeBook(ConversionProgress&)> convert, std::function<void()> done);
    ~ConversionThread();
    ConversionThread(const ConversionThread&) = delete;
    ConversionThread& operator=(const ConversionThread&) = delete;

    void firstPageShown();   // lets the worker's helpers begin
    int percentDone() const;
    WholeBook take();

private:
    ConversionProgress m_progress;
    std::optional<WholeBook> m_book;
    std::exception_ptr m_error;
    std::jthread m_thread;   // last: stopped and joined before the rest goes
};

class BookLoader {
public:
    // `showProgress` shows how much of the book is loaded while a command waits for it
    // (nullopt: the wait is over).
    BookLoader(ReaderWindow& reader, TMRUManager& history, std::function<void(std::optional<int>)> showProgress);
    ~BookLoader();

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
    // The window closes: a load still running stops, and the copy is deleted.
    void closeDown();

    // Returns once the view holds the whole book, at once when it does. Meanwhile the
    // window repaints but takes no input, the cursor is busy and, after half a second,
    // the status line shows the progress. False when the load ended without the whole
    // book (it failed, or the window closed).
    bool awaitWholeBook();

private:
    void loadInBackground(const QString& name);
    void takeWholeBook();
    void stopLoading();
    void showNoBook();

    ReaderWindow& m_reader;
    TMRUManager& m_history;
    std::function<void(std::optional<int>)> m_showProgress;
    QObject m_guiThread;                // where the worker's news is delivered
    QMetaObject::Connection m_firstPagePainted;
    std::uint64_t m_loads = 0;          // tells a finished load from one stopped since
    QEventLoop* m_waiting = nullptr;    // the innermost wait of awaitWholeBook
    std::unique_ptr<ConversionThread> m_loading;   // last: stopped before the rest goes
};

} // namespace lirra
