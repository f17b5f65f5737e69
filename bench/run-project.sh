#!/usr/bin/env bash
# Two generated project trees of 1,000 modules and 2.5 million lines compared by
# `dualis --report` beside `diff -r`: one module in twenty changed, and every module changed a
# little. Prints project_bench's table; the trees are made once per generator version.
#
# Usage: bench/run-project.sh [DUALIS] [WORKDIR]
#   DUALIS   the binary (default <repo>/build/release/app/dualis)
#   WORKDIR  the trees (default /tmp/dualis-bench, shared with bench/run.sh); about 360 MB
# Environment: ROUNDS=5  MODULES=1000  LINES=2500 (lines a module)  PYTHON=python3
#   BENCH    the project_bench binary (default <repo>/build/release/bench/project_bench)
set -euo pipefail

BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$BENCH_DIR/.." && pwd)
case "${1:-}" in
  -h|--help) sed -n '2,/^set /s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" | sed '$d'; exit 0 ;;
esac
DUALIS=${1:-$ROOT/build/release/app/dualis}
WORKDIR=${2:-/tmp/dualis-bench}
BENCH=${BENCH:-$ROOT/build/release/bench/project_bench}
ROUNDS=${ROUNDS:-5}
MODULES=${MODULES:-1000}
LINES=${LINES:-2500}
PYTHON=${PYTHON:-python3}

die() { echo "run-project.sh: $*" >&2; exit 2; }
[[ -x $DUALIS ]] || die "$DUALIS not found; build the release preset"
[[ -x $BENCH ]] || die "$BENCH not found; build the project_bench target"
command -v diff >/dev/null || die "GNU diff is needed"

trees=$WORKDIR/trees-$MODULES-$LINES
want="$(cat "$BENCH_DIR/generate.py" "$BENCH_DIR/generate_tree.py" | sha256sum | cut -d' ' -f1)"
if [[ $(cat "$trees/.stamp" 2>/dev/null || true) != "$want" ]]; then
  rm -rf "$trees"
  mkdir -p "$trees"
  "$PYTHON" "$BENCH_DIR/generate_tree.py" --out "$trees" --modules "$MODULES" --lines "$LINES" ||
    die "generating the trees failed"
  echo "$want" >"$trees/.stamp"
fi
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$BENCH" "$DUALIS" "$trees" "$ROUNDS"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
