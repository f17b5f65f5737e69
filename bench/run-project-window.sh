#!/usr/bin/env bash
# The window's comparison of two generated project trees of 1,000 modules beside the command
# line's: for `few` (one module in twenty changed) and `all` (every module changed a little),
# the time from the start to the first module shown, the longest gap between handled events
# from the start of the background comparison and after the first module is shown, the time
# until the module list is filled, and `dualis --report` on the same trees; medians of ROUNDS
# alternating runs, on the offscreen platform. The trees are those of bench/run-project.sh.
#
# Also: the time until the window is loaded, and the opening and pairing of the two trees.
#
# Usage: bench/run-project-window.sh [BENCH] [DUALIS] [WORKDIR]
#   BENCH    default <repo>/build/release/bench/project_window_bench
#   DUALIS   default <repo>/build/release/app/dualis
#   WORKDIR  the trees (default /tmp/dualis-bench, shared with bench/run-project.sh)
# Environment: ROUNDS=7  MODULES=1000  LINES=2500  PYTHON=python3
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

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-6s %8s %8s %12s %12s %12s %14s %12s %8s\n' case window open "first module" \
  "longest gap" "gap after" "list filled" "--report" ratio
for case in few all; do
  # One uncounted round of each fills the file cache.
  "$BENCH" "$trees/a" "$trees/$case" >/dev/null 2>&1
  "$DUALIS" --report "$trees/a" "$trees/$case" >/dev/null 2>&1 || true
  out=$(mktemp)
  cli=()
  for ((r = 0; r < ROUNDS; r++)); do
    DUALIS_BENCH_START=$(date +%s%N) "$BENCH" "$trees/a" "$trees/$case" 2>/dev/null >>"$out"
    start=$(now_ms)
    "$DUALIS" --report "$trees/a" "$trees/$case" >/dev/null 2>&1 || true
    cli+=($(( $(now_ms) - start )))
  done
  first=$(field first_module_ms <"$out" | median)
  gap=$(field longest_gap_ms <"$out" | median)
  after=$(field longest_gap_after_first_ms <"$out" | median)
  filled=$(field list_filled_ms <"$out" | median)
  open=$(field open_ms <"$out" | median)
  window=$(field window_ms <"$out" | median)
  report=$(printf '%s\n' "${cli[@]}" | median)
  ratio=$(awk -v a="$filled" -v b="$report" 'BEGIN { printf "%.2f", a / b }')
  printf '%-6s %8s %8s %12s %12s %12s %14s %12s %8s\n' "$case" "$window" "$open" "$first" "$gap" \
    "$after" "$filled" "$report" "$ratio"
  rm -f "$out"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "milliseconds; targets: first module < 500, gap after the first < 50, ratio <= 1.5"
