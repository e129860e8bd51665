#include "navigation/find_command.h"

#include "bookview/core/percent.h"
#include "bookview/widget/book_view.h"
#include "navigation/find_dialog.h"
#include "reader/error_handler.h"
#include "reader/reader_window.h"

namespace lirra {

namespace {
// Lines of the book shown above an occurrence once it is found.
constexpr int kContextLines = 4;
} // namespace

QPoint findDialogPosition(QSize viewSize)
{
    return QPoint(viewSize.height() - 100, int(roundHalfEven(viewSize.width(), 2)));
}

FindText::FindText(ReaderWindow& reader)
    : m_reader(reader), m_findDialog1(new TFindDialog(reader.dialogParent()))
{
    QObject::connect(m_findDialog1, &TFindDialog::find, m_findDialog1, [this] { runCommand([this] { FindDialog1Find(); }); });
}

void FindText::showDialog()
{
    m_findDialog1->move(findDialogPosition(m_reader.bookView().size()));
    m_findDialog1->execute();
}

void FindText::FindDialog1Find()
{
    TBookView& view = m_reader.bookView();
    const QString what = m_findDialog1->findText();
    const std::int64_t start = view.selectionLength() != 0 ? view.selectionStart() + view.selectionLength() : 0;
    const std::int64_t found = view.findText(what, start, view.textLength() - start);
    if (found < 0) {
        showMessage(BoxKind::Plain, QStringLiteral("End of Searching!"));
        return;
    }
    view.window()->activateWindow();
    view.setFocus();
    view.setSelection(found, what.size());
    view.scroll(ScrollStep::PageDown);
    view.scrollCaretIntoView();
    // Near the end the view stops with the last line at the bottom, and the lines above
    // the match already show: stepping up further would only take the match away.
    const std::int64_t line = view.lineFromChar(found);
    for (int i = 0; i < kContextLines && view.firstVisibleLine() > line - kContextLines; ++i)
        view.scroll(ScrollStep::LineUp);
}

} // namespace lirra
