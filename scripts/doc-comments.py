#!/usr/bin/env python3
"""Doxygen input filter: reads the headers' plain // comments as documentation.

The headers document a declaration with the // comment block right above it, and a getter and
setter pair (or any run of declarations without a blank line between them) with one block for
the run. Doxygen only reads ///, so this filter rewrites, line for line (warnings keep their
line numbers):
  - a // block directly followed by a declaration becomes ///; a block followed by a blank
    line, a preprocessor line or an access label is a heading and stays plain, and so do
    rulers ("// ----") and what stands above them;
  - every further declaration of a run under such a block (a setter after its getter) gets
    the block's text as a trailing ///< comment, so that it is documented as well; a block
    covers at most four declarations (Add, AddObject, Insert, InsertObject) and one getter
    (a property is a getter and its setter), so that a property slipped in under its
    neighbour's comment still shows as undocumented;
  - a trailing "decl;  // text" becomes "decl;  ///< text".
With --public-only, protected and private sections are blanked out as well, so that Doxygen's
check for undocumented members looks at the public surface alone.
"""
import re
import sys

COMMENT = re.compile(r"^(\s*)//(?![/!])\s?(.*)$")
RULER = re.compile(r"^\s*//\s*-{4,}")
MAX_SHARED = 4
GETTER = re.compile(r"\bGet\w*\(")
ACCESS = re.compile(r"^\s*(public|protected|private)\s*:")
TRAILING = re.compile(r"^(?P<code>[^\"']*?[;{}])(?P<gap>\s*)//(?![/!<])\s?(?P<text>.*)$")


def is_declaration(line):
    stripped = line.strip()
    return bool(stripped) and not stripped.startswith(("//", "#", "}")) and not ACCESS.match(line)


def ends_declaration(line):
    code = line.split("//", 1)[0].rstrip()
    return code.endswith((";", "}"))


def opens_body(line):
    return line.split("//", 1)[0].rstrip().endswith("{")


def filter_lines(lines):
    out = list(lines)
    i = 0
    while i < len(lines):
        if not COMMENT.match(lines[i]) or RULER.match(lines[i]):
            match = TRAILING.match(lines[i])
            if match and not lines[i].lstrip().startswith("//"):
                out[i] = f"{match['code']}{match['gap']}///< {match['text']}"
            i += 1
            continue
        start = i
        while i < len(lines) and COMMENT.match(lines[i]):
            if RULER.match(lines[i]):
                start = i + 1
            i += 1
        if i >= len(lines) or not is_declaration(lines[i]) or start >= i:
            continue
        for k in range(start, i):
            indent, text = COMMENT.match(lines[k]).groups()
            out[k] = f"{indent}/// {text}".rstrip()
        run_end = i
        while run_end < len(lines) and is_declaration(lines[run_end]):
            run_end += 1
            if opens_body(lines[run_end - 1]):
                break  # a class or struct: its members have comments of their own
        shared = " ".join(COMMENT.match(lines[k]).group(2) for k in range(start, i))
        first_end = next(k for k in range(i, run_end) if ends_declaration(lines[k]) or k == run_end - 1)
        declarations = getters = 0
        for k in range(i, run_end):
            declarations += ends_declaration(lines[k])
            getters += bool(GETTER.search(lines[k]))
            sharing = declarations <= MAX_SHARED and getters <= 1
            match = TRAILING.match(lines[k])
            if match:
                out[k] = f"{match['code']}{match['gap']}///< {match['text']}"
            elif k > first_end and ends_declaration(lines[k]) and sharing:
                out[k] = f"{lines[k]}  ///< {shared}"
        i = run_end
    return out


def public_only(lines):
    """Blanks every protected or private section, up to the next label or the class's end at
    the label's indentation (a nested class inside such a section goes with it)."""
    out = []
    hidden_at = None
    for line in lines:
        label = ACCESS.match(line)
        indent = len(line) - len(line.lstrip())
        if hidden_at is not None and indent <= hidden_at and (label or line.strip().startswith("}")):
            hidden_at = None
        if label and label.group(1) != "public":
            hidden_at = indent
        out.append("" if hidden_at is not None else line)
    return out


def main():
    with open(sys.argv[-1], encoding="utf-8") as source:
        lines = source.read().split("\n")
    if "--public-only" in sys.argv[1:-1]:
        lines = public_only(lines)
    sys.stdout.write("\n".join(filter_lines(lines)))


if __name__ == "__main__":
    main()
