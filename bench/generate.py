#!/usr/bin/env python3
"""Deterministic generator of classic VB module pairs for the Dualis benchmark.

Every case writes DIR/file1.bas, DIR/file2.bas (CR LF line ends, Windows-1252)
and DIR/manifest.json describing what was generated and changed.

Cases:
  main         a module of about --lines lines (default 1,000,000), roughly
               40 lines per procedure, and a second version in which about 1%
               of the lines are changed, inserted or deleted, a few procedures
               are moved and a few are renamed.
  alternating  one procedure whose body is --lines lines (default 50,000):
               A, B, A, B, ... in file 1 and A, A, A, ... in file 2.
  shuffled     a module of --lines lines (default 200,000) against a random
               permutation of its own lines.
  reversed     one procedure whose body is --lines distinct lines (default
               2,000) against the same procedure with its body reversed.
  longlines    --lines changed lines (default 2,000) of about --line-tokens
               tokens each (default 2,000): a long sum whose every fourth
               operand differs between the files.
  widelines    --lines changed lines (default 2,000) of about --line-bytes
               bytes each (default 26,000): a long message text with a few
               words changed.

The same seed, case and size always produce byte-identical files.
"""

import argparse
import json
import os
import random
import re
import sys
import time

CRLF = "\r\n"
ENCODING = "cp1252"
# Bump when the output for a given seed/size changes, so run.sh regenerates.
GENERATOR_VERSION = 1

DEFAULT_LINES = {"main": 1_000_000, "alternating": 50_000, "shuffled": 200_000,
                 "reversed": 2_000, "longlines": 2_000, "widelines": 2_000}
DEFAULT_SEED = 20240917
MEAN_PROC_LINES = 40

VERBS = [
    "Get", "Set", "Load", "Save", "Compute", "Update", "Validate", "Refresh",
    "Build", "Parse", "Format", "Check", "Reset", "Init", "Handle", "Process",
    "Export", "Import", "Apply", "Clear", "Find", "Sort", "Merge", "Print",
    "Post", "Open", "Close", "Lock", "Fill", "Show",
]
NOUNS = [
    "Customer", "Order", "Invoice", "Record", "Grid", "Total", "Report",
    "Buffer", "Field", "Item", "Account", "Balance", "Ledger", "Payment",
    "Supplier", "Stock", "Price", "Discount", "Tax", "Address", "Contact",
    "Batch", "Queue", "Session", "Config", "Log", "Cache", "Row", "Column",
    "Sheet", "Form", "List", "Combo", "Caption", "Status", "Region", "Date",
    "Period", "Budget", "Voucher",
]
QUALIFIERS = [
    "", "", "", "All", "Next", "Prev", "First", "Last", "Default", "Current",
    "Pending", "Open", "Closed", "Temp", "Local", "Remote", "Cached", "Raw",
]
TYPES = ["Long", "Integer", "String", "Double", "Boolean", "Variant", "Date",
         "Currency", "Single", "Byte"]
TYPE_PREFIX = {"Long": "l", "Integer": "n", "String": "s", "Double": "d",
               "Boolean": "b", "Variant": "v", "Date": "dt", "Currency": "cur",
               "Single": "f", "Byte": "by"}
NUMERIC = ("Long", "Integer", "Double", "Currency", "Single", "Byte")
HELPERS = [
    "LogMessage", "modDb.Execute", "modUtil.Trace", "ShowStatus", "RaiseAlert",
    "modGrid.RedrawRow", "modIni.WriteValue", "BeginWaitCursor",
    "EndWaitCursor", "modAudit.Record",
]
WORDS = [
    "the", "current", "record", "value", "before", "after", "saving", "check",
    "total", "customer", "order", "legacy", "workaround", "for", "grid",
    "refresh", "keep", "in", "sync", "with", "database", "user", "input",
    "rounding", "issue", "see", "ticket", "old", "behaviour", "cache", "must",
    "not", "be", "empty", "here", "because", "report", "needs", "it", "later",
]
# A few Windows-1252 words: classic VB sources are ANSI, not UTF-8.
ANSI_WORDS = ["Größe", "café", "façade", "Prüfung", "déjà", "naïve", "€uro",
              "Straße", "señal", "Zähler"]
