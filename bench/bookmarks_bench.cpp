// Benchmarks of the bookmark commands on a generated DOS book (LIRRA_BENCH_BOOK, or one
// of LIRRA_BENCH_MB megabytes): "Get Book-Mark" and "Get Last Bookmark" from the click
// to the marked line painted, and loading the bookmark list with 1000 entries stored.
// The hive is LIRRA_REGISTRY's; bench/run.sh keeps it in a scratch folder.

#include "book_generator.h"
#include "first_paint.h"
#include "qt_bench_main.h"

#include "navigation/bookmark_store.h"
#include "navigation/get_bookmarks_dialog.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

const std::string& dosBook()
{
    static const std::string path = [] {
        if (const char* given = std::getenv("LIRRA_BENCH_BOOK"))
            return std::string(given);
        const std::string generated = std::filesystem::temp_directory_path() / "lirra_bench_bookmarks.txt";
        const char* mb = std::getenv("LIRRA_BENCH_MB");
        lirra::bench::generateBookFile(generated, std::uint64_t(mb ? std::atof(mb) : 10.0) << 20);
        return generated;
    }();
    return path;
}

// One bookmark on the middle line of the book, stored before the window (and with it
// the Get dialog, which loads the list when it is made) exists.
std::unique_ptr<lirra::TForm1> windowWithBookmarkInTheMiddle()
{
    const QString book = QString::fromStdString(dosBook());
    std::int64_t lines = 0;
    {
        const auto probe = lirra::bench::readerWindow();
        probe->LoadBook(book);
        probe->awaitWholeBook();
        lines = probe->bookView().lineCount();
    }
    lirra::storeBookmarks({lirra::bookmarkEntry(QDate::currentDate(), book, QString::number(lines / 2))});
    return lirra::bench::readerWindow();
}

void BM_GetBookMark(benchmark::State& state)
{
    const auto form = windowWithBookmarkInTheMiddle();
    auto* get = form->findChild<QDialog*>(QStringLiteral("Form5"));
    auto* list = get->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    auto* button = get->findChild<QPushButton*>(QStringLiteral("Button1"));
    for (auto _ : state) {
        list->setCurrentRow(0);
        button->click();
        benchmark::DoNotOptimize(lirra::bench::paintView(form->bookView()));
    }
}
BENCHMARK(BM_GetBookMark)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_GetLastBookmark(benchmark::State& state)
{
    const auto form = windowWithBookmarkInTheMiddle();
    QAction* command = form->findChild<QAction*>(QStringLiteral("GetLastBookmark1"));
    for (auto _ : state) {
        command->trigger();
        benchmark::DoNotOptimize(lirra::bench::paintView(form->bookView()));
    }
}
BENCHMARK(BM_GetLastBookmark)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// 1000 bookmarks of books with long Cyrillic paths.
void storeThousandBookmarks()
{
    QStringList entries;
    for (int i = 0; i < 1000; ++i)
        entries << lirra::bookmarkEntry(QDate(2024, 1 + i % 12, 1 + i % 28),
                                        QStringLiteral("/home/читатель/Книги/Толстой/Война и мир, том %1.txt").arg(i % 4 + 1),
                                        QString::number(i * 1377));
    lirra::storeBookmarks(entries);
}

// The store alone: the hive read and the 1000 entries taken out of it.
void BM_LoadBookmarks(benchmark::State& state)
{
    storeThousandBookmarks();
    for (auto _ : state)
        benchmark::DoNotOptimize(lirra::loadBookmarks());
}
BENCHMARK(BM_LoadBookmarks)->Unit(benchmark::kMillisecond);

// A bookmark dialog made, which loads the list into its list box, as at start and on
// each activation.
void BM_BookmarkDialogWithList(benchmark::State& state)
{
    storeThousandBookmarks();
    const auto form = lirra::bench::readerWindow();
    for (auto _ : state) {
        lirra::TForm5 dialog(*form, nullptr);
        benchmark::DoNotOptimize(dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"))->count());
    }
}
BENCHMARK(BM_BookmarkDialogWithList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv);
}
