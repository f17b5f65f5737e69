#!/usr/bin/env bash
# What tracing and colour cost: a traced against an untraced comparison of a procedure and its
# reversed copy (2,000, 8,000 and 200,000 lines; seconds and trace lines), and the plain against
# the coloured report of 2,000 changed lines of about 2,000 tokens and of 2,000 lines of 26 KB
# (seconds and ratio). Medians of ROUNDS runs, the two sides of each ratio run alternately.
#
# Usage: bench/run-costs.sh [DUALIS] [WORKDIR]
#   DUALIS   the binary (default <repo>/build/release/app/dualis)
#   WORKDIR  inputs and logs (default /tmp/dualis-bench, shared with bench/run.sh)
# Environment: ROUNDS=3  TIMEOUT=300 (seconds per run)  REVERSED="2000 8000 200000"
#   BASELINE=other/dualis  also measures that binary, alternately with DUALIS, in the same run
#   PYTHON=python3
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
DUALIS=${1:-$ROOT/build/release/app/dualis}
WORKDIR=${2:-/tmp/dualis-bench}
ROUNDS=${ROUNDS:-3}
TIMEOUT=${TIMEOUT:-300}
REVERSED=${REVERSED:-2000 8000 200000}
BASELINE=${BASELINE:-}
PYTHON=${PYTHON:-python3}

