#!/usr/bin/env python3
"""Deterministic generator of two versions of a large VB project tree for the project benchmark.

Writes under --out:
  a/     --modules modules of about --lines lines each (CR LF, Windows-1252), spread over
         ten folders, with a project file naming them all;
  few/   a copy of a/ in which one module in twenty has a few lines edited;
  all/   a copy of a/ in which every module has a few lines edited;
  manifest.json  the sizes and which modules changed.

The modules are built with generate.py's module builder; the same seed and sizes always give
byte-identical trees.
"""

import argparse
import json
import os
import random
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate  # noqa: E402

GENERATOR_VERSION = 1


def module_path(k):
    return f"part{k % 10}/mod{k:04d}.bas"


def widened(rng, procs):
    # Trailing comments on most statements, for lines of about 47 bytes as in real sources,
    # where generate.py's lines average 27.
    out = []
    for kind, name, lines in procs:
        wide = []
        for line in lines:
            if line.strip() and not line.lstrip().startswith("'") and rng.random() < 0.8:
                words = " ".join(rng.choice(generate.WORDS) for _ in range(2 + rng.randrange(5)))
                line = f"{line}  ' {words}"
            wide.append(line)
        out.append((kind, name, wide))
    return out


def edited(rng, gen, procs, lines):
    # About four edited lines a module: a changed, inserted or deleted run here and there.
    new, _, _, _ = generate.edit_copy(rng, gen, procs, lines, 4.0 / lines, 0.0, 0.0)
    return new


def write_tree(root, modules):
    for path, lines in modules.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        generate.write_lines(full, lines)
    members = [f"Module=mod{k:04d}; {module_path(k).replace('/', chr(92))}"
               for k in range(len(modules))]
    generate.write_lines(os.path.join(root, "Bench.vbp"),
                         ["Type=Exe"] + members + ['Name="Bench"', "MajorVer=1"])


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", required=True)
    ap.add_argument("--modules", type=int, default=1000)
    ap.add_argument("--lines", type=int, default=2500, help="lines a module")
    ap.add_argument("--seed", type=int, default=generate.DEFAULT_SEED)
    args = ap.parse_args(argv)

    t0 = time.perf_counter()
    rng = random.Random(f"{args.seed}:tree:{args.modules}:{args.lines}")
    original, few, every = {}, {}, {}
    changed_few = []
    total_lines = total_bytes = 0
    for k in range(args.modules):
        header, procs, gen = generate.generate_module(rng, args.lines, f"mod{k:04d}")
        procs = widened(rng, procs)
        lines = generate.flatten(header, procs)
        path = module_path(k)
        original[path] = lines
        total_lines += len(lines)
        total_bytes += len((generate.CRLF.join(lines) + generate.CRLF).encode(generate.ENCODING))
        changed = generate.flatten(header, edited(rng, gen, procs, len(lines)))
        every[path] = changed
        if k % 20 == 7:
            few[path] = changed
            changed_few.append(path)
        else:
            few[path] = lines
    for name, tree in (("a", original), ("few", few), ("all", every)):
        root = os.path.join(args.out, name)
        shutil.rmtree(root, ignore_errors=True)
        write_tree(root, tree)
    manifest = {
        "generator_version": GENERATOR_VERSION,
        "seed": args.seed,
        "modules": args.modules,
        "lines": total_lines,
        "bytes": total_bytes,
        "changed_in_few": changed_few,
        "seconds": round(time.perf_counter() - t0, 1),
    }
    with open(os.path.join(args.out, "manifest.json"), "w") as f:
        json.dump(manifest, f, indent=1)
    print(f"{args.modules} modules, {total_lines} lines, {total_bytes / 1e6:.1f} MB a tree, "
          f"in {manifest['seconds']} s")


if __name__ == "__main__":
    main()
