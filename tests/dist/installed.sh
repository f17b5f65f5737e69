#!/usr/bin/env bash
# Checks of the installed tree. "install BUILD PREFIX" installs into an empty PREFIX and checks
# that every file is in place; the other checks read that PREFIX and exit 77 (skipped) with a
# message where their tool is missing.
set -euo pipefail
check=$1 prefix=$3
share=$prefix/share

need() {
    command -v "$1" >/dev/null && return
    echo "Skipped: $1 is not installed (scripts/install-deps.sh installs it)."
    exit 77
}
fail() { echo "FAIL: $*"; exit 1; }

case $check in
install)
    rm -rf "$prefix"
    cmake --install "$2" --prefix "$prefix" >/dev/null
    for f in bin/dualis share/applications/org.dualis.Dualis.desktop \
             share/metainfo/org.dualis.Dualis.metainfo.xml share/man/man1/dualis.1.gz \
             share/icons/hicolor/scalable/apps/dualis.svg share/doc/dualis/manual.html \
             share/bash-completion/completions/dualis share/dualis/git/vb.gitconfig \
             share/dualis/git/gitattributes; do
        [[ -s $prefix/$f ]] || fail "$f is missing"
    done
    for size in 16 22 24 32 48 64 128 256; do
        png=$share/icons/hicolor/${size}x$size/apps/dualis.png
        [[ -s $png ]] || fail "$png is missing"
        # A PNG's width and height are 32-bit numbers at bytes 16 and 20.
        [[ $(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n') == $(printf '%08x%08x' "$size" "$size") ]] ||
            fail "$png is not $size x $size pixels"
    done
    # The menu entry starts the program with the files dropped on it, under the icon's name.
    grep -qx 'Exec=dualis %F' "$share/applications/org.dualis.Dualis.desktop" || fail "Exec line"
    grep -qx 'Icon=dualis' "$share/applications/org.dualis.Dualis.desktop" || fail "Icon line"
    # The manual page is the whole of it, chapters and all, not an empty shell.
    for heading in 'The main window' 'Options' 'The settings file' 'The command line'; do
        grep -q "$heading" "$share/doc/dualis/manual.html" || fail "manual.html lacks '$heading'"
    done
    "$prefix/bin/dualis" --version | grep -Eq '^Dualis [0-9]+\.[0-9]+\.[0-9]+' || fail "--version"
    ;;
desktop)
    need desktop-file-validate
    desktop-file-validate --no-hints "$share/applications/org.dualis.Dualis.desktop"
    ;;
metainfo)
    need appstreamcli
    appstreamcli validate --no-net "$share/metainfo/org.dualis.Dualis.metainfo.xml"
    ;;
man)
    need man
    page=$share/man/man1/dualis.1.gz
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man warns: $warnings"
    # The page comes from the README; both must name exactly the program's own options.
    described=$(MANWIDTH=200 man -l "$page" 2>/dev/null | sed -n '/^OPTIONS/,/^[A-Z]/p' |
                grep -E '^ {7}--' | grep -oE -- '--[a-z][a-z-]*' | sort -u)
    offered=$("$prefix/bin/dualis" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
    [[ $described == "$offered" ]] ||
        fail "options of the manual page and of --help differ:" \
             "$(diff <(echo "$described") <(echo "$offered"))"
    for section in SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' FILES ENVIRONMENT EXAMPLES; do
        MANWIDTH=80 man -l "$page" 2>/dev/null | grep -qx "$section" || fail "no $section"
    done
    ;;
*)
    fail "unknown check $check"
    ;;
esac
