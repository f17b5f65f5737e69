# Sourced by the benchmark scripts, with the script's arguments: the folders, --help (the
# script's header comment), and the small helpers they share.
BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)
ROOT=$(cd "$BENCH_DIR/.." && pwd)
case "${1:-}" in
  -h|--help) sed -n '2,/^set /s/^# \{0,1\}//p' "${BASH_SOURCE[1]}" | sed '$d'; exit 0 ;;
esac

die() { echo "$(basename "${BASH_SOURCE[-1]}"): $*" >&2; exit 2; }
# The median of the numbers on standard input, one a line; nothing for none.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR > 0) print v[int((NR + 1) / 2)] }'; }
# $1 / $2 with two decimals; "-" when either is missing or $2 is zero.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b + 0 == 0) print "-"; else printf "%.2f", a / b }'; }
# The value after the key $1 in the lines "key value" on standard input.
field() { awk -v k="$1" '$1 == k { print $2 }'; }

# Makes the two generated project trees in $WORKDIR, again when the generators changed, and
# sets `trees` to their folder. Needs MODULES, LINES and PYTHON.
make_trees() {
  trees=$WORKDIR/trees-$MODULES-$LINES
  local want
  want="$(cat "$BENCH_DIR/generate.py" "$BENCH_DIR/generate_tree.py" | sha256sum | cut -d' ' -f1)"
  if [[ $(cat "$trees/.stamp" 2>/dev/null || true) != "$want" ]]; then
    rm -rf "$trees"
    mkdir -p "$trees"
    "$PYTHON" "$BENCH_DIR/generate_tree.py" --out "$trees" --modules "$MODULES" --lines "$LINES" ||
      die "generating the trees failed"
    echo "$want" >"$trees/.stamp"
  fi
}
