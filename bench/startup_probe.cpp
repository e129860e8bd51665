// lirra_startup_probe ADDRESSES: writes a settings file holding ADDRESSES typed web
// addresses (as years of "Enter Internet Adress..." leave them), starts the main window
// on it as the reader starts, and prints the time to the shown window (by the clock and
// in CPU time) and the growth of the peak resident memory meanwhile. Run with 0 and with 10000 in processes of their
// own: the difference is what the stored addresses cost.

#include "app/main_window.h"
#include "bookview/widget/view_font.h"
#include "history/user_addresses.h"

#include <QApplication>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long long statusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    return -1;
}

// CPU time: a machine busy with other work inflates the clock, not this.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || !std::getenv("LIRRA_REGISTRY")) {
        std::fprintf(stderr, "usage: LIRRA_REGISTRY=FILE lirra_startup_probe ADDRESSES\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lirra::registerFontSubstitutions();
    // A window is made once before the addresses are stored, so that what the toolkit
    // sets up once (fonts, styles) counts for neither run.
    delete new lirra::TForm1(QStringList());
    const int count = std::atoi(argv[1]);
    QStringList addresses;
    for (int i = 0; i < count; ++i)   // about 33 bytes each, a third of them repeats
        addresses << QStringLiteral("https://lib.example.org/book/%1").arg(i % (count / 3 + 1));
    if (count > 0)
        lirra::storeAddresses(addresses);
    addresses.clear();

    const long long before = statusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";   // the peak starts again from here
    const auto start = std::chrono::steady_clock::now();
    const double startCpu = cpuMs();
    lirra::TForm1 form{QStringList()};
    form.show();
    QApplication::processEvents();
    const double cpu = cpuMs() - startCpu;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("addresses=%d startup_ms=%.1f startup_cpu_ms=%.1f peak_growth_mb=%.1f\n", count, ms, cpu,
                double(statusKb("VmHWM") - before) / 1024.0);
    return 0;
}
