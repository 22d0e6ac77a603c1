#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""tools/corpus-table.py N [--classes K] [--seed S] [--format csv|jsonl]: writes a long table of N
data sets to standard output, each the counts of 200 draws from a negative binomial law with
parameters that vary from data set to data set, over about K classes (--distinct D draws D
of them and repeats them under new ids, for tables of millions). For tests and benchmarks of
the corpus commands; the same arguments give the same table on every machine."""
import argparse
import json
import random
import sys


def datensatz(rng, klassen):
    # Negative binomial draws as Poisson counts with gamma-distributed means.
    k = rng.uniform(1.0, 6.0)
    mittel = rng.uniform(0.2, 0.45) * klassen
    zaehler = {}
    for _ in range(200):
        lam = rng.gammavariate(k, mittel / k)
        # Poisson by counting exponential gaps in [0, lam).
        x, t = 0, rng.expovariate(1.0)
        while t < lam:
            x += 1
            t += rng.expovariate(1.0)
        zaehler[x] = zaehler.get(x, 0) + 1
    xs = list(range(0, max(zaehler) + 1))
    return xs, [zaehler.get(x, 0) for x in xs]


def main():
    p = argparse.ArgumentParser()
    p.add_argument("n", type=int)
    p.add_argument("--classes", type=int, default=10)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--format", choices=["csv", "jsonl"], default="csv")
    p.add_argument("--distinct", type=int, default=0,
                   help="draw only this many data sets and repeat them under new ids (fast)")
    a = p.parse_args()
    rng = random.Random(a.seed)
    out = sys.stdout
    if a.format == "csv":
        out.write("id,x,f\n")
    vorrat = [datensatz(rng, a.classes) for _ in range(a.distinct)]
    for i in range(a.n):
        xs, fs = vorrat[i % a.distinct] if vorrat else datensatz(rng, a.classes)
        ident = f"text-{i:07d}"
        if a.format == "csv":
            out.write("".join(f"{ident},{x},{f}\n" for x, f in zip(xs, fs)))
        else:
            out.write(json.dumps({"id": ident, "x": xs, "f": fs}, separators=(",", ":")) + "\n")


if __name__ == "__main__":
    main()
