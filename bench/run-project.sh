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

source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
DUALIS=${1:-$ROOT/build/release/app/dualis}
WORKDIR=${2:-/tmp/dualis-bench}
BENCH=${BENCH:-$ROOT/build/release/bench/project_bench}
ROUNDS=${ROUNDS:-5}
MODULES=${MODULES:-1000}
LINES=${LINES:-2500}
PYTHON=${PYTHON:-python3}

[[ -x $DUALIS ]] || die "$DUALIS not found; build the release preset"
[[ -x $BENCH ]] || die "$BENCH not found; build the project_bench target"
command -v diff >/dev/null || die "GNU diff is needed"

make_trees
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$BENCH" "$DUALIS" "$trees" "$ROUNDS"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
