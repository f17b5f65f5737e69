#!/usr/bin/env bash
# Window benchmark: for the 10k-line and the one-million-line module pairs, the time from start
# to the first drawn view, the time the combined view then takes when first shown (it builds its
# rows), the time of one page-down redraw, of a Next Mismatch onto the last difference of the
# longest procedure (100,000 rows in the one-million-line pair) and of Ctrl+End from the first
# procedure, and the peak memory at the first view against the engine making the same
# comparison alone (the display rows of the view shown first), on the offscreen platform.
# Medians of ROUNDS alternating runs.
#
# Usage: bench/run-window.sh [WINDOW_BENCH] [WORKDIR]
#   WINDOW_BENCH  default <repo>/build/release/bench/window_bench (built by the release preset)
#   WORKDIR       inputs (default /tmp/dualis-bench, shared with bench/run.sh)
# Environment: ROUNDS=5  SIZES="10000 1000000"  PYTHON=python3
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
BIN=${1:-$ROOT/build/release/bench/window_bench}
WORKDIR=${2:-/tmp/dualis-bench}
ROUNDS=${ROUNDS:-5}
SIZES=${SIZES:-10000 1000000}
PYTHON=${PYTHON:-python3}
[[ -x $BIN ]] || { echo "run-window.sh: $BIN not found; build the release preset" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen


printf '%-10s %14s %14s %14s %12s %14s %14s %14s %14s %10s\n' lines "first view" "combined" \
  "page down" rows "next mismatch" "ctrl+end" "window peak" "engine peak" "extra"
for lines in $SIZES; do
  dir=$WORKDIR/window-$lines
  long=$((lines / 10))
  if [[ ! -f $dir/file1.bas || ! -f $dir/long-$long ]]; then
    "$PYTHON" "$BENCH_DIR/generate.py" --case main --lines "$lines" --long-procedure "$long" \
      --out "$dir" >/dev/null
    touch "$dir/long-$long"
  fi
  first=() combined=() page=() next=() end=() wpeak=() epeak=() rows=0
  for ((r = 0; r < ROUNDS; r++)); do
    w=$("$BIN" "$dir/file1.bas" "$dir/file2.bas" 2>/dev/null)
    e=$("$BIN" --engine "$dir/file1.bas" "$dir/file2.bas")
    first+=("$(field first_view_ms <<<"$w")")
    combined+=("$(field first_combined_ms <<<"$w")")
    page+=("$(field page_down_ms <<<"$w")")
    next+=("$(field next_mismatch_ms <<<"$w")")
    end+=("$(field ctrl_end_ms <<<"$w")")
    wpeak+=("$(field peak_mib <<<"$w")")
    epeak+=("$(field peak_mib <<<"$e")")
    rows=$(field procedure_rows <<<"$w")
  done
  f=$(printf '%s\n' "${first[@]}" | median)
  v=$(printf '%s\n' "${combined[@]}" | median)
  p=$(printf '%s\n' "${page[@]}" | median)
  n=$(printf '%s\n' "${next[@]}" | median)
  c=$(printf '%s\n' "${end[@]}" | median)
  wp=$(printf '%s\n' "${wpeak[@]}" | median)
  ep=$(printf '%s\n' "${epeak[@]}" | median)
  extra=$(awk -v w="$wp" -v e="$ep" 'BEGIN { printf "%+.1f%%", (w / e - 1) * 100 }')
  printf '%-10s %11s ms %11s ms %11s ms %12s %11s ms %11s ms %10s MiB %10s MiB %10s\n' "$lines" \
    "$f" "$v" "$p" "$rows" "$n" "$c" "$wp" "$ep" "$extra"
done
echo "Target: the window adds at most 10% to the engine's peak memory on the 1M pair;"
echo "the page-down redraw does not grow with the file; Next Mismatch and Ctrl+End under 5 ms."
