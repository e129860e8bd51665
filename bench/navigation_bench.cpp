// Benchmarks of moving through a book in the main window: Goto by percentage and by
// line (the status refresh and the repaints included), a find that runs to the end of
// the book without a match, and one automatic-scrolling tick with the repaint of a
// maximised view. The book comes from LIRRA_BENCH_BOOK, or is generated at
// LIRRA_BENCH_MB megabytes (default 10).

#include "book_generator.h"
#include "first_paint.h"
#include "qt_bench_main.h"

#include "navigation/goto_command.h"
#include "reader/message_boxes.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

using lirra::TForm1;

std::unique_ptr<TForm1> sharedForm;   // must go before the QApplication does

// Counts the paints a widget really receives, so that a repaint that did nothing shows.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The reader with the book open, at the size of a maximised window.
TForm1& reader()
{
    if (!sharedForm) {
        std::string book;
        if (const char* given = std::getenv("LIRRA_BENCH_BOOK")) {
            book = given;
        } else {
            book = (std::filesystem::temp_directory_path() / "lirra_bench_navigation.txt").string();
            const char* mb = std::getenv("LIRRA_BENCH_MB");
            lirra::bench::generateBookFile(book, std::uint64_t(mb ? std::atof(mb) : 10.0) << 20);
        }
        sharedForm = lirra::bench::readerWindow();
        sharedForm->resize(1280, 1024);
        sharedForm->LoadBook(QString::fromStdString(book));
        sharedForm->awaitWholeBook();
        // Painting starts once the window system has shown the window.
        while (!sharedForm->windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
    }
    return *sharedForm;
}

// The view as a Goto finds it: word wrap (argument 0) on or off, and painting (argument
// 1) on, or off to see the jump and the status refresh alone. A Goto paints the view
// twice: once for the change the jump makes, once at its end.
TForm1& gotoReader(const benchmark::State& state)
{
    TForm1& form = reader();
    form.bookView().setWordWrap(state.range(0) != 0);
    form.bookView().viewport()->setUpdatesEnabled(state.range(1) != 0);
    return form;
}

void restore(TForm1& form)
{
    form.bookView().viewport()->setUpdatesEnabled(true);
    form.bookView().setWordWrap(false);
}

// Percentages and lines spread over the whole book, never the same twice in a row.
void BM_GotoPercent(benchmark::State& state)
{
    TForm1& form = gotoReader(state);
    int percent = 1;
    for (auto _ : state) {
        lirra::gotoPercentOrLine(form, QString::number(percent), QString());
        percent = (percent + 36) % 100 + 1;   // steps of 37 through all of 1..100
    }
    restore(form);
}
BENCHMARK(BM_GotoPercent)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"wrap", "paint"})->Unit(benchmark::kMicrosecond);

void BM_GotoLine(benchmark::State& state)
{
    TForm1& form = gotoReader(state);
    const std::int64_t lines = form.bookView().lineCount();
    std::int64_t line = 1;
    for (auto _ : state) {
        lirra::gotoPercentOrLine(form, QString(), QString::number(line));
        line = (line + 104'729) % lines + 1;
    }
    restore(form);
}
BENCHMARK(BM_GotoLine)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"wrap", "paint"})->Unit(benchmark::kMicrosecond);

// "Find Next" from the start of the book for a text that starts with one of its most
// common letters and is found nowhere, up to "End of Searching!".
void BM_FindCommonLetterToEnd(benchmark::State& state)
{
    TForm1& form = reader();
    form.bookView().setSelection(0, 0);
    auto* dialog = form.findChild<QDialog*>(QStringLiteral("FindDialog1"));
    dialog->findChild<QLineEdit*>(QStringLiteral("FindWhat"))->setText(QStringLiteral("оъщ"));
    auto* findNext = dialog->findChild<QPushButton*>(QStringLiteral("FindNext"));
    int ends = 0;
    const auto previous = lirra::setMessagePresenter([&](const lirra::MessageBoxRequest&) {
        ++ends;
        return lirra::BoxAnswer::Ok;
    });
    for (auto _ : state)
        findNext->click();
    lirra::setMessagePresenter(previous);
    if (ends != state.iterations())
        state.SkipWithError("the text was found");
}
BENCHMARK(BM_FindCommonLetterToEnd)->Unit(benchmark::kMillisecond);

// What a tick of Timer1 makes happen: a row (0) or a page (1) down, and the view
// painted again at once.
void BM_AutoScrollTick(benchmark::State& state)
{
    TForm1& form = reader();
    lirra::TBookView& view = form.bookView();
    view.reanchorLine(0);
    const auto step = state.range(0) == 0 ? lirra::ScrollStep::LineDown : lirra::ScrollStep::PageDown;
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    std::int64_t moved = 0;
    for (auto _ : state) {
        const std::int64_t top = view.firstVisibleLine();
        view.scroll(step);
        view.repaintNow();
        if (view.firstVisibleLine() != top) {
            ++moved;
        } else {   // the end of the book: start again from the top, off the clock
            state.PauseTiming();
            view.reanchorLine(0);
            state.ResumeTiming();
        }
    }
    view.viewport()->removeEventFilter(&counter);
    state.counters["moved"] = benchmark::Counter(double(moved), benchmark::Counter::kAvgIterations);
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AutoScrollTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv, [] { sharedForm.reset(); });
}
