#include "navigation/set_bookmarks_dialog.h"

#include "navigation/bookmark_store.h"
#include "reader/message_boxes.h"
#include "reader/reader_window.h"

#include <QDate>
#include <QListWidget>

namespace lirra {

TForm4::TForm4(ReaderWindow& reader, QWidget* parent)
    : BookmarkListDialog(reader, QStringLiteral("Form4"), QStringLiteral("Set Book-Marks"),
                         QStringLiteral("Set Book-Mark"), parent)
{
}

void TForm4::Button1Click()
{
    if (!reader().hasBook()) {
        showMessage(BoxKind::Error, QStringLiteral("The book was not opened! Please, open the book."));
        close();
        return;
    }
    const QString entry = bookmarkEntry(QDate::currentDate(), reader().bookName(), reader().shownLineNumber());
    storeBookmarks(rows() << entry);
    addRow(entry);
    listBox().scrollToBottom();
}

} // namespace lirra
