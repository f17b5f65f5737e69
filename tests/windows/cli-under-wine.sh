#!/usr/bin/env bash
# Runs the Windows program under Wine beside the Linux one on the same inputs: reports, JSON and
# extracted texts must be the same bytes (folder separators in names aside), exit codes the
# same, and messages must carry their fixed words (the systems' own error texts differ).
# Arguments: wine, dualis.exe, the Linux dualis, the source folder, the shared data folder.
set -uo pipefail
wine=$1 exe=$2 linux=$3 source=$4 shared=$5

if [[ ! -x $linux ]]; then
  echo "SKIPPED: the Linux program $linux is not built (cmake --build --preset release)"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export WINEDEBUG=-all
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Windows names its own absolute paths with a drive and "\" (doubled in JSON): Z:\work\x is
# /work/x. Only such names change; a "\" in the code stays.
unixNames() {
  perl -pe 's{Z:((?:\\{1,2}[^\\"\s]+)+)}{my $p = $1; $p =~ s/\\{1,2}/\//g; $p}ge'
}

# same NAME ARGS...: both programs' standard output and exit codes must agree.
same() {
  local name=$1
  shift
  "$linux" "$@" >linux.out 2>linux.err
  local linuxStatus=$?
  "$wine" "$exe" "$@" >windows.out 2>windows.err
  local windowsStatus=$?
  if ((linuxStatus != windowsStatus)); then
    fail "$name: exit code $windowsStatus on Windows, $linuxStatus on Linux"
    sed 's/^/  /' windows.err | head -n 5
  fi
  if ! cmp -s linux.out windows.out; then
    unixNames <windows.out >windows.unix
    if ! cmp -s linux.out windows.unix; then
      fail "$name: the output differs from the Linux program's"
      diff linux.out windows.unix | head -n 20
    fi
  fi
  echo "ok $name (exit code $windowsStatus, $(wc -c <windows.out) bytes)"
}

# says NAME WORDS ARGS...: the Windows program's message holds the words, and it exits with 2.
says() {
  local name=$1 words=$2
  shift 2
  "$wine" "$exe" "$@" >windows.out 2>windows.err
  local status=$?
  ((status == 2)) || fail "$name: exit code $status, not 2"
  grep -qF "$words" windows.err || { fail "$name: no \"$words\" in:"; cat windows.err; }
  echo "ok $name"
}

cp "$source"/examples/v1/frmOrders.frm one.frm
cp "$source"/examples/v2/frmOrders.frm two.frm
# Each run gets a settings folder of its own: the user's would change the options.
export XDG_CONFIG_HOME="$work/config" APPDATA="$work/appdata"

same "report on the example pair" --report one.frm two.frm
same "report of a file against itself" --report one.frm one.frm
same "JSON of the example pair" --report --format=json --lines one.frm two.frm
same "report ignoring case and blanks" --report --ignore-case --ignore-leading-blanks one.frm two.frm

# Line ends of the other system: CR LF in one file only, and in both.
sed 's/$/\r/' two.frm >crlf.frm
same "report on a CR LF file" --report one.frm crlf.frm
same "JSON on a CR LF file" --report --format=json crlf.frm two.frm

# Names in other scripts: Latin with diacritics, Cyrillic, CJK, beyond the BMP.
other="Prüfung-Проверка-日本語-😀"
mkdir "$other"
cp one.frm "$other/$other.frm"
same "report on names in other scripts" --report "$other/$other.frm" two.frm
same "JSON on names in other scripts" --report --format=json "$other/$other.frm" two.frm

mkdir "$other/a" "$other/b"
cp one.frm "$other/a/$other.frm"
cp two.frm "$other/b/$other.frm"
same "report on folders named in other scripts" --report "$other/a" "$other/b"

# A drive letter with "\" (Wine's Z: is the root), and a name beyond the classic 260 characters.
"$linux" --report "$work/one.frm" two.frm >linux.out
"$wine" "$exe" --report "Z:${work//\//\\}\\one.frm" two.frm >windows.out 2>windows.err
unixNames <windows.out | cmp -s linux.out - || fail "report on names with a drive letter"
echo "ok report on names with a drive letter"
# Project files that name their modules by drive: found and compared on Windows, where a drive
# names a place (on Linux such a name is kept as written and is missing).
mkdir s1 s2
printf 'Attribute VB_Name = "modA"\r\nSub A()\r\nx = 1\r\nEnd Sub\r\n' >s1/modA.bas
printf 'Attribute VB_Name = "modA"\r\nSub A()\r\nx = 2\r\nEnd Sub\r\n' >s2/modA.bas
for n in 1 2; do
  printf 'Type=Exe\r\nModule=modA; Z:%s\\s%s\\modA.bas\r\n' "${work//\//\\}" "$n" >"p$n.vbp"
done
"$wine" "$exe" --report p1.vbp p2.vbp >windows.out 2>windows.err
grep -q '^  Module  modA  moved, changed  *1  ' windows.out && grep -q ' 0 unreadable$' windows.out ||
  { fail "modules named by drive are not compared"; cat windows.out windows.err; }
echo "ok modules named by drive"

deep=$(printf 'folder-%02d-with-a-long-name/' {1..12})
mkdir -p "$deep"
cp one.frm "$deep/$other.frm"
same "report on a name of more than 260 characters" --report "$deep/$other.frm" two.frm

says "message for a missing file" "Unable to open File 1" --report missing.frm two.frm
grep -qF "missing.frm" windows.err || fail "the missing file's name is not in its message"
says "message for a folder given as a file" "can only be compared" --report one.frm "$other"

# The window's request: there is none on Windows, so the report is printed instead.
"$wine" "$exe" one.frm two.frm >windows.out 2>windows.err
status=$?
((status == 1)) || fail "the window's request: exit code $status, not 1"
grep -qF "printing the report instead" windows.err || fail "the window's request: no notice"
"$linux" --report one.frm two.frm >linux.out
cmp -s linux.out windows.out || fail "the window's request: not the report"
echo "ok the window's request prints the report"

# Office documents: the tests' own workbook, and the real workbook versions when they are there.
cp "$source"/tests/data/office/small.xlsm small.xlsm
same "VBA text of a workbook" --vba-text small.xlsm
workbooks=("$shared"/office/*/*/*.xlsm)
if [[ -f ${workbooks[0]} ]]; then
  cp "${workbooks[0]}" first.xlsm
  cp "${workbooks[-1]}" last.xlsm
  same "VBA text of a real workbook" --vba-text last.xlsm
  same "report on two workbook versions" --report first.xlsm last.xlsm
  "$linux" --extract last.xlsm linux-modules >/dev/null
  "$wine" "$exe" --extract last.xlsm windows-modules >/dev/null
  diff -r linux-modules windows-modules >/dev/null || fail "the extracted modules differ"
  echo "ok extracted modules"
else
  echo "SKIPPED: the real workbooks ($shared/office) are not there"
fi

# Two versions of a real project: its project file, and its source folder.
versions=("$shared"/projects/VbAsyncSocket/20*)
if [[ -d ${versions[0]} ]]; then
  old=${versions[0]} new=${versions[-1]}
  project=contrib/dll/HttpRequest.vbp
  for v in "${versions[@]}"; do
    if [[ -f $v/$project ]]; then
      same "report on two project versions" --report "$v/$project" "$new/$project"
      same "JSON on two project versions" --report --format=json --lines "$v/$project" \
        "$new/$project"
      break
    fi
  done
  same "report on two source folders" --report "$old/src" "$new/src"
else
  echo "SKIPPED: the real projects ($shared/projects) are not there"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "All command-line checks under Wine passed"
