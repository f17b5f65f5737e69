#!/usr/bin/env python3
"""Reference comparison with the same command line and dump as the real
program:  oracle.py --dump DUMPFILE [--option KEY=VALUE ...] FILE1 FILE2
"""

import argparse
import datetime
import os
import sys

from refengine import Options, compare
from reftext import DataModelOverflow, NotText

BOOLEAN_KEYS = ["ExpandTabs", "IgnoreBlankLines", "IgnoreCase", "IgnoreComments",
                "IgnoreEmbeddedBlanks", "IgnoreLeadingBlanks", "IgnoreLineNumbers",
                "IgnoreTrailingBlanks", "LineByLine", "DifferencesOnly"]
NUMBER_KEYS = ["SyncNumber", "TabWidth", "DifferencesBefore", "DifferencesAfter"]
GENERAL_BOOLEANS = BOOLEAN_KEYS[:9]  # DifferencesOnly is not listed in "General"
SECTIONS = ["General", "Proc", "Raw", "Cooked", "Match", "Combined_Display", "Separate_Display"]
TRUE_WORDS = {"yes", "true", "-1"}
FALSE_WORDS = {"no", "false", "0"}


def parse_options(pairs):
    opt = Options()
    keys = {k.lower(): k for k in BOOLEAN_KEYS + NUMBER_KEYS}
    for pair in pairs:
        key, sep, value = pair.partition("=")
        if not sep or key.lower() not in keys:
            raise ValueError(f"unknown option {pair!r}")
        key = keys[key.lower()]
        if key in BOOLEAN_KEYS:
            word = value.strip().lower()
            if word not in TRUE_WORDS | FALSE_WORDS:
                raise ValueError(f"not a Boolean: {pair!r}")
            setattr(opt, key, word in TRUE_WORDS)
        else:
            setattr(opt, key, int(value))
    return opt


def date_time(timestamp=None):
    moment = datetime.datetime.now() if timestamp is None else datetime.datetime.fromtimestamp(timestamp)
    return moment.strftime("%Y-%m-%d %H:%M:%S")


def num(value):
    return ("" if value < 0 else " ") + str(value) + " "


def boolean(value):
    return "True" if value else "False"


def general_lines(state, names):
    stamp = date_time(os.stat(__file__).st_mtime)
    lines = [stamp + f"0.0.0 ({stamp})"]
    lines += [key + boolean(getattr(state.opt, key)) for key in GENERAL_BOOLEANS]
    lines.append("SyncNumber" + str(state.opt.SyncNumber))
    lines.append("TabWidth" + str(state.opt.TabWidth))
    for f in (0, 1):
        st = os.stat(names[f])
        lines.append(names[f] + f"{state.raw_count(f)} lines, {st.st_size}; bytes, "
                     + date_time(st.st_mtime))
    return lines


def proc_lines(state):
    lines = []
    for p in range(1, state.proc_count() + 1):
        rec = state.procs[p]
        lines.append(num(p) + num(rec.status) + rec.true_name + rec.lcase_name)
        for f in (0, 1):
            lines.append(num(rec.first_raw[f]) + num(rec.last_raw[f])
                         + num(rec.first_cooked[f]) + num(rec.last_cooked[f]))
    return lines


def raw_lines(state):
    return [num(j) + boolean(state.raw[f][j].ignored) + state.raw[f][j].text
            for f in (0, 1) for j in range(1, state.raw_count(f) + 1)]


def cooked_lines(state):
    lines = []
    for f in (0, 1):
        for j in range(1, state.cooked_count(f) + 1):
            c = state.cooked[f][j]
            lines.append(num(j) + num(c.raw_line) + num(c.length) + num(c.hash) + c.text)
    return lines


def match_lines(state):
    return [num(p) + num(k) + "".join(num(v) for v in e.match_line + e.next_diff)
            for p in range(1, state.proc_count() + 1)
            for k, e in enumerate(state.matches[p][1:], start=1)]


def display_lines(array):
    return [num(p) + num(r) + "".join(num(v) for v in row)
            for p in range(1, len(array))
            for r, row in enumerate(array[p][1:], start=1)]


def section_lines(name, state, names):
    return {
        "general": lambda: general_lines(state, names),
        "proc": lambda: proc_lines(state),
        "raw": lambda: raw_lines(state),
        "cooked": lambda: cooked_lines(state),
        "match": lambda: match_lines(state),
        "combined_display": lambda: display_lines(state.combined),
        "separate_display": lambda: display_lines(state.separate),
    }[name.lower()]()


def write_dump(path, state, names):
    out = []
    for name in SECTIONS:
        out += ["", date_time() + name] + section_lines(name, state, names) + ["=" * 64]
    with open(path, "ab") as f:
        f.write("".join(line + "\r\n" for line in out).encode("utf-8"))


def file_exists(name):
    # Hidden names (last part starting with a dot) and wildcard names are no file.
    base = os.path.basename(name)
    return (os.path.isfile(name) and base != "" and not base.startswith(".")
            and "*" not in name and "?" not in name)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dump", required=True)
    parser.add_argument("--option", action="append", default=[], metavar="KEY=VALUE")
    parser.add_argument("file1")
    parser.add_argument("file2")
    args = parser.parse_args(argv)
    try:
        options = parse_options(args.option)
    except ValueError as e:
        print(e, file=sys.stderr)
        return 2
    names = [args.file1, args.file2]
    for f in (0, 1):
        if not file_exists(names[f]):
            print(f"Unable to open File {f + 1}\n{names[f]}", file=sys.stderr)
            return 2
    datas = []
    for name in names:
        with open(name, "rb") as fh:
            datas.append(fh.read())
    try:
        state = compare(datas[0], datas[1], options)
    except (DataModelOverflow, NotText) as e:
        print(f"oracle: {e}", file=sys.stderr)
        return 2
    write_dump(args.dump, state, names)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
