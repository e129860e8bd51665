// Benchmarks of the book view on a generated DOS book: from the file to the first
// painted page, word wrap, find and the status refresh. The book comes from
// LIRRA_BENCH_BOOK, or is generated at LIRRA_BENCH_MB megabytes (default 10).

#include "book_generator.h"
#include "first_paint.h"
#include "qt_bench_main.h"

#include "bookview/core/book_copy.h"
#include "bookview/core/book_document.h"
#include "platform/codepage_tables.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using lirra::TBookView;

struct Books {
    std::string dos;
    std::string ansi;    // the 1251 copy, as the reader makes it
};

const Books& books()
{
    static const Books paths = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path();
        Books result{folder / "lirra_bench_book.txt", folder / "lirra_bench_copy.tmp"};
        if (const char* given = std::getenv("LIRRA_BENCH_BOOK")) {
            result.dos = given;
        } else {
            const char* mb = std::getenv("LIRRA_BENCH_MB");
            lirra::bench::generateBookFile(result.dos, std::uint64_t(mb ? std::atof(mb) : 10.0) << 20);
        }
        lirra::copyBookLines(result.dos, result.ansi, lirra::platform::tables::kOem866ToAnsi1251);
        return result;
    }();
    return paths;
}

// One loaded view shared by the benchmarks that do not open the book themselves; it
// must go before the QApplication does.
std::unique_ptr<TBookView> sharedView;

TBookView& loadedView()
{
    if (!sharedView) {
        sharedView = std::make_unique<TBookView>();
        sharedView->resize(1024, 768);
        sharedView->show();   // a hidden widget would not lay its viewport out on resize
        sharedView->loadFile(books().ansi);
    }
    return *sharedView;
}

void BM_CopyTo1251(benchmark::State& state)
{
    const std::string target = books().ansi + ".again";
    for (auto _ : state)
        lirra::copyBookLines(books().dos, target, lirra::platform::tables::kOem866ToAnsi1251);
    std::filesystem::remove(target);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(books().dos)));
}
BENCHMARK(BM_CopyTo1251)->Unit(benchmark::kMillisecond);

void BM_DocumentLoad(benchmark::State& state)
{
    for (auto _ : state) {
        lirra::BookDocument document;
        document.loadFile(books().ansi);
        benchmark::DoNotOptimize(document.lineCount());
    }
}
BENCHMARK(BM_DocumentLoad)->Unit(benchmark::kMillisecond);

void BM_OpenToFirstPaint(benchmark::State& state)
{
    const auto form = lirra::bench::readerWindow();
    for (auto _ : state)
        benchmark::DoNotOptimize(lirra::bench::openToFirstPaint(*form, books().dos));
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

// The same until the whole book is in the view, the rest made behind the first page.
void BM_OpenToWholeBook(benchmark::State& state)
{
    const auto form = lirra::bench::readerWindow();
    for (auto _ : state) {
        lirra::bench::openToFirstPaint(*form, books().dos);
        form->awaitWholeBook();
    }
}
BENCHMARK(BM_OpenToWholeBook)->Unit(benchmark::kMillisecond);

// The view's own share of opening: the 1251 copy loaded, put on line 0 and painted.
void BM_ViewLoadAndPaint(benchmark::State& state)
{
    TBookView view;
    view.resize(1024, 768);
    view.show();
    for (auto _ : state) {
        view.loadFile(books().ansi);
        view.reanchorLine(0);
        benchmark::DoNotOptimize(lirra::bench::paintView(view));
    }
}
BENCHMARK(BM_ViewLoadAndPaint)->Unit(benchmark::kMillisecond);

void BM_FirstPaint(benchmark::State& state)
{
    TBookView& view = loadedView();
    view.reanchorLine(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(lirra::bench::paintView(view));
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond);

// Word wrap switched on and off again, at a window width in pixels.
void BM_WrapToggle(benchmark::State& state)
{
    TBookView& view = loadedView();
    view.resize(int(state.range(0)), 768);
    for (auto _ : state) {
        view.setWordWrap(true);
        benchmark::DoNotOptimize(view.lineCount());
        view.setWordWrap(false);
    }
    view.resize(1024, 768);
}
BENCHMARK(BM_WrapToggle)->Arg(640)->Arg(1280)->Unit(benchmark::kMillisecond);

void BM_FindToEnd(benchmark::State& state)
{
    TBookView& view = loadedView();
    const QString absent = QStringLiteral("Щзхъ qjz");
    for (auto _ : state)
        benchmark::DoNotOptimize(view.findText(absent, 0, view.textLength()));
}
BENCHMARK(BM_FindToEnd)->Unit(benchmark::kMillisecond);

// What the status line reads after every key: caret, its line, the line's start, count.
void BM_StatusRefresh(benchmark::State& state)
{
    TBookView& view = loadedView();
    view.setWordWrap(state.range(0) != 0);
    view.setSelection(view.textLength() / 2, 0);
    for (auto _ : state) {
        const std::int64_t caret = view.caretPosition();
        const std::int64_t line = view.lineFromChar(caret);
        benchmark::DoNotOptimize(view.lineIndex(line));
        benchmark::DoNotOptimize(view.lineCount());
    }
    view.setWordWrap(false);
}
BENCHMARK(BM_StatusRefresh)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A key press that moves the caret one line down, and one that moves it back.
void BM_KeyDownUp(benchmark::State& state)
{
    TBookView& view = loadedView();
    view.setSelection(view.textLength() / 2, 0);
    for (auto _ : state) {
        view.sendKey(lirra::VirtualKey::Down);
        view.sendKey(lirra::VirtualKey::Up);
    }
}
BENCHMARK(BM_KeyDownUp)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv, [] {
        sharedView.reset();
        std::filesystem::remove(books().ansi);
    });
}
