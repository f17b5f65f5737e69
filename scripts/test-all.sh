#!/usr/bin/env bash
# Builds Dualis and runs every test: the unit and property tests with the checks of the installed
# files and the Debian package, the same tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the comparison against an independent implementation on random
# pairs, and a short fuzz run of everything that parses input.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${FUZZ_SECONDS:-90}  # in all, shared by the fuzz targets
DIFFERENTIAL_CASES=${DIFFERENTIAL_CASES:-2000}

scripts/install-deps.sh

# The tests never see the user's own settings.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME

echo "== Release build and tests"
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release

echo "== Windows command line: cross build, tests under Wine beside the release build, zip"
scripts/test-windows.sh

echo "== Sanitizer build and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

echo "== Against the independent implementation ($DIFFERENTIAL_CASES random pairs)"
(cd tests/differential && python3 -m unittest -q test_oracle)
python3 tests/differential/run.py --dualis build/release/app/dualis \
  --count "$DIFFERENTIAL_CASES" --seed 1

# The fuzz time is shared by the ten targets, each driving its code in memory.
each=$((FUZZ_SECONDS / 10))
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_pipeline fuzz_settings fuzz_command_line fuzz_inline \
  fuzz_project_file fuzz_compound_file fuzz_decompress fuzz_dir_stream fuzz_zip fuzz_powerpoint
fuzz() {  # target, maximum input length, seed corpus folder
  echo "== Fuzzing $1 for $each s"
  local status=0
  "build/fuzz/tests/$1" -max_total_time="$each" -max_len="$2" -print_final_stats=1 "$3" \
    >"$3.log" 2>&1 || status=$?
  if ((status == 0)); then
    grep -E '^(Done|stat::average_exec_per_sec)' "$3.log"
  else
    tail -n 60 "$3.log"
  fi
  rm -rf "$3" "$3.log"
  return "$status"
}

