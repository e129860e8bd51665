// The settings file at start-up: parsing a hive with many sibling keys, and the main
// window's creation (history and options read) with an empty settings file and with
// one of 10 000 keys.

#include "app/main_window.h"
#include "platform/hive_format.h"
#include "qt_bench_main.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A settings file as the reader writes it, plus `siblings` keys side by side.
std::string hiveText(std::int64_t siblings)
{
    std::string text = "REGEDIT4\n\n"
                       "[HKEY_CURRENT_USER\\Software\\Lirra Reader\\History]\n"
                       "\"0\"=\"/home/anna/books/voyna i mir.txt \"\n\"Count\"=dword:00000000\n\n"
                       "[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Options]\n"
                       "\"BGColor\"=dword:005c5c5c\n\"ConfirmSetBMExit\"=dword:00000001\n"
                       "\"FontColor\"=dword:00c0c0c0\n\"FontName\"=\"Courier New Cyr\"\n"
                       "\"FontSize\"=dword:0000000d\n\"ScrollTextSpeed\"=dword:00000001\n"
                       "\"WordWrap\"=dword:00000000\n\n";
    for (std::int64_t i = 0; i < siblings; ++i)
        text += "[HKEY_CURRENT_USER\\Software\\Lirra Reader\\Many\\Key " + std::to_string(i) + "]\n\"Value\"=dword:"
                "00000001\n\n";
    return text;
}

void BM_ParseSiblingKeys(benchmark::State& state)
{
    const std::string text = hiveText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(lirra::platform::hive::parseHive(text));
}
BENCHMARK(BM_ParseSiblingKeys)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The main window created and destroyed: FormCreate reads the history and the options.
void BM_StartUp(benchmark::State& state)
{
    const auto hive = std::filesystem::temp_directory_path() / "lirra_bench_settings.reg";
    std::ofstream(hive, std::ios::binary) << hiveText(state.range(0));
    ::setenv("LIRRA_REGISTRY", hive.c_str(), 1);
    for (auto _ : state)
        lirra::TForm1 form{QStringList()};
    std::filesystem::remove(hive);
    std::filesystem::remove(hive.string() + ".lock");
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return lirra::bench::runQtBenchmarks(argc, argv);
}
