#include "app/book_loader.h"

#include "bookview/core/book_kind.h"
#include "bookview/widget/book_view.h"
#include "history/reading_history.h"
#include "platform/codepage_tables.h"
#include "platform/file_names.h"
#include "platform/temp_dir.h"
#include "reader/book_names.h"
#include "reader/file_dialogs.h"
#include "reader/reader_window.h"

namespace lirra {

namespace {
constexpr const char* kCopyName = "lirra.tmp";
} // namespace

BookText convertBook(const QString& name, const ByteTable& table)
{
    const std::string copy = platform::tempDirectory() + kCopyName;
    platform::deleteFile(copy);
    const std::string source = fileSystemName(name);
    try {
        // Unicode text and FictionBook are told by their content and read as they are;
        // the code page `table` applies to the rest.
        if (auto book = readUnicodeBook(source, copy))
            return std::move(*book);
        return bookTextFrom(copyBookLines(source, copy, table));
    } catch (...) {
        // A copy cut short (a full disk) is of no use and may be large: gone at once.
        platform::deleteFile(copy);
        throw;
    }
}

BookLoader::BookLoader(ReaderWindow& reader, TMRUManager& history) : m_reader(reader), m_history(history) {}

// Nothing is created to delete nothing: without a usable folder there is no copy.
void BookLoader::dropCopy()
{
    if (const auto folder = platform::existingTempDirectory())
        platform::deleteFile(*folder + kCopyName);
}

void BookLoader::showBook(const QString& name)
{
    TBookView& view = m_reader.bookView();
    view.loadText(convertBook(name, platform::tables::kOem866ToAnsi1251));
    view.reanchorLine(0);
    view.caretToStart();
    m_reader.setBookName(name);
}

void BookLoader::loadBook(const QString& name)
{
    showBook(name);
    recordBook(m_history, name);
    m_reader.bookView().repaintNow();
}

void BookLoader::openBook(FileDialog& dialog)
{
    dropCopy();
    if (const auto chosen = dialog.execute(m_reader.dialogParent()))
        loadBook(*chosen);
}

void BookLoader::openRtfBook(FileDialog& dialog)
{
    dropCopy();
    const auto chosen = dialog.execute(m_reader.dialogParent());
    if (!chosen)
        return;
    TBookView& view = m_reader.bookView();
    view.loadFile(fileSystemName(*chosen));
    view.reanchorLine(0);
    view.caretToStart();
    m_reader.setBookName(*chosen);
    recordBook(m_history, *chosen);
    view.repaintNow();
}

void BookLoader::openDropped(const QStringList& files)
{
    if (!files.isEmpty())
        loadBook(files.first());
}

void BookLoader::clear()
{
    m_reader.bookView().clear();
    m_reader.setBookName(kIdleCaption);
}

} // namespace lirra
