"""Reference model, comparison half: procedure records, matching and the two
display arrays, built from the raw bytes of two files.

All line stores are 1-based lists (slot 0 unused) so that every index here
is the number the dump prints.
"""

from dataclasses import dataclass, field

from reftext import (MAX_LENGTH, DataModelOverflow, cook, decode_file,
                     get_proc_name, hash_line, lower, split_lines)

NO_NEXT_DIFF = 999999

# LineSymbol
HIDDEN_MARKER, EQUAL, IGNORED, ADDED, CHANGED, DELETED = -2, -1, 0, 1, 2, 3
# procedure status
PROC_ADDED, PROC_CHANGED, PROC_DELETED, PROC_EQUAL = 1, 2, 3, 4


@dataclass
class Options:
    ExpandTabs: bool = False
    IgnoreBlankLines: bool = False
    IgnoreCase: bool = False
    IgnoreComments: bool = False
    IgnoreEmbeddedBlanks: bool = False
    IgnoreLeadingBlanks: bool = False
    IgnoreLineNumbers: bool = False
    IgnoreTrailingBlanks: bool = False
    LineByLine: bool = False
    SyncNumber: int = 2
    TabWidth: int = 4
    DifferencesOnly: bool = False
    DifferencesBefore: int = 3
    DifferencesAfter: int = 3

    def effective(self):
        """The values the engine works with (out-of-range ones replaced)."""
        o = Options(**self.__dict__)
        if o.SyncNumber < 1:
            o.SyncNumber = 2
        if o.TabWidth < 0:
            o.TabWidth = 4
        return o


@dataclass
class RawRecord:
    text: str
    ignored: bool = False


@dataclass
class CookedRecord:
    text: str
    length: int
    hash: int
    raw_line: int


EMPTY_COOKED = CookedRecord("", 0, 0, 0)


@dataclass
class ProcRecord:
    true_name: str
    lcase_name: str
    status: int
    first_cooked: list = field(default_factory=lambda: [0, 0])
    first_raw: list = field(default_factory=lambda: [0, 0])
    last_cooked: list = field(default_factory=lambda: [0, 0])
    last_raw: list = field(default_factory=lambda: [0, 0])


@dataclass
class MatchRecord:
    match_line: list
    next_diff: list = field(default_factory=lambda: [0, 0])


