#!/usr/bin/env python3
"""Writes the read-me that ships with the program: the sections of README.md
marked for users (between "<!-- user -->" and "<!-- /user -->" lines), as
plain text with Windows line ends, which every Notepad shows as lines.

Markdown that means nothing in plain text goes: pictures (they are not in
the packages), emphasis and code marks. Headings are underlined.

Usage: user-readme.py README.md README.txt
"""
import re
import sys

BEGIN = "<!-- user -->"
END = "<!-- /user -->"


def user_lines(markdown):
    lines, inside = [], False
    for line in markdown.splitlines():
        if line.strip() == BEGIN:
            if inside:
                raise ValueError("user section opened twice")
            inside = True
            if lines:
                lines.append("")
        elif line.strip() == END:
            if not inside:
                raise ValueError("user section closed but never opened")
            inside = False
        elif inside:
            lines.append(line)
    if inside:
        raise ValueError("user section never closed")
    if not lines:
        raise ValueError("no section is marked for users")
    return lines


def plain(line):
    heading = re.match(r"(#+) +(.*)", line)
    if heading:
        title = plain(heading.group(2))
        rule = "=" if len(heading.group(1)) == 1 else "-"
        return title + "\n" + rule * len(title)
    line = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", line)  # a link: its words
    return line.replace("**", "").replace("`", "")


def user_readme(markdown):
    out = []
    for line in user_lines(markdown):
        if re.fullmatch(r"\s*!\[[^\]]*\]\([^)]*\)\s*", line):
            continue
        text = plain(line).rstrip()
        if text == "" and (not out or out[-1] == ""):
            continue
        out.append(text)
    while out and out[-1] == "":
        out.pop()
    return "\r\n".join("\n".join(out).split("\n")) + "\r\n"


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(argv[1], encoding="utf-8") as source:
        text = user_readme(source.read())
    with open(argv[2], "w", encoding="ascii", newline="") as target:
        target.write(text)


if __name__ == "__main__":
    main(sys.argv)
