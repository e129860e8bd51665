#include "qt_bench_main.h"

#include "bookview/widget/view_font.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace lirra::bench {

int runQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}

} // namespace lirra::bench
