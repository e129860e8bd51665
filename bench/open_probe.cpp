// lirra_open_probe DOS_BOOK: opens the book as the reader does and paints the first
// page, then lets the event loop run until the whole book is in the view. Prints the
// process's peak resident memory divided by the book's size, the milliseconds to the
// first painted page and to the whole book, the longest the event loop went without
// turning meanwhile (a 5 ms timer's longest lateness), and the lateness of the tick
// during which the view took the whole text in.

#include "first_paint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lirra_open_probe DOS_BOOK\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lirra::registerFontSubstitutions();
    const auto form = lirra::bench::readerWindow();
    QElapsedTimer clock;
    clock.start();
    lirra::bench::openToFirstPaint(*form, argv[1]);
    const double firstPage = double(clock.nsecsElapsed()) / 1e6;

    constexpr int kTickMs = 5;
    double longestStall = 0;
    double lastTick = firstPage;
    QEventLoop loading;   // not the application's: quitting that would close the window
    QTimer tick;
    double takingIn = 0;   // the lateness of the tick during which the view took the whole text
    tick.callOnTimeout([&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        const double late = now - lastTick - kTickMs;
        lastTick = now;
        if (!form->bookView().holdsWholeText()) {
            longestStall = std::max(longestStall, late);
            return;
        }
        takingIn = std::max(0.0, late);   // a coarse timer may fire a little early
        loading.quit();
    });
    tick.start(kTickMs);
    double whole = firstPage;
    QObject::connect(&form->bookView(), &lirra::TBookView::wholeTextTaken, [&] { whole = double(clock.nsecsElapsed()) / 1e6; });
    if (!form->bookView().holdsWholeText())
        loading.exec();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = double(usage.ru_maxrss) * 1024.0;
    std::printf("peak_rss_ratio=%.2f peak_rss_mb=%.1f first_page_ms=%.1f whole_book_ms=%.1f longest_stall_ms=%.1f "
                "taking_in_ms=%.1f\n",
                peak / double(std::filesystem::file_size(argv[1])), peak / (1024.0 * 1024.0), firstPage, whole,
                longestStall, takingIn);
    return 0;
}
