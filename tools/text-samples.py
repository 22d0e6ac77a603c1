#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Counts word lengths (syllables, letters) and sentence lengths (words) of an English text and
writes them as input data files: one 'x f' record per line, ascending x, empty classes left out.

Syllables are counted as groups of vowels (a silent final e dropped, y counted as a vowel), a
common approximation for English that is good enough for sample data."""
import collections
import re
import sys


def syllables(word):
    w = word.lower()
    if len(w) > 2 and w.endswith("e") and not w.endswith("le"):
        w = w[:-1]
    return max(1, len(re.findall(r"[aeiouy]+", w)))


def write(path, counts):
    with open(path, "w", encoding="ascii") as out:
        for x in sorted(counts):
            out.write(f"{x} {counts[x]}\n")


def main(source, prefix):
    text = open(source, encoding="utf-8").read()
    words = re.findall(r"[A-Za-z]+", text)
    write(prefix + "word-syllables.dat", collections.Counter(syllables(w) for w in words))
    write(prefix + "word-letters.dat", collections.Counter(len(w) for w in words))
    sentences = [s for s in re.split(r"[.!?;:]+\s", text) if re.search(r"[A-Za-z]", s)]
    write(prefix + "sentence-words.dat",
          collections.Counter(len(re.findall(r"[A-Za-z]+", s)) for s in sentences))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "")
