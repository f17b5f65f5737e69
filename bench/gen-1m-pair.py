#!/usr/bin/env python3
"""The engine's speed benchmark pair: a module of NPROCS procedures and an edited copy of it.

Usage: gen-1m-pair.py NPROCS RATE FILE1 FILE2

`gen-1m-pair.py 25000 0.01 A.bas B.bas` writes about 1,075,000 lines (about 30 MB) a file; in
the copy about RATE of the lines are deleted, changed or followed by an added line, a third
each. CR LF line ends, ASCII only. Deterministic: the same arguments give the same files.
"""
import random
import sys


def module(nprocs, seed, body=40):
    rng = random.Random(seed)
    lines = ['Attribute VB_Name = "Module1"', "Option Explicit", ""]
    lines += [f"Private m_var{i} As Long" for i in range(200)]
    for p in range(nprocs):
        kind = rng.choice(["Sub", "Function"])
        lines.append(f"Private {kind} Proc{p}(ByVal a As Long, b As String)")
        for _ in range(body):
            t = rng.random()
            if t < 0.1:
                lines.append("    If a > %d Then" % rng.randint(0, 999))
            elif t < 0.2:
                lines.append("    End If")
            elif t < 0.25:
                lines.append("    ' comment %d" % rng.randint(0, 99999))
            elif t < 0.3:
                lines.append("")
            else:
                lines.append("    m_var%d = m_var%d + %d * a" % (rng.randint(0, 199),
                                                                rng.randint(0, 199),
                                                                rng.randint(0, 9999)))
        lines.append(f"End {kind}")
        lines.append("")
    return lines


def edited(lines, seed, rate):
    rng = random.Random(seed)
    out = []
    for line in lines:
        x = rng.random()
        if x < rate / 3:
            continue
        if x < 2 * rate / 3:
            out.append(line + " ' changed")
        elif x < rate:
            out.append(line)
            out.append("    DoEvents")
        else:
            out.append(line)
    return out


def write(name, lines):
    with open(name, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    nprocs, rate = int(sys.argv[1]), float(sys.argv[2])
    first = module(nprocs, 1)
    write(sys.argv[3], first)
    write(sys.argv[4], edited(first, 2, rate))


if __name__ == "__main__":
    main()
