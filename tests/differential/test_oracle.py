"""Checks of the reference oracle against hand-worked cases, so that a
mismatch in the differential run can be trusted to point at the program.

  python3 -m unittest test_oracle      (from this folder)
"""

import contextlib
import io
import os
import tempfile
import unittest

import oracle
from refengine import (ADDED, CHANGED, DELETED, EQUAL, HIDDEN_MARKER, IGNORED, NO_NEXT_DIFF,
                       PROC_ADDED, PROC_CHANGED, PROC_DELETED, PROC_EQUAL, Options, compare)
from reftext import (DataModelOverflow, NotText, cook, decode_file, get_proc_name, hash_line, lower,
                     split_lines)

M = (HIDDEN_MARKER, 0, HIDDEN_MARKER, 0)


def encode(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def run(lines1, lines2, **options):
    return compare(encode(lines1), encode(lines2), Options(**options))


def matches(state, p=1):
    return [tuple(e.match_line) for e in state.matches[p][1:]]


def next_diffs(state, p=1):
    return [tuple(e.next_diff) for e in state.matches[p][1:]]


def separate(state, p=1):
    return state.separate[p][1:]


def combined(state, p=1):
    return state.combined[p][1:]


class LineLoading(unittest.TestCase):
    def test_each_line_end_kind_ends_one_line(self):
        self.assertEqual(split_lines("a\r\nb\rc\nd"), ["a", "b", "c", "d"])
        self.assertEqual(split_lines("a\n\rb"), ["a", "", "b"])  # LF CR is two ends
        self.assertEqual(split_lines("\r\n\r\n"), ["", ""])

    def test_final_line_end_adds_no_line(self):
        self.assertEqual(split_lines(""), [])
        self.assertEqual(split_lines("a\r\n"), ["a"])
        self.assertEqual(split_lines("a"), ["a"])

    def test_bom_file_is_utf8_with_one_replacement_per_bad_byte(self):
        self.assertEqual(decode_file(b"\xef\xbb\xbf\xc3\xa9"), ("é", "utf-8"))
        self.assertEqual(decode_file(b"\xef\xbb\xbf\xe2\x82A\xff"), ("\ufffd\ufffdA\ufffd", "utf-8"))
        self.assertEqual(decode_file(b"\xef\xbb\xbf"), ("", "utf-8"))

    def test_invalid_utf8_without_bom_falls_back_to_windows_1252(self):
        self.assertEqual(decode_file(b"\xe2\x82\xac"), ("€", "utf-8"))
        self.assertEqual(decode_file(b"\x80\x8a"), ("€Š", "cp1252"))
        self.assertEqual(decode_file(b"\x81\x8d\x8f\x90\x9d"), ("\x81\x8d\x8f\x90\x9d", "cp1252"))
        self.assertEqual(decode_file(b"\xc0\xaf")[1], "cp1252")          # overlong
        self.assertEqual(decode_file(b"\xed\xa0\x80")[1], "cp1252")      # surrogate
        self.assertEqual(decode_file(b"\xf4\x90\x80\x80")[1], "cp1252")  # past U+10FFFF

    def test_hash_counts_code_points_whatever_the_encoding(self):
        s = compare(b"\x80\r\n", "€\r\n".encode("utf-8"), Options())
        self.assertEqual([s.cooked[0][1].hash, s.cooked[1][1].hash], [8364, 8364])
        self.assertEqual(matches(s), [(1, 1), (2, 2)])
        self.assertEqual(hash_line("\x81"), 0x81)  # an undefined Windows-1252 byte: its own value

    def test_every_windows_1252_character_equals_its_utf8_and_utf16_forms(self):
        cp1252 = b"".join(b"c = \"" + bytes([b]) + b"\"\r\n" for b in range(0x80, 0x100))
        text = decode_file(cp1252)[0]
        self.assertEqual(text.count("\r\n"), 128)
        for other in (text.encode("utf-8"), b"\xff\xfe" + text.encode("utf-16-le"),
                      b"\xfe\xff" + text.encode("utf-16-be")):
            s = compare(cp1252, other, Options())
            self.assertEqual([c.hash for c in s.cooked[0][1:]], [c.hash for c in s.cooked[1][1:]])
            self.assertEqual(matches(s), [(j, j) for j in range(1, 130)])
            self.assertEqual(s.procs[1].status, PROC_EQUAL)

    def test_utf16_with_either_byte_order_mark(self):
        text = "a\r\nb\rc\n😀é"
        self.assertEqual(decode_file(b"\xff\xfe" + text.encode("utf-16-le")), (text, "utf-16-le"))
        self.assertEqual(decode_file(b"\xfe\xff" + text.encode("utf-16-be")), (text, "utf-16-be"))
        self.assertEqual(decode_file(b"\xff\xfe"), ("", "utf-16-le"))
        # A lone low surrogate, a high one before a letter, a high one at the end.
        self.assertEqual(decode_file(b"\xff\xfe\x00\xdcx\x00\x3d\xd8y\x00\x3d\xd8")[0], "\ufffdx\ufffdy\ufffd")
        self.assertEqual(decode_file(b"\xfe\xff\x00z\x00")[0], "z\ufffd")  # odd last byte

    def test_nul_refuses_a_file_unless_utf16_and_then_only_a_nul_character(self):
        with self.assertRaises(NotText):
            decode_file(b"a\x00b\x00")
        with self.assertRaises(NotText):
            decode_file(b"\xff\xfe\x00\x00A\x00\x00\x00")  # as UTF-32 starts
        self.assertEqual(decode_file(b"x" * 8192 + b"\x00")[0], "x" * 8192 + "\x00")
        late = b"\xff\xfe" + "a".encode("utf-16-le") * 4096 + b"\x00\x00"
        self.assertEqual(decode_file(late)[0], "a" * 4096 + "\x00")

    def test_hash_wraps_to_negative(self):
        s = run(["\U0010ffff" * 2000], [])
        self.assertEqual(s.cooked[0][1].hash, 2000 * 0x10FFFF - (1 << 32))

    def test_lines_past_16_bits_fail_the_run(self):
        run(["x" * 32767], [])
        with self.assertRaises(DataModelOverflow):
            run([], ["x" * 32768])
        run(["\t" * 8192], [], ExpandTabs=True, TabWidth=3)
        with self.assertRaises(DataModelOverflow):
            run(["\t" * 8192], [], ExpandTabs=True, TabWidth=4)


class Normalisation(unittest.TestCase):
    def cooked(self, line, **options):
        return cook(line, Options(**options).effective())

    def test_all_options_off_keeps_the_line(self):
        self.assertEqual(self.cooked("\t  X = 1  "), ("\t  X = 1  ", False))

    def test_tabs_become_a_fixed_number_of_blanks(self):
        self.assertEqual(self.cooked("a\tb\t", ExpandTabs=True)[0], "a    b    ")
        self.assertEqual(self.cooked("a\tb", ExpandTabs=True, TabWidth=0)[0], "ab")
        self.assertEqual(self.cooked("a\tb", ExpandTabs=True, TabWidth=-3)[0], "a    b")

    def test_lower_case_covers_ascii_and_latin_letters_only(self):
        self.assertEqual(lower("AZÀÞ×ŠŒŽŸßĀΩ"), "azàþ×šœžÿßĀΩ")

    def test_embedded_blanks_keep_outer_blanks(self):
        self.assertEqual(self.cooked("  a   b  ", IgnoreEmbeddedBlanks=True)[0], "  a b  ")
        self.assertEqual(self.cooked("    ", IgnoreEmbeddedBlanks=True)[0], " ")
        self.assertEqual(self.cooked("a\t\tb", IgnoreEmbeddedBlanks=True)[0], "a\t\tb")

    def test_blank_lines_are_left_out_only_when_empty(self):
        self.assertEqual(self.cooked("", IgnoreBlankLines=True), ("", True))
        self.assertEqual(self.cooked("  ", IgnoreBlankLines=True), ("  ", False))
        self.assertEqual(self.cooked("  ", IgnoreBlankLines=True, IgnoreTrailingBlanks=True), ("", True))

    def test_whole_line_comments(self):
        for line in ["'x", "   ' x", "//x", "Rem", "rem x", "REM"]:
            self.assertEqual(self.cooked(line, IgnoreComments=True), ("", True), line)
        for line in ["Remark", "x = 1 ' c", "\t' c", "/ x"]:
            self.assertEqual(self.cooked(line, IgnoreComments=True), (line, False), line)
        self.assertEqual(self.cooked("\t' c", IgnoreComments=True, ExpandTabs=True), ("", True))

    def test_line_numbers(self):
        opt = dict(IgnoreLineNumbers=True)
        self.assertEqual(self.cooked("100 x = 1", **opt)[0], " x = 1")
        self.assertEqual(self.cooked("100 x = 1", IgnoreLeadingBlanks=True, **opt)[0], "x = 1")
        self.assertEqual(self.cooked("100x", **opt)[0], "x")
        self.assertEqual(self.cooked("10:20", **opt), ("", False))
        self.assertEqual(self.cooked("7", IgnoreBlankLines=True, **opt), ("", True))
        self.assertEqual(self.cooked("x100", **opt)[0], "x100")

    def test_numbered_comment_is_no_comment(self):
        self.assertEqual(self.cooked("100 ' c", IgnoreComments=True, IgnoreLineNumbers=True),
                         (" ' c", False))


class ProcedureNames(unittest.TestCase):
    def test_headers(self):
        cases = {
            "Private Sub cmdOK_Click()": "cmdOK_Click",
            "Public Static Function Total(a As Long) As Long": "Total",
            "Public Property Get Caption": "Caption [PropertyGet]",
            "friend property let Value(v)": "Value [PropertyLet]",
            "Private Set Odd": "Odd [PropertySet]",
            "   Sub Indented": "Indented",
            "Property Get  Caption": " [PropertyGet]",
            "Sub _": "_",
            "Sub (x)": "(x)",
        }
        for line, name in cases.items():
            self.assertEqual(get_proc_name(line), name, line)

    def test_non_headers(self):
        for line in ["End Sub", "Dim x", "Public Declare Function F Lib \"k\" ()", "Public Event E()",
                     "Set x = y", "Get #1, , x", "\tSub Tabbed", "Sub  Twice", "Sub", "",
                     "Public Property Get", "Static Static Static Static Static Sub Six"]:
            self.assertEqual(get_proc_name(line), "", line)


class Procedures(unittest.TestCase):
    def procs(self, state):
        return [(r.true_name, r.status, tuple(r.first_raw), tuple(r.last_raw)) for r in state.procs[1:]]

    def test_rename_gives_a_deleted_and_an_added_record(self):
        s = run(["Sub A", "x"], ["Sub B", "x"])
        self.assertEqual(self.procs(s), [("A", PROC_DELETED, (1, 0), (2, 0)), ("B", PROC_ADDED, (0, 1), (0, 2))])

    def test_pairing_ignores_case_and_position(self):
        s = run(["Dim a", "Sub Foo", "Sub Bar"], ["Dim a", "sub bar", "SUB FOO"], IgnoreCase=True)
        self.assertEqual(self.procs(s), [("(General)", PROC_EQUAL, (1, 1), (1, 1)),
                                         ("Foo", PROC_EQUAL, (2, 3), (2, 3)),
                                         ("Bar", PROC_EQUAL, (3, 2), (3, 2))])

    def test_declarations_only_in_file_1(self):
        s = run(["Option Explicit", "Sub A"], ["Sub A"])
        self.assertEqual(self.procs(s)[0], ("(General)", PROC_DELETED, (1, 0), (1, 0)))

    def test_repeated_file_2_name_takes_the_next_free_record(self):
        s = run(["Sub A", "x", "Sub A", "y"], ["Sub A", "x", "Sub A", "y", "Sub A", "z"])
        self.assertEqual(self.procs(s), [("A", PROC_EQUAL, (1, 1), (2, 2)),
                                         ("A", PROC_EQUAL, (3, 3), (4, 4)),
                                         ("A", PROC_ADDED, (0, 5), (0, 6))])

    def test_left_out_lines_before_the_first_cooked_line_belong_to_nothing(self):
        s = run(["", "Sub A", "x", ""], ["", "", "Sub A", "x"], IgnoreBlankLines=True)
        self.assertEqual(self.procs(s), [("A", PROC_EQUAL, (2, 3), (4, 4))])

    def test_two_files_without_cooked_lines(self):
        s = run([], [""], IgnoreBlankLines=True)
        self.assertEqual(self.procs(s), [("(General)", PROC_EQUAL, (0, 0), (0, 0))])
        self.assertEqual(matches(s), [(1, 1)])
        self.assertEqual((separate(s), combined(s)), ([], []))


class Matching(unittest.TestCase):
    def test_resynchronising_needs_sync_number_lines(self):
        s = run(["A", "B", "C"], ["A", "C", "X"])
        self.assertEqual(matches(s), [(1, 1), (4, 4)])
        self.assertEqual(s.procs[1].status, PROC_CHANGED)
        self.assertEqual(matches(run(["A", "B", "C"], ["A", "C", "X"], SyncNumber=1)), [(1, 1), (3, 2), (4, 4)])

    def test_ending_together_completes_a_block(self):
        self.assertEqual(matches(run(["X", "A"], ["Y", "A"])), [(2, 2), (3, 3)])

    def test_longer_file_2_changes_status_in_the_closing_step(self):
        s = run(["A", "B"], ["A", "B", "C"], DifferencesOnly=True)
        self.assertEqual(matches(s), [(1, 1), (2, 2), (3, 4)])
        self.assertEqual(s.procs[1].status, PROC_CHANGED)
        self.assertEqual(next_diffs(s), [(NO_NEXT_DIFF, NO_NEXT_DIFF)] * 3)

    def test_positional_mode(self):
        self.assertEqual(matches(run(["A", "B", "C"], ["A", "X", "C"], LineByLine=True)), [(1, 1), (3, 3), (4, 4)])
        self.assertEqual(matches(run(["A", "B", "C"], ["X", "A", "B", "C"], LineByLine=True)), [(4, 5)])

    def test_sync_number_below_one_is_two(self):
        self.assertEqual(matches(run(["A", "B", "C"], ["A", "C", "X"], SyncNumber=0)), [(1, 1), (4, 4)])

    def test_identical_files_stay_equal(self):
        s = run(["Sub A", "x", "y"], ["Sub A", "x", "y"])
        self.assertEqual((s.procs[1].status, matches(s)), (PROC_EQUAL, [(1, 1), (2, 2), (3, 3), (4, 4)]))

    def test_next_difference_fields(self):
        s = run(["A", "B", "C", "D"], ["A", "X", "Y", "D"], DifferencesOnly=True)
        self.assertEqual(matches(s), [(1, 1), (4, 4), (5, 5)])
        self.assertEqual(next_diffs(s), [(2, 2), (NO_NEXT_DIFF, NO_NEXT_DIFF), (NO_NEXT_DIFF, NO_NEXT_DIFF)])
        s = run(["A", "B", "C"], ["A", "X", "C"], DifferencesOnly=True, LineByLine=True)
        self.assertEqual(next_diffs(s), [(2, 2), (NO_NEXT_DIFF, NO_NEXT_DIFF), (NO_NEXT_DIFF, NO_NEXT_DIFF)])
        self.assertEqual(next_diffs(run(["A", "B"], ["A", "X"])), [(0, 0), (0, 0)])

    def test_block_reads_on_into_the_next_procedure(self):
        # "x" of Sub A in File 1 resynchronises only because the next
        # procedure's first line happens to equal File 2's next line.
        s = run(["Sub A", "q", "x", "Sub B"], ["Sub A", "x", "Sub B"])
        self.assertEqual(matches(s, 1), [(1, 1), (3, 2), (4, 3)])


class SeparateDisplay(unittest.TestCase):
    def test_changed_lines_face_each_other(self):
        s = run(["A", "B", "C", "D"], ["A", "X", "Y", "D"])
        self.assertEqual(separate(s), [(EQUAL, 1, EQUAL, 1), (CHANGED, 2, CHANGED, 2),
                                       (CHANGED, 3, CHANGED, 3), (EQUAL, 4, EQUAL, 4)])

    def test_unequal_gaps_get_fillers(self):
        self.assertEqual(separate(run(["A", "B"], ["A", "X", "B"])),
                         [(EQUAL, 1, EQUAL, 1), (DELETED, 0, ADDED, 2), (EQUAL, 2, EQUAL, 3)])
        self.assertEqual(separate(run(["A", "B", "C", "D", "E"], ["A", "X", "E"])),
                         [(EQUAL, 1, EQUAL, 1), (CHANGED, 2, CHANGED, 2), (ADDED, 3, DELETED, 0),
                          (ADDED, 4, DELETED, 0), (EQUAL, 5, EQUAL, 3)])

    def test_ignored_line_in_one_file_faces_a_filler(self):
        s = run(["A", "", "B"], ["A", "B"], IgnoreBlankLines=True)
        self.assertEqual(s.procs[1].status, PROC_EQUAL)
        self.assertEqual(separate(s), [(EQUAL, 1, EQUAL, 1), (IGNORED, 2, DELETED, 0), (EQUAL, 3, EQUAL, 2)])

    def test_one_sided_procedures(self):
        s = run(["Sub A", "", "x"], ["Sub B", "y"], IgnoreBlankLines=True)
        self.assertEqual(separate(s, 1), [(ADDED, 1, 0, 0), (IGNORED, 2, 0, 0), (ADDED, 3, 0, 0)])
        self.assertEqual(separate(s, 2), [(0, 0, ADDED, 1), (0, 0, ADDED, 2)])

    def test_context_around_one_difference(self):
        lines = [f"L{n}" for n in range(1, 21)]
        s = run(lines[:10] + ["X"] + lines[10:], lines[:10] + ["Y"] + lines[10:],
                DifferencesOnly=True, DifferencesBefore=1, DifferencesAfter=1)
        self.assertEqual(separate(s), [M, (EQUAL, 10, EQUAL, 10), (CHANGED, 11, CHANGED, 11), (EQUAL, 12, EQUAL, 12)])
        self.assertEqual(combined(s), [(DELETED, 0, 11), (ADDED, 1, 11), (EQUAL, 0, 12)])

    def test_each_hidden_run_gets_its_marker(self):
        s = run(["A", "B", "X", "C", "D", "Z", "E"], ["A", "B", "x", "C", "D", "z", "E"],
                DifferencesOnly=True, DifferencesBefore=0, DifferencesAfter=0)
        self.assertEqual(separate(s), [M, (CHANGED, 3, CHANGED, 3), M, (CHANGED, 6, CHANGED, 6)])

    def test_closing_gap_rows_break_a_hidden_run(self):
        s = run(["A", "B", "C"], ["A", "B", "C", "D"],
                DifferencesOnly=True, DifferencesBefore=0, DifferencesAfter=0)
        self.assertEqual(separate(s), [M, (DELETED, 0, ADDED, 4)])

    def test_equal_procedures_vanish_under_differences_only(self):
        s = run(["a", "", "b", "c", "d"], ["a", "", "b", "c", "d"],
                IgnoreBlankLines=True, DifferencesOnly=True, DifferencesBefore=1, DifferencesAfter=1)
        self.assertEqual(separate(s), [])
        # The combined view still shows ignored lines, as differences, and their context.
        self.assertEqual(combined(s), [(IGNORED, 0, 2), (IGNORED, 1, 2), (EQUAL, 0, 3)])
        self.assertEqual(combined(run(["a", "b"], ["a", "b"], DifferencesOnly=True)), [])


class CombinedDisplay(unittest.TestCase):
    def test_file_1_lines_come_first_in_a_difference(self):
        s = run(["A", "B", "C", "D"], ["A", "X", "Y", "D"])
        self.assertEqual(combined(s), [(EQUAL, 0, 1), (DELETED, 0, 2), (DELETED, 0, 3),
                                       (ADDED, 1, 2), (ADDED, 1, 3), (EQUAL, 0, 4)])

    def test_one_sided_procedures_do_not_mark_ignored_lines(self):
        s = run(["Sub A", ""], ["Sub B", ""], IgnoreBlankLines=True)
        self.assertEqual(combined(s, 1), [(DELETED, 0, 1), (DELETED, 0, 2)])
        self.assertEqual(combined(s, 2), [(ADDED, 1, 1), (ADDED, 1, 2)])


class Dump(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def path(self, name, data=None):
        p = os.path.join(self.dir.name, name)
        if data is not None:
            with open(p, "wb") as f:
                f.write(data)
        return p

    def main(self, *args):
        err = io.StringIO()
        with contextlib.redirect_stderr(err):
            rc = oracle.main(list(args))
        return rc, err.getvalue()

    def sections(self, dump):
        with open(dump, "rb") as f:
            text = f.read().decode("utf-8")
        self.assertTrue(text.endswith("=" * 64 + "\r\n"))
        blocks = text.split("=" * 64 + "\r\n")[:-1]
        out = {}
        for block in blocks:
            lines = block.split("\r\n")
            self.assertEqual(lines[0], "")
            out[lines[1][19:]] = lines[2:-1]
        return out

    def test_two_empty_files(self):
        a, b, dump = self.path("a.bas", b""), self.path("b.bas", b""), self.path("dump.txt")
        self.assertEqual(self.main("--dump", dump, "--option", "SyncNumber=0", "--option", "lineByLine=YES", a, b)[0], 0)
        sec = self.sections(dump)
        self.assertEqual(list(sec), oracle.SECTIONS)
        self.assertEqual(sec["General"][1:10], [k + ("True" if k == "LineByLine" else "False")
                                                for k in oracle.GENERAL_BOOLEANS])
        self.assertEqual(sec["General"][10:12], ["SyncNumber2", "TabWidth4"])
        self.assertRegex(sec["General"][12], r"^" + a + r"0 lines, 0; bytes, \d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")
        self.assertEqual(sec["Proc"], [" 1  4 (General)", " 0  0  0  0 ", " 0  0  0  0 "])
        self.assertEqual(sec["Match"], [" 1  1  1  1  0  0 "])
        self.assertEqual([sec[k] for k in ("Raw", "Cooked", "Combined_Display", "Separate_Display")], [[]] * 4)

    def test_line_formats_and_appending(self):
        a = self.path("a.bas", "A\r\nB é\r\n".encode("utf-8"))
        b = self.path("b.bas", b"A\r\nX\r\n")
        dump = self.path("dump.txt")
        self.main("--dump", dump, a, b)
        self.main("--dump", dump, "--option", "IgnoreCase=-1", a, b)
        with open(dump, "rb") as f:
            self.assertEqual(f.read().count(b"General\r\n"), 2)
        sec = self.sections(dump)  # the second set
        self.assertEqual(sec["General"][3], "IgnoreCaseTrue")
        self.assertEqual(sec["Raw"], [" 1 FalseA", " 2 FalseB é", " 1 FalseA", " 2 FalseX"])
        self.assertEqual(sec["Cooked"][1], " 2  2  3  363 b é")
        self.assertEqual(sec["Separate_Display"][1], " 1  2  2  2  2  2 ")
        self.assertEqual(sec["Combined_Display"][0], " 1  1 -1  0  1 ")

    def test_failures_write_no_dump(self):
        a, dump = self.path("a.bas", b"x"), self.path("dump.txt")
        missing = self.path("missing.bas")
        self.assertEqual(self.main("--dump", dump, a, missing), (2, f"Unable to open File 2\n{missing}\n"))
        long = self.path("long.bas", b"y" * 32768)
        self.assertEqual(self.main("--dump", dump, long, a)[0], 2)
        self.assertFalse(os.path.exists(dump))


if __name__ == "__main__":
    unittest.main()
