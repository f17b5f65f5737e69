#!/usr/bin/env bash
# The window program as a user starts it, on a virtual display with a window manager: the time
# from starting `dualis FILE1 FILE2` to the pair drawn, and the program's peak memory, beside
# the peak of the engine making the same comparison without a window (window_bench --engine).
# Medians of ROUNDS rounds; with BASELINE, that program too, taking turns.
#
# Usage: bench/run-window-program.sh [DUALIS] [WINDOW_BENCH] [WORKDIR]
#   DUALIS        default <repo>/build/release/app/dualis
#   WINDOW_BENCH  default <repo>/build/release/bench/window_bench
#   WORKDIR       inputs (default /tmp/dualis-bench/speed, shared with bench/run-speed.sh)
# Environment: ROUNDS=7  WAIT=2 (seconds each run is given)  BASELINE=other/dualis
#   PYTHON=python3
# Needs xvfb and openbox (Debian packages of those names); runs them on a display of its own.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
DUALIS=${1:-$ROOT/build/release/app/dualis}
BENCH=${2:-$ROOT/build/release/bench/window_bench}
WORKDIR=${3:-/tmp/dualis-bench/speed}
ROUNDS=${ROUNDS:-7}
WAIT=${WAIT:-2}
BASELINE=${BASELINE:-}
PYTHON=${PYTHON:-python3}
for b in "$DUALIS" "$BENCH" ${BASELINE:+"$BASELINE"}; do
  [[ -x $b ]] || die "$b not found; build the release preset"
done
# The rest runs on a display of its own with a window manager, as the window's tests do.
if [[ -z ${DUALIS_BENCH_DISPLAY:-} ]]; then
  DUALIS_BENCH_DISPLAY=1 exec "$ROOT/tests/ui/with-window-manager.sh" "${BASH_SOURCE[0]}" "$@"
fi

dir=$WORKDIR/main
want=$(sha256sum "$BENCH_DIR/gen-1m-pair.py" | cut -d' ' -f1)
if [[ $(cat "$dir/.stamp" 2>/dev/null || true) != "$want" ]]; then
  rm -rf "$dir" && mkdir -p "$dir"
  "$PYTHON" "$BENCH_DIR/gen-1m-pair.py" 25000 0.01 "$dir/file1.bas" "$dir/file2.bas" ||
    die "generating the pair failed"
  echo "$want" >"$dir/.stamp"
fi
pair=("$dir/file1.bas" "$dir/file2.bas")

programs=("$DUALIS" ${BASELINE:+"$BASELINE"})
declare -A draw peak
engine=()
for ((r = 0; r < ROUNDS; r++)); do
  for p in "${programs[@]}"; do
    out=$("$PYTHON" "$BENCH_DIR/first-draw.py" "$WAIT" "$p" "${pair[@]}")
    draw[$p]+="$(field first_draw_ms <<<"$out") "
    peak[$p]+="$(field peak_mib <<<"$out") "
  done
  engine+=("$(QT_QPA_PLATFORM=offscreen "$BENCH" --engine "${pair[@]}" | field peak_mib)")
done
e=$(printf '%s\n' "${engine[@]}" | median)
printf '%-10s %14s %12s %12s %8s\n' program "first draw" "peak" "engine peak" extra
for p in "${programs[@]}"; do
  name=dualis
  [[ $p == "$DUALIS" ]] || name=baseline
  d=$(tr ' ' '\n' <<<"${draw[$p]}" | grep . | median)
  m=$(tr ' ' '\n' <<<"${peak[$p]}" | grep . | median)
  extra=$(awk -v w="$m" -v e="$e" 'BEGIN { printf "%+.1f%%", (w / e - 1) * 100 }')
  printf '%-10s %11s ms %8s MiB %8s MiB %8s\n' "$name" "$d" "$m" "$e" "$extra"
done
echo "Target: the pair drawn within 500 ms of the start; the window adds at most 10% to the"
echo "engine's peak."
