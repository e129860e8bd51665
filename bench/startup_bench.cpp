// The main window's start-up with settings files it must neither trust nor wait for: a
// 50 MB file (read once, in under a second), a file over the size limit, a named pipe
// and a link to /dev/zero (both refused at once).

#include "app/main_window.h"
#include "platform/registry_hive.h"
#include "qt_bench_main.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// The reader's options and bookmark-like lists of 1000 entries, one key each, up to
// `bytes` bytes.
std::string largeHive(std::size_t bytes)
{
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\n"
                       "\"BGColor\"=dword:005c5c5c\n\"ConfirmSetBMExit\"=dword:00000001\n"
                       "\"FontColor\"=dword:00c0c0c0\n\"FontName\"=\"Courier New Cyr\"\n"
                       "\"FontSize\"=dword:0000000d\n\"ScrollTextSpeed\"=dword:00000001\n"
                       "\"WordWrap\"=dword:00000000\n\n";
    for (int key = 0; text.size() < bytes; ++key) {
        text += "[HKEY_CURRENT_USER\\Software\\Lirra Reader\\List " + std::to_string(key) + "]\n";
        for (int i = 0; i < 1000; ++i) { // appended: GCC 12 wrongly warns (-Wrestrict) about "\"" + text
            const std::string n = std::to_string(i);
            text.append("\"").append(n).append("\"=\"[05.12.99] /home/anna/books/tale ").append(n).append(".txt <128>\"\n");
        }
        text += "\"Count\"=dword:000003e7\n\n";
    }
    return text;
}

enum Settings { File50MB, File65MB, NamedPipe, LinkToDevZero };

void BM_StartUpWithSettings(benchmark::State& state)
{
    const auto hive = fs::temp_directory_path() / "lirra_bench_startup.reg";
    fs::remove(hive);
    switch (state.range(0)) {
    case File50MB: std::ofstream(hive, std::ios::binary) << largeHive(50u << 20); break;
    case File65MB: std::ofstream(hive, std::ios::binary) << largeHive(65u << 20); break;
    case NamedPipe: ::mkfifo(hive.c_str(), 0600); break;
    case LinkToDevZero: fs::create_symlink("/dev/zero", hive); break;
    }
    state.SetLabel(std::to_string(fs::exists(hive) && fs::is_regular_file(hive) ? fs::file_size(hive) >> 20 : 0) + " MB");
    ::setenv("LIRRA_REGISTRY", hive.c_str(), 1);
    lirra::platform::Registry::setDamageReporter([](const std::string&) {});
    for (auto _ : state) {
        // A file that looks changed is read afresh, as at a real start.
        state.PauseTiming();
        ::utimensat(AT_FDCWD, hive.c_str(), nullptr, AT_SYMLINK_NOFOLLOW);
        state.ResumeTiming();
        lirra::TForm1 form{QStringList()};
    }
    fs::remove(hive);
    fs::remove(hive.string() + ".lock");
}
BENCHMARK(BM_StartUpWithSettings)
    ->ArgName("settings")
    ->Arg(File50MB)
    ->Arg(File65MB)
    ->Arg(NamedPipe)
    ->Arg(LinkToDevZero)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv);
}
