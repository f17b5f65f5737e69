#!/usr/bin/env python3
"""Writes the manual page dualis.1 from the README's "Command line" section, so the two never
drift: the section's first code block is the synopsis, its prose the description, and each of
its "###" subsections a section of the page (the options table becomes a tagged list).

usage: make-manpage.py README.md VERSION dualis.1"""
import re
import sys

NAME = "dualis \\- compare two Visual Basic source files procedure by procedure"


def section(readme):
    match = re.search(r"^## Command line\n(.*?)(?=^## )", readme, re.M | re.S)
    if not match:
        sys.exit("make-manpage: the README has no '## Command line' section")
    return match.group(1)


def escape(text):
    """Escapes roff's specials; characters beyond ASCII become named by their code point."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "".join(c if ord(c) < 128 else f"\\[u{ord(c):04X}]" for c in text)


def inline(text):
    """Turns code and bold into bold, links into their text."""
    text = escape(text)
    text = re.sub(r"\[([^\]]+)\]\([^)]*\)", r"\1", text)
    text = re.sub(r"`([^`]+)`", r"\\fB\1\\fR", text)
    return re.sub(r"\*\*([^*]+)\*\*", r"\\fB\1\\fR", text)


def line_start(text):
    # A line starting with a dot or an apostrophe would be read as a request.
    return "\\&" + text if text[:1] in (".", "'") else text


def convert(body):
    out, paragraph, in_code, synopsis_done = [], [], False, False

    def flush():
        if paragraph:
            out.append(".PP")
            # Converted as a whole: a code span may run over a line's end.
            out.extend(line_start(l) for l in inline("\n".join(paragraph)).split("\n"))
            paragraph.clear()

    for raw in body.splitlines():
        if in_code:
            if raw.startswith("```"):
                in_code = False
                out.append(".fi" if synopsis_done else ".fi\n.SH DESCRIPTION")
                synopsis_done = True
            else:
                out.append(line_start(escape(raw)))
        elif raw.startswith("```"):
            flush()
            in_code = True
            out.append(".PP\n.nf\n.RS 4" if synopsis_done else ".SH SYNOPSIS\n.nf")
        elif raw.startswith("### "):
            flush()
            out.append(".SH " + raw[4:].upper())
        elif raw.startswith("|"):
            flush()
            cells = [c.strip() for c in raw.strip("|").split("|")]
            if cells[0] in ("option", "---"):
                continue
            out.append(".TP\n" + line_start(inline(cells[0])) + "\n" + line_start(inline(cells[1])))
        elif raw.strip():
            paragraph.append(raw.strip())
        else:
            flush()
    flush()
    # Code blocks after the synopsis are indented; close their indent.
    text = "\n".join(out)
    return re.sub(r"(\.PP\n\.nf\n\.RS 4\n(?:.*\n)*?)\.fi", r"\1.RE\n.fi", text)


def main():
    readme_path, version, out_path = sys.argv[1:4]
    with open(readme_path, encoding="utf-8") as f:
        body = convert(section(f.read()))
    page = [
        f'.TH DUALIS 1 "" "Dualis {version}" "User Commands"',
        ".SH NAME",
        NAME,
        body,
        ".SH SEE ALSO",
        "\\fBgit\\-difftool\\fR(1), \\fBgitattributes\\fR(5)",
        "",
    ]
    with open(out_path, "w", encoding="utf-8") as f:
        f.write("\n".join(page))


main()
