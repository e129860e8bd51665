#include "app/save_book_as.h"

#include "app/book_loader.h"
#include "bookview/widget/book_view.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/lirra_error.h"
#include "reader/book_names.h"
#include "reader/file_dialogs.h"
#include "reader/reader_window.h"

namespace lirra {

namespace {
const char* const kCannotCreate = "Cannot create file %s";
const char* const kSaveFailed = "Failed to Save Stream";
} // namespace

void saveBookAs(ReaderWindow& reader, FileDialog& saveDialog)
{
    saveDialog.setFileName(reader.lastChosenBookName());
    const auto chosen = saveDialog.execute(reader.dialogParent());
    if (!chosen)
        return;
    // The name is used as typed: no extension is added. Trailing blanks name the file
    // without them, unless a file with them exists.
    platform::FileReplacement file(platform::resolveFileName(fileSystemName(*chosen)));
    if (!file.create())
        throw Error(formatText(kCannotCreate, chosen->toStdString()));
    reader.bookView().saveAsPlainText(file.writePath());
    if (!file.flush())
        throw Error(kSaveFailed);
    if (!file.commit())
        throw Error(formatText(kCannotCreate, chosen->toStdString()));
    reader.setBookName(*chosen);
}

} // namespace lirra