class Comparison:
    def __init__(self, options):
        self.opt = options.effective()
        self.raw = [[None], [None]]
        self.cooked = [[None], [None]]
        self.procs = [None]
        self.max_proc_lines = 0
        self.matches = [None]    # matches[p] = [None, MatchRecord...]
        self.separate = [None]   # separate[p] = [None, (sym0, raw0, sym1, raw1)...]
        self.combined = [None]   # combined[p] = [None, (symbol, side, raw)...]

    def raw_count(self, f):
        return len(self.raw[f]) - 1

    def cooked_count(self, f):
        return len(self.cooked[f]) - 1

    def proc_count(self):
        return len(self.procs) - 1

    def cooked_line(self, f, index):
        # Past the last cooked line a file reads as empty lines.
        return self.cooked[f][index] if 1 <= index <= self.cooked_count(f) else EMPTY_COOKED

    # --- loading ------------------------------------------------------

    def load_file(self, f, data):
        text, _ = decode_file(data)
        for line in split_lines(text):
            if len(line) > MAX_LENGTH:
                raise DataModelOverflow("line longer than 32767 characters")
            self.raw[f].append(RawRecord(line))
        for j in range(1, self.raw_count(f) + 1):
            s, ignored = cook(self.raw[f][j].text, self.opt)
            if ignored:
                self.raw[f][j].ignored = True
            else:
                self.cooked[f].append(CookedRecord(s, len(s), hash_line(s), j))

    # --- procedures -----------------------------------------------------

    def _new_proc(self, name, lcase, status):
        self.procs.append(ProcRecord(name, lcase, status))
        if self.proc_count() > MAX_LENGTH:
            raise DataModelOverflow("more than 32767 procedures")
        return self.proc_count()

    def _open(self, r, f, j):
        self.procs[r].first_cooked[f] = j
        self.procs[r].first_raw[f] = self.cooked[f][j].raw_line

    def _close(self, r, f, c, w):
        rec = self.procs[r]
        rec.last_cooked[f] = c
        rec.last_raw[f] = w
        self.max_proc_lines = max(self.max_proc_lines, w - rec.first_raw[f] + 1)

    def _header_name(self, f, j):
        return get_proc_name(self.raw[f][self.cooked[f][j].raw_line].text)

    def load_proc_stack(self):
        self.max_proc_lines = 0
        p = 0
        for j in range(1, self.cooked_count(0) + 1):
            name = self._header_name(0, j)
            if name:
                if p > 0:
                    self._close(p, 0, j - 1, self.cooked[0][j].raw_line - 1)
                p = self._new_proc(name, lower(name), PROC_DELETED)
                self._open(p, 0, j)
            elif j == 1:
                p = self._new_proc("(General)", "", PROC_DELETED)
                self._open(p, 0, 1)
        if self.cooked_count(0) >= 1:
            self._close(p, 0, self.cooked_count(0), self.raw_count(0))

        q = -1
        for j in range(1, self.cooked_count(1) + 1):
            name = self._header_name(1, j)
            if not name:
                if j == 1:
                    if self.proc_count() >= 1 and self.procs[1].true_name == "(General)":
                        q = 1
                        self.procs[1].status = PROC_EQUAL
                    else:
                        q = self._new_proc("(General)", "", PROC_ADDED)
                    self._open(q, 1, 1)
                continue
            if q > 0:
                self._close(q, 1, j - 1, self.cooked[1][j].raw_line - 1)
            lcase = lower(name)
            # Linear search; a record that already has File 2 lines is passed
            # over so that a repeated name never re-opens a finished range.
            q = 0
            for r in range(1, self.proc_count() + 1):
                if self.procs[r].lcase_name == lcase and self.procs[r].first_cooked[1] == 0:
                    q = r
                    break
            if q:
                self.procs[q].status = PROC_EQUAL
            else:
                q = self._new_proc(name, lcase, PROC_ADDED)
            self._open(q, 1, j)
        if self.cooked_count(1) >= 1:
            self._close(q, 1, self.cooked_count(1), self.raw_count(1))

        if self.proc_count() == 0:
            self._new_proc("(General)", "", PROC_EQUAL)

        for rec in self.procs[1:]:
            for f in (0, 1):
                assert rec.last_cooked[f] >= rec.first_cooked[f], rec
                assert rec.last_raw[f] >= rec.first_raw[f], rec

    # --- matching -------------------------------------------------------

    def lines_are_equal(self, i, j):
        a = self.cooked_line(0, i)
        b = self.cooked_line(1, j)
        if a.hash != b.hash:
            return False
        if a.length != b.length:
            return False
        if a.length == 0:
            return True
        return a.text == b.text

    def block_is_equal(self, i, j, count, p):
        rec = self.procs[p]
        for k in range(count):
            if i + k > rec.last_cooked[0] and j + k > rec.last_cooked[1]:
                return True
            if rec.last_cooked[1] == 0:
                return False
            if not self.lines_are_equal(i + k, j + k):
                return False
        return True

    @staticmethod
    def _fill_next_diff(row, values):
        # Walk back from the newest entry; stop at the first one already filled.
        for s in (0, 1):
            for entry in reversed(row[1:]):
                if entry.next_diff[s] != 0:
                    break
                entry.next_diff[s] = values[s]

    def _add_match(self, row, i, j):
        row.append(MatchRecord([self.cooked[0][i].raw_line, self.cooked[1][j].raw_line]))

    def _difference(self, p, row, i, j):
        self.procs[p].status = PROC_CHANGED
        if len(row) - 1 > 0 and self.opt.DifferencesOnly:
            self._fill_next_diff(row, [self.cooked[0][i].raw_line, self.cooked[1][j].raw_line])

    def _match_positional(self, p, row):
        rec = self.procs[p]
        j = rec.first_cooked[1]
        for i in range(rec.first_cooked[0], rec.last_cooked[0] + 1):
            if self.lines_are_equal(i, j):
                self._add_match(row, i, j)
            else:
                self._difference(p, row, i, j)
            j += 1
            if j > rec.last_cooked[1]:
                break

    def _match_resync(self, p, row):
        rec = self.procs[p]
        i = rec.first_cooked[0]
        j = rec.first_cooked[1]
        found = True
        while True:
            count = 1 if found else self.opt.SyncNumber
            found = False
            c = j
            while c <= rec.last_cooked[1]:
                if self.block_is_equal(i, c, count, p):
                    found = True
                    break
                self._difference(p, row, i, j)
                count = self.opt.SyncNumber
                c += 1
            if found:
                self._add_match(row, i, c)
                j = c + 1
            i += 1
            if i > rec.last_cooked[0]:
                break

    def compare_procs(self):
        self.matches = [None]
        for p in range(1, self.proc_count() + 1):
            rec = self.procs[p]
            row = [None]
            if rec.first_cooked[0] >= 1 and rec.first_cooked[1] >= 1:
                if self.opt.LineByLine:
                    self._match_positional(p, row)
                else:
                    self._match_resync(p, row)
            if (rec.last_cooked[0] - rec.first_cooked[0] != rec.last_cooked[1] - rec.first_cooked[1]
                    and rec.status == PROC_EQUAL):
                rec.status = PROC_CHANGED
            row.append(MatchRecord([rec.last_raw[0] + 1, rec.last_raw[1] + 1]))
            if self.opt.DifferencesOnly:
                self._fill_next_diff(row, [NO_NEXT_DIFF, NO_NEXT_DIFF])
            self.matches.append(row)

    # --- display arrays -------------------------------------------------

    def _is_ignored(self, f, line):
        return self.raw[f][line].ignored

    def _has_no_lines(self, rec):
        # The lone record of two files without a cooked line.
        return rec.first_raw[0] == 0 and rec.first_raw[1] == 0

    def _walk(self, p, place_gap, place_pair):
        """Steps through a matched procedure's entries, sentinel included.
        place_gap(pos, last_diff, gap) places the gap lines and advances
        pos/last_diff; place_pair(pos, last_diff, entry) handles a pair."""
        rec = self.procs[p]
        pos = [rec.first_raw[0] - 1, rec.first_raw[1] - 1]
        last_diff = [-9999, -9999]
        row = self.matches[p]
        for m in range(1, len(row)):
            entry = row[m]
            gap = [entry.match_line[s] - pos[s] - 1 for s in (0, 1)]
            place_gap(pos, last_diff, gap)
            for s in (0, 1):
                assert pos[s] + 1 == entry.match_line[s], (p, m, s, pos[s] + 1, entry.match_line[s])
                pos[s] += 1
            if m < len(row) - 1:
                place_pair(pos, last_diff, entry)

    def load_separate_display(self):
        opt = self.opt
        self.separate = [None]
        for p in range(1, self.proc_count() + 1):
            rec = self.procs[p]
            rows = [None]
            if rec.status == PROC_DELETED:
                for r in range(rec.first_raw[0], rec.last_raw[0] + 1):
                    rows.append((IGNORED if self._is_ignored(0, r) else ADDED, r, 0, 0))
            elif rec.status == PROC_ADDED:
                for r in range(rec.first_raw[1], rec.last_raw[1] + 1):
                    rows.append((0, 0, IGNORED if self._is_ignored(1, r) else ADDED, r))
            elif (rec.status == PROC_EQUAL and opt.DifferencesOnly) or self._has_no_lines(rec):
                pass
            else:
                # A run of hidden pairs leaves a marker that is written just
                # before the next row of the procedure, whatever that row is.
                marker_pending = [False]

                def add_row(r):
                    if marker_pending[0]:
                        rows.append((HIDDEN_MARKER, 0, HIDDEN_MARKER, 0))
                        marker_pending[0] = False
                    rows.append(r)

                def place_gap(pos, last_diff, gap):
                    for q in range(1, max(gap) + 1):
                        cells = []
                        for s in (0, 1):
                            o = 1 - s
                            if q > gap[s]:
                                cells += [DELETED, 0]
                            else:
                                line = pos[s] + 1
                                if self._is_ignored(s, line):
                                    sym = IGNORED
                                else:
                                    sym = CHANGED if q <= gap[o] else ADDED
                                cells += [sym, line]
                                pos[s] = line
                                last_diff[s] = line
                        add_row(tuple(cells))

                def place_pair(pos, last_diff, entry):
                    hidden = (opt.DifferencesOnly
                              and pos[0] - last_diff[0] > opt.DifferencesAfter
                              and pos[1] - last_diff[1] > opt.DifferencesAfter
                              and entry.next_diff[0] - pos[0] > opt.DifferencesBefore
                              and entry.next_diff[1] - pos[1] > opt.DifferencesBefore)
                    if hidden:
                        marker_pending[0] = True
                    else:
                        add_row((EQUAL, pos[0], EQUAL, pos[1]))

                self._walk(p, place_gap, place_pair)
            self.separate.append(rows)

    def load_combined_display(self):
        opt = self.opt
        self.combined = [None]
        for p in range(1, self.proc_count() + 1):
            rec = self.procs[p]
            rows = [None]
            if rec.status == PROC_ADDED:
                for r in range(rec.first_raw[1], rec.last_raw[1] + 1):
                    rows.append((ADDED, 1, r))
            elif rec.status == PROC_DELETED:
                for r in range(rec.first_raw[0], rec.last_raw[0] + 1):
                    rows.append((DELETED, 0, r))
            elif not self._has_no_lines(rec):
                def place_gap(pos, last_diff, gap):
                    for s, symbol in ((0, DELETED), (1, ADDED)):
                        for _ in range(gap[s]):
                            line = pos[s] + 1
                            rows.append((IGNORED if self._is_ignored(s, line) else symbol, s, line))
                            pos[s] = line
                            last_diff[s] = line

                def place_pair(pos, last_diff, entry):
                    hidden = (opt.DifferencesOnly
                              and pos[0] - last_diff[0] > opt.DifferencesAfter
                              and pos[1] - last_diff[1] > opt.DifferencesAfter)
                    if not hidden:
                        rows.append((EQUAL, 0, pos[0]))

                self._walk(p, place_gap, place_pair)
            self.combined.append(rows)


def compare(data1, data2, options):
    """Runs the whole pipeline on two files' bytes; raises DataModelOverflow."""
    state = Comparison(options)
    state.load_file(0, data1)
    state.load_file(1, data2)
    state.load_proc_stack()
    state.compare_procs()
    state.load_separate_display()
    state.load_combined_display()
    return state
