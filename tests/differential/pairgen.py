"""Random pairs of VB-like source files and random option sets.

A pair is an "old" version and an edited "new" version of one module, so
that most procedures pair up and the matcher has real work: small line
alphabets make repeats, edits force resynchronisation. Each file is then
encoded and given line ends on its own.
"""

NAMES = ["Form_Load", "cmdOK_Click", "Total", "Caption", "Helper", "Init",
         "DoWork", "Value", "Größe", "ÉTAT", "Šum"]
MODIFIERS = [[], [], ["Private"], ["Public"], ["Public", "Static"], ["Friend"],
             ["Static"], ["Private", "Static"], ["PUBLIC"], ["private"]]
KINDS = [("Sub", "End Sub"), ("Function", "End Function"),
         ("Property Get", "End Property"), ("Property Let", "End Property"),
         ("Property Set", "End Property")]
DECLARATIONS = ["Option Explicit", "Dim mCount As Integer", "Private mName As String",
                "Private Declare Function GetTickCount Lib \"kernel32\" () As Long",
                "Public Event Changed()", "Attribute VB_Name = \"Module1\"",
                "' module header", "Const MAX = 10", ""]
BODY = ["x = 1", "x = x + 1", "y = x * 2", "Call Helper", "If x Then", "End If",
        "Dim s As String", "s = \"abc\"", "Set o = Nothing", "Get #1, , x",
        "Exit Sub", "MsgBox s", "For i = 1 To 10", "Next i", "", "", "  ",
        "' a comment", "   ' indented comment", "\t' tab comment", "// slashes",
        "Rem note", "REM", "rem", "remark = 1", "100 x = 1", "10:", "20 : y = 2",
        "100x = 1", "12345", "x = 1 ' trailing comment", "\tx = 1", "\t\ty = x",
        "    x = 1", "x  =  1", "x = 1   ", "  a   b  ", "X = 1", "CALL HELPER",
        "s = \"café\"", "e = \"€\"", "Š = \"ŠœŸ\"", "t = \"×÷ÀÞß\"",
        "End Sub", "End Function", "Declare Sub Foo Lib \"x\" ()", "Public Event E()",
        "x = 1 _", "Static Static Static Static Static Sub Five"]
UTF8_ONLY = ["w = \"Āω中😀\"", "n = \"Ӝ\""]
ODD_HEADERS = ["Property Get  Caption", "Sub  Spaced()", "\tSub Tabbed()", "Sub _",
               "Private Get Odd", "Sub (General)", "Function F(", "Sub Paren (x)",
               "  Public Sub Indented()"]
BAD_UTF8 = [b"\xe2\x82", b"\xc0\xaf", b"\xed\xa0\x80", b"\xff", b"\xf4\x90\x80\x80", b"\x80"]
CP1252_HOLES = [b"\x81", b"\x8d", b"\x8f", b"\x90", b"\x9d"]


def _header(rng, name):
    kind, end = rng.choice(KINDS)
    if rng.random() < 0.08:
        return rng.choice(ODD_HEADERS), end
    words = rng.choice(MODIFIERS) + kind.split(" ") + [name + rng.choice(["()", "(ByVal x As Long)", "", "(a, b)"])]
    if kind == "Function" and rng.random() < 0.5:
        words.append("As Long")
    text = " ".join(words)
    if rng.random() < 0.15:
        text = rng.choice([str.lower, str.upper])(text)
    if rng.random() < 0.1:
        text = " " * rng.randint(1, 4) + text
    return text, end


def _body(rng, alphabet):
    size = rng.randint(30, 80) if rng.random() < 0.1 else rng.randint(0, 10)
    return [rng.choice(alphabet) for _ in range(size)]


def _procedure(rng, name, alphabet):
    header, end = _header(rng, name)
    lines = [header] + _body(rng, alphabet)
    if rng.random() < 0.85:
        lines.append(end)
    lines += [""] * rng.choice([0, 0, 1, 2])
    return lines


def _edit_line(rng, line, alphabet):
    kind = rng.randrange(6)
    if kind == 0:
        return rng.choice(alphabet)
    if kind == 1:
        return line.upper() if rng.random() < 0.5 else line.lower()
    if kind == 2:
        return " " * rng.randint(1, 3) + line + " " * rng.randint(0, 2)
    if kind == 3:
        return line.replace(" ", "  ", 1)
    if kind == 4:
        return line.replace("    ", "\t") if "    " in line else "\t" + line
    return str(rng.choice([10, 100, 200])) + " " + line


def _edit_body(rng, lines, alphabet):
    out = []
    for line in lines:
        r = rng.random()
        if r < 0.06:
            continue
        if r < 0.12:
            out.append(rng.choice(alphabet))
        out.append(_edit_line(rng, line, alphabet) if rng.random() < 0.12 else line)
    return out


def _old_version(rng, alphabet):
    module = []
    if rng.random() < 0.75:
        module.append(("decl", [rng.choice(DECLARATIONS) for _ in range(rng.randint(1, 5))]))
    for _ in range(rng.randint(0, 7)):
        name = rng.choice(NAMES)
        module.append((name, _procedure(rng, name, alphabet)))
    return module


