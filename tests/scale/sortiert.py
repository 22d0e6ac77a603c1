#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the JSON Lines of the files given, each line unchanged, sorted by its "id"."""
import json
import sys

zeilen = []
for pfad in sys.argv[1:]:
    with open(pfad, encoding="utf-8") as f:
        zeilen += [z for z in f if z.strip()]
zeilen.sort(key=lambda z: json.loads(z)["id"])
sys.stdout.write("".join(zeilen))