[[ -x $DUALIS ]] || die "$DUALIS not found; build the release preset"
[[ -z $BASELINE || -x $BASELINE ]] || die "baseline $BASELINE not found"
(( BASH_VERSINFO[0] >= 5 )) || die "bash 5 or newer is needed (EPOCHREALTIME)"
mkdir -p "$WORKDIR"
WORKDIR=$(cd "$WORKDIR" && pwd)
SCRATCH=$(mktemp -d "$WORKDIR/.costs.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT

secs() { [[ -z $1 ]] && { echo "TIMEOUT"; return; }; awk -v v="$1" 'BEGIN { printf "%.3f", v }'; }

# The generator's case at a size, made once per generator version.
input() {  # case lines -> directory
  local dir=$WORKDIR/$1-$2 want
  want="$(sha256sum "$BENCH_DIR/generate.py" | cut -d' ' -f1) $1 $2"
  if [[ $(cat "$dir/.stamp" 2>/dev/null || true) != "$want" ]]; then
    rm -rf "$dir"
    "$PYTHON" "$BENCH_DIR/generate.py" --case "$1" --lines "$2" --out "$dir" 2>/dev/null ||
      die "generating $1 $2 failed"
    echo "$want" >"$dir/.stamp"
  fi
  echo "$dir"
}

# One run: wall seconds and processor seconds (user + system) into RUN_WALL and RUN_CPU, both
# empty when the run timed out or failed (exit status 1, "files differ", is normal).
run() {
  local t0 t1 rc=0
  t0=$EPOCHREALTIME
  /usr/bin/time -f '%U %S' -o "$SCRATCH/time" timeout -k 5 "$TIMEOUT" "$@" >/dev/null 2>&1 || rc=$?
  t1=$EPOCHREALTIME
  if (( rc > 1 )); then RUN_WALL=""; RUN_CPU=""; return; fi
  RUN_WALL=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')
  RUN_CPU=$(tail -n 1 "$SCRATCH/time" | awk '{ printf "%.2f", $1 + $2 }')
}

# series KEY CMD... : ROUNDS runs of each command given as KEY=..., alternately, the first one
# swapping each round; a command that times out is not run again. Medians in WALL[KEY], CPU[KEY].
declare -A WALL=() CPU=() CMDS=()
series() {
  local keys=("$@") r k order
  declare -A walls=() cpus=() dead=()
  for (( r = 1; r <= ROUNDS; r++ )); do
    order=("${keys[@]}")
    (( r % 2 == 0 )) && order=($(printf '%s\n' "${keys[@]}" | tac))
    for k in "${order[@]}"; do
      [[ -n ${dead[$k]:-} ]] && continue
      # shellcheck disable=SC2086
      run ${CMDS[$k]}
      if [[ -z $RUN_WALL ]]; then dead[$k]=1; walls[$k]=""; continue; fi
      walls[$k]+=" $RUN_WALL"; cpus[$k]+=" $RUN_CPU"
    done
  done
  for k in "${keys[@]}"; do
    if [[ -n ${dead[$k]:-} ]]; then WALL[$k]=""; CPU[$k]=""; continue; fi
    WALL[$k]=$(printf '%s\n' ${walls[$k]} | median)
    CPU[$k]=$(printf '%s\n' ${cpus[$k]} | median)
  done
}

# The user's own settings never count: every run names its settings file.
printf '[Debug]\nLogApp=No\n' >"$SCRATCH/untraced.ini"

BINS=("$DUALIS")
[[ -n $BASELINE ]] && BINS+=("$BASELINE")
label() { [[ $1 == "$DUALIS" ]] && echo "dualis" || echo "baseline"; }

echo "Costs of tracing and colour ($(date '+%Y-%m-%d %H:%M:%S'), $(nproc) CPU(s), load $(cut -d' ' -f1-3 /proc/loadavg))"
echo "  dualis  : $DUALIS"
[[ -n $BASELINE ]] && echo "  baseline: $BASELINE"
echo "  medians of $ROUNDS runs; wall seconds (processor seconds in brackets); timeout $TIMEOUT s"
echo

echo "Traced (LogApp=Yes, LOGFILE) against untraced --report of a procedure and its reversed copy"
printf '  %-9s %8s | %17s %17s %7s | %12s %12s\n' binary lines untraced traced ratio "trace lines" "Comparing"
for n in $REVERSED; do
  dir=$(input reversed "$n")
  for bin in "${BINS[@]}"; do
    tag=$(label "$bin")
    log=$SCRATCH/trace-$tag.log
    printf '[Debug]\nLogApp=Yes\nLOGFILE=%s\n' "$log" >"$SCRATCH/traced-$tag.ini"
    CMDS[$tag-u]="$bin --settings $SCRATCH/untraced.ini --report $dir/file1.bas $dir/file2.bas"
    CMDS[$tag-t]="$bin --settings $SCRATCH/traced-$tag.ini --report $dir/file1.bas $dir/file2.bas"
  done
  keys=()
  for bin in "${BINS[@]}"; do keys+=("$(label "$bin")-u" "$(label "$bin")-t"); done
  series "${keys[@]}"
  for bin in "${BINS[@]}"; do
    tag=$(label "$bin")
    log=$SCRATCH/trace-$tag.log
    lines="-"; comparing="-"
    if [[ -n ${WALL[$tag-t]} && -f $log ]]; then
      lines=$(wc -l <"$log"); comparing=$(grep -c '^ Comparing ' "$log" || true)
    fi
    rm -f "$log"
    printf '  %-9s %8s | %8s (%6s) %8s (%6s) %7s | %12s %12s\n' "$tag" "$n" \
      "$(secs "${WALL[$tag-u]}")" "${CPU[$tag-u]:--}" "$(secs "${WALL[$tag-t]}")" "${CPU[$tag-t]:--}" \
      "$(ratio "${WALL[$tag-t]}" "${WALL[$tag-u]}")" "$lines" "$comparing"
  done
done
echo

echo "--report against --report --color=always, 2,000 changed lines"
printf '  %-9s %-22s | %17s %17s %7s %7s\n' binary input plain colour ratio "cpu ratio"
for input_case in "longlines|~2,000 tokens each" "widelines|26 KB each"; do
  case_name=${input_case%%|*}; what=${input_case#*|}
  dir=$(input "$case_name" 2000)
  keys=()
  for bin in "${BINS[@]}"; do
    tag=$(label "$bin")
    CMDS[$tag-p]="$bin --settings $SCRATCH/untraced.ini --report $dir/file1.bas $dir/file2.bas"
    CMDS[$tag-c]="$bin --settings $SCRATCH/untraced.ini --report --color=always $dir/file1.bas $dir/file2.bas"
    keys+=("$tag-p" "$tag-c")
  done
  series "${keys[@]}"
  for bin in "${BINS[@]}"; do
    tag=$(label "$bin")
    printf '  %-9s %-22s | %8s (%6s) %8s (%6s) %7s %7s\n' "$tag" "$what" \
      "$(secs "${WALL[$tag-p]}")" "${CPU[$tag-p]:--}" "$(secs "${WALL[$tag-c]}")" "${CPU[$tag-c]:--}" \
      "$(ratio "${WALL[$tag-c]}" "${WALL[$tag-p]}")" "$(ratio "${CPU[$tag-c]}" "${CPU[$tag-p]}")"
  done
done
