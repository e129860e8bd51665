#!/usr/bin/env bash
# ./run.sh [BOOK] — install what is missing, build a release build if needed, start the reader.
# With no BOOK the project's own sample book is opened.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/install-deps.sh"
build="$here/build/release"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLIRRA_BUILD_TESTS=OFF -DLIRRA_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target lirra
if [ $# -eq 0 ]; then
  exec "$build/src/lirra" "$here/resources/sample/sample-book.txt"
fi
exec "$build/src/lirra" "$@"
