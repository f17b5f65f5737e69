#!/usr/bin/env bash
# The engine against GNU diff on the same files: `dualis --report --differences-only` (with the
# case's options) and `diff FILE1 FILE2`, run alternately, the one that goes first swapping each
# round. Prints the medians of wall time, processor time (user + system) and peak memory (GNU
# time's %M) of each, and dualis/diff for each.
#
# Usage: bench/run-speed.sh [DUALIS] [WORKDIR]
#   DUALIS   the binary (default <repo>/build/release/app/dualis)
#   WORKDIR  inputs (default /tmp/dualis-bench/speed); made once, by gen-1m-pair.py and
#            gen-hard-pair.py
# Environment: ROUNDS=7  CASES="main options same-name renamed end-if disjoint example"
#   BASELINE=other/dualis  also measures that binary, in the same alternation
#   TIMEOUT=120 (seconds per run)  PYTHON=python3
#
# Cases: main (the one-million-line pair), options (the same pair with --ignore-case
# --ignore-comments --ignore-embedded-blanks --sync=5), the four of gen-hard-pair.py, and
# example (the bundled example pair, where start-up is most of the time).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
DUALIS=${1:-$ROOT/build/release/app/dualis}
WORKDIR=${2:-/tmp/dualis-bench/speed}
ROUNDS=${ROUNDS:-7}
CASES=${CASES:-main options same-name renamed end-if disjoint example}
BASELINE=${BASELINE:-}
TIMEOUT=${TIMEOUT:-120}
PYTHON=${PYTHON:-python3}

[[ -x $DUALIS ]] || die "$DUALIS not found; build the release preset"
[[ -z $BASELINE || -x $BASELINE ]] || die "baseline $BASELINE not found"
(( BASH_VERSINFO[0] >= 5 )) || die "bash 5 or newer is needed (EPOCHREALTIME)"
mkdir -p "$WORKDIR"
WORKDIR=$(cd "$WORKDIR" && pwd)
SCRATCH=$(mktemp -d "$WORKDIR/.speed.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT

# The case's two files, made when missing or when their generator changed.
inputs() {  # case -> "FILE1 FILE2"
  local dir=$WORKDIR/$1 want
  if [[ $1 == example ]]; then
    echo "$ROOT/examples/v1/frmOrders.frm $ROOT/examples/v2/frmOrders.frm"
    return
  fi
  if [[ $1 == main || $1 == options ]]; then
    dir=$WORKDIR/main
    want="$(sha256sum "$BENCH_DIR/gen-1m-pair.py" | cut -d' ' -f1)"
  else
    want="$(sha256sum "$BENCH_DIR/gen-hard-pair.py" | cut -d' ' -f1) $1"
  fi
  if [[ $(cat "$dir/.stamp" 2>/dev/null || true) != "$want" ]]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    if [[ $dir == "$WORKDIR/main" ]]; then
      "$PYTHON" "$BENCH_DIR/gen-1m-pair.py" 25000 0.01 "$dir/file1.bas" "$dir/file2.bas"
    else
      "$PYTHON" "$BENCH_DIR/gen-hard-pair.py" "$1" "$dir/file1.bas" "$dir/file2.bas"
    fi || die "generating $1 failed"
    echo "$want" >"$dir/.stamp"
  fi
  echo "$dir/file1.bas $dir/file2.bas"
}

options() {  # case -> dualis options
  case $1 in
    options) echo "--report --differences-only --ignore-case --ignore-comments --ignore-embedded-blanks --sync=5" ;;
    *) echo "--report --differences-only" ;;
  esac
}

# One run: RUN_WALL, RUN_CPU (seconds) and RUN_MEM (KiB), all empty when it timed out or failed
# (exit status 1, "files differ", is normal).
run() {
  local t0 t1 rc=0
  t0=$EPOCHREALTIME
  /usr/bin/time -f '%U %S %M' -o "$SCRATCH/time" timeout -k 5 "$TIMEOUT" "$@" >/dev/null 2>&1 || rc=$?
  t1=$EPOCHREALTIME
  RUN_WALL=""; RUN_CPU=""; RUN_MEM=""
  (( rc <= 1 )) || return 0
  RUN_WALL=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')
  read -r u s m < <(tail -n 1 "$SCRATCH/time")
  RUN_CPU=$(awk -v u="$u" -v s="$s" 'BEGIN { printf "%.2f", u + s }')
  RUN_MEM=$m
}

echo "Engine against GNU diff ($(date '+%Y-%m-%d %H:%M:%S'), $(nproc) processors, $ROUNDS rounds)"
echo "  dualis: $DUALIS${BASELINE:+   baseline: $BASELINE}"
printf '%-10s %-9s %9s %9s %9s | %7s %7s %7s\n' case program wall cpu "peak MiB" "wall/d" "cpu/d" "mem/d"
for c in $CASES; do
  read -r f1 f2 <<<"$(inputs "$c")"
  read -ra opts <<<"$(options "$c")"
  cat "$f1" "$f2" >/dev/null
  progs=(dualis diff)
  [[ -n $BASELINE ]] && progs=(dualis baseline diff)
  declare -A wall=() cpu=() mem=()
  for p in "${progs[@]}"; do wall[$p]=""; cpu[$p]=""; mem[$p]=""; done
  for ((r = 0; r <= ROUNDS; r++)); do
    order=("${progs[@]}")
    if ((r % 2)); then
      order=()
      for ((k = ${#progs[@]} - 1; k >= 0; k--)); do order+=("${progs[k]}"); done
    fi
    for p in "${order[@]}"; do
      case $p in
        dualis) run "$DUALIS" "${opts[@]}" "$f1" "$f2" ;;
        baseline) run "$BASELINE" "${opts[@]}" "$f1" "$f2" ;;
        diff) run diff "$f1" "$f2" ;;
      esac
      ((r > 0)) || continue  # the first round warms up
      wall[$p]+="$RUN_WALL"$'\n'; cpu[$p]+="$RUN_CPU"$'\n'; mem[$p]+="$RUN_MEM"$'\n'
    done
  done
  dw=$(median <<<"${wall[diff]}"); dc=$(median <<<"${cpu[diff]}"); dm=$(median <<<"${mem[diff]}")
  for p in "${progs[@]}"; do
    w=$(median <<<"${wall[$p]}"); u=$(median <<<"${cpu[$p]}"); m=$(median <<<"${mem[$p]}")
    printf '%-10s %-9s %9s %9s %9s | %7s %7s %7s\n' "$c" "$p" "${w:-FAILED}" "${u:--}" \
      "$(awk -v m="$m" 'BEGIN { if (m == "") print "-"; else printf "%.1f", m / 1024 }')" \
      "$(ratio "$w" "$dw")" "$(ratio "$u" "$dc")" "$(ratio "$m" "$dm")"
  done
  unset wall cpu mem
done
echo "Aim: main within 0.25 x diff's wall and processor time and 1.0 x its memory (floor 0.35 x,"
echo "1.1 x); the hard cases within 1.0 x its time and 1.5 x its memory."
