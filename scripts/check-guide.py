#!/usr/bin/env python3
"""Checks that every code block of a guide stands verbatim in the programs it describes.

    check-guide.py GUIDE.md DIR

Blocks fenced as cpp, cmake or dfm must each appear, line for line, in one of the files of
DIR (the programs that CMake builds and CTest runs), so that the guide cannot show code that
no longer compiles. Shell blocks are commands and are not looked for. Exits 1 naming each
block that is missing, or when the guide has no checked block at all.
"""
import pathlib
import re
import sys

CHECKED = {"cpp", "cmake", "dfm"}
FENCE = re.compile(r"^```(\w*)\s*$")


def blocks(text):
    """(language, first line number, code) of every fenced block."""
    language, start, lines = None, 0, []
    for number, line in enumerate(text.split("\n"), 1):
        fence = FENCE.match(line)
        if fence and language is None:
            language, start, lines = fence.group(1), number, []
        elif line.strip() == "```" and language is not None:
            yield language, start, "\n".join(lines) + "\n"
            language = None
        elif language is not None:
            lines.append(line)


def main():
    guide, folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    sources = [p.read_text(encoding="utf-8") for p in sorted(folder.iterdir()) if p.is_file()]
    checked = missing = 0
    for language, line, code in blocks(guide.read_text(encoding="utf-8")):
        if language not in CHECKED:
            continue
        checked += 1
        if not any(code in source for source in sources):
            missing += 1
            print(f"{guide}:{line}: this {language} block is in none of the files of {folder}:")
            print(code)
    if checked == 0:
        print(f"{guide}: no cpp, cmake or dfm block to check")
        return 1
    if missing:
        return 1
    print(f"{checked} code blocks of {guide.name} stand verbatim in {folder}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
