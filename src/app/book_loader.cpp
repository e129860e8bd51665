#include "app/book_loader.h"

#include "bookview/core/book_kind.h"
#include "bookview/widget/book_view.h"
#include "history/reading_history.h"
#include "platform/codepage_tables.h"
#include "platform/file_names.h"
#include "platform/temp_dir.h"
#include "platform/thread_priority.h"
#include "reader/book_names.h"
#include "reader/error_handler.h"
#include "reader/file_dialogs.h"
#include "reader/reader_window.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace lirra {

namespace {
constexpr const char* kCopyName = "lirra.tmp";
// Enough of a book's start to fill a maximised window many times over and to page on
// while the rest loads (some sixty screens); converted in a millisecond or two. It is held
// beside the whole text at the moment the view takes it, so every byte more is peak memory.
constexpr std::int64_t kFirstPageBytes = std::int64_t{256} << 10;
// A wait shorter than this shows only the busy cursor.
constexpr int kProgressAfterMs = 500;
constexpr int kProgressStepMs = 100;
constexpr int kHelpersAfterPaintMs = 250;

const ByteTable& dosTable() { return platform::tables::kOem866ToAnsi1251; }
} // namespace

BookText convertBook(const QString& name, const ByteTable& table, ConversionProgress* progress)
{
    const std::string copy = platform::tempDirectory() + kCopyName;
    platform::deleteFile(copy);
    const std::string source = fileSystemName(name);
    try {
        // Unicode text and FictionBook are told by their content and read as they are;
        // the code page `table` applies to the rest.
        if (auto book = readUnicodeBook(source, copy))
            return std::move(*book);
        return bookTextFrom(copyBookLines(source, copy, table, progress));
    } catch (...) {
        // A copy cut short (a full disk, a load stopped) is of no use and may be large:
        // gone at once.
        platform::deleteFile(copy);
        throw;
    }
}

std::optional<BookText> convertFirstPage(const QString& name, const ByteTable& table)
{
    const std::string source = fileSystemName(name);
    // A head that says Unicode or FictionBook has the book read whole; a head of ASCII
    // alone reads the same in every encoding, so its first page is right either way.
    if (detectBookFileKind(source, kFirstPageBytes) != BookKind::CodePage)
        return std::nullopt;
    BookStart start = convertBookStart(source, table, kFirstPageBytes);
    if (start.whole || looksLikeRtf(start.text))
        return std::nullopt;
    return BookText(std::move(start.text));
}

ConversionThread::ConversionThread(std::function<WholeBook(ConversionProgress&)> convert, std::function<void()> done)
    : m_thread([this, convert = std::move(convert), done = std::move(done)](std::stop_token stop) {
          m_progress.stop = std::move(stop);
          platform::runThisThreadInBackground();   // the first page's paint comes first
          try {
              m_book.emplace(convert(m_progress));
          } catch (const ConversionStopped&) {
              return;
          } catch (...) {
              m_error = std::current_exception();
          }
          done();
      })
{
}

ConversionThread::~ConversionThread() = default;

void ConversionThread::firstPageShown()
{
    m_progress.firstPageShown.store(true, std::memory_order_release);
}

int ConversionThread::percentDone() const
{
    const std::int64_t size = m_progress.bookSize.load(std::memory_order_relaxed);
    const std::int64_t read = m_progress.bytesRead.load(std::memory_order_relaxed);
    return size > 0 ? int(std::min<std::int64_t>(read, size) * 100 / size) : 0;
}

WholeBook ConversionThread::take()
{
    if (m_error)
        std::rethrow_exception(m_error);
    return std::move(*m_book);
}

BookLoader::BookLoader(ReaderWindow& reader, TMRUManager& history, std::function<void(std::optional<int>)> showProgress)
    : m_reader(reader), m_history(history), m_showProgress(std::move(showProgress))
{
}

BookLoader::~BookLoader() = default;

