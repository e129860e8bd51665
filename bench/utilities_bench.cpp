// Benchmarks of the book utilities on a generated DOS book, each through its menu item
// of the main window: "Convert to Win" to the repainted view, "Save Book As..." to the
// file renamed into place, and "&Print Book" to a PDF file (pages laid out per second).
// The book comes from LIRRA_BENCH_BOOK, or is generated at LIRRA_BENCH_MB megabytes
// (default 10); the printed book is LIRRA_BENCH_PRINT_MB megabytes (default 4).

#include "book_generator.h"
#include "first_paint.h"
#include "qt_bench_main.h"

#include "extras/print_commands.h"
#include "reader/file_dialogs.h"
#include "reader/message_boxes.h"

#include <QAction>
#include <QPrinter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string generated(const char* sizeVariable, double defaultMb, const std::string& name)
{
    const char* mb = std::getenv(sizeVariable);
    const std::string path = (fs::temp_directory_path() / name).string();
    lirra::bench::generateBookFile(path, std::uint64_t((mb ? std::atof(mb) : defaultMb) * (1 << 20)));
    return path;
}

const std::string& bigBook()
{
    static const std::string path = [] {
        const char* given = std::getenv("LIRRA_BENCH_BOOK");
        return given ? std::string(given) : generated("LIRRA_BENCH_MB", 10, "lirra_bench_utilities_book.txt");
    }();
    return path;
}

// The main window with `book` open, as a user has it; one at a time.
lirra::TForm1& windowWith(const std::string& book)
{
    static std::unique_ptr<lirra::TForm1> form;
    static std::string open;
    if (!form)
        form = lirra::bench::readerWindow();
    if (open != book) {
        form->LoadBook(QString::fromStdString(book));
        form->awaitWholeBook();
        open = book;
    }
    return *form;
}

void trigger(lirra::TForm1& form, const char* action)
{
    form.findChild<QAction*>(QLatin1String(action))->trigger();
}

void BM_ConvertToWin(benchmark::State& state)
{
    lirra::TForm1& form = windowWith(bigBook());
    for (auto _ : state) {
        trigger(form, "ConverttoWin1");
        benchmark::DoNotOptimize(lirra::bench::paintView(form.bookView()));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(bigBook())));
}
BENCHMARK(BM_ConvertToWin)->Unit(benchmark::kMillisecond);

void BM_SaveBookAs(benchmark::State& state)
{
    lirra::TForm1& form = windowWith(bigBook());
    const QString target = QString::fromStdString((fs::temp_directory_path() / "lirra_bench_saved.txt").string());
    lirra::setFileDialogPresenter([&](const lirra::FileDialogRequest&) { return std::optional<QString>(target); });
    for (auto _ : state)
        trigger(form, "SaveBookAs1");
    lirra::setFileDialogPresenter({});
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(target.toStdString())));
    fs::remove(target.toStdString());
}
BENCHMARK(BM_SaveBookAs)->Unit(benchmark::kMillisecond);

// Page objects in a PDF file.
int pdfPages(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int pages = 0;
    for (auto at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pages += bytes.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

void BM_PrintToPdf(benchmark::State& state)
{
    static const std::string book = generated("LIRRA_BENCH_PRINT_MB", 4, "lirra_bench_print_book.txt");
    lirra::TForm1& form = windowWith(book);
    const std::string pdf = (fs::temp_directory_path() / "lirra_bench_print.pdf").string();
    lirra::setPrintDialogPresenter([&](lirra::PrintDialogKind, QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    for (auto _ : state)
        trigger(form, "PrintBook1");
    lirra::setPrintDialogPresenter({});
    const int pages = pdfPages(pdf);
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages) * double(state.iterations()),
                                                       benchmark::Counter::kIsRate);
    fs::remove(pdf);
}
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // An error box would wait for a click that never comes: end the run instead.
    lirra::setMessagePresenter([](const lirra::MessageBoxRequest& box) -> lirra::BoxAnswer {
        std::fprintf(stderr, "error: %s\n", box.text.toLocal8Bit().constData());
        std::exit(1);
    });
    // The window goes with the process; no teardown to time or wait for.
    return lirra::bench::runQtBenchmarks(argc, argv, [] { std::_Exit(0); });
}
