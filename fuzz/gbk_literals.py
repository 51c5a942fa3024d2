#!/usr/bin/env python3
"""Copies a UTF-8 C++ source, writing every non-ASCII character of its plain
narrow literals ("..." and '...') as the \\x escapes of its GBK bytes.

The program's texts are GBK: g++ writes them so with -fexec-charset=GBK, but
clang only writes UTF-8. The fuzz build compiles the copies this makes, so
that its code compares and writes the very bytes of the program. Comments,
identifiers and literals with a prefix (u8, u, U, L, raw strings) are copied
as they are. Usage: gbk_literals.py SOURCE OUTPUT
"""
import os
import re
import sys

WORD = re.compile(r"[0-9](?:[eEpP][+-]|[0-9A-Za-z_.'])*|[A-Za-z_\u0080-\U0010FFFF][0-9A-Za-z_\u0080-\U0010FFFF]*")
PREFIXES = ("u8", "u", "U", "L")
HEX = "0123456789abcdefABCDEF"


def literal_end(src, start):
    """Index just past the literal whose opening quote is at start."""
    quote = src[start]
    i = start + 1
    while i < len(src) and src[i] != quote:
        if src[i] == "\n":
            raise ValueError("unterminated literal at offset %d" % start)
        i += 2 if src[i] == "\\" else 1
    return i + 1


def raw_end(src, quote):
    """Index just past the raw string whose opening quote is at quote."""
    paren = src.index("(", quote)
    delimiter = ")" + src[quote + 1:paren] + '"'
    return src.index(delimiter, paren) + len(delimiter)


def gbk_literal(text):
    """A plain literal with its non-ASCII characters as GBK escapes. A hex
    escape swallows every hex digit after it, so the string is cut there."""
    out = []
    escaped = False
    for ch in text:
        if ord(ch) > 0x7F:
            out.append("".join("\\x%02X" % b for b in ch.encode("gbk")))
            escaped = True
            continue
        if escaped and ch in HEX:
            if text[0] != '"':
                raise ValueError("a character literal cannot hold %r" % text)
            out.append('""')
        escaped = False
        out.append(ch)
    return "".join(out)


def rewrite(src):
    out = []
    i = 0
    n = len(src)
    while i < n:
        if src.startswith("//", i):
            j = src.find("\n", i)
            j = n if j < 0 else j
        elif src.startswith("/*", i):
            j = src.index("*/", i + 2) + 2
        elif src[i] in "\"'":
            j = literal_end(src, i)
            out.append(gbk_literal(src[i:j]))
            i = j
            continue
        else:
            m = WORD.match(src, i)
            if not m:
                out.append(src[i])
                i += 1
                continue
            word, j = m.group(0), m.end()
            if j < n and src[j] == '"' and word.endswith("R") and word[:-1] in PREFIXES + ("",):
                j = raw_end(src, j)
                if word == "R" and any(ord(c) > 0x7F for c in src[i:j]):
                    raise ValueError("a raw string with non-ASCII text at offset %d" % i)
            elif j < n and src[j] in "\"'" and word in PREFIXES:
                j = literal_end(src, j)
        out.append(src[i:j])
        i = j
    return "".join(out)


def main():
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = rewrite(f.read())
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
