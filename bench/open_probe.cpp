// lirra_open_probe DOS_BOOK TEMP_COPY: opens the book as the reader does, paints the
// first page, and prints the process's peak resident memory divided by the book's size.

#include "first_paint.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lirra_open_probe DOS_BOOK TEMP_COPY\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lirra::registerFontSubstitutions();
    lirra::TBookView view;
    view.resize(1024, 768);
    view.show();
    lirra::bench::openToFirstPaint(view, argv[1], argv[2]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = double(usage.ru_maxrss) * 1024.0;
    std::printf("peak_rss_ratio=%.2f peak_rss_mb=%.1f\n", peak / double(std::filesystem::file_size(argv[1])),
                peak / (1024.0 * 1024.0));
    return 0;
}
