#!/usr/bin/env bash
# Cross-builds the command line for Windows (preset windows-cli) with MinGW-w64, runs its tests
# under Wine beside the Linux build's program (build/release, built first by test-all.sh), and
# makes the zip. Skipped with a message where MinGW-w64 or Wine is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "SKIPPED: the Windows build: MinGW-w64 (g++-mingw-w64-x86-64-posix) is not installed"
  exit 0
fi
wine=$(command -v wine64 || command -v wine || true)
[[ -z $wine && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64

cmake --preset windows-cli >/dev/null
cmake --build --preset windows-cli
(cd build/windows-cli && cpack -G ZIP >/dev/null)
zip=$(ls build/windows-cli/dualis-*-windows-x64.zip)
for f in dualis.exe README.md LICENSE manual.md git/gitattributes git/vb.gitconfig; do
  python3 -c 'import sys, zipfile; names = zipfile.ZipFile(sys.argv[1]).namelist()
sys.exit(0 if any(n.endswith("/" + sys.argv[2]) for n in names) else 1)' "$zip" "$f" ||
    { echo "The zip lacks $f"; exit 1; }
done
echo "Made $zip"

if [[ -z $wine ]]; then
  echo "SKIPPED: the Windows tests: Wine (wine64) is not installed"
  exit 0
fi
# A Wine prefix of its own, made quietly and removed at the end.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
"$wine" wineboot -i >/dev/null 2>&1 || true
ctest --preset windows-cli
