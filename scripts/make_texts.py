#!/usr/bin/env python3
"""Turns the texts of the information windows (scripts/texts/*.txt, UTF-8) into the RTF
files shipped in data/ (Windows-1251, non-ASCII characters as \\'hh escapes).

Run after editing a text: python3 scripts/make_texts.py
The results are committed. Markup of the sources, one paragraph per line:
  "= text"    centred title          "== text"  heading, after a small gap
  "- text"    bulleted paragraph     "> text"   indented paragraph
  "" (empty)  small gap              any other  plain paragraph
Inside a line: **bold**, //italic//, __underlined__, ``fixed-width``, {{red}}, [[green]].
"""

import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = os.path.join(ROOT, "scripts", "texts")
OUT = os.path.join(ROOT, "data")

HEADER = (r"{\rtf1\ansi\ansicpg1251\deff0"
          r"{\fonttbl{\f0\fswiss\fcharset204 Arial;}{\f1\fmodern\fcharset204 Courier New;}}"
          r"{\colortbl;\red0\green0\blue0;\red0\green60\blue150;\red190\green0\blue0;"
          r"\red0\green120\blue0;\red110\green110\blue110;}"
          "\n" r"{\*\generator Glimmora make_texts;}\viewkind4\uc1\f0\fs18" "\n")

INLINE = [
    (re.compile(r"\*\*(.+?)\*\*"), r"{\\b \1}"),
    (re.compile(r"//(.+?)//"), r"{\\i \1}"),
    (re.compile(r"__(.+?)__"), r"{\\ul \1}"),
    (re.compile(r"``(.+?)``"), r"{\\f1 \1}"),
    (re.compile(r"\{\{(.+?)\}\}"), r"{\\cf3 \1}"),
    (re.compile(r"\[\[(.+?)\]\]"), r"{\\cf4 \1}"),
]


def escape(text):
    """RTF-escapes one line of text; markup is applied afterwards on the escaped text."""
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            try:
                out.append("\\'%02x" % ch.encode("cp1251")[0])
            except UnicodeEncodeError:
                out.append("\\u%d?" % (ord(ch) if ord(ch) < 32768 else ord(ch) - 65536))
    return "".join(out)


def inline(text):
    # markup braces were escaped by escape(); match them in their escaped form
    text = escape(text)
    text = text.replace("\\{\\{", "{{").replace("\\}\\}", "}}")
    for pattern, replacement in INLINE:
        text = pattern.sub(replacement, text)
    return text


def paragraph(line):
    if line.startswith("== "):
        return r"{\pard\fs8\par}{\pard\sb160\sa60\keepn\b\fs22\cf2 " + inline(line[3:]) + r"\par}"
    if line.startswith("= "):
        return r"{\pard\qc\sa120\b\fs28\cf2 " + inline(line[2:]) + r"\par}"
    if line.startswith("- "):
        return r"{\pard\li200\fi-120\sa40 \'95 " + inline(line[2:]) + r"\par}"
    if line.startswith("> "):
        return r"{\pard\li300\sa40 " + inline(line[2:]) + r"\par}"
    if not line:
        return r"{\pard\fs8\par}"
    return r"{\pard\sa60 " + inline(line) + r"\par}"


def convert(source, target):
    with open(source, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f]
    body = "\n".join(paragraph(line) for line in lines)
    with open(target, "wb") as f:
        f.write((HEADER + body + "\n}\n").encode("ascii"))


def main():
    for name in sorted(os.listdir(SOURCES)):
        if name.endswith(".txt"):
            convert(os.path.join(SOURCES, name), os.path.join(OUT, name[:-4] + ".rtf"))


if __name__ == "__main__":
    main()
