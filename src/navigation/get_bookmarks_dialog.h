#pragma once

// TForm5, "Get Book-Marks": takes the reader back to a stored bookmark, in whichever
// book it was set, and deletes or clears stored bookmarks.

#include "navigation/bookmark_list_dialog.h"

namespace lirra {

class TForm5 : public BookmarkListDialog {
    Q_OBJECT
public:
    TForm5(ReaderWindow& reader, QWidget* parent);

protected:
    // "Get Book-Mark"; a double-click on the list does the same. The dialog closes
    // once the book is shown at its line and stays open when that fails.
    void Button1Click() override;
};

} // namespace lirra
