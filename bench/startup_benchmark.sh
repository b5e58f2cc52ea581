#!/usr/bin/env bash
# Speed of the desktop program, offscreen:
#  1. time from process start to the main window's first paint, for vornik's real start-up and
#     for a bare Qt main window (a menu bar of four menus, one line of Cyrillic text),
#     alternately in the same run; medians and their ratio
#     (target: at most 1,5);
#  2. the execute command with all six emergency modes through the real results window
#     (Google Benchmark; target: median at most 50 ms).
# Usage: bench/startup_benchmark.sh [build-dir] [runs]
set -euo pipefail

build=${1:-"$(dirname "$0")/../build"}
runs=${2:-21}
probe="$build/bench/vornik_startup_probe"
shell_bench="$build/bench/vornik_shell_bench"
for program in "$probe" "$shell_bench"; do
    if [[ ! -x $program ]]; then
        echo "missing $program: build the targets vornik_startup_probe and vornik_shell_bench" >&2
        exit 2
    fi
done
export QT_QPA_PLATFORM=offscreen

# One start: microseconds from just before the process starts to its first paint.
start_time() {
    local before=${EPOCHREALTIME/./}
    local painted
    painted=$("$probe" "$1")
    echo $((painted - before))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Warm the file cache for both before measuring.
start_time bare >/dev/null
start_time vornik >/dev/null

bare_times=()
vornik_times=()
for ((k = 0; k < runs; ++k)); do
    bare_times+=("$(start_time bare)")
    vornik_times+=("$(start_time vornik)")
done
bare_median=$(printf '%s\n' "${bare_times[@]}" | median)
vornik_median=$(printf '%s\n' "${vornik_times[@]}" | median)
ratio=$(awk -v v="$vornik_median" -v b="$bare_median" 'BEGIN { printf "%.2f", v / b }')
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.5) ? "within" : "OVER" }')

echo "start-up to first paint of the main window, $runs runs each (median):"
echo "  bare Qt main window: $((bare_median / 1000)).$(printf '%03d' $((bare_median % 1000))) ms"
echo "  vornik:              $((vornik_median / 1000)).$(printf '%03d' $((vornik_median % 1000))) ms"
echo "  ratio:               $ratio ($verdict the limit of 1.5)"
echo
echo "execute command, all six emergency modes, through the results window:"
"$shell_bench" --benchmark_filter=Execute 2>/dev/null | grep -E "median|stddev|Benchmark"
