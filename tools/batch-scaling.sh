#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/batch-scaling.sh KALIBRA [FILES]: writes FILES (default 10000) small data files (the
# "may" counts with a little noise) into a temporary folder and times `kalibra batch -d 4
# --format csv` over them with --jobs 1 and --jobs 2, five times each, alternately, after one
# run that fills the page cache; prints the fastest of each, the ratio and the peak resident
# memory. The files are passed as arguments, as a shell glob would pass them. For comparison it
# also times what two cores allow at best: two separate processes with --jobs 1, each over half
# of the files, at the same time (xargs -P 2), the start of each running in parallel too.
set -euo pipefail
kalibra=$(realpath "$1")
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
dateien=(f*.dat)
# time(1) starts its clock at the fork, after the shell has built the long argument list.
lauf() {  # lauf JOBS: prints "seconds kilobytes"
  /usr/bin/time -f "%e %M" "$kalibra" batch -d 4 --jobs "$1" --format csv "${dateien[@]}" \
    2>&1 >/dev/null | tail -1
}
haelften() {  # seconds for two processes over the two halves at once
  printf '%s\0' "${dateien[@]}" |
    /usr/bin/time -f "%e" xargs -0 -n $(((anzahl + 1) / 2)) -P 2 \
      "$kalibra" batch -d 4 --jobs 1 --format csv 2>&1 >/dev/null | tail -1
}
minimum() { awk -v a="$1" -v m="$2" 'BEGIN {print (m == "" || a < m) ? a : m}'; }
lauf 2 >/dev/null
bester1=""
bester2=""
besterH=""
speicher=0
for _ in 1 2 3 4 5; do
  for j in 1 2; do
    read -r s kb < <(lauf "$j")
    [ "$kb" -gt "$speicher" ] && speicher=$kb
    if [ "$j" = 1 ]; then
      bester1=$(minimum "$s" "$bester1")
    else
      bester2=$(minimum "$s" "$bester2")
    fi
  done
  besterH=$(minimum "$(haelften)" "$besterH")
done
awk -v n="$anzahl" -v a="$bester1" -v b="$bester2" -v h="$besterH" -v m="$speicher" 'BEGIN {
  printf "| %d files | --jobs 1: %.2f s | --jobs 2: %.2f s | %.2fx | peak %.1f MB | two processes on halves: %.2f s, %.2fx |\n", n, a, b, a / b, m / 1024, h, a / h }'
