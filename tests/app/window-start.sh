#!/usr/bin/env bash
# Opens the window through the dualis program as a user would, on an X server of its own, and
# closes it as a window manager asks a window to close. The window must come from the module
# MODULE loaded into the program's own process (so that the program's folder, and all that is
# found from it, stays the program's), show the comparison of the two files, and end with status
# 0 and its settings saved in the user's settings folder. Exits 77 (skipped) without Xvfb.
#
# Usage: window-start.sh DUALIS MODULE XWINDOW_TOOL FILE1 FILE2
set -euo pipefail
dualis=$1 module=$2 tool=$3 one=$4 two=$5
if ! command -v Xvfb >/dev/null; then
    echo "Skipped: Xvfb is not installed (scripts/install-deps.sh installs it)."
    exit 77
fi
work=$(mktemp -d)
xvfb='' pid=''
trap 'kill $pid $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    if [[ -s $work/err ]]; then echo "Standard error:"; cat "$work/err"; fi
    exit 1
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
if [[ ! -s $work/display ]]; then
    echo "Skipped: no X server could be started."
    exit 77
fi
mkdir -m 700 "$work/runtime"
export DISPLAY=:$(head -n1 "$work/display") QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config \
       XDG_RUNTIME_DIR=$work/runtime
unset WAYLAND_DISPLAY

"$dualis" "$one" "$two" >"$work/out" 2>"$work/err" &
pid=$!
# The caption names the files once they are compared.
read -r window name < <("$tool" wait "$pid" "$(basename "$one")") ||
    fail "the program showed no window with the files' comparison"
[[ $(readlink "/proc/$pid/exe") == "$(realpath "$dualis")" ]] ||
    fail "the window runs in $(readlink "/proc/$pid/exe"), not in the program"
grep -qF " $(realpath "$module")" "/proc/$pid/maps" || fail "$module is not loaded"
grep -q '/libQt6Widgets\.so' "/proc/$pid/maps" || fail "Qt is not loaded"

"$tool" close "$window" || fail "the window did not close"
for _ in $(seq 1200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end when its window closed"
status=0
wait "$pid" || status=$?
pid=''
((status == 0)) || fail "the program ended with status $status"
[[ -s $work/config/Dualis/VBDualis.INI ]] || fail "no settings were saved in the settings folder"
[[ ! -s $work/err ]] || fail "the program wrote to standard error"
echo "The window of $dualis ($name) came from $module and closed with status 0."
