#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""tools/check-reported.py KALIBRA FILE...: fits every member of the library to each data file
(`kalibra fit --all-methods`, with the fixed values tools/golden.sh gives) and checks every best
result reported with status OK: its expected frequencies sum to N within
1e-9 N, none lies below 0 beyond rounding, and `kalibra evaluate` of the reported parameters gives
the same frequencies and X². Prints one line per violation and a count; exits 1 on any."""
import json
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TOLERANZ = 1e-9


def feste_werte():
    """The fixed values tools/golden.sh gives, from the last field of the example rows in
    tests/distributions/Beispiele.h, as {member: ["--fixed", "m=2", ...]}."""
    text = (ROOT / "tests" / "distributions" / "Beispiele.h").read_text()
    werte = {}
    for nummer, paare in re.findall(r'^ *\{(\d+), .*, "([^"]+)"\},$', text, re.M):
        werte[int(nummer)] = [a for p in paare.split() for a in ("--fixed", p)]
    return werte


ZEITGRENZE = 120  # seconds for one run: members whose cost grows with L² may take longer


def kalibra(exe, *args):
    try:
        r = subprocess.run([exe, *args, "--format", "json"], capture_output=True, text=True,
                           timeout=ZEITGRENZE, env={"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin",
                                                    "XDG_CONFIG_HOME": "/nonexistent"})
    except subprocess.TimeoutExpired:
        print(f"not checked (over {ZEITGRENZE} s): kalibra {' '.join(args)}", flush=True)
        return None, None
    try:
        return r.returncode, json.loads(r.stdout) if r.stdout.strip() else None
    except json.JSONDecodeError:
        return r.returncode, None


def nah(a, b, rel=1e-9, absolut=1e-9):
    return abs(a - b) <= max(rel * max(abs(a), abs(b)), absolut)


def pruefen(exe, datei, nummer, fest, best, klassen, fehler):
    """One reported result: the sum, the signs, and the re-evaluation of its parameters."""
    wo = f"{datei} -d {nummer}"
    n = sum(k["f"] for k in klassen)
    np_ = [k["np"] for k in klassen]
    if any(v is None for v in np_):
        fehler.append(f"{wo}: OK with a class that is not a number")
        return
    if abs(sum(np_) - n) > TOLERANZ * n:
        fehler.append(f"{wo}: OK, but the classes sum to {sum(np_)!r} for N = {n!r}")
    if min(np_) < -TOLERANZ * n:
        fehler.append(f"{wo}: OK with a negative class {min(np_)!r}")
    frei = [p for p in best["parameters"] if not p["fixed"]]
    festgegeben = [a for p in best["parameters"] if p["fixed"]
                   for a in ("--fixed", f"{p['name']}={p['value']!r}")]
    werte = ",".join(repr(p["value"]) for p in frei)
    code, e = kalibra(exe, "evaluate", datei, "-d", str(nummer), "-p", werte,
                      *(festgegeben or fest))
    # 13 with figures: the one evaluation has no degree of freedom, which a fit can still report
    # as OK through its other methods; the classes and X² must agree all the same.
    if e is None or e.get("chiSquare") is None:
        fehler.append(f"{wo}: the reported parameters {werte} do not evaluate (exit {code})")
        return
    wieder = [k["np"] for k in e["expected"]]
    abweichend = [i for i, (a, b) in enumerate(zip(np_, wieder)) if not nah(a, b)]
    if abweichend or len(wieder) != len(np_):
        i = abweichend[0] if abweichend else len(wieder)
        fehler.append(f"{wo}: the reported parameters give other classes (first at index {i})")
    if e.get("chiSquare") is None or not nah(e["chiSquare"], best["chiSquare"]):
        fehler.append(f"{wo}: the reported parameters give X² {e.get('chiSquare')!r}, "
                      f"reported {best['chiSquare']!r}")


def main():
    exe, dateien = sys.argv[1], sys.argv[2:]
    fest = feste_werte()
    code, liste = kalibra(exe, "list")
    nummern = [d["index"] for d in liste["distributions"]] if liste else list(range(223))
    fehler, geprueft = [], 0
    for datei in dateien:
        print(f"{datei}: {geprueft} results checked so far", flush=True)
        for nummer in nummern:
            _, r = kalibra(exe, "fit", datei, "-d", str(nummer), "--all-methods",
                           *fest.get(nummer, []))
            if r and r.get("status") == 0 and "best" in r:
                geprueft += 1
                pruefen(exe, datei, nummer, fest.get(nummer, []), r["best"], r["classes"],
                        fehler)
    for f in fehler:
        print(f)
    print(f"{geprueft} results checked, {len(fehler)} violations")
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
