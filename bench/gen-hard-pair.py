#!/usr/bin/env python3
"""Pairs that are hard for pairing procedures and matching lines, for bench/run-speed.sh.

Usage: gen-hard-pair.py CASE FILE1 FILE2

  same-name  30,000 procedures all named Same, about 10 lines each, so that they pair in file
             order; in the copy 1 % of the lines changed or followed by an added line
  renamed    16,000 procedures of about 40 lines, every one renamed in the copy
  end-if     one procedure of 200,000 "End If" lines; in the copy 1 % of them changed
  disjoint   one procedure of 200,000 lines against 200,000 others, no line in common

CR LF line ends, ASCII only. Deterministic: the same case gives the same files.
"""
import random
import sys


def write(name, lines):
    with open(name, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def body(rng, count):
    out = []
    for _ in range(count):
        t = rng.random()
        if t < 0.15:
            out.append("    If a > %d Then" % rng.randint(0, 999))
        elif t < 0.3:
            out.append("    End If")
        elif t < 0.35:
            out.append("")
        else:
            out.append("    v%d = v%d + %d * a" % (rng.randint(0, 99), rng.randint(0, 99),
                                                   rng.randint(0, 9999)))
    return out


def edited(lines, rng, rate):
    out = []
    for line in lines:
        x = rng.random()
        if x < rate / 2:
            out.append(line + " ' changed")
        elif x < rate:
            out.append(line)
            out.append("    DoEvents")
        else:
            out.append(line)
    return out


def same_name():
    rng = random.Random(3)
    procs = [["Public Sub Same()"] + body(rng, 8) + ["End Sub", ""] for _ in range(30000)]
    first = ['Attribute VB_Name = "Same"', "Option Explicit", ""] + [x for p in procs for x in p]
    return first, edited(first, rng, 0.01)


def renamed():
    rng = random.Random(4)
    first, second = ['Attribute VB_Name = "Renamed"', ""], ['Attribute VB_Name = "Renamed"', ""]
    for p in range(16000):
        lines = body(rng, 40) + ["End Function", ""]
        first += [f"Private Function Old{p}(ByVal a As Long) As Long"] + lines
        second += [f"Private Function New{p}(ByVal a As Long) As Long"] + lines
    return first, second


def end_if():
    rng = random.Random(5)
    first = ["Sub Nested()"] + ["End If"] * 200000 + ["End Sub"]
    second = [x if rng.random() >= 0.01 else "End If ' %d" % rng.randint(0, 9) for x in first]
    return first, second


def disjoint():
    first = ["Sub Apart()"] + ["    a%d = %d" % (k % 97, k) for k in range(200000)] + ["End Sub"]
    second = ["Sub Apart()"] + ["    b%d = %d" % (k % 89, k) for k in range(200000)] + ["End Sub"]
    return first, second


CASES = {"same-name": same_name, "renamed": renamed, "end-if": end_if, "disjoint": disjoint}


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in CASES:
        sys.exit(__doc__)
    first, second = CASES[sys.argv[1]]()
    write(sys.argv[2], first)
    write(sys.argv[3], second)


if __name__ == "__main__":
    main()
