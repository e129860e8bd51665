#pragma once

// "Find Text" (Ctrl+F): places and shows the find dialog, and runs one search forward
// through the book for each "Find Next".

#include <QPoint>
#include <QSize>

namespace lirra {

class ReaderWindow;
class TFindDialog;

// Where the find dialog opens for a book view of `viewSize`: x from the view's height,
// y from half its width, as the reader has always placed it.
QPoint findDialogPosition(QSize viewSize);

class FindText {
public:
    // Creates the find dialog, FindDialog1, beside the reader's window.
    explicit FindText(ReaderWindow& reader);

    void showDialog();
    // From just after the selection (or the start, with none) to the end of the book:
    // the next occurrence selected and shown on the view's fifth line, or "End of
    // Searching!" with nothing changed.
    void FindDialog1Find();

private:
    ReaderWindow& m_reader;
    TFindDialog* m_findDialog1;
};

} // namespace lirra
