#!/usr/bin/env bash
# bench/run.sh [SIZE_MB]: builds the benchmarks in Release, generates a DOS book of
# SIZE_MB megabytes (default 10) once into a cache folder, runs the benchmarks and ends
# with one summary line of the numbers the performance targets name.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
size="${1:-10}"
build="$here/build/release-bench"
cache="$here/build/bench-books"
"$here/tools/install-deps.sh" --bench

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLIRRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target lirra-genbook lirra_bench_core lirra_bench_view lirra_bench_settings lirra_open_probe >/dev/null

mkdir -p "$cache"
book="$cache/book-${size}mb.txt"
[ -f "$book" ] || "$build/bench/lirra-genbook" "$size" "$book"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
mkdir -m 700 "$scratch/runtime"
# The reader's settings and temporary copy stay in the scratch folder, never the user's.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache" TMPDIR="$scratch" \
       LIRRA_REGISTRY="$scratch/registry.reg"
export LIRRA_BENCH_BOOK="$book" LIRRA_BENCH_MB="$size"

"$build/bench/lirra_bench_core"
"$build/bench/lirra_bench_settings"
"$build/bench/lirra_bench_view" --benchmark_out="$scratch/view.json" --benchmark_out_format=json
# Peak memory in a process of its own, so nothing else the benchmarks did counts.
probe="$("$build/bench/lirra_open_probe" "$book")"

python3 - "$scratch/view.json" "$probe" <<'PY'
import json, sys
runs = {b["name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
def ms(name):
    b = runs[name]
    return b["real_time"] * scale[b["time_unit"]]
ratio = sys.argv[2].split()[0].split("=")[1]
wrap = max(ms(n) for n in runs if n.startswith("BM_WrapToggle/"))
status = max(ms(n) for n in runs if n.startswith("BM_StatusRefresh/")) * 1000
print(f"open_to_first_paint_ms={ms('BM_OpenToFirstPaint'):.1f} peak_rss_ratio={ratio} "
      f"wrap_toggle_ms={wrap:.1f} find_all_ms={ms('BM_FindToEnd'):.1f} status_refresh_us={status:.2f}")
PY
