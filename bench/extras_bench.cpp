// Benchmarks of the extras: the clipboard window from a change of the clipboard to the
// painted text (a 10 MB text, as a reader copies a whole book), and one step of the About
// box's credits panel.

#include "book_generator.h"
#include "qt_bench_main.h"

#include "extras/about_box.h"
#include "extras/clipboard_window.h"
#include "platform/codepages.h"
#include "widgets/clipboard_viewer.h"
#include "widgets/plain_text_view.h"
#include "widgets/secret_panel.h"

#include <QApplication>
#include <QClipboard>
#include <benchmark/benchmark.h>
#include <sstream>

namespace {

QString tenMegabytesOfText()
{
    std::ostringstream dos;
    lirra::bench::generateBook(dos, std::uint64_t(10) << 20);
    std::string ansi = dos.str();
    lirra::platform::oemToCharBuff(ansi.data(), ansi.data(), ansi.size());
    const std::u16string text = lirra::platform::decodeAnsi(ansi);
    return QString::fromStdU16String(text);
}

// From setting the clipboard to the clipboard window showing the new text, painted.
void BM_ClipboardWindowShows10MBText(benchmark::State& state)
{
    const QString text = tenMegabytesOfText();
    lirra::TForm12 window;
    window.showInFront();
    QCoreApplication::processEvents();
    auto* viewer = window.findChild<lirra::TClipboardViewer*>();
    const qsizetype lines = text.count(u'\n') + 1;
    int round = 0;
    for (auto _ : state) {
        QApplication::clipboard()->setText(text + QString::number(++round));
        QCoreApplication::processEvents();
        auto* memo = qobject_cast<lirra::PlainTextView*>(viewer->shownControl());
        if (!memo || memo->lines().count() != lines)
            state.SkipWithError("the text is not shown");
        window.repaint();
    }
    QApplication::clipboard()->clear();
}
BENCHMARK(BM_ClipboardWindowShows10MBText)->Unit(benchmark::kMillisecond)->Iterations(5);

// One timer tick of the About box's credits: the step drawn off screen and shown.
void BM_CreditsStep(benchmark::State& state)
{
    lirra::TForm9 about;
    about.show();
    QCoreApplication::processEvents();
    auto* panel = about.findChild<lirra::TSecretPanel*>();
    for (auto _ : state) {
        panel->tick();
        panel->repaint(panel->textRect());
    }
    about.hide();
}
BENCHMARK(BM_CreditsStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv);
}
