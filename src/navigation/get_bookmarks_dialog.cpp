#include "navigation/get_bookmarks_dialog.h"

#include "navigation/bookmark_jump.h"

#include <QListWidget>

namespace lirra {

TForm5::TForm5(ReaderWindow& reader, QWidget* parent)
    : BookmarkListDialog(reader, QStringLiteral("Form5"), QStringLiteral("Get Book-Marks"),
                         QStringLiteral("Get Book-Mark"), parent)
{
}

void TForm5::Button1Click()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    openBookmark(reader(), rows().at(row));
    close();
}

} // namespace lirra
