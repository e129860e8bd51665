#!/usr/bin/env bash
# tools/plant-faults.sh [BUILD_DIR] — how many planted one-line faults do the tests catch?
#
# For each entry of tools/planted-faults.txt: plant the fault in src/, rebuild BUILD_DIR
# (default build/debug, configured as ./test.sh configures it), and run the tests until
# one fails: first the unit tests of the fault's own folder, then the other unit tests,
# and the real-window tests (e2e_*) only if no unit test failed. The file is always put
# back, also on Ctrl+C, and the build is rebuilt once at the end.
# Environment: JOBS (parallel build and test jobs, default 2), TEST_TIMEOUT (seconds for
# tests without a limit of their own, default 60), PLANTED_FAULTS (another table).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/debug}")"
table="${PLANTED_FAULTS:-$root/tools/planted-faults.txt}"
jobs="${JOBS:-2}"
limit="${TEST_TIMEOUT:-60}"
state="$build/planted-faults"   # the planted file's name and its original, while planted
mkdir -p "$state/logs"

# Puts the planted file back byte for byte. Its time stamp becomes now, so the next
# build recompiles it.
restore() {
    [[ -f "$state/planted" ]] || return 0
    cat "$state/original" >"$(cat "$state/planted")" && rm -f "$state/planted" "$state/original"
}
# Builds and tests run in a process group of their own, waited for so that a signal
# stops them at once and the file is put back.
child=""
in_group() {   # in_group LOG COMMAND...: runs COMMAND with its output in LOG
    local log="$1"; shift
    setsid "$@" >>"$log" 2>&1 &
    child=$!
    wait "$child"; local status=$?
    child=""
    return "$status"
}
rebuild() { : >"$state/logs/build.log"; in_group "$state/logs/build.log" nice cmake --build "$build" -j "$jobs"; }
caught=0 valid=0 n=0
rows=() timeouts=() catchers=()
report() {   # the table so far: also what a run cut short has found
    printf '%-3s %-32s %-50s %-s\n' "#" "fault in src/" "what it breaks" "caught by (seconds)"
    for row in "${rows[@]}"; do
        IFS='|' read -r i file breaks verdict secs <<<"$row"
        printf '%-3s %-32s %-50s %s (%ss)\n' "$i" "$file" "$breaks" "$verdict" "$secs"
    done
    for t in "${timeouts[@]}"; do echo "not counted: $t"; done
    echo "caught $caught of $valid (entries tried: ${#rows[@]}; logs in $state/logs)"
}
finished=""
finish() {
    trap '' INT TERM HUP
    [[ -z "$child" ]] || { kill -TERM -- "-$child" 2>/dev/null; wait "$child"; }
    restore
    [[ -n "$finished" ]] && return
    report
    echo "Rebuilding the unchanged sources..." >&2
    rebuild || echo "The final rebuild failed: see $state/logs/build.log" >&2
}
if [[ -f "$state/planted" ]]; then
    echo "A fault from an interrupted run was still planted in $(cat "$state/planted"): put back." >&2
    restore
fi

# The environment ./test.sh gives the tests, in a fresh scratch folder for each group.
scratch="" scratch_base="${TMPDIR:-/tmp}"
fresh_scratch() {
    [[ -z "$scratch" ]] || rm -rf "$scratch"
    scratch="$(mktemp -d -p "$scratch_base")" && chmod 700 "$scratch" && mkdir -m 700 -p "$scratch/runtime" "$scratch/tmp"
    export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache" \
           TMPDIR="$scratch/tmp" LIRRA_REGISTRY="$scratch/registry.reg" \
           LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
}
trap '[[ -z "$scratch" ]] || rm -rf "$scratch"; finish' EXIT
trap 'exit 130' INT TERM HUP

[[ -f "$table" ]] || { echo "No fault table at $table" >&2; exit 2; }
rebuild || { echo "$build does not build as it stands: see $state/logs/build.log" >&2; exit 2; }

# Every test with its program, to order the unit tests nearest the fault first.
fresh_scratch
ctest --test-dir "$build" --show-only=json-v1 >"$state/tests.json" || exit 2
near_tests() {   # near_tests FOLDER: the unit tests built in tests/FOLDER, as an anchored regex
    python3 - "$state/tests.json" "$build/tests/$1/" <<'EOF'
import json, re, sys
tests, folder = json.load(open(sys.argv[1]))["tests"], sys.argv[2]
names = [t["name"] for t in tests if (t.get("command") or [""])[0].startswith(folder)]
print("^(" + "|".join(map(re.escape, names)) + ")$" if names else "")
EOF
}

