#!/usr/bin/env bash
# A command-line run must not load Qt: neither the program nor any library it needs, directly or
# through another, is a Qt library. The window module, which the program loads only to open the
# window, needs Qt, which also shows that the check sees Qt where it is needed.
#
# Usage: needs-no-qt.sh DUALIS MODULE
set -euo pipefail
program=$1 module=$2
needs() { ldd "$1" | awk '{ print $1 }'; }
qt=$(needs "$program" | grep -i '^libqt' || true)
[[ -z $qt ]] || { echo "FAIL: $program needs Qt:" $qt; exit 1; }
needs "$module" | grep -q '^libQt6Widgets\.so' ||
    { echo "FAIL: $module does not need Qt Widgets"; ldd "$module"; exit 1; }
echo "$program needs no Qt library; $module does."
