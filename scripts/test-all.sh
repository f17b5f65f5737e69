#!/usr/bin/env bash
# Builds Dualis and runs every test: the unit and property tests, the same tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the comparison against an independent
# implementation on random pairs, and a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${FUZZ_SECONDS:-60}
DIFFERENTIAL_CASES=${DIFFERENTIAL_CASES:-2000}

scripts/install-deps.sh

# The tests never see the user's own settings.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME

echo "== Release build and tests"
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release

echo "== Sanitizer build and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

echo "== Against the independent implementation ($DIFFERENTIAL_CASES random pairs)"
(cd tests/differential && python3 -m unittest -q test_oracle)
python3 tests/differential/run.py --dualis build/release/app/dualis \
  --count "$DIFFERENTIAL_CASES" --seed 1

echo "== Fuzzing the pipeline for $FUZZ_SECONDS s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_pipeline
corpus=$(mktemp -d)
n=0
for f in examples/v1/* examples/v2/* tests/data/*.bas; do
  cp "$f" "$corpus/$((n++))-$(basename "$f")"
done
build/fuzz/tests/fuzz_pipeline -max_total_time="$FUZZ_SECONDS" -max_len=8192 \
  -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
rm -rf "$corpus"

echo "== Fuzzing the settings file for $((FUZZ_SECONDS / 2)) s"
cmake --build --preset fuzz --target fuzz_settings
corpus=$(mktemp -d)
cp tests/data/*.ini "$corpus"/
build/fuzz/tests/fuzz_settings -max_total_time=$((FUZZ_SECONDS / 2)) -max_len=4096 \
  "$corpus" 2>&1 | tail -n 3
rm -rf "$corpus"
echo "All tests passed"
