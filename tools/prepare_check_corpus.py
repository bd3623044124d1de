#!/usr/bin/env python3
"""Writes plain UTF-8 Russian text for measuring the code-page detector.

The text comes from packages the detector's model is never built from, so the measurement is
independent of the training text:

    apt-get install -y fortunes-ru manpages-ru
    python3 tools/prepare_check_corpus.py fortunes > /tmp/fortunes.txt
    python3 tools/prepare_check_corpus.py manpages > /tmp/manpages.txt
"""

import glob
import gzip
import re
import sys

FORTUNES = "/usr/share/games/fortunes/ru/*.u8"
MANPAGES = "/usr/share/man/ru/man*/*.gz"
# Pages that are tables of a character set (a code, then the character's name in capitals), not
# prose.
CHARACTER_TABLES = re.compile(r"/(ascii|armscii-8|charsets|cp125\d|iso[-_]8859.*|koi8-.|latin\d+|"
                              r"utf-8|unicode)\.7\.gz$")

# Macros whose arguments are text; every other request line is dropped.
TEXT_MACROS = {"SH", "SS", "B", "I", "BR", "RB", "IR", "RI", "BI", "IB", "SM", "TP", "IP"}
ESCAPES = [(r"\(em", "—"), (r"\(en", "–"), (r"\(aq", "'"), (r"\(dq", '"'), (r"\(lq", "“"),
           (r"\(rq", "”"), (r"\(Fo", "«"), (r"\(Fc", "»"), (r"\(bu", "•"), (r"\-", "-"),
           (r"\e", "\\"), (r"\&", ""), (r"\ ", " "), (r"\~", " "), (r"\|", ""), (r"\/", ""),
           (r"\,", ""), (r"\^", "")]


def fortunes():
    for path in sorted(glob.glob(FORTUNES)):
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                if line.strip() != "%":
                    yield line.rstrip("\n")


def roff_line(line):
    if line.startswith((".", "'")):
        name, _, rest = line[1:].strip().partition(" ")
        if name not in TEXT_MACROS:
            return None
        line = rest.replace('"', "")
    line = re.sub(r"\\f(\[[^\]]*\]|\(..|.)", "", line)
    line = re.sub(r"\\s[-+]?\d", "", line)
    for escape, text in ESCAPES:
        line = line.replace(escape, text)
    return re.sub(r"\\\*\(..|\\\*.|\\\(..", "", line)


def manpages():
    for path in sorted(glob.glob(MANPAGES)):
        if CHARACTER_TABLES.search(path):
            continue
        with gzip.open(path, "rt", encoding="utf-8", errors="replace") as f:
            for line in f:
                text = roff_line(line.rstrip("\n"))
                if text is not None:
                    yield text


def main():
    sources = {"fortunes": fortunes, "manpages": manpages}
    if len(sys.argv) != 2 or sys.argv[1] not in sources:
        sys.exit("usage: prepare_check_corpus.py fortunes|manpages")
    lines = list(sources[sys.argv[1]]())
    if not lines:
        sys.exit("nothing found: apt-get install -y fortunes-ru manpages-ru")
    for line in lines:
        print(line)


if __name__ == "__main__":
    main()
