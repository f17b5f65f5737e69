#!/usr/bin/env bash
# Builds the Debian package from BUILD, checks that apt can resolve its dependencies and that
# lintian finds no error or warning in it, and runs the program from an unpacked copy on the
# two example files in EXAMPLES; given XWINDOW_TOOL, the unpacked program also opens its window
# from the packaged module (see ../app/window-start.sh).
#
# Usage: package.sh BUILD EXAMPLES [XWINDOW_TOOL]
set -euo pipefail
build=$(cd "$1" && pwd) examples=$(cd "$2" && pwd) xwindow=${3:-}
for tool in cpack dpkg-deb dpkg-shlibdeps apt-get; do
    if ! command -v "$tool" >/dev/null; then
        echo "Skipped: $tool is not installed (scripts/install-deps.sh installs it)."
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log) ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/dualis_*.deb)
[[ -f $deb ]] || { echo "FAIL: no package was made"; exit 1; }

# The dependencies are those dpkg-shlibdeps found: the Qt libraries among them.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libqt6widgets6 libqt6svg6; do
    [[ $depends == *"$library"* ]] || { echo "FAIL: $library is not a dependency"; exit 1; }
done
apt-get install --simulate -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }

# Debian's own checks of a package; their notes and pedantic remarks are left to judgement.
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
        { echo "FAIL: lintian:"; grep -v '^running with root' "$work/lintian.log"; exit 1; }
else
    echo "Not checked with lintian: it is not installed (scripts/install-deps.sh installs it)."
fi

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/dualis usr/share/man/man1/dualis.1.gz usr/share/applications/org.dualis.Dualis.desktop \
         usr/share/bash-completion/completions/dualis usr/share/doc/dualis/changelog.gz \
         usr/share/doc/dualis/copyright; do
    [[ -e $work/root/$f ]] || { echo "FAIL: the package lacks /$f"; exit 1; }
done
dualis=$work/root/usr/bin/dualis
"$dualis" --version | grep -Eq '^Dualis [0-9]' || { echo "FAIL: --version"; exit 1; }
status=0
XDG_CONFIG_HOME=$work "$dualis" --report "$examples/v1/frmOrders.frm" "$examples/v2/frmOrders.frm" \
    >"$work/report" || status=$?
if ((status != 1)) || ! grep -q '^Procs: ' "$work/report"; then
    echo "FAIL: the report of the examples ended with status $status:"
    cat "$work/report"
    exit 1
fi

# The window module lies where the program looks for it from its own folder, not executable.
module=$(find "$work/root/usr/lib" -path '*/dualis/dualis-window.so' -print -quit)
[[ -n $module ]] || { echo "FAIL: the package lacks the window module"; exit 1; }
[[ $(stat -c %a "$module") == 644 ]] || { echo "FAIL: the module's mode is not 644"; exit 1; }
if [[ -n $xwindow ]]; then
    status=0
    "$(dirname "${BASH_SOURCE[0]}")/../app/window-start.sh" "$dualis" "$module" "$xwindow" \
        "$examples/v1/frmOrders.frm" "$examples/v2/frmOrders.frm" || status=$?
    ((status == 0 || status == 77)) || exit 1
fi
