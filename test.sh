#!/usr/bin/env bash
# ./test.sh — install what is missing, build a debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and run every test. Exits non-zero on any failure.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/install-deps.sh" --test
build="$here/build/debug"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLIRRA_SANITIZE=ON -DLIRRA_WERROR=ON >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
# Tests never touch the user's settings or temporary folder.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache" TMPDIR="$scratch/tmp" \
       LIRRA_REGISTRY="$scratch/registry.reg"
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$TMPDIR"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
cd "$build"
ctest --output-on-failure -j2
