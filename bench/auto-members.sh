#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bench/auto-members.sh KALIBRA FILE [LIMIT]: the automatic fitting of FILE member by member:
# `kalibra fit FILE -d I` for every automatic member I (the same methods the automatic fitting
# runs), CPU seconds by /usr/bin/time, each stopped after LIMIT seconds of wall time (default
# 30). Prints a Markdown table, dearest first; fixed values come from the data where a code gives
# them (a member with others is left out, as the command line's automatic fitting skips it).
set -euo pipefail
kalibra=$1
datei=$2
frist=${3:-30}
# shellcheck source=bench/scratch.sh
source "$(dirname "$0")/scratch.sh"
"$kalibra" list --automatic --format csv | tail -n +2 | cut -d, -f1 | tr -d '"' >"$tmp/index"
while read -r i; do
  code=0
  /usr/bin/time -f '%e %U %S' -o "$tmp/zeit" timeout "$frist" "$kalibra" fit "$datei" -d "$i" \
    >/dev/null 2>&1 || code=$?
  read -r wall user sys < <(tail -n 1 "$tmp/zeit")
  echo "$i $wall $user $sys $code"
done <"$tmp/index" | python3 -c '
import sys
rows = []
for line in sys.stdin:
    i, wall, user, sys_, code = line.split()
    rows.append((float(user) + float(sys_), int(i), code == "124"))
rows.sort(reverse=True)
print("| Member | CPU per fit |\n|---:|---:|")
for cpu, i, stopped in rows:
    mark = "> " if stopped else ""
    print(f"| {i} | {mark}{cpu:.2f} s |")
print(f"| all | {sum(r[0] for r in rows):.1f} s |")
'