# Runs one group of tests, stopping at the first failure. Sets $outcome to
# "NAME<tab>Failed|Timeout|...", or empty when all passed.
run_tests() {   # run_tests LOG ctest-selection...
    local log="$1"; shift
    : >"$log.group"
    fresh_scratch
    in_group "$log.group" nice ctest --test-dir "$build" -j "$jobs" --timeout "$limit" --stop-on-failure \
        --output-on-failure "$@"
    cat "$log.group" >>"$log"
    outcome="$(awk 'match($0, /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: [^ ]+ /) {
                        split(substr($0, 1, RLENGTH), head, ": "); name = head[2]; sub(/ $/, "", name)
                        rest = substr($0, RLENGTH + 1); sub(/ +[0-9.]+ sec.*$/, "", rest); gsub(/[.*]+/, " ", rest)
                        gsub(/^ +| +$/, "", rest); gsub(/  +/, " ", rest)
                        if (rest != "Passed") { print name "\t" rest; exit } }' "$log.group")"
}

exec 3<"$table"
while :; do   # one entry per pass: file, from, to, breaks
    file="" from="" to="" breaks=""
    while IFS= read -r line <&3 && [[ -n "$line" || -z "$file" ]]; do
        case "$line" in
        "file: "*) file="${line#file: }" ;;
        "from: "*) from="${line#from: }" ;;
        "to: "*) to="${line#to: }" ;;
        "breaks: "*) breaks="${line#breaks: }" ;;
        esac
    done
    [[ -n "$file" ]] || break
    n=$((n + 1))
    target="$root/src/$file"
    start=$SECONDS
    log="$state/logs/$n.log"; : >"$log"
    if [[ ! -f "$target" || "$(grep -cxF -- "$from" "$target")" != 1 || "$from" == "$to" ]]; then
        rows+=("$n|$file|$breaks|STALE: the line is not there exactly once|0")
        continue
    fi
    cp "$target" "$state/original" && echo "$target" >"$state/planted"
    FROM="$from" TO="$to" awk '$0 == ENVIRON["FROM"] { print ENVIRON["TO"]; next } { print }' \
        "$state/original" >"$state/faulty" && cat "$state/faulty" >"$target"
    echo "[$n] $file: $breaks" >&2
    if ! in_group "$log" nice cmake --build "$build" -j "$jobs"; then
        verdict="BUILD-FAILED (not a valid fault)"
    else
        valid=$((valid + 1))
        verdict="SURVIVED" timed_out=""
        folder="${file%%/*}"
        near="$(near_tests "$folder")"
        for group in near far fuzz e2e; do
            case $group in
            near) [[ -n "$near" ]] || continue; run_tests "$log" -R "$near" ;;
            far) run_tests "$log" -E "${near:+$near|}^(e2e|package|fuzz)_" ;;
            fuzz) run_tests "$log" -R '^fuzz_' ;;   # long and alone: after the quick ones
            e2e) run_tests "$log" -R '^e2e_' ;;
            esac
            [[ -n "$outcome" ]] || continue
            name="${outcome%%$'\t'*}" how="${outcome#*$'\t'}"
            kind="unit"; [[ $name == e2e_* ]] && kind="real window"
            if [[ $how == Timeout ]]; then
                timed_out="$name"   # a hang is no catch: look on in the next group
                continue
            fi
            # A flaky test fails now and then by itself: a catch must fail again.
            run_tests "$log" -R "^$(sed 's/[.]/\\./g' <<<"$name")\$"
            if [[ -z "$outcome" ]]; then
                timeouts+=("[$n] $file: $name failed once, then passed with the fault (flaky)")
                continue
            fi
            verdict="$name ($kind, $how)"
            catchers[n]="$name"
            caught=$((caught + 1))
            break
        done
        [[ -z "$timed_out" ]] || timeouts+=("[$n] $file: $timed_out timed out")
    fi
    restore
    echo "    $verdict" >&2
    rows+=("$n|$file|$breaks|$verdict|$((SECONDS - start))")
done

# A test that fails on the unchanged sources too (a flaky one) caught nothing: each
# catching test runs once more on the rebuilt tree.
echo "Rebuilding the unchanged sources and rerunning the tests that caught a fault..." >&2
rebuild || { echo "The final rebuild failed: see $state/logs/build.log" >&2; report; finished=1; exit 1; }
if ((${#catchers[@]})); then
    names="$(printf '%s\n' "${catchers[@]}" | sort -u | sed 's/[.]/\\./g' | paste -sd '|')"
    : >"$state/logs/confirm.log"
    fresh_scratch
    in_group "$state/logs/confirm.log" nice ctest --test-dir "$build" -j "$jobs" --timeout "$limit" -R "^($names)\$"
    for i in "${!rows[@]}"; do
        IFS='|' read -r row_n row_file row_breaks row_verdict row_secs <<<"${rows[i]}"
        name="${catchers[row_n]:-}"
        [[ -n "$name" ]] && grep -qE "Test +#[0-9]+: $(sed 's/[.]/\\./g' <<<"$name") .*(\*\*\*|Subprocess)" "$state/logs/confirm.log" || continue
        rows[i]="$row_n|$row_file|$row_breaks|NOT CAUGHT: $name fails without the fault too|$row_secs"
        caught=$((caught - 1))
    done
fi
finished=1
report