// Nothing is created to delete nothing: without a usable folder there is no copy.
void BookLoader::dropCopy()
{
    if (const auto folder = platform::existingTempDirectory())
        platform::deleteFile(*folder + kCopyName);
}

void BookLoader::showBook(const QString& name)
{
    dropCopy();
    // A book that cannot be read fails here, and the book in view (loading or not) stays.
    std::optional<BookText> firstPage = convertFirstPage(name, dosTable());
    stopLoading();
    TBookView& view = m_reader.bookView();
    if (firstPage) {
        view.loadFirstPage(std::move(*firstPage));
        loadInBackground(name);
    } else {
        view.loadText(convertBook(name, dosTable()));
    }
    view.reanchorLine(0);
    view.caretToStart();
    m_reader.setBookName(name);
}

void BookLoader::loadInBackground(const QString& name)
{
    const std::uint64_t load = m_loads;
    // The worker's helpers wait until the first page is on screen and has had time to
    // reach it: on two cores they would slow the way there down.
    QObject::disconnect(m_firstPagePainted);
    m_firstPagePainted = QObject::connect(&m_reader.bookView(), &TBookView::firstPagePainted, &m_guiThread, [this, load] {
        QTimer::singleShot(kHelpersAfterPaintMs, &m_guiThread, [this, load] {
            if (m_loading && load == m_loads)
                m_loading->firstPageShown();
        });
    }, Qt::SingleShotConnection);
    // The wrap is read once the text is whole, so a window resized meanwhile has its own.
    m_loading = std::make_unique<ConversionThread>(
        [name, wrap = m_reader.bookView().wrapInUse()](ConversionProgress& progress) {
            BookText text = convertBook(name, dosTable(), &progress);
            std::optional<WrappedRows> rows = wrap->wrap(text, progress.stop);
            return WholeBook{std::move(text), std::move(rows)};
        },
        [this, load] {
            QMetaObject::invokeMethod(&m_guiThread, [this, load] {
                if (load == m_loads)
                    takeWholeBook();
            }, Qt::QueuedConnection);
        });
}

void BookLoader::takeWholeBook()
{
    const std::unique_ptr<ConversionThread> loaded = std::move(m_loading);
    if (m_waiting)
        m_waiting->quit();
    runCommand([&] {
        try {
            WholeBook book = loaded->take();
            m_reader.bookView().takeWholeText(std::move(book.text), std::move(book.rows));
        } catch (...) {
            // The rest of the book failed (a full disk, a read error): no half book stays.
            showNoBook();
            throw;
        }
    });
}

void BookLoader::stopLoading()
{
    ++m_loads;   // news from the worker about the load stopped now is not taken
    if (!m_loading)
        return;
    m_loading.reset();
    if (m_waiting)
        m_waiting->quit();
    // A first page whose rest will never come is not left in view.
    showNoBook();
}

bool BookLoader::awaitWholeBook()
{
    if (!m_loading)
        return true;
    const std::uint64_t load = m_loads;
    QEventLoop wait;
    QEventLoop* const outer = std::exchange(m_waiting, &wait);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QElapsedTimer waited;
    waited.start();
    QTimer tick;
    tick.callOnTimeout([&] {
        if (!m_loading || load != m_loads)
            wait.quit();   // a wait within this one was told, not this one
        else if (waited.elapsed() >= kProgressAfterMs)
            m_showProgress(m_loading->percentDone());
    });
    tick.start(kProgressStepMs);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    m_waiting = outer;
    m_showProgress(std::nullopt);
    QGuiApplication::restoreOverrideCursor();
    return load == m_loads && !m_loading && m_reader.hasBook();
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
    BookText book = loadBookText(fileSystemName(*chosen));
    stopLoading();
    TBookView& view = m_reader.bookView();
    view.loadText(std::move(book));
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
    stopLoading();
    showNoBook();
}

void BookLoader::showNoBook()
{
    m_reader.bookView().clear();
    m_reader.setBookName(kIdleCaption);
}

void BookLoader::closeDown()
{
    stopLoading();
    dropCopy();
}

} // namespace lirra
