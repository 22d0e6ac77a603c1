#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/batch-scaling.sh KALIBRA [FILES]: writes FILES (default 10000) small data files (the
# "may" counts with a little noise) into a temporary folder and times `kalibra batch -d 4
# --format csv` over them with --jobs 1 and --jobs 2, three times each, alternately, after one
# run that fills the page cache; prints the fastest of each, the ratio and the peak resident
# memory. The files are passed as arguments, as a shell glob would pass them.
set -euo pipefail
kalibra=$1
anzahl=${2:-10000}
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
awk -v n="$anzahl" -v d="$ordner" 'BEGIN {
  srand(1); split("156 63 29 8 4 1 1", f, " ")
  for (i = 0; i < n; i++) {
    name = sprintf("%s/f%06d.dat", d, i)
    for (x = 0; x < 7; x++) printf "%d %d\n", x, f[x + 1] + int(rand() * 4) > name
    close(name)
  }
}'
cd "$ordner"
lauf() {  # lauf JOBS: prints "seconds kilobytes"
  /usr/bin/time -f "%e %M" "$kalibra" batch -d 4 --jobs "$1" --format csv f*.dat 2>&1 >/dev/null |
    tail -1
}
lauf 2 >/dev/null
bester1=""
bester2=""
speicher=0
for _ in 1 2 3; do
  for j in 1 2; do
    read -r s kb < <(lauf "$j")
    [ "$kb" -gt "$speicher" ] && speicher=$kb
    if [ "$j" = 1 ]; then
      bester1=$(awk -v a="$s" -v m="$bester1" 'BEGIN {print (m == "" || a < m) ? a : m}')
    else
      bester2=$(awk -v a="$s" -v m="$bester2" 'BEGIN {print (m == "" || a < m) ? a : m}')
    fi
  done
done
awk -v n="$anzahl" -v a="$bester1" -v b="$bester2" -v m="$speicher" 'BEGIN {
  printf "| %d files | --jobs 1: %.2f s | --jobs 2: %.2f s | %.2fx | peak %.1f MB |\n", n, a, b, a / b, m / 1024 }'
