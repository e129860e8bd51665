// Benchmarks of the look commands on a book loaded in the reader's main window, each
// from the command to the repainted view: font size step, face change and word-wrap
// toggle with word wrap on, a colour theme, and listing the fonts for the Fonts dialog.
// The book comes from LIRRA_BENCH_BOOK, or is generated at LIRRA_BENCH_MB megabytes
// (default 10).

#include "book_generator.h"
#include "first_paint.h"
#include "qt_bench_main.h"

#include "widgets/font_combo_box.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using lirra::TForm1;

std::string bookPath()
{
    if (const char* given = std::getenv("LIRRA_BENCH_BOOK"))
        return given;
    const std::string path = std::filesystem::temp_directory_path() / "lirra_bench_look_book.txt";
    const char* mb = std::getenv("LIRRA_BENCH_MB");
    lirra::bench::generateBookFile(path, std::uint64_t(mb ? std::atof(mb) : 10.0) << 20);
    return path;
}

// One main window with the book open, shared by the benchmarks; it must go before the
// QApplication does.
std::unique_ptr<TForm1> sharedForm;

TForm1& reader()
{
    if (!sharedForm) {
        sharedForm = lirra::bench::readerWindow();
        sharedForm->LoadBook(QString::fromStdString(bookPath()));
        sharedForm->awaitWholeBook();
    }
    return *sharedForm;
}

QAction& command(const char* name) { return *reader().findChild<QAction*>(QLatin1String(name)); }

void setWordWrap(bool on)
{
    if (command("WordWrap1").isChecked() != on)
        command("WordWrap1").trigger();
}

void repainted(TForm1& form) { benchmark::DoNotOptimize(lirra::bench::paintView(form.bookView())); }

void BM_FontSizeStepWrapped(benchmark::State& state)
{
    TForm1& form = reader();
    setWordWrap(true);
    bool up = true;
    for (auto _ : state) {
        command(up ? "Inc1" : "Dec1").trigger();
        repainted(form);
        up = !up;
    }
    setWordWrap(false);
}
BENCHMARK(BM_FontSizeStepWrapped)->Unit(benchmark::kMillisecond)->UseRealTime();

// A new face chosen in the Fonts dialog and confirmed with OK.
void BM_FaceChangeWrapped(benchmark::State& state)
{
    TForm1& form = reader();
    setWordWrap(true);
    auto* fonts = form.findChild<QDialog*>(QStringLiteral("Fonts"));
    auto* face = fonts->findChild<lirra::TFontComboBox*>(QStringLiteral("FontComboBox1"));
    auto* ok = fonts->findChild<QPushButton*>(QStringLiteral("Button1"));
    const QString faces[] = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")};
    fonts->show();   // filled from the view as the user finds it
    int next = 0;
    for (auto _ : state) {
        face->setFontName(faces[next]);
        ok->click();
        repainted(form);
        next = 1 - next;
        state.PauseTiming();
        fonts->show();
        state.ResumeTiming();
    }
    fonts->hide();
    setWordWrap(false);
}
BENCHMARK(BM_FaceChangeWrapped)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Word Wrap" switched on, and switched off again, each to the repainted view.
void BM_WordWrapToggle(benchmark::State& state)
{
    TForm1& form = reader();
    const bool on = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        setWordWrap(!on);
        state.ResumeTiming();
        command("WordWrap1").trigger();
        repainted(form);
    }
    setWordWrap(false);
}
BENCHMARK(BM_WordWrapToggle)->ArgName("on")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ThemeChange(benchmark::State& state)
{
    TForm1& form = reader();
    setWordWrap(true);
    bool dark = true;
    for (auto _ : state) {
        command(dark ? "Dark1" : "Light1").trigger();
        repainted(form);
        dark = !dark;
    }
    setWordWrap(false);
}
BENCHMARK(BM_ThemeChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// The font picker built as the Fonts dialog's first showing finds it.
void BM_FontListing(benchmark::State& state)
{
    for (auto _ : state) {
        const lirra::TFontComboBox picker(nullptr, lirra::TFontListOption::foNoSymbolFonts);
        benchmark::DoNotOptimize(picker.count());
    }
}
BENCHMARK(BM_FontListing)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv, [] { sharedForm.reset(); });
}
