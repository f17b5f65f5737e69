"""Reference model, text half: decoding a file, cutting it into lines,
normalising a line, hashing it and recognising procedure headers.

Written to be obviously right rather than fast; every step mirrors the
engine's rules one to one so that the differential run can blame either side.
"""

import re

MAX_LENGTH = 32767  # line lengths are 16-bit signed in the data model
UTF8_BOM = b"\xef\xbb\xbf"
UTF16_BOMS = {b"\xff\xfe": "little", b"\xfe\xff": "big"}
TEXT_PROBE_BYTES = 8192


class DataModelOverflow(Exception):
    """The input exceeds a 16-bit limit: the run fails and writes no dump."""


class NotText(Exception):
    """The input is refused as not text: the run fails and writes no dump."""


# --- decoding -----------------------------------------------------------

def _cp1252_table():
    # The five bytes that Windows-1252 leaves undefined stand for the
    # C1 control with the same number, so every byte decodes.
    table = []
    for b in range(256):
        try:
            table.append(bytes([b]).decode("cp1252"))
        except UnicodeDecodeError:
            table.append(chr(b))
    return table


CP1252_CHARS = _cp1252_table()


def _utf8_sequence_length(lead):
    if lead < 0x80:
        return 1
    if 0xC0 <= lead <= 0xDF:
        return 2
    if 0xE0 <= lead <= 0xEF:
        return 3
    if 0xF0 <= lead <= 0xF7:
        return 4
    return 0


def decode_utf8_replacing(data):
    """UTF-8 where every byte that does not start a well-formed sequence
    becomes one U+FFFD (a truncated sequence costs one U+FFFD per byte)."""
    out = []
    i = 0
    while i < len(data):
        n = _utf8_sequence_length(data[i])
        if n:
            try:
                out.append(data[i:i + n].decode("utf-8"))  # strict
                i += n
                continue
            except UnicodeDecodeError:
                pass
        out.append("\ufffd")
        i += 1
    return "".join(out)


def decode_utf16(data, byteorder):
    """UTF-16 code units; a surrogate pair is one character, while an
    unpaired surrogate and an odd last byte are one U+FFFD each."""
    units = [int.from_bytes(data[k:k + 2], byteorder) for k in range(0, len(data) - 1, 2)]
    out = []
    k = 0
    while k < len(units):
        u = units[k]
        low = units[k + 1] if k + 1 < len(units) else 0
        if 0xD800 <= u <= 0xDBFF and 0xDC00 <= low <= 0xDFFF:
            out.append(chr(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00)))
            k += 2
            continue
        out.append("\ufffd" if 0xD800 <= u <= 0xDFFF else chr(u))
        k += 1
    if len(data) % 2:
        out.append("\ufffd")
    return "".join(out)


def decode_file(data):
    """Returns (text, encoding) with encoding "utf-8", "utf-16-le",
    "utf-16-be" or "cp1252". The encoding only says how the file was read:
    the same text compares and hashes alike from every encoding."""
    byteorder = UTF16_BOMS.get(data[:2])
    if byteorder:
        body = data[2:]
        if any(body[k:k + 2] == b"\0\0" for k in range(0, min(len(body) - 1, TEXT_PROBE_BYTES), 2)):
            raise NotText("a NUL character in the first 8 KiB")
        return decode_utf16(body, byteorder), "utf-16-" + byteorder[0] + "e"
    if b"\0" in data[:TEXT_PROBE_BYTES]:
        raise NotText("a NUL byte in the first 8 KiB")
    if data.startswith(UTF8_BOM):
        return decode_utf8_replacing(data[len(UTF8_BOM):]), "utf-8"
    try:
        return data.decode("utf-8"), "utf-8"  # strict: no overlongs or surrogates
    except UnicodeDecodeError:
        return "".join(CP1252_CHARS[b] for b in data), "cp1252"


def split_lines(text):
    """CR LF, CR and LF each end a line; a final line end adds no empty line."""
    lines = re.split(r"\r\n|\r|\n", text)
    if lines[-1] == "":
        lines.pop()
    return lines


# --- character rules ----------------------------------------------------

_LOWER_EXTRA = {0x160: 0x161, 0x152: 0x153, 0x17D: 0x17E, 0x178: 0xFF}


