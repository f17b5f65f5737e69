#!/usr/bin/env bash
# The window's comparison of two generated project trees of 1,000 modules beside the command
# line's: for `few` (one module in twenty changed) and `all` (every module changed a little),
# the time from the start to the first module shown, the longest gap between handled events
# from the start of the background comparison and after the first module is shown, the time
# until the module list is filled, and `dualis --report` on the same trees; medians of ROUNDS
# alternating runs, on the offscreen platform. The trees are those of bench/run-project.sh.
#
# Also: the time until the window is loaded, and the pairing of the two trees on the window's
# thread (they are opened while the window starts up). With ALSO_LATE=1, each round also runs
# the window opening the trees only once it is up, as it did before, as the row "CASE-late".
#
# Usage: bench/run-project-window.sh [BENCH] [DUALIS] [WORKDIR]
#   BENCH    default <repo>/build/release/bench/project_window_bench
#   DUALIS   default <repo>/build/release/app/dualis
#   WORKDIR  the trees (default /tmp/dualis-bench, shared with bench/run-project.sh)
# Environment: ROUNDS=7  MODULES=1000  LINES=2500  PYTHON=python3  ALSO_LATE=
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
BENCH=${1:-$ROOT/build/release/bench/project_window_bench}
DUALIS=${2:-$ROOT/build/release/app/dualis}
WORKDIR=${3:-/tmp/dualis-bench}
ROUNDS=${ROUNDS:-7}
MODULES=${MODULES:-1000}
LINES=${LINES:-2500}
PYTHON=${PYTHON:-python3}
export QT_QPA_PLATFORM=offscreen

[[ -x $BENCH ]] || die "$BENCH not found; build the project_window_bench target"
[[ -x $DUALIS ]] || die "$DUALIS not found; build the release preset"

make_trees

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Prints the medians of the bench's figures in file $2 as the row of case $1, beside $report.
row() {
  local filled
  filled=$(field list_filled_ms <"$2" | median)
  printf '%-10s %8s %8s %12s %12s %12s %14s %12s %8s\n' "$1" "$(field window_ms <"$2" | median)" \
    "$(field open_ms <"$2" | median)" "$(field first_module_ms <"$2" | median)" \
    "$(field longest_gap_ms <"$2" | median)" "$(field longest_gap_after_first_ms <"$2" | median)" \
    "$filled" "$report" "$(awk -v a="$filled" -v b="$report" 'BEGIN { printf "%.2f", a / b }')"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-10s %8s %8s %12s %12s %12s %14s %12s %8s\n' case window open "first module" \
  "longest gap" "gap after" "list filled" "--report" ratio
for case in few all; do
  # One uncounted round of each fills the file cache.
  "$BENCH" "$trees/a" "$trees/$case" >/dev/null 2>&1
  "$DUALIS" --report "$trees/a" "$trees/$case" >/dev/null 2>&1 || true
  out=$(mktemp)
  late=$(mktemp)
  cli=()
  for ((r = 0; r < ROUNDS; r++)); do
    DUALIS_BENCH_START=$(date +%s%N) "$BENCH" "$trees/a" "$trees/$case" 2>/dev/null >>"$out"
    start=$(now_ms)
    "$DUALIS" --report "$trees/a" "$trees/$case" >/dev/null 2>&1 || true
    cli+=($(( $(now_ms) - start )))
    if [[ -n ${ALSO_LATE:-} ]]; then
      DUALIS_BENCH_OPEN_LATE=1 DUALIS_BENCH_START=$(date +%s%N) "$BENCH" "$trees/a" \
        "$trees/$case" 2>/dev/null >>"$late"
    fi
  done
  report=$(printf '%s\n' "${cli[@]}" | median)
  row "$case" "$out"
  [[ -n ${ALSO_LATE:-} ]] && row "$case-late" "$late"
  rm -f "$out" "$late"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "milliseconds; targets: first module < 500, gap after the first < 50, ratio <= 1.5"
