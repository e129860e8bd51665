#!/usr/bin/env bash
# Every real-window test script is a CTest test, with the benchmarks off too: configures a
# scratch tree without them and lists its tests.
set -euo pipefail
source_dir=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cmake -S "$source_dir" -B "$tree" -G Ninja -DLIRRA_BUILD_BENCH=OFF -DLIRRA_BUILD_TESTS=ON >/dev/null
listed=$(cd "$tree" && ctest -N)
status=0
for script in "$source_dir"/tests/e2e/*_e2e.sh; do
  name=e2e_$(basename "$script" _e2e.sh)
  grep -q ": $name\$" <<<"$listed" || { echo "FAIL: $name is not run without the benchmarks" >&2; status=1; }
done
exit $status
