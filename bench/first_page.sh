#!/usr/bin/env bash
# bench/first_page.sh [SIZE_MB...]: how soon a book's first page shows, for DOS books of
# the given sizes (default 1 100 1024). For each size, one line:
#   launch_to_text_ms  the real program started on the book under Xvfb (with a window
#                      manager) until its window shows text, timed from outside (median
#                      of 3 launches)
#   launch_to_maximised_text_ms
#                      the same launches until the window, which opens small and is then
#                      maximised, shows text painted at the maximised size (median)
#   first_page_ms, whole_book_ms, longest_stall_ms, peak_rss_ratio
#                      in process: LoadBook to the first painted page, to the whole book
#                      in the view, the longest the event loop stood still in between,
#                      and the peak memory divided by the book's size
# LIRRA_PROGRAM=path times another build of the program from outside (a comparison);
# LIRRA_BENCH_BUILD=dir uses that release tree.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${LIRRA_BENCH_BUILD:-$here/build/release-bench}"   # a release tree
cache="$here/build/bench-books"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 100 1024)
"$here/tools/install-deps.sh" --test

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLIRRA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target lirra lirra-genbook lirra_open_probe lirra_first_pixels >/dev/null
program="${LIRRA_PROGRAM:-$build/src/lirra}"

mkdir -p "$cache"
out="$(mktemp -d)"
source "$here/tests/e2e/x_session.sh"   # a display of our own; settings and copy in $work
trap 'cleanup; rm -rf "$out"' EXIT

for size in "${sizes[@]}"; do
  book="$cache/book-${size}mb.txt"
  [ -f "$book" ] || "$build/bench/lirra-genbook" "$size" "$book"
  times=() maximised=()
  for _ in 1 2 3; do
    read -r first full < <("$build/bench/lirra_first_pixels" "$program" "$book")
    times+=("$first") maximised+=("$full")
  done
  median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
  # The launches above were ended mid-load: their copies' pages are written back first,
  # so the figures in process do not pay for them.
  sync
  probe=$(QT_QPA_PLATFORM=offscreen "$build/bench/lirra_open_probe" "$book")
  echo "first_page: size_mb=$size launch_to_text_ms=$(median "${times[@]}")" \
       "launch_to_maximised_text_ms=$(median "${maximised[@]}") $probe"
done
