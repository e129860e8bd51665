// lirra_rich_probe KIND COUNT: writes a small rich book that is hard on the format
// runs, opens it in the book view as "Open RTF Book" does, paints the first page, and
// prints the time that took and the process's peak resident memory.
//   colours COUNT  COUNT distinct text colours, one a character
//   face COUNT     a font whose name is 1 MB long, bold switched on and off COUNT times
//   fonts COUNT    COUNT distinct fonts (sizes, bold, italic, underline, strike-out)

#include "bookview/widget/book_view.h"

#include <QApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::string manyColours(int count)
{
    std::string rtf = "{\\rtf1\\ansi{\\colortbl;";
    for (int i = 0; i < count; ++i)
        rtf += "\\red" + std::to_string(i & 0xFF) + "\\green" + std::to_string((i >> 8) & 0xFF) + "\\blue" +
               std::to_string((i >> 16) & 0xFF) + ";";
    rtf += "}";
    for (int i = 1; i <= count; ++i)
        rtf += "\\cf" + std::to_string(i) + " x" + (i % 64 == 0 ? "\\par\n" : "");
    return rtf + "}";
}

std::string longFace(int toggles)
{
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 " + std::string(1 << 20, 'F') + ";}}";
    for (int i = 0; i < toggles; ++i)
        rtf += i % 2 == 0 ? "\\b x" : "\\b0 y";
    return rtf + "}";
}

std::string manyFonts(int count)
{
    std::string rtf = "{\\rtf1\\ansi";
    for (int i = 0; i < count; ++i) {
        const int flags = i % 16;
        rtf += "\\fs" + std::to_string(2 + i / 16) + "\\b" + std::to_string(flags & 1) + "\\i" +
               std::to_string((flags >> 1) & 1) + ((flags & 4) ? "\\ul" : "\\ulnone") + "\\strike" +
               std::to_string((flags >> 3) & 1) + " x" + (i % 64 == 63 ? "\\par\n" : "");
    }
    return rtf + "}";
}

} // namespace

int main(int argc, char** argv)
{
    const std::string kind = argc == 3 ? argv[1] : "";
    if (kind != "colours" && kind != "face" && kind != "fonts") {
        std::fprintf(stderr, "usage: lirra_rich_probe colours|face|fonts COUNT\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path file =
        std::filesystem::path(tmp ? tmp : "/tmp") / ("lirra_rich_probe_" + std::to_string(::getpid()) + ".rtf");
    std::ofstream(file, std::ios::binary)
        << (kind == "colours" ? manyColours(count) : kind == "face" ? longFace(count) : manyFonts(count));

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lirra::registerFontSubstitutions();
    lirra::TBookView view;
    view.resize(1024, 768);
    view.show();
    const auto start = std::chrono::steady_clock::now();
    view.loadFile(file.string());
    QImage page(view.size(), QImage::Format_RGB32);
    view.render(&page);
    const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = double(usage.ru_maxrss) / 1024.0;
    std::printf("%s_%d: file_kb=%.0f load_ms=%.1f peak_rss_mb=%.1f\n", kind.c_str(), count,
                double(std::filesystem::file_size(file)) / 1024.0, elapsed.count(), peakMb);
    std::filesystem::remove(file);
    return 0;
}
