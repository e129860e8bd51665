#!/usr/bin/env bash
# bench/run.sh [SIZE_MB]: builds the benchmarks in Release, generates a DOS book of
# SIZE_MB megabytes (default 10) once into a cache folder, runs the benchmarks and ends
# with summary lines of the numbers the performance targets name, one line per area.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
size="${1:-10}"
build="$here/build/release-bench"
cache="$here/build/bench-books"
"$here/tools/install-deps.sh" --bench

# The benchmark programs whose results go into the summary (lirra_bench_core prints only).
benches=(view navigation bookmarks look utilities extras startup)

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLIRRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target lirra-genbook lirra_bench_core lirra_bench_settings lirra_open_probe \
  lirra_rich_probe lirra_startup_probe "${benches[@]/#/lirra_bench_}" >/dev/null

mkdir -p "$cache"
book="$cache/book-${size}mb.txt"
[ -f "$book" ] || "$build/bench/lirra-genbook" "$size" "$book"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
mkdir -m 700 "$scratch/runtime" "$scratch/cache"
# The reader's settings and temporary copy stay in the scratch folder, never the user's.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache"
export TMPDIR="$scratch" LIRRA_REGISTRY="$scratch/registry.reg"
export LIRRA_BENCH_BOOK="$book" LIRRA_BENCH_MB="$size"

"$build/bench/lirra_bench_core"
"$build/bench/lirra_bench_settings"
for bench in "${benches[@]}"; do
  "$build/bench/lirra_bench_$bench" --benchmark_out="$scratch/$bench.json" --benchmark_out_format=json
done
# Peak memory in a process of its own, so nothing else the benchmarks did counts.
probe="$("$build/bench/lirra_open_probe" "$book")"
# Start-up on a settings file without and with 10 000 typed web addresses.
startup="$(for count in 0 10000; do rm -f "$LIRRA_REGISTRY"; "$build/bench/lirra_startup_probe" $count; done)"
rm -f "$LIRRA_REGISTRY"
# Rich books that are hard on format runs, each in a process of its own.
rich="$(for kind in "colours 100000" "face 2000" "fonts 50000"; do "$build/bench/lirra_rich_probe" $kind; done)"

python3 - "$probe" "$rich" "$startup" "$scratch"/*.json <<'PY'
import json, sys
runs = {b["name"]: b for f in sys.argv[4:] for b in json.load(open(f))["benchmarks"]}
rich = {line.split(":")[0]: dict(kv.split("=") for kv in line.split(":")[1].split())
        for line in sys.argv[2].splitlines()}
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
def ms(name):
    b = runs[name]
    return b["real_time"] * scale[b["time_unit"]]
def worst(*prefixes, suffix=""):
    return max(ms(n) for n in runs if n.startswith(prefixes) and n.endswith(suffix))
ratio = sys.argv[1].split()[0].split("=")[1]
print(f"view: open_to_first_paint_ms={ms('BM_OpenToFirstPaint'):.1f} "
      f"open_to_whole_book_ms={ms('BM_OpenToWholeBook'):.1f} peak_rss_ratio={ratio} "
      f"wrap_toggle_ms={worst('BM_WrapToggle/'):.1f} find_all_ms={ms('BM_FindToEnd'):.1f} "
      f"status_refresh_us={worst('BM_StatusRefresh/') * 1000:.2f}")
print(f"navigation: goto_ms={worst('BM_GotoPercent/', 'BM_GotoLine/', suffix='paint:1'):.2f} "
      f"goto_unpainted_ms={worst('BM_GotoPercent/', 'BM_GotoLine/', suffix='paint:0'):.3f} "
      f"find_common_letter_ms={ms('BM_FindCommonLetterToEnd'):.1f} scroll_tick_ms={worst('BM_AutoScrollTick/'):.2f}")
print(f"bookmarks: get_bookmark_ms={ms('BM_GetBookMark/min_time:2.000'):.1f} "
      f"get_last_bookmark_ms={ms('BM_GetLastBookmark/min_time:2.000'):.1f} "
      f"bookmark_list_1000_ms={ms('BM_BookmarkDialogWithList'):.1f}")
print(f"look: font_size_step_wrapped_ms={ms('BM_FontSizeStepWrapped/real_time'):.1f} "
      f"face_change_wrapped_ms={ms('BM_FaceChangeWrapped/real_time'):.1f} "
      f"wrap_on_command_ms={ms('BM_WordWrapToggle/on:1/real_time'):.1f} "
      f"wrap_off_command_ms={ms('BM_WordWrapToggle/on:0/real_time'):.1f} "
      f"theme_change_ms={ms('BM_ThemeChange/real_time'):.2f} font_listing_ms={ms('BM_FontListing/real_time'):.2f}")
print(f"utilities: convert_to_win_ms={ms('BM_ConvertToWin'):.1f} save_as_ms={ms('BM_SaveBookAs'):.1f} "
      f"print_pages_per_s={runs['BM_PrintToPdf/real_time']['pages_per_s']:.0f}")
print(f"rich: colours_100k_ms={rich['colours_100000']['load_ms']} colours_100k_peak_mb={rich['colours_100000']['peak_rss_mb']} "
      f"long_face_2000_toggles_peak_mb={rich['face_2000']['peak_rss_mb']} "
      f"fonts_50k_ms={rich['fonts_50000']['load_ms']} fonts_50k_peak_mb={rich['fonts_50000']['peak_rss_mb']}")
empty, many = (dict(kv.split("=") for kv in line.split()) for line in sys.argv[3].splitlines())
extra = lambda key: float(many[key]) - float(empty[key])
print(f"startup_addresses: addresses_10000_extra_ms={extra('startup_ms'):.1f} "
      f"addresses_10000_extra_cpu_ms={extra('startup_cpu_ms'):.1f} addresses_10000_extra_mb={extra('peak_growth_mb'):.1f}")
print(f"startup_settings: settings_50mb_ms={ms('BM_StartUpWithSettings/settings:0'):.0f} "
      f"settings_over_64mb_ms={ms('BM_StartUpWithSettings/settings:1'):.1f} "
      f"settings_pipe_ms={ms('BM_StartUpWithSettings/settings:2'):.1f} "
      f"settings_dev_zero_ms={ms('BM_StartUpWithSettings/settings:3'):.1f}")
print(f"extras: clipboard_10mb_ms={ms('BM_ClipboardWindowShows10MBText/iterations:5'):.1f} "
      f"credits_step_us={ms('BM_CreditsStep') * 1000:.1f}")
PY
