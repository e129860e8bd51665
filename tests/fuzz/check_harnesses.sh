#!/usr/bin/env bash
# check_harnesses.sh SOURCE BUILD CLANG CLANGXX: configures a fuzzing build without the
# benchmarks, builds the harnesses and runs each once over its seed corpus.
set -euo pipefail
src=$1 build=$2
CC=$3 CXX=$4 cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLIRRA_FUZZ=ON -DLIRRA_BUILD_BENCH=OFF -DLIRRA_WERROR=ON >/dev/null
cmake --build "$build" --target rtf_fuzzer hive_fuzzer fb2_fuzzer >/dev/null
"$build/tests/fuzz/rtf_fuzzer" -runs=0 "$src/tests/fuzz/corpus/rtf" 2>&1 | tail -n 1
"$build/tests/fuzz/hive_fuzzer" -runs=0 "$src/tests/fuzz/corpus/hive" 2>&1 | tail -n 1
"$build/tests/fuzz/fb2_fuzzer" -runs=0 "$src/tests/fuzz/corpus/fb2" 2>&1 | tail -n 1