STRINGS = [
    "Ready", "Saving...", "Record not found", "Invalid value", "Total: ",
    "Customer", "Order No.", "Please wait", "Done", "Error in ", "SELECT * FROM",
    " WHERE ID = ", "dd/mm/yyyy", "#,##0.00", "Confirm delete?", "N/A",
]
OBJECTS = ["rs", "frmMain", "grdItems", "txtName", "cboType", "lstLog",
           "Me", "oConn", "oItem", "App"]
OBJ_PROPS = [".Caption", ".Text", ".Enabled", ".Visible", ".Tag", ".Value",
             ".ListIndex", ".Top", ".Left", ".Width"]

# Lines starting with these open or close a block; edits leave them alone so
# that the edited module keeps a plausible structure.
STRUCTURE_RE = re.compile(
    r"^\s*(\d+\s+)?(Private |Public |Friend |Static )*(Sub|Function|Property|End|"
    r"If|Else|ElseIf|For|Next|Do|Loop|Select|Case|With|Wend|While|\w+:$)",
)


class Gen:
    """Statement and procedure builder around one seeded RNG."""

    def __init__(self, rng):
        self.rng = rng
        self.used_names = set()
        self.r = rng.random
        self.ri = rng.randrange

    def pick(self, seq):
        return seq[int(self.r() * len(seq))]

    # ---- names ---------------------------------------------------------
    def proc_name(self):
        base = self.pick(VERBS) + self.pick(QUALIFIERS) + self.pick(NOUNS)
        if self.r() < 0.3:
            base += self.pick(NOUNS)
        name = base
        n = 2
        while name in self.used_names:
            name = f"{base}{n}"
            n += 1
        self.used_names.add(name)
        return name

    def comment(self):
        n = 2 + self.ri(7)
        words = [self.pick(WORDS) for _ in range(n)]
        if self.r() < 0.02:
            words[self.ri(n)] = self.pick(ANSI_WORDS)
        text = " ".join(words)
        return "' " + text[0].upper() + text[1:]

    # ---- expressions ---------------------------------------------------
    def num_expr(self, nums):
        v = self.pick(nums)
        k = self.ri(6)
        if k == 0:
            return f"{v} + {1 + self.ri(100)}"
        if k == 1:
            return f"{v} * {self.ri(20) + 1.5:g}"
        if k == 2:
            return f"{self.pick(nums)} - {v}"
        if k == 3:
            return f"CLng({v} / {2 + self.ri(9)})"
        if k == 4:
            return str(self.ri(10000))
        return f"{v} Mod {2 + self.ri(12)}"

    def cond(self, nums, strs):
        k = self.ri(5)
        if k == 0:
            return f"{self.pick(nums)} > {self.ri(1000)}"
        if k == 1:
            return f"Len({self.pick(strs)}) = 0"
        if k == 2:
            return f"{self.pick(nums)} <> {self.pick(nums)}"
        if k == 3:
            return f"Not {self.pick(OBJECTS)} Is Nothing"
        return f"{self.pick(nums)} >= 0 And {self.pick(strs)} <> \"\""

    # ---- statements ----------------------------------------------------
    def simple(self, nums, strs, exit_kw):
        k = self.ri(14)
        if k <= 2:
            return f"{self.pick(nums)} = {self.num_expr(nums)}"
        if k == 3:
            return f"{self.pick(strs)} = {self.pick(strs)} & \"{self.pick(STRINGS)}\""
        if k == 4:
            return f"{self.pick(strs)} = Trim$({self.pick(strs)})"
        if k == 5:
            return f"Call {self.pick(HELPERS)}({self.pick(strs)}, {self.pick(nums)})"
        if k == 6:
            return f"{self.pick(HELPERS)} \"{self.pick(STRINGS)}\""
        if k == 7:
            return self.comment()
        if k == 8:
            return f"Debug.Print \"{self.pick(STRINGS)}\"; {self.pick(nums)}"
        if k == 9:
            return f"If {self.cond(nums, strs)} Then Exit {exit_kw}"
        if k == 10:
            return f"{self.pick(OBJECTS)}{self.pick(OBJ_PROPS)} = {self.pick(strs)}"
        if k == 11:
            return f"{self.pick(strs)} = Format$({self.pick(nums)}, \"{self.pick(STRINGS)}\")"
        if k == 12:
            return "DoEvents"
        return f"{self.pick(nums)} = {self.pick(nums)} + 1"

    def block(self, out, ind, depth, budget, nums, strs, exit_kw):
        """Append statements to out using at most budget lines; return the
        number of lines appended."""
        start = len(out)
        pad = ind * depth
        while budget > 0:
            x = self.r()
            if budget >= 5 and depth < 4 and x < 0.22:
                # If / [ElseIf] / [Else] / End If
                inner = min(budget - 2, 2 + self.ri(6))
                out.append(f"{pad}If {self.cond(nums, strs)} Then")
                first = max(1, inner // 2) if inner >= 3 else inner
                used = self.block(out, ind, depth + 1, first, nums, strs, exit_kw)
                rest = inner - used
                if rest >= 2:
                    out.append(f"{pad}Else" if self.r() < 0.7
                               else f"{pad}ElseIf {self.cond(nums, strs)} Then")
                    used += 1 + self.block(out, ind, depth + 1, rest - 1, nums, strs, exit_kw)
                out.append(f"{pad}End If")
                budget -= used + 2
            elif budget >= 4 and depth < 4 and x < 0.34:
                inner = min(budget - 2, 1 + self.ri(5))
                if self.r() < 0.75:
                    out.append(f"{pad}For i = {self.ri(2)} To {self.pick(nums)}")
                    closer = "Next i"
                elif self.r() < 0.5:
                    out.append(f"{pad}For Each oItem In colItems")
                    closer = "Next oItem"
                else:
                    out.append(f"{pad}Do While {self.cond(nums, strs)}")
                    closer = "Loop"
                used = self.block(out, ind, depth + 1, inner, nums, strs, exit_kw)
                out.append(pad + closer)
                budget -= used + 2
            elif budget >= 6 and depth < 3 and x < 0.42:
                inner = min(budget - 2, 4 + self.ri(8))
                out.append(f"{pad}Select Case {self.pick(nums)}")
                used = 0
                case_no = 0
                while inner - used >= 2:
                    if inner - used < 4 or self.r() < 0.25:
                        out.append(f"{pad}{ind}Case Else")
                        used += 1 + self.block(out, ind, depth + 2, inner - used - 1,
                                               nums, strs, exit_kw)
                        break
                    case_no += 1 + self.ri(3)
                    label = str(case_no) if self.r() < 0.7 else f"{case_no}, {case_no + 1}"
                    case_no += 1
                    out.append(f"{pad}{ind}Case {label}")
                    used += 1 + self.block(out, ind, depth + 2, 1 + self.ri(2),
                                           nums, strs, exit_kw)
                out.append(f"{pad}End Select")
                budget -= used + 2
            elif budget >= 4 and depth < 4 and x < 0.46:
                inner = min(budget - 2, 1 + self.ri(3))
                obj = self.pick(OBJECTS[:6])
                out.append(f"{pad}With {obj}")
                for _ in range(inner):
                    out.append(f"{pad}{ind}{self.pick(OBJ_PROPS)} = {self.pick(strs)}")
                out.append(f"{pad}End With")
                budget -= inner + 2
            elif 0.46 <= x < 0.51 and len(out) > start:
                # Blank lines only between statements, never opening a block.
                out.append("")
                budget -= 1
            else:
                out.append(pad + self.simple(nums, strs, exit_kw))
                budget -= 1
        return len(out) - start

    def procedure(self, target, let_of=None):
        """Return (kind, name, lines) for a procedure of about target lines,
        including the blank separator line after it. let_of=(scope, name,
        type) makes the Property Let partner of an existing Property Get."""
        r = self.r
        if let_of:
            scope, name, ret_type = let_of
            kind, exit_kw = "Property Let", "Property"
        else:
            scope = "Private" if r() < 0.6 else "Public"
            x = r()
            if x < 0.45:
                kind, exit_kw = "Sub", "Sub"
            elif x < 0.85:
                kind, exit_kw = "Function", "Function"
            else:
                kind, exit_kw = "Property Get", "Property"
            name = self.proc_name()
            ret_type = self.pick(TYPES)
        ind = "\t" if r() < 0.15 else "    "
        numbered = r() < 0.04

        nvars = 2 + self.ri(4)
        decl, nums, strs = [], ["i"], []
        for _ in range(nvars):
            t = self.pick(TYPES)
            v = TYPE_PREFIX[t] + self.pick(NOUNS)
            if any(d.endswith(" " + v + " As " + t) for d in decl):
                continue
            decl.append(f"Dim {v} As {t}")
            (nums if t in NUMERIC else strs).append(v)
        if not strs:
            strs.append("sText")
            decl.append("Dim sText As String")
        decl.insert(0, "Dim i As Long")

        params = []
        for _ in range(0 if let_of else self.ri(4)):
            t = self.pick(TYPES)
            p = TYPE_PREFIX[t] + self.pick(NOUNS) + "In"
            if any(p in q for q in params):
                continue
            params.append(f"{'ByVal ' if r() < 0.6 else ''}{p} As {t}")
            (nums if t in NUMERIC else strs).append(p)
        if let_of:
            params.append(f"ByVal vNewValue As {ret_type}")
            (nums if ret_type in NUMERIC else strs).append("vNewValue")
        if kind == "Sub":
            head = f"{scope} Sub {name}({', '.join(params)})"
        elif kind == "Function":
            head = f"{scope} Function {name}({', '.join(params)}) As {ret_type}"
        elif let_of:
            head = f"{scope} Property Let {name}({params[0]})"
        else:
            head = f"{scope} Property Get {name}() As {ret_type}"

        lines = [head]
        if r() < 0.5:
            lines.append(ind + self.comment())
        lines.extend(ind + d for d in decl)
        lines.append("")
        handler = r() < 0.5
        if handler:
            lines.append(ind + "On Error GoTo ErrHandler")
        tail = []
        if kind not in ("Sub", "Property Let"):
            val = self.pick(nums) if ret_type in NUMERIC else self.pick(strs)
            if ret_type in ("Boolean", "Variant", "Date"):
                val = self.pick(nums) + " <> 0" if ret_type == "Boolean" else val
            tail.append(f"{ind}{name} = {val}")
        if handler:
            tail += [f"{ind}Exit {exit_kw}", "ErrHandler:",
                     f"{ind}Call LogMessage(\"{name}: \" & Err.Description, Erl)"]
        end = {"Sub": "End Sub", "Function": "End Function"}.get(kind, "End Property")
        budget = target - len(lines) - len(tail) - 2
        if budget < 1:
            budget = 1
        self.block(lines, ind, 1, budget, nums, strs, exit_kw)
        lines.extend(tail)
        if numbered:
            # Classic line numbers on every statement line of the body.
            n = 10
            for j in range(1, len(lines)):
                s = lines[j]
                if s and not s.endswith(":"):
                    num = str(n)
                    if ind == "\t":
                        lines[j] = num + s
                    else:
                        lines[j] = num + " " * max(1, 4 - len(num)) + s[4:]
                    n += 10
        lines.append(end)
        lines.append("")
        return kind, name, lines


def module_header(rng, module_name):
    """Attribute line, Option Explicit and a declarations section."""
    gen = Gen(rng)
    h = [f'Attribute VB_Name = "{module_name}"', "Option Explicit", "",
         "' Generated module for the Dualis benchmark.", "",
         'Private Declare Function GetTickCount Lib "kernel32" () As Long',
         'Private Declare Sub Sleep Lib "kernel32" (ByVal dwMilliseconds As Long)',
         'Private Declare Function GetPrivateProfileString Lib "kernel32" Alias '
         '"GetPrivateProfileStringA" (ByVal lpApplicationName As String, ByVal '
         'lpKeyName As Any, ByVal lpDefault As String, ByVal lpReturnedString As '
         'String, ByVal nSize As Long, ByVal lpFileName As String) As Long', ""]
    for k in range(12):
        h.append(f"Private Const MAX_{NOUNS[k].upper()} As Long = {100 * (k + 1)}")
    h += ["", "Public Type tRecord", "    ID As Long", "    Name As String * 40",
          "    Amount As Currency", "    Posted As Date", "End Type", "",
          "Public Enum eStatus", "    stNone = 0", "    stOpen = 1",
          "    stClosed = 2", "End Enum", ""]
    for k in range(8):
        t = gen.pick(TYPES)
        h.append(f"Private m{TYPE_PREFIX[t]}{NOUNS[k + 10]} As {t}")
    h += ["Public colItems As Collection", "Public oItem As Object",
          "Public rs As Object", "Public oConn As Object", ""]
    return h


def write_lines(path, lines):
    data = CRLF.join(lines) + CRLF
    raw = data.encode(ENCODING)
    with open(path, "wb") as f:
        f.write(raw)
    return len(raw), len(lines)


def generate_module(rng, total_lines, module_name):
    """Return (header, procs) with procs = [(kind, name, lines), ...]."""
    header = module_header(rng, module_name)
    gen = Gen(rng)
    procs = []
    count = len(header)
    # Procedure sizes spread over 16..64 lines (mean 40); stop once the
    # requested module size is reached.
    while count < total_lines:
        p = list(gen.procedure(16 + gen.ri(49)))
        procs.append(p)
        count += len(p[2])
        if p[0] == "Property Get" and gen.r() < 0.6:
            # Most properties are read/write: a Let with the same name follows.
            words = p[2][0].split()
            q = list(gen.procedure(8 + gen.ri(17), (words[0], p[1], words[-1])))
            procs.append(q)
            count += len(q[2])
    return header, procs, gen


def edit_copy(rng, gen, procs, total_lines, edit_rate, move_rate, rename_rate):
    """Second version: scattered line edits, moved and renamed procedures."""
    new = [[k, n, list(ls)] for k, n, ls in procs]
    target = round(total_lines * edit_rate)
    stats = {"lines_changed": 0, "lines_inserted": 0, "lines_deleted": 0}
    nprocs = len(new)
    ind_of = lambda s: s[: len(s) - len(s.lstrip())]
    dummy_nums = ["lCount", "i", "nIndex"]
    dummy_strs = ["sText", "sName"]
    done = 0
    while done < target:
        p = new[gen.ri(nprocs)]
        ls = p[2]
        if len(ls) < 6:
            continue
        # Body lines only: keep header, End line and separator intact.
        pos = 1 + gen.ri(len(ls) - 3)
        run = 1 if gen.r() < 0.7 else (2 if gen.r() < 0.67 else 3)
        op = gen.r()
        ref = ls[pos]
        pad = ind_of(ref) if ref.strip() else ind_of(ls[pos - 1]) or "    "
        if STRUCTURE_RE.match(ref) and op >= 0.22:
            continue
        if op < 0.22:
            for _ in range(run):
                ls.insert(pos, pad + gen.simple(dummy_nums, dummy_strs, "Sub"))
            stats["lines_inserted"] += run
        elif op < 0.5:
            k = 0
            while k < run and pos < len(ls) - 2 and not STRUCTURE_RE.match(ls[pos]):
                del ls[pos]
                k += 1
            stats["lines_deleted"] += k
            run = k
        else:
            k = 0
            while k < run and pos + k < len(ls) - 2 and not STRUCTURE_RE.match(ls[pos + k]):
                old = ls[pos + k]
                repl = old
                while repl == old:
                    if gen.r() < 0.5 and re.search(r"\d", old):
                        repl = re.sub(r"\d+", lambda m: str(int(m.group()) + 1 + gen.ri(9)),
                                      old, count=1)
                    elif gen.r() < 0.5 and old.strip():
                        repl = old + "  ' changed"
                    else:
                        repl = ind_of(old) + gen.simple(dummy_nums, dummy_strs, "Sub")
                ls[pos + k] = repl
                k += 1
            stats["lines_changed"] += k
            run = k
        done += run

    # Renames: Sub and Function only, so Property pairs stay consistent.
    renamed = {}
    candidates = [j for j, p in enumerate(new) if p[0] in ("Sub", "Function")]
    for j in rng.sample(candidates, min(len(candidates), max(1, round(nprocs * rename_rate)))):
        kind, old, ls = new[j]
        fresh = gen.proc_name()
        pat = re.compile(r"\b" + re.escape(old) + r"\b")
        new[j] = [kind, fresh, [pat.sub(fresh, s) for s in ls]]
        renamed[old] = fresh

    # Moves: take procedures out and put them back at random other places.
    nmoves = max(1, round(nprocs * move_rate))
    moved = []
    for _ in range(nmoves):
        src = gen.ri(len(new))
        p = new.pop(src)
        dst = gen.ri(len(new) + 1)
        while abs(dst - src) < 2 and len(new) > 4:
            dst = gen.ri(len(new) + 1)
        new.insert(dst, p)
        moved.append(p[1])
    stats["procedures_renamed"] = len(renamed)
    stats["procedures_moved"] = len(moved)
    return new, stats, renamed, sorted(set(moved))


def flatten(header, procs):
    out = list(header)
    for _, _, ls in procs:
        out.extend(ls)
    return out


def case_main(args, rng):
    header, procs, gen = generate_module(rng, args.lines - args.long_procedure, "modBench")
    lines1 = flatten(header, procs)
    new, stats, renamed, moved = edit_copy(rng, gen, procs, len(lines1),
                                           args.edit_rate, args.move_rate,
                                           args.rename_rate)
    if args.long_procedure:
        # One very long procedure first, with a changed line every 997 lines in version 2.
        kind, name, ls = gen.procedure(args.long_procedure)
        changed = [s + "  ' changed" if j % 997 == 500 and j < len(ls) - 2 else s
                   for j, s in enumerate(ls)]
        procs = [(kind, name, ls)] + procs
        new = [[kind, name, changed]] + new
        lines1 = flatten(header, procs)
    lines2 = flatten(header, new)
    return lines1, lines2, {"procedures": len(procs), "edits": stats,
                            "renamed": renamed, "moved": moved}


def case_alternating(args, rng):
    head = ['Attribute VB_Name = "modAlternating"', "Option Explicit", "",
            "Public Sub Churn()"]
    a, b = "    lTotal = lTotal + 1", "    sBuffer = sBuffer & \"x\""
    n = args.lines
    body1 = [a if j % 2 == 0 else b for j in range(n)]
    body2 = [a] * n
    tail = ["End Sub", ""]
    return head + body1 + tail, head + body2 + tail, {
        "procedures": 1, "body_lines": n, "line_a": a, "line_b": b}


def case_shuffled(args, rng):
    header, procs, _ = generate_module(rng, args.lines, "modShuffled")
    lines1 = flatten(header, procs)
    lines2 = list(lines1)
    rng.shuffle(lines2)
    return lines1, lines2, {"procedures": len(procs)}


def case_reversed(args, rng):
    head = ['Attribute VB_Name = "modReversed"', "Option Explicit", "",
            "Public Sub Reverse()"]
    body = [f"    lTotal{k} = lTotal{k} + {k}" for k in range(args.lines)]
    tail = ["End Sub", ""]
    return head + body + tail, head + body[::-1] + tail, {
        "procedures": 1, "body_lines": args.lines}


def changed_lines_module(name, pairs):
    """One procedure holding the changed line pairs, each pair facing in the combined view."""
    head = [f'Attribute VB_Name = "{name}"', "Option Explicit", "", "Public Sub Long()"]
    tail = ["End Sub", ""]
    return (head + [a for a, _ in pairs] + tail, head + [b for _, b in pairs] + tail)


def case_longlines(args, rng):
    # An operand, a blank, an operator and a blank: four tokens each, after the six tokens of
    # "    lTotal = " and the closing "0".
    operands = max(1, (args.line_tokens - 6) // 4)
    pairs = []
    for r in range(args.lines):
        names = [f"{rng.choice(NOUNS)}{rng.randrange(100)}" for _ in range(operands)]
        ops = [rng.choice("+-*") for _ in range(operands)]
        other = [n + "X" if k % 4 == 1 else n for k, n in enumerate(names)]
        line = lambda ns: "    lTotal = " + " ".join(f"{n} {o}" for n, o in zip(ns, ops)) + " 0"
        pairs.append((line(names), line(other)))
    lines1, lines2 = changed_lines_module("modLongLines", pairs)
    return lines1, lines2, {"procedures": 1, "changed_lines": args.lines,
                            "line_tokens": args.line_tokens}


def case_widelines(args, rng):
    pairs = []
    for r in range(args.lines):
        words = []
        size = 0
        while size < args.line_bytes - 20:
            w = rng.choice(WORDS)
            words.append(w)
            size += len(w) + 1
        other = list(words)
        for k in rng.sample(range(len(words)), 5):
            other[k] = other[k].upper()
        line = lambda ws: '    sMessage = "' + " ".join(ws) + '"'
        pairs.append((line(words), line(other)))
    lines1, lines2 = changed_lines_module("modWideLines", pairs)
    return lines1, lines2, {"procedures": 1, "changed_lines": args.lines,
                            "line_bytes": args.line_bytes}


CASES = {"main": case_main, "alternating": case_alternating, "shuffled": case_shuffled,
         "reversed": case_reversed, "longlines": case_longlines, "widelines": case_widelines}


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--case", choices=sorted(CASES), default="main")
    ap.add_argument("--lines", type=int, default=None,
                    help="size: module lines (main, shuffled) or body lines "
                         "(alternating); default depends on --case")
    ap.add_argument("--out", required=True, help="output directory")
    ap.add_argument("--long-procedure", type=int, default=0, metavar="N",
                    help="main case: put a procedure of about N lines first")
    ap.add_argument("--line-tokens", type=int, default=2000,
                    help="tokens per line (longlines)")
    ap.add_argument("--line-bytes", type=int, default=26000,
                    help="bytes per line (widelines)")
    ap.add_argument("--seed", type=int, default=DEFAULT_SEED)
    ap.add_argument("--edit-rate", type=float, default=0.01,
                    help="fraction of lines changed/inserted/deleted (main)")
    ap.add_argument("--move-rate", type=float, default=0.002,
                    help="fraction of procedures moved (main)")
    ap.add_argument("--rename-rate", type=float, default=0.002,
                    help="fraction of procedures renamed (main)")
    args = ap.parse_args(argv)
    if args.lines is None:
        args.lines = DEFAULT_LINES[args.case]
    if args.lines < 1:
        ap.error("--lines must be positive")

    t0 = time.perf_counter()
    # Mix the case into the seed so cases differ but each stays reproducible.
    rng = random.Random(f"{args.seed}:{args.case}:{args.lines}")
    lines1, lines2, info = CASES[args.case](args, rng)
    os.makedirs(args.out, exist_ok=True)
    b1, n1 = write_lines(os.path.join(args.out, "file1.bas"), lines1)
    b2, n2 = write_lines(os.path.join(args.out, "file2.bas"), lines2)
    elapsed = time.perf_counter() - t0
    manifest = {
        "generator_version": GENERATOR_VERSION, "case": args.case,
        "seed": args.seed, "lines_requested": args.lines,
        "file1": {"bytes": b1, "lines": n1}, "file2": {"bytes": b2, "lines": n2},
        "generation_seconds": round(elapsed, 2),
    }
    manifest.update(info)
    with open(os.path.join(args.out, "manifest.json"), "w") as f:
        json.dump(manifest, f, indent=1, sort_keys=True)
        f.write("\n")
    print(f"{args.case}: file1 {n1} lines {b1} bytes, file2 {n2} lines {b2} bytes, "
          f"{elapsed:.2f} s -> {args.out}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
