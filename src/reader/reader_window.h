#pragma once

// ReaderWindow: the narrow face of the main window that the subsystems (navigation,
// settings, history, extras) work through, so that none of them depends on the window
// itself. TForm1 implements it.

#include <QString>
#include <cstdint>

class QWidget;

namespace lirra {

class TBookView;

// The caption that says that no book is open.
inline const QString kIdleCaption = QStringLiteral("Lirra Reader");

class ReaderWindow {
public:
    virtual ~ReaderWindow() = default;

    // The book view, RichEdit1.
    virtual TBookView& bookView() = 0;
    // The window the dialogs belong to.
    virtual QWidget* dialogParent() = 0;

    // The open book's name is the window caption; kIdleCaption while none is open.
    virtual QString bookName() const = 0;
    virtual void setBookName(const QString& name) = 0;
    bool hasBook() const { return bookName() != kIdleCaption; }
    // The file last chosen in the "Open Book" dialog, whichever book is open now; empty
    // until that dialog has been used.
    virtual QString lastChosenBookName() const = 0;

    // The one procedure that opens a plain (DOS) book: converted copy, view, caption,
    // history. Raises lirra::Error with the file error texts.
    virtual void LoadBook(const QString& name) = 0;
    // LoadBook without the history: the book is converted, shown and captioned.
    virtual void showBook(const QString& name) = 0;
    // A plain book's first page is shown before the rest is loaded: this returns once
    // the view holds the whole book (at once if it does), the window answering
    // meanwhile. False when the load ended without it; the command then does nothing.
    virtual bool awaitWholeBook() = 0;

    // Refreshes the status line from the caret and keeps the line and column the
    // subsystems read back below.
    virtual void refreshStatus() = 0;
    // The caret's one-based line and column as the last key or text change left them
    // (CurLine, CurCol).
    virtual std::int32_t currentLine() const = 0;
    virtual std::int32_t currentColumn() const = 0;
    // The line number the status line shows (Label3's caption).
    virtual QString shownLineNumber() const = 0;

protected:
    ReaderWindow() = default;
    ReaderWindow(const ReaderWindow&) = default;
    ReaderWindow& operator=(const ReaderWindow&) = default;
};

} // namespace lirra
