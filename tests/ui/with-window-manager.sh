#!/usr/bin/env bash
# Runs a window test under a real X server with a window manager (Xvfb and openbox), where
# placement, frames and focus behave as on a desktop. Exits 77, which the test runner counts as
# skipped, with a message where either cannot be started.
set -u
for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "Skipped: $tool is not installed (scripts/install-deps.sh installs it)."
    exit 77
  fi
done
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
wm=
trap 'kill $wm $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
if [[ ! -s $work/display ]]; then
  echo "Skipped: no X server could be started."
  exit 77
fi
export DISPLAY=:$(head -n1 "$work/display")
openbox --startup "touch $work/ready" >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do [[ -e $work/ready ]] && break; sleep 0.05; done
if [[ ! -e $work/ready ]]; then
  echo "Skipped: the window manager did not start."
  exit 77
fi
QT_QPA_PLATFORM=xcb "$@"
