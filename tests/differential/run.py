#!/usr/bin/env python3
"""Differential run: random VB-like pairs through the real program and the
reference oracle, dumps compared byte for byte after masking the times.

  run.py --dualis PATH [--count N] [--seed S] [--keep DIR]

Case i uses seed S + i, so "--seed S+i --count 1" repeats one case.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

import oracle
import pairgen

HERE = os.path.dirname(os.path.abspath(__file__))
ORACLE = os.path.join(HERE, "oracle.py")
SECTION_HEADER = re.compile(
    rb"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d(General|Proc|Raw|Cooked|Match|Combined_Display|Separate_Display)$")
TIMEOUT = 120


def masked_lines(data):
    """Dump lines (split at CR LF) with the section times and the program
    date/version line replaced, since those legitimately differ."""
    out = []
    after_general = False
    for line in data.split(b"\r\n"):
        if after_general:
            out.append(b"<program date and version>")
            after_general = False
            continue
        m = SECTION_HEADER.match(line)
        if m:
            out.append(b"<time>" + m.group(1))
            after_general = m.group(1) == b"General"
        else:
            out.append(line)
    return out


def first_difference(a, b):
    """(line number, section, line of a, line of b) of the first masked
    line that differs, or None."""
    la, lb = masked_lines(a), masked_lines(b)
    section = "(before any section)"
    for n in range(max(len(la), len(lb))):
        x = la[n] if n < len(la) else None
        y = lb[n] if n < len(lb) else None
        if x != y:
            return n + 1, section, x, y
        if x is not None and x.startswith(b"<time>"):
            section = x[len(b"<time>"):].decode()
    return None


def run_one(command, cwd):
    try:
        done = subprocess.run(command, cwd=cwd, capture_output=True, timeout=TIMEOUT)
        return done.returncode, done.stderr.decode("utf-8", "replace").strip()
    except subprocess.TimeoutExpired:
        return "timeout", ""
    except OSError as e:  # e.g. the binary is being rebuilt
        return "not started", str(e)


def read(path):
    if not os.path.exists(path):
        return b""
    with open(path, "rb") as f:
        return f.read()


def shorten(line, limit=160):
    if line is None:
        return "(no line)"
    text = repr(line)
    return text if len(text) <= limit else text[:limit] + "..."


def run_case(dualis, seed, case_dir):
    """Returns None when both agree, else a text describing the first mismatch."""
    rng = random.Random(seed)
    options = pairgen.make_options(rng)
    data1, data2 = pairgen.make_pair(rng, oracle.parse_options(options).effective().TabWidth)
    ext = rng.choice(["bas", "frm", "cls"])
    names = [f"file1.{ext}", f"file2.{ext}"]
    for name, data in zip(names, (data1, data2)):
        with open(os.path.join(case_dir, name), "wb") as f:
            f.write(data)
    option_args = [a for o in options for a in ("--option", o)]
    commands = {
        "dualis": [dualis, "--dump", "dump_dualis.txt"] + option_args + names,
        "oracle": [sys.executable, ORACLE, "--dump", "dump_oracle.txt"] + option_args + names,
    }
    with open(os.path.join(case_dir, "repro.sh"), "w") as f:
        f.write("#!/bin/sh\ncd \"$(dirname \"$0\")\"\n")
        for command in commands.values():
            f.write(" ".join(f"'{a}'" for a in command) + "\n")
    rc_dualis, err_dualis = run_one(commands["dualis"], case_dir)
    rc_oracle, err_oracle = run_one(commands["oracle"], case_dir)
    header = f"case {seed}: options {' '.join(options)}"
    if rc_dualis != rc_oracle:
        return (f"{header}\n  exit status: dualis {rc_dualis}, oracle {rc_oracle}"
                f"\n  dualis stderr: {err_dualis[:300]}\n  oracle stderr: {err_oracle[:300]}")
    diff = first_difference(read(os.path.join(case_dir, "dump_dualis.txt")),
                            read(os.path.join(case_dir, "dump_oracle.txt")))
    if diff:
        n, section, x, y = diff
        return (f"{header}\n  dump line {n} (section {section}):"
                f"\n    dualis: {shorten(x)}\n    oracle: {shorten(y)}")
    return None


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dualis", required=True, help="the program under test")
    parser.add_argument("--count", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", help="folder for the files of failing cases (default: a new temp folder)")
    args = parser.parse_args(argv)
    dualis = os.path.abspath(args.dualis)
    if not os.access(dualis, os.X_OK):
        parser.error(f"{dualis} is not an executable file")
    keep = os.path.abspath(args.keep) if args.keep else tempfile.mkdtemp(prefix="dualis-differential-")
    os.makedirs(keep, exist_ok=True)
    passed = failed = 0
    for i in range(args.count):
        seed = args.seed + i
        case_dir = os.path.join(keep, f"case-{seed}")
        shutil.rmtree(case_dir, ignore_errors=True)
        os.makedirs(case_dir)
        mismatch = run_case(dualis, seed, case_dir)
        if mismatch is None:
            passed += 1
            shutil.rmtree(case_dir)
        else:
            failed += 1
            print(mismatch, flush=True)
    if failed:
        print(f"files of the failing cases are in {keep}")
    elif not args.keep:
        shutil.rmtree(keep, ignore_errors=True)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
