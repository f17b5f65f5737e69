#!/usr/bin/env bash
# Dualis benchmark: wall time and peak memory of dualis against GNU diff.
#
# Usage: bench/run.sh [DUALIS] [WORKDIR]
#   DUALIS   dualis binary (default: <repo>/build/release/app/dualis)
#   WORKDIR  where inputs and raw results go (default: /tmp/dualis-bench)
#
# Settings (environment):
#   ROUNDS=7          runs of each program on the main pair
#   SCALE_ROUNDS=5    runs of each program per size in the scaling table
#   ADV_ROUNDS=3      runs of each program per adversarial case
#   SIZES="10000 100000 1000000"   module sizes for the scaling table
#   MAIN_LINES=1000000             size of the main pair
#   TIMEOUT=120       seconds before a single run is abandoned
#   WARMUP=1          uncounted runs of each program before a series
#   SEED=             generator seed (empty: the generator's default)
#   PYTHON=python3    DIFF=/usr/bin/diff   GNU_TIME=/usr/bin/time
#
# Nothing is built here. If the dualis binary is missing, only the diff side
# is measured, so the reference figures can be collected on their own.

set -euo pipefail

BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$BENCH_DIR/.." && pwd)

case "${1:-}" in
  -h|--help) sed -n '2,/^$/s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"; exit 0 ;;
esac

DUALIS=${1:-$ROOT/build/release/app/dualis}
WORKDIR=${2:-/tmp/dualis-bench}
ROUNDS=${ROUNDS:-7}
SCALE_ROUNDS=${SCALE_ROUNDS:-5}
ADV_ROUNDS=${ADV_ROUNDS:-3}
SIZES=${SIZES:-10000 100000 1000000}
MAIN_LINES=${MAIN_LINES:-1000000}
TIMEOUT=${TIMEOUT:-120}
WARMUP=${WARMUP:-1}
SEED=${SEED:-}
PYTHON=${PYTHON:-python3}
DIFF=${DIFF:-/usr/bin/diff}
GNU_TIME=${GNU_TIME:-/usr/bin/time}

TIME_TARGET=0.5      # dualis wall time / diff wall time, main pair
MEM_TARGET=1.25      # dualis peak RSS / diff peak RSS, main pair
ADV_TARGET=2         # seconds, each adversarial case

die() { echo "run.sh: $*" >&2; exit 2; }

for n in ROUNDS SCALE_ROUNDS ADV_ROUNDS MAIN_LINES TIMEOUT WARMUP; do
  [[ ${!n} =~ ^[0-9]+$ ]] || die "$n must be a whole number (got '${!n}')"
done
(( ROUNDS > 0 && SCALE_ROUNDS > 0 && ADV_ROUNDS > 0 )) || die "round counts must be positive"
[[ -x $GNU_TIME ]] || die "GNU time not found at $GNU_TIME"
[[ -x $DIFF ]] || die "diff not found at $DIFF"
command -v "$PYTHON" >/dev/null || die "$PYTHON not found"
command -v timeout >/dev/null || die "timeout (coreutils) not found"
(( BASH_VERSINFO[0] >= 5 )) || die "bash 5 or newer is needed (EPOCHREALTIME)"