def lower(s):
    out = []
    for ch in s:
        c = ord(ch)
        if 0x41 <= c <= 0x5A or (0xC0 <= c <= 0xDE and c != 0xD7):
            c += 0x20
        else:
            c = _LOWER_EXTRA.get(c, c)
        out.append(chr(c))
    return "".join(out)


def ascii_upper(s):
    # Only ever compared with ASCII keywords; upper-casing any other letter
    # under the Latin rule can never produce an ASCII letter.
    return "".join(chr(ord(ch) - 0x20) if "a" <= ch <= "z" else ch for ch in s)


def is_digit(ch):
    return "0" <= ch <= "9"


def hash_line(s):
    """The sum of the characters' Unicode code points, as a signed 32-bit
    number that wraps; a Windows-1252 byte counts as the character it
    stands for."""
    total = sum(ord(ch) for ch in s) & 0xFFFFFFFF
    return total - (1 << 32) if total >= (1 << 31) else total


# --- normalisation --------------------------------------------------------

def un_comment(s):
    t = s.lstrip(" ") + " "
    if t.startswith("'") or t.startswith("//") or ascii_upper(t[:4]) == "REM ":
        return ""
    return s


def leading_blanks(s):
    for i, ch in enumerate(s):
        if ch != " ":
            return i
    return 0


def trailing_blanks(s):
    for i in range(len(s) - 1, -1, -1):
        if s[i] != " ":
            return len(s) - 1 - i
    return 0


def collapse_embedded_blanks(s):
    lead = leading_blanks(s)
    trail = trailing_blanks(s)
    if len(s) - lead > 0:
        p = s.find("  ", lead) + 1  # 1-based start of the pair, 0 if none
        while 1 <= p < len(s) - trail:
            s = s[:p] + s[p + 1:]  # drop the pair's second blank
            p = s.find("  ", lead) + 1
    return s


def strip_line_number(s, ignore_leading):
    for k in range(1, len(s)):
        if not (is_digit(s[k]) or s[k] == ":"):
            s = s[k:]
            return s.lstrip(" ") if ignore_leading else s
    return ""


def cook(raw, opt):
    """Normalises one raw line: returns (text, ignored)."""
    s = raw
    is_comment = False
    if opt.ExpandTabs and len(s) > 0:
        s = s.replace("\t", " " * opt.TabWidth)
        if len(s) > MAX_LENGTH:
            raise DataModelOverflow("line longer than 32767 characters after tab expansion")
    if opt.IgnoreCase:
        s = lower(s)
    if opt.IgnoreLeadingBlanks and opt.IgnoreTrailingBlanks:
        s = s.strip(" ")
    elif opt.IgnoreLeadingBlanks:
        s = s.lstrip(" ")
    elif opt.IgnoreTrailingBlanks:
        s = s.rstrip(" ")
    if opt.IgnoreComments and len(s) > 0:
        s = un_comment(s)
        if s == "":
            is_comment = True
    if opt.IgnoreEmbeddedBlanks and len(s) > 0:
        s = collapse_embedded_blanks(s)
    if opt.IgnoreLineNumbers and len(s) > 0 and is_digit(s[0]):
        s = strip_line_number(s, opt.IgnoreLeadingBlanks)
    ignored = (len(s) == 0 and opt.IgnoreBlankLines) or is_comment
    return s, ignored


# --- procedure headers -----------------------------------------------------

_MODIFIERS = ("PRIVATE", "PUBLIC", "FRIEND", "STATIC", "PROPERTY")
_PROPERTY_SUFFIX = {"GET": " [PropertyGet]", "LET": " [PropertyLet]", "SET": " [PropertySet]"}


def _cut_at_paren(name):
    k = name.find("(")
    return name[:k] if k >= 1 else name


def get_proc_name(line):
    """Name declared by a header line, or "" for any other line."""
    words = line.strip(" ").split(" ", 99)  # at most 100 words
    for i in range(min(5, len(words))):
        w = ascii_upper(words[i])
        has_next = i + 1 < len(words)
        if w in _MODIFIERS:
            continue
        if w in ("SUB", "FUNCTION"):
            if has_next:
                return _cut_at_paren(words[i + 1])
            continue
        if w in _PROPERTY_SUFFIX:
            if i > 0 and has_next:
                return _cut_at_paren(words[i + 1]) + _PROPERTY_SUFFIX[w]
            continue
        return ""
    return ""
