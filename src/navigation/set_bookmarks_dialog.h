#pragma once

// TForm4, "Set Book-Marks": adds a dated bookmark for the open book at the line the
// status line shows, and deletes or clears stored bookmarks.

#include "navigation/bookmark_list_dialog.h"

namespace lirra {

class TForm4 : public BookmarkListDialog {
    Q_OBJECT
public:
    TForm4(ReaderWindow& reader, QWidget* parent);

protected:
    // "Set Book-Mark"; a double-click on the list does the same.
    void Button1Click() override;
};

} // namespace lirra
