#pragma once

// main() for the benchmarks that need a QApplication: offscreen, with the designed fonts
// resolved as in the program. `beforeExit` runs after the benchmarks while the
// application still exists (to free widgets kept between benchmarks).

#include <functional>

namespace lirra::bench {

int runQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {});

} // namespace lirra::bench
