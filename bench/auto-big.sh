#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bench/auto-big.sh KALIBRA [BASELINE] [L] [LIMIT]: `kalibra auto` on the word-frequency spectrum
# of tools/word-spectrum.py, its classes 0..L (default 20000, the whole file), wall and CPU time
# by /usr/bin/time, with --jobs 1 and with every core; BASELINE (another build's kalibra, which
# has no --jobs) is timed in the same run. Each run is stopped after LIMIT seconds of wall time
# (default 600); a stopped run is named so. The outputs of the runs that ended are compared.
# Names the machine and its load, which decide how far wall time is from CPU time.
set -euo pipefail
kalibra=$1
basis=${2:-}
L=${3:-20000}
frist=${4:-600}
wurzel=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/scratch.sh
source "$(dirname "$0")/scratch.sh"
python3 "$wurzel/tools/word-spectrum.py" "$tmp/spektrum.dat"
awk -v L="$L" '$1 <= L' "$tmp/spektrum.dat" >"$tmp/daten.dat"
maschine_nennen
echo "data: the spectrum's classes 0..$L"
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"

messen() {  # messen LABEL OUT PROGRAM ARGS...: one run under /usr/bin/time
  local label=$1 out=$2
  shift 2
  local code=0
  /usr/bin/time -f '%e %U %S %M' -o "$tmp/zeit" timeout "$frist" "$@" >"$out" 2>/dev/null ||
    code=$?
  read -r wall user sys rss < <(tail -n 1 "$tmp/zeit")
  local ende=""
  [ "$code" = 124 ] && ende=" (stopped after $frist s)"
  python3 -c "import sys; w, u, s, m = map(float, sys.argv[1:5]); \
print(f'$label: wall {w:.1f} s, CPU {u + s:.1f} s, peak memory {m / 1024:.0f} MB$ende')" \
    "$wall" "$user" "$sys" "$rss"
}

messen "auto --jobs 1" "$tmp/eins.txt" "$kalibra" auto "$tmp/daten.dat" --jobs 1
messen "auto (every core)" "$tmp/alle.txt" "$kalibra" auto "$tmp/daten.dat"
if [ -n "$basis" ]; then
  messen "baseline auto" "$tmp/basis.txt" "$basis" auto "$tmp/daten.dat"
fi
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
vergleichen() {  # vergleichen LABEL A B: the two outputs, where both runs ended
  [ -s "$2" ] && [ -s "$3" ] || return 0
  # The first line names the data file, which is the same file in every run.
  if cmp -s <(tail -n +2 "$2") <(tail -n +2 "$3"); then echo "$1: identical output"; else
    echo "$1: OUTPUTS DIFFER"; fi
}
vergleichen "one core and every core" "$tmp/eins.txt" "$tmp/alle.txt"
[ -z "$basis" ] || vergleichen "one core and the baseline" "$tmp/eins.txt" "$tmp/basis.txt"
