#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/special-ratio.sh BASELINE [KALIBRA] [ROUNDS]: `kalibra special data/alpha-particles.dat`
# (the default 100 x 100 preflight grid, then the fit) of a baseline binary against this build's,
# in one run. Each side runs ROUNDS times (default 5), alternately; the fastest wall-clock time
# counts, the least disturbed by whatever else the machine does. The CPU time (user + system,
# over all threads) of that run is given beside it. The two outputs must be identical.
#
# The baseline is the kalibra of the build to compare with, e.g. main's:
#   git worktree add /tmp/vk-main main && bash /tmp/vk-main/tools/build.sh /tmp/vk-main/build \
#     -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ (or --target kalibra)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
alt=$1
neu=${2:-$root/build/gcc/app/kalibra/kalibra}
runden=${3:-5}
daten=$root/data/alpha-particles.dat
for p in "$alt" "$neu"; do
  [ -x "$p" ] || { echo "special-ratio: $p is not an executable" >&2; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$alt" special "$daten" >"$tmp/alt.txt"
"$neu" special "$daten" >"$tmp/neu.txt"
if ! cmp -s "$tmp/alt.txt" "$tmp/neu.txt"; then
  echo "special-ratio: the two builds print different results" >&2
  diff "$tmp/alt.txt" "$tmp/neu.txt" >&2 || true
  exit 1
fi
# Prints "wall cpu" of one run in seconds.
messen() {
  /usr/bin/time -f "%e %U %S" -o "$tmp/zeit" "$1" special "$daten" >/dev/null
  awk '{printf "%s %.2f\n", $1, $2 + $3}' "$tmp/zeit"
}
bester_alt=""
bester_neu=""
for _ in $(seq "$runden"); do
  a=$(messen "$alt")
  n=$(messen "$neu")
  bester_alt=$(awk -v a="$a" -v m="$bester_alt" 'BEGIN {split(a, x, " "); split(m, y, " ");
    print (m == "" || x[1] < y[1]) ? a : m}')
  bester_neu=$(awk -v a="$n" -v m="$bester_neu" 'BEGIN {split(a, x, " "); split(m, y, " ");
    print (m == "" || x[1] < y[1]) ? a : m}')
done
echo "| build | wall (fastest of $runden) | CPU of that run |"
echo "|---|---:|---:|"
awk -v a="$bester_alt" -v n="$bester_neu" 'BEGIN {
  split(a, x, " "); split(n, y, " ");
  printf "| baseline | %.2f s | %.2f s |\n| this build | %.2f s | %.2f s |\n", x[1], x[2], y[1], y[2];
  printf "| ratio | %.1f | %.1f |\n", x[1] / y[1], (y[2] > 0 ? x[2] / y[2] : 0) }'
