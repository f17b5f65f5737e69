#!/usr/bin/env bash
# Start-up benchmark: what one command-line run of dualis costs, as git pays it once per file
# (difftool, textconv): `dualis --version` and `dualis --report` of the example pair beside
# `diff` on the same pair, and the shared libraries each program loads. Medians of ROUNDS runs,
# the programs taking turns so that they share the machine's load.
#
# Usage: bench/run-startup.sh [DUALIS...]
#   DUALIS  one or more dualis binaries, measured in the same rounds (for before and after);
#           default <repo>/build/release/app/dualis
# Environment: ROUNDS=30
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
binaries=("$@")
((${#binaries[@]} > 0)) || binaries=("$ROOT/build/release/app/dualis")
ROUNDS=${ROUNDS:-30}
ONE=$ROOT/examples/v1/frmOrders.frm
TWO=$ROOT/examples/v2/frmOrders.frm

for b in "${binaries[@]}"; do [[ -x $b ]] || die "$b not found; build the release preset"; done
[[ $ROUNDS =~ ^[1-9][0-9]*$ ]] || die "ROUNDS must be a positive whole number"
(( BASH_VERSINFO[0] >= 5 )) || die "bash 5 or newer is needed (EPOCHREALTIME)"
DIFF=$(type -P diff) || die "GNU diff is needed"
TRUE=$(type -P true)

# The settings file the runs read is an empty one of their own, the same for every run.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work

# One run of a job in milliseconds, from before the fork to after the wait; the output is thrown
# away. A job is "version N" or "report N" for the Nth binary, "diff", or "true", which shows
# what starting any program costs from here.
run_ms() {
  local start=$EPOCHREALTIME
  case $1 in
    version) "${binaries[$2]}" --version ;;
    report) "${binaries[$2]}" --report "$ONE" "$TWO" ;;
    diff) "$DIFF" "$ONE" "$TWO" ;;
    true) "$TRUE" ;;
  esac >/dev/null 2>&1 || true
  local end=$EPOCHREALTIME
  awk -v us=$((${end/[.,]/} - ${start/[.,]/})) 'BEGIN { printf "%.3f", us / 1000 }'
}

median_ms() {
  tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] }'
}

# The shared libraries the loader maps for a program, itself and the vDSO left out.
libraries() { LD_TRACE_LOADED_OBJECTS=1 "$1" 2>/dev/null | grep -c '=>' || true; }

jobs=()
for i in "${!binaries[@]}"; do jobs+=("version $i" "report $i"); done
jobs+=(diff true)
declare -A times
for job in "${jobs[@]}"; do run_ms $job >/dev/null; done # one uncounted round fills the caches
for ((r = 0; r < ROUNDS; r++)); do
  # The order turns by one every round.
  for ((k = 0; k < ${#jobs[@]}; k++)); do
    job=${jobs[(k + r) % ${#jobs[@]}]}
    times[$job]+="$(run_ms $job) "
  done
done

echo "load: $(cut -d' ' -f1-3 /proc/loadavg); medians of $ROUNDS runs in ms, fork and wait included"
printf '%-8s %10s %10s %10s\n' program --version --report libraries
for i in "${!binaries[@]}"; do
  printf '%-8s %10s %10s %10s   %s\n' "#$((i + 1))" "$(median_ms <<<"${times[version $i]}")" \
    "$(median_ms <<<"${times[report $i]}")" "$(libraries "${binaries[i]}")" "${binaries[i]}"
done
printf '%-8s %10s %10s %10s\n' diff - "$(median_ms <<<"${times[diff]}")" "$(libraries "$DIFF")"
printf '%-8s %10s %10s %10s\n' true - "$(median_ms <<<"${times[true]}")" "$(libraries "$TRUE")"