def _new_version(rng, module, alphabet):
    if rng.random() < 0.15:
        return [(n, list(lines)) for n, lines in module]
    out = []
    for name, lines in module:
        r = rng.random()
        if r < 0.08:
            continue  # deleted
        if r < 0.16 and name != "decl":
            new_name = rng.choice(NAMES)  # renamed
            lines = [lines[0].replace(name, new_name)] + lines[1:]
        if name == "decl":
            lines = _edit_body(rng, lines, alphabet)
        elif rng.random() < 0.7:
            lines = lines[:1] + _edit_body(rng, lines[1:], alphabet)  # header kept
        out.append((name, lines))
    if len(out) > 2 and rng.random() < 0.3:
        i, j = rng.sample(range(len(out)), 2)
        out[i], out[j] = out[j], out[i]  # moved
    for _ in range(rng.choice([0, 0, 1, 2])):
        name = rng.choice(NAMES)
        out.insert(rng.randint(0, len(out)), (name, _procedure(rng, name, alphabet)))
    return out


BAD_UTF16 = ["\ud800", "\udc00", "\udbff\udbff", "\udfff\ud800"]  # unpaired surrogates


def _encode_utf16(rng, text, style):
    """UTF-16 with its byte-order mark; "badutf16" adds unpaired surrogates,
    an odd last byte, or rarely a NUL character that makes it no text."""
    codec = "utf-16-be" if style == "utf16be" else "utf-16-le"
    if style == "badutf16":
        lines = text.split("\n")
        for _ in range(rng.randint(1, 3)):
            k = rng.randrange(len(lines))
            lines[k] += rng.choice(BAD_UTF16) + "z"
        text = "\n".join(lines)
        if rng.random() < 0.05:
            text = "\0" + text
    data = ("\ufeff" + text).encode(codec, "surrogatepass")
    if style == "badutf16" and rng.random() < 0.3:
        data += b"\x41"
    return data


def _encode(rng, lines):
    """Returns the file's bytes; the encoding and line ends are drawn here."""
    style = rng.choice(["ascii", "utf8", "utf8", "bom", "cp1252", "cp1252", "holes", "badbom",
                        "utf16le", "utf16be", "badutf16"])
    ends = rng.choice(["\r\n", "\n", "\r", "mixed"])
    if "utf16" in style:
        text = ""
        for n, line in enumerate(lines):
            text += line
            if n < len(lines) - 1 or rng.random() < 0.8:
                text += rng.choice(["\r\n", "\n", "\r"]) if ends == "mixed" else ends
        return _encode_utf16(rng, text, style)
    out = bytearray(b"\xef\xbb\xbf" if style in ("bom", "badbom") else b"")
    for n, line in enumerate(lines):
        if style == "ascii":
            data = line.encode("ascii", "replace")
        elif style in ("cp1252", "holes"):
            data = line.encode("cp1252", "replace")
            if style == "holes" and rng.random() < 0.1:
                data += rng.choice(CP1252_HOLES)
        else:
            data = line.encode("utf-8")
            if style == "badbom" and rng.random() < 0.1:
                data += rng.choice(BAD_UTF8) + b"z"
        out += data
        if n < len(lines) - 1 or rng.random() < 0.8:
            out += (rng.choice(["\r\n", "\n", "\r"]) if ends == "mixed" else ends).encode()
    return bytes(out)


def _long_lines(rng, tab_width):
    expanded = rng.choice([32767, 32768])  # last length that fits, first that fails
    tabs = expanded // tab_width if tab_width else 100
    return rng.choice([
        "x" * 32767,
        "y" * 32768,
        "\t" * tabs + "z" * (expanded - tabs * tab_width if tab_width else 32767 - tabs),
        "a" + " " * 20000 + "b",  # long run of embedded blanks
    ])


def make_pair(rng, tab_width=4):
    """Returns (bytes of file 1, bytes of file 2). Long tab lines are built
    to sit at the length limit once expanded with tab_width blanks."""
    alphabet = rng.sample(BODY, rng.randint(3, 10)) if rng.random() < 0.7 else BODY + UTF8_ONLY
    old = _old_version(rng, alphabet)
    new = _new_version(rng, old, alphabet)
    files = []
    for module in (old, new):
        lines = [line for _, block in module for line in block]
        if rng.random() < 0.06:
            lines = []
        if rng.random() < 0.04:
            lines.insert(rng.randint(0, len(lines)), _long_lines(rng, tab_width))
        files.append(_encode(rng, lines))
    return files[0], files[1]


BOOLEAN_KEYS = ["ExpandTabs", "IgnoreBlankLines", "IgnoreCase", "IgnoreComments",
                "IgnoreEmbeddedBlanks", "IgnoreLeadingBlanks", "IgnoreLineNumbers",
                "IgnoreTrailingBlanks", "LineByLine", "DifferencesOnly"]


def make_options(rng):
    """Returns a list of KEY=VALUE strings; some keys are left at their default."""
    options = []
    for key in BOOLEAN_KEYS:
        if rng.random() < 0.9:
            on = rng.random() < 0.5
            word = rng.choice([("Yes", "No"), ("True", "False"), ("-1", "0")])[0 if on else 1]
            options.append(f"{key}={rng.choice([word, word.lower(), word.upper()])}")
    sync = rng.choice([1, 1, 2, 2, 2, 3, 3, 4]) if rng.random() < 0.9 else rng.choice([0, -1, 5, 8])
    tab = rng.randint(0, 8) if rng.random() < 0.97 else -1
    for key, value in (("SyncNumber", sync), ("TabWidth", tab),
                       ("DifferencesBefore", rng.randint(0, 4)),
                       ("DifferencesAfter", rng.randint(0, 4))):
        if rng.random() < 0.9:
            options.append(f"{key}={value}")
    rng.shuffle(options)
    return options