corpus=$(mktemp -d)
n=0
for f in examples/v1/* examples/v2/* tests/data/*.bas; do
  cp "$f" "$corpus/$((n++))-$(basename "$f")"
done
fuzz fuzz_pipeline 8192 "$corpus"

corpus=$(mktemp -d)
cp tests/data/*.ini "$corpus"/
fuzz fuzz_settings 4096 "$corpus"

# Arguments separated by NUL bytes, then 0xFF, File 1, 0xFF, File 2.
corpus=$(mktemp -d)
{ printf -- '--report\0--ignore-case\0one.bas\0two.bas\377'; cat tests/data/small1.bas
  printf '\377'; cat tests/data/small2.bas; } >"$corpus/report"
{ printf -- '--dump\0DUMP.TXT\0--differences-only=1,1\0one.bas,two.bas\377'
  cat examples/v1/modPricing.bas; printf '\377'; cat examples/v2/modPricing.bas; } >"$corpus/dump"
fuzz fuzz_command_line 8192 "$corpus"

# Options byte, tab width byte, then the two lines.
corpus=$(mktemp -d)
printf '\x09\x04Dim S, I As Long\nDim S() As String, I As Long' >"$corpus/dim"
printf '\x01\x04MsgBox "Order saved" '"'"' note\nmsgbox "Order not saved" Rem note' >"$corpus/case"
fuzz fuzz_inline 512 "$corpus"

# Two project files separated by 0xFF: the real ones beside the checkout when they are there.
corpus=$(mktemp -d)
printf 'Type=Exe\r\nForm=frmMain.frm\r\nModule=modA; ..\\src\\modA.bas\r\nAutoIncrementVer=1\r\n\377Type=Exe\rModule=modA; SRC\\modA.bas\rForm=Forms\\frmMain.frm\r[VBCompiler]\rLinkSwitches=x\r' \
  >"$corpus/members"
printf 'VBGROUP 5.0\nStartupProject=App\\App.vbp\nProject=Lib.vbp\n\377VBGROUP 5.0\nProject=App\\App.vbp\nStartupProject=Lib.vbp\n' \
  >"$corpus/group"
printf 'Type=Exe\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE Automation\nObject={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\n' \
  >"$corpus/libraries"
n=0
for f in ../shared/data/projects/*/*/test/*/*.vb[pg] ../shared/data/projects/*/*/contrib/dll/*.vbp; do
  if [[ -f $f ]]; then cp "$f" "$corpus/$((n++))-$(basename "$f")"; fi
done
fuzz fuzz_project_file 16384 "$corpus"

# Office documents: small ones of each container, and the real workbook versions beside the
# checkout when they are there, with the VBA project each holds.
corpus=$(mktemp -d)
cp tests/data/office/* "$corpus"/
n=0
for f in ../shared/data/office/*/*/*.xlsm; do
  if [[ -f $f ]]; then
    cp "$f" "$corpus/$((n++)).xlsm"
    python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("xl/vbaProject.bin"))' \
      "$f" >"$corpus/$((n++)).bin"
  fi
done
{ printf '\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1'; head -c 16 /dev/zero
  printf '\x3E\x00\x03\x00\xFE\xFF\x09\x00\x06\x00'; head -c 490 /dev/zero; } >"$corpus/header"
fuzz fuzz_compound_file 65536 "$corpus"

# A compressed container: a chunk of literals and copy tokens, then a raw chunk's start.
corpus=$(mktemp -d)
printf '\x01\x19\xB0\x00abcdefgh\x00ijklmnop\x03\x10\xF0\x00\x88' >"$corpus/tokens"
{ printf '\x01\xFF\x3F'; head -c 4096 /dev/urandom; } >"$corpus/raw"
fuzz fuzz_decompress 16384 "$corpus"

# A dir stream's records and a PROJECT stream's lines.
corpus=$(mktemp -d)
printf '\x01\x00\x04\x00\x00\x00\x03\x00\x00\x00\x03\x00\x02\x00\x00\x00\xA4\x03\x09\x00\x04\x00\x00\x00\x01\x02\x03\x04\x05\x06\x19\x00\x04\x00\x00\x00modA\x31\x00\x04\x00\x00\x00\x10\x00\x00\x00\x21\x00\x00\x00\x00\x00\x2B\x00\x00\x00\x00\x00\x10\x00\x00\x00\x00\x00' \
  >"$corpus/dir"
printf 'ID="{00000000-0000-0000-0000-000000000001}"\r\nModule=modA\r\nDocument=Sheet1/&H00000000\r\nCMG="4042E2E2E2E2E2"\r\nDPB="4143E1E1E1E1E1"\r\nGC="4240E0E0E0E0E0E0"\r\n\r\n[Workspace]\r\nmodA=0, 0, 0, 0, C\r\n' \
  >"$corpus/project"
fuzz fuzz_dir_stream 8192 "$corpus"

# A package: the small workbook beside the real ones when they are there.
corpus=$(mktemp -d)
cp tests/data/office/small.xlsm "$corpus"/
n=0
for f in ../shared/data/office/*/*/*.xlsm; do
  if [[ -f $f ]]; then cp "$f" "$corpus/$((n++)).xlsm"; fi
done
fuzz fuzz_zip 65536 "$corpus"

# A presentation's stream: one compressed ExOleObjStg record (instance 1, type 0x1011) holding
# the small VBA project, then a record of another type.
corpus=$(mktemp -d)
python3 -c '
import struct, sys, zlib
project = open("tests/data/office/small.bin", "rb").read()
body = struct.pack("<I", len(project)) + zlib.compress(project)
sys.stdout.buffer.write(struct.pack("<HHI", 0x0010, 0x1011, len(body)) + body
                        + struct.pack("<HHI", 0x0000, 0x03E8, 4) + b"\0\0\0\0")' >"$corpus/record"
fuzz fuzz_powerpoint 65536 "$corpus"
echo "All tests passed"