# A bare name is looked up on PATH; anything else is a path.
if [[ $DUALIS != */* ]] && command -v "$DUALIS" >/dev/null; then
  DUALIS=$(command -v "$DUALIS")
fi
HAVE_DUALIS=1
[[ -f $DUALIS && -x $DUALIS ]] || HAVE_DUALIS=0

mkdir -p "$WORKDIR"
WORKDIR=$(cd "$WORKDIR" && pwd)
STAMP=$(date +%Y%m%d-%H%M%S)
RAW=$WORKDIR/results-$STAMP.tsv
SCRATCH=$(mktemp -d "$WORKDIR/.run.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT
printf 'series\tprogram\tround\texit\twall_s\ttime_e_s\tpeak_rss_kb\n' >"$RAW"

FAILED=0

# ---------------------------------------------------------------- helpers

# 1234567 -> 1,234,567
group() { sed -e ':a' -e 's/\([0-9]\)\([0-9]\{3\}\)\($\|[^0-9]\)/\1,\2\3/' -e 'ta' <<<"$1"; }

median() {  # numbers as arguments -> median on stdout
  printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {
    if (NR == 0) { print "nan"; exit }
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b + 0 == 0) print "n/a"; else printf "%.2f", a / b }'; }

verdict() {  # value, target, "le" or "lt"
  awk -v v="$1" -v t="$2" -v op="$3" 'BEGIN {
    if (v == "n/a" || v == "") { print "n/a"; exit }
    ok = (op == "le") ? (v + 0 <= t + 0) : (v + 0 < t + 0)
    print ok ? "met" : "NOT met" }'
}

fmt_s()  { [[ $1 == "" ]] && { echo "-"; return; }; awk -v v="$1" 'BEGIN { printf "%.3f s", v }'; }
fmt_mb() { [[ $1 == "" ]] && { echo "-"; return; }; awk -v v="$1" 'BEGIN { printf "%.1f MiB", v / 1024 }'; }

# ------------------------------------------------------------- generation

ensure_case() {  # case lines; sets DIRS[case-lines] to the directory holding file1/file2
  local case=$1 lines=$2 dir=$WORKDIR/$1-$2 want have
  want="$(sha256sum "$BENCH_DIR/generate.py" | cut -d' ' -f1) $case $lines ${SEED:-default}"
  have=$(cat "$dir/.stamp" 2>/dev/null || true)
  if [[ $have != "$want" || ! -f $dir/file1.bas || ! -f $dir/file2.bas ]]; then
    rm -rf "$dir"
    local seed_args=()
    [[ -n $SEED ]] && seed_args=(--seed "$SEED")
    local t0=$EPOCHREALTIME
    echo "  generating $case $lines ..." >&2
    "$PYTHON" "$BENCH_DIR/generate.py" --case "$case" --lines "$lines" \
      "${seed_args[@]}" --out "$dir" 2>"$SCRATCH/gen.err" ||
      die "generation of $case $lines failed: $(cat "$SCRATCH/gen.err")"
    local t1=$EPOCHREALTIME
    echo "$want" >"$dir/.stamp"
    GEN_NOTE[$case-$lines]=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "generated now in %.2f s", b - a }')
  else
    GEN_NOTE[$case-$lines]="already present"
  fi
  DIRS[$case-$lines]=$dir
}

describe_input() {  # key dir
  local f1=$2/file1.bas f2=$2/file2.bas
  printf '  %-22s file1 %11s lines %14s bytes | file2 %11s lines %14s bytes | %s\n' "$1" \
    "$(group "$(wc -l <"$f1")")" "$(group "$(stat -c %s "$f1")")" \
    "$(group "$(wc -l <"$f2")")" "$(group "$(stat -c %s "$f2")")" "${GEN_NOTE[$1]}"
}

# ------------------------------------------------------------ measurement

# measure SERIES PROGRAM ROUND CMD... ; sets M_EXIT M_WALL M_RSS
measure() {
  local series=$1 prog=$2 round=$3; shift 3
  local tfile=$SCRATCH/time errf=$SCRATCH/stderr rc=0 t0 t1 last
  t0=$EPOCHREALTIME
  "$GNU_TIME" -f '%e %M' -o "$tfile" timeout -k 5 "$TIMEOUT" "$@" >/dev/null 2>"$errf" || rc=$?
  t1=$EPOCHREALTIME
  last=$(tail -n 1 "$tfile" 2>/dev/null || true)
  M_WALL=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')
  M_RSS=${last#* }
  local e=${last%% *}
  [[ $M_RSS =~ ^[0-9]+$ ]] || M_RSS=""
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$series" "$prog" "$round" "$rc" "$M_WALL" "$e" "$M_RSS" >>"$RAW"
  if (( rc > 1 )); then
    if (( rc == 124 || rc == 137 )); then
      M_ERR="timed out after ${TIMEOUT} s"
    else
      M_ERR="exit status $rc: $(head -c 300 "$errf" | tr '\n' ' ')"
    fi
  fi
}

# series KEY ROUNDS FILE1 FILE2 PROGRAMS...  (programs: dualis, diff)
# Runs the programs alternately, swapping which goes first each round, and
# stores medians in MED_T[prog:KEY], MED_M[prog:KEY] (or ERR[prog:KEY]).
series() {
  local key=$1 rounds=$2 f1=$3 f2=$4; shift 4
  local progs=("$@") p r
  declare -A times=() mems=() dead=()
  cat "$f1" "$f2" >/dev/null   # page cache, so the first timed run reads no disk
  for p in "${progs[@]}"; do times[$p]=""; mems[$p]=""; done
  for (( r = 1 - WARMUP; r <= rounds; r++ )); do
    local order=("${progs[@]}")
    if (( r % 2 == 0 && ${#progs[@]} == 2 )); then order=("${progs[1]}" "${progs[0]}"); fi
    for p in "${order[@]}"; do
      [[ -n ${dead[$p]:-} ]] && continue
      M_ERR=""
      case $p in
        dualis) measure "$key" dualis "$r" "$DUALIS" --report --differences-only "$f1" "$f2" ;;
        diff)   measure "$key" diff "$r" "$DIFF" "$f1" "$f2" ;;
      esac
      if [[ -n $M_ERR ]]; then
        dead[$p]=1; ERR[$p:$key]=$M_ERR; FAILED=1
        echo "  ! $p on $key: $M_ERR" >&2
        continue
      fi
      (( r >= 1 )) || continue
      times[$p]+=" $M_WALL"; mems[$p]+=" $M_RSS"
    done
  done
  for p in "${progs[@]}"; do
    [[ -n ${dead[$p]:-} ]] && continue
    # shellcheck disable=SC2086
    MED_T[$p:$key]=$(median ${times[$p]})
    # shellcheck disable=SC2086
    MED_M[$p:$key]=$(median ${mems[$p]})
  done
}

err_cell() { if [[ ${ERR[$1]} == timed* ]]; then echo "TIMEOUT"; else echo "FAILED"; fi; }
cell_t() { if [[ -n ${ERR[$1]:-} ]]; then err_cell "$1"; else fmt_s "${MED_T[$1]:-}"; fi; }
cell_m() { if [[ -n ${ERR[$1]:-} ]]; then err_cell "$1"; else fmt_mb "${MED_M[$1]:-}"; fi; }

# ------------------------------------------------------------------ main

declare -A GEN_NOTE=() MED_T=() MED_M=() ERR=()
PROGS=(diff)
(( HAVE_DUALIS )) && PROGS=(dualis diff)

echo "Dualis benchmark ($(date '+%Y-%m-%d %H:%M:%S'))"
echo "  machine : $(nproc) CPU(s), $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), $(uname -sr)"
if (( HAVE_DUALIS )); then
  echo "  dualis  : $DUALIS"
else
  echo "  dualis  : NOT FOUND at $DUALIS -- measuring the diff side only"
fi
echo "  diff    : $DIFF ($("$DIFF" --version | head -n 1))"
echo "  work dir: $WORKDIR"
echo "  raw data: $RAW"
echo "  timing  : wall clock around each run; peak RSS from GNU time (%M)"
overhead=()
for _ in 1 2 3 4 5; do
  t0=$EPOCHREALTIME
  "$GNU_TIME" -f '%e %M' -o /dev/null timeout -k 5 "$TIMEOUT" true >/dev/null 2>&1 || true
  t1=$EPOCHREALTIME
  overhead+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')")
done
echo "  overhead: $(awk -v v="$(median "${overhead[@]}")" 'BEGIN { printf "%.1f ms", v * 1000 }') per run for the measuring wrapper (included in every time below)"
echo

# Inputs first, so generation time never lands inside a measurement.
declare -A DIRS=()
for n in $SIZES $MAIN_LINES; do
  [[ -n ${DIRS[main-$n]:-} ]] || ensure_case main "$n"
done
ensure_case alternating 50000
ensure_case shuffled 200000

echo "Inputs (CR LF, Windows-1252)"
for key in $(printf '%s\n' "${!DIRS[@]}" | sort -t- -k1,1 -k2,2n); do
  describe_input "$key" "${DIRS[$key]}"
done
echo

# --- main pair ---------------------------------------------------------
key=main-$MAIN_LINES
echo "Main pair ($key): $(group "$(wc -l <"${DIRS[$key]}/file1.bas")") vs $(group "$(wc -l <"${DIRS[$key]}/file2.bas")") lines;"
echo "  ~1% of lines changed/inserted/deleted, some procedures moved and renamed"
echo "  $ROUNDS timed rounds of each program, run alternately (+$WARMUP warm-up)"
echo "  dualis --report --differences-only FILE1 FILE2 >/dev/null   vs   diff FILE1 FILE2 >/dev/null"
series "$key" "$ROUNDS" "${DIRS[$key]}/file1.bas" "${DIRS[$key]}/file2.bas" "${PROGS[@]}"
printf '  %-8s %16s %18s\n' "" "median time" "median peak RSS"
for p in "${PROGS[@]}"; do
  printf '  %-8s %16s %18s\n' "$p" "$(cell_t "$p:$key")" "$(cell_m "$p:$key")"
done
tr_=n/a; mr_=n/a
if (( HAVE_DUALIS )) && [[ -z ${ERR[dualis:$key]:-} && -z ${ERR[diff:$key]:-} ]]; then
  tr_=$(ratio "${MED_T[dualis:$key]}" "${MED_T[diff:$key]}")
  mr_=$(ratio "${MED_M[dualis:$key]}" "${MED_M[diff:$key]}")
fi
printf '  time ratio   dualis/diff = %-5s  (target <= %s: %s)\n' "$tr_" "$TIME_TARGET" "$(verdict "$tr_" "$TIME_TARGET" le)"
printf '  memory ratio dualis/diff = %-5s  (target <= %s: %s)\n' "$mr_" "$MEM_TARGET" "$(verdict "$mr_" "$MEM_TARGET" le)"
echo

# --- scaling -------------------------------------------------------------
echo "Scaling: median of $SCALE_ROUNDS rounds per size ($ROUNDS for the main-pair size)"
printf '  %11s | %11s %12s | %11s %12s | %10s %10s\n' \
  "lines" "dualis time" "dualis RSS" "diff time" "diff RSS" "time ratio" "mem ratio"
for n in $SIZES; do
  key=main-$n
  if [[ -z ${MED_T[diff:$key]:-} && -z ${ERR[diff:$key]:-} ]]; then
    series "$key" "$SCALE_ROUNDS" "${DIRS[$key]}/file1.bas" "${DIRS[$key]}/file2.bas" "${PROGS[@]}"
  fi
  tr_=n/a; mr_=n/a; dt="-"; dm="-"
  if (( HAVE_DUALIS )); then
    dt=$(cell_t "dualis:$key"); dm=$(cell_m "dualis:$key")
    if [[ -z ${ERR[dualis:$key]:-} && -z ${ERR[diff:$key]:-} ]]; then
      tr_=$(ratio "${MED_T[dualis:$key]}" "${MED_T[diff:$key]}")
      mr_=$(ratio "${MED_M[dualis:$key]}" "${MED_M[diff:$key]}")
    fi
  fi
  printf '  %11s | %11s %12s | %11s %12s | %10s %10s\n' "$(group "$n")" \
    "$dt" "$dm" "$(cell_t "diff:$key")" "$(cell_m "diff:$key")" "$tr_" "$mr_"
done
echo

# --- adversarial -----------------------------------------------------------
echo "Adversarial inputs: median of $ADV_ROUNDS rounds (dualis target: under ${ADV_TARGET} s each; diff for reference)"
printf '  %-46s | %11s %12s %9s | %11s %12s\n' "case" "dualis time" "dualis RSS" "target" "diff time" "diff RSS"
for entry in "alternating-50000|one 50,000-line procedure: ABAB... vs AAAA..." \
            "shuffled-200000|200,000 lines vs a permutation of them"; do
  key=${entry%%|*}; label=${entry#*|}
  series "$key" "$ADV_ROUNDS" "${DIRS[$key]}/file1.bas" "${DIRS[$key]}/file2.bas" "${PROGS[@]}"
  dt="-"; dm="-"; v="n/a"
  if (( HAVE_DUALIS )); then
    dt=$(cell_t "dualis:$key"); dm=$(cell_m "dualis:$key")
    if [[ -n ${ERR[dualis:$key]:-} ]]; then v="NOT met"
    else v=$(verdict "${MED_T[dualis:$key]}" "$ADV_TARGET" lt); fi
  fi
  printf '  %-46s | %11s %12s %9s | %11s %12s\n' "$label" "$dt" "$dm" "$v" \
    "$(cell_t "diff:$key")" "$(cell_m "diff:$key")"
done
echo

if (( FAILED )); then
  echo "Some runs failed or timed out (see messages above and $RAW)."
  exit 1
fi
echo "Done. Raw measurements: $RAW"
