#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a word-frequency spectrum of 20001 classes as an input data file, for timing the
fitting on big data: the number of word types (f) that occur exactly x + 1 times in a text whose
type frequencies follow Zipf's law, frequency C / r^s for the type of rank r (x counts the
repetitions, so that the classes start at 0). The most frequent type occurs C = 20001 times, so
x runs from 0 to 20000, the largest class index the reader takes (empty classes left out; the
reader fills the gaps). Not a sample set: made when needed.

    python3 tools/word-spectrum.py /tmp/word-spectrum.dat [EXPONENT]"""
import collections
import sys


def main(path, exponent=1.1):
    top = 20001
    counts = collections.Counter()
    rank = 1
    while True:
        m = round(top / rank**exponent)
        if m < 1:
            break
        counts[m] += 1
        rank += 1
    with open(path, "w", encoding="ascii") as out:
        for x in sorted(counts):
            out.write(f"{x - 1} {counts[x]}\n")


if __name__ == "__main__":
    main(sys.argv[1], *(float(a) for a in sys.argv[2:3]))
