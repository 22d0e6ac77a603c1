#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bench/corpus-bench.sh KALIBRA [N] [AUTO_N]: the corpus commands' figures of docs/scale.md.
#   1. `batch -d 4 --table` over N (default 10^6) data sets of about 10 classes, one core and two:
#      data sets per second of wall and of CPU time, and the peak resident memory;
#   2. `auto --table --top 3` over AUTO_N (default 10 000) data sets of about 30 classes.
# Names the machine and its load, which decide how far wall time is from CPU time.
set -euo pipefail
kalibra=$1
n=${2:-1000000}
autoN=${3:-10000}
wurzel=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/scratch.sh
source "$(dirname "$0")/scratch.sh"
maschine_nennen
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"

messen() {  # messen LABEL COUNT ARGS...: one run under /usr/bin/time
  local label=$1 count=$2
  shift 2
  /usr/bin/time -f '%e %U %S %M' -o "$tmp/zeit" "$kalibra" "$@" >"$tmp/out" 2>"$tmp/err" || true
  read -r wall user sys rss <"$tmp/zeit"
  python3 - "$label" "$count" "$wall" "$user" "$sys" "$rss" <<'PY'
import sys
label, count, wall, user, sys_, rss = sys.argv[1:]
count, wall, cpu = int(count), float(wall), float(user) + float(sys_)
print(f"{label}: {count} data sets, wall {wall:.1f} s ({count / wall:,.0f}/s), "
      f"CPU {cpu:.1f} s ({count / cpu:,.0f}/s), peak memory {int(rss) / 1024:.0f} MB")
PY
  [ "$(wc -l <"$tmp/out")" -ge "$count" ] || { echo "$label: only $(wc -l <"$tmp/out") lines" >&2; exit 1; }
}

python3 "$wurzel/tools/corpus-table.py" "$n" --distinct 1000 --seed 3 >"$tmp/t.csv"
messen "batch, 1 core" "$n" batch -d 4 --table "$tmp/t.csv" --format jsonl --jobs 1
messen "batch, 2 cores" "$n" batch -d 4 --table "$tmp/t.csv" --format jsonl --jobs 2
python3 "$wurzel/tools/corpus-table.py" "$autoN" --classes 30 --distinct 500 --seed 5 >"$tmp/a.csv"
messen "auto --top 3, 2 cores" "$autoN" auto --table "$tmp/a.csv" --top 3 --format jsonl --jobs 2
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
