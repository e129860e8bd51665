// lirra_open_probe DOS_BOOK: opens the book as the reader does, paints the
// first page, and prints the process's peak resident memory divided by the book's size.

#include "first_paint.h"

#include <QApplication>
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
    lirra::bench::openToFirstPaint(*form, argv[1]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = double(usage.ru_maxrss) * 1024.0;
    std::printf("peak_rss_ratio=%.2f peak_rss_mb=%.1f\n", peak / double(std::filesystem::file_size(argv[1])),
                peak / (1024.0 * 1024.0));
    return 0;
}
