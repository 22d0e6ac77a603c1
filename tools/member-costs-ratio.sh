#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/member-costs-ratio.sh BASELINE [NEW] [ROUNDS] [MEMBER...]: `vk_member_costs` of a baseline
# build against this build's, in one run. Each side runs ROUNDS times (default 3), alternately;
# per member the lowest figure of each side counts, the least disturbed by whatever else the
# machine does. Prints a Markdown table of the members named (default: 184 121 29 146) and of the
# whole catalog, with the ratio baseline / new. The baseline is the vk_member_costs of the build
# to compare with, e.g. main's (see tools/special-ratio.sh for building one).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
alt=$1
neu=${2:-$root/build/gcc/bench/vk_member_costs}
runden=${3:-3}
shift $(($# < 3 ? $# : 3))
mitglieder=${*:-184 121 29 146}
for p in "$alt" "$neu"; do
  [ -x "$p" ] || { echo "member-costs-ratio: $p is not an executable" >&2; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for r in $(seq "$runden"); do
  "$alt" >"$tmp/alt.$r"
  "$neu" >"$tmp/neu.$r"
done
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) logical processors;" \
  "$(date -u '+%Y-%m-%d %H:%M UTC'), load average $(cut -d' ' -f1 /proc/loadavg) at the end; lowest of $runden runs each"
echo
echo "| Member | baseline ms | new ms | ratio |"
echo "|---:|---:|---:|---:|"
# The lowest figure per member over the rounds of one side: "member ms" lines.
kleinste() {
  cat "$@" | awk -F'|' '/^\| [0-9]/ {gsub(/ /, "", $2); gsub(/ /, "", $4);
      if (!($2 in m) || $4 + 0 < m[$2]) m[$2] = $4 + 0}
    /automatic members/ {v = $0; sub(/.*members, /, "", v); sub(/ ms.*/, "", v);
      if (!("alle" in m) || v + 0 < m["alle"]) m["alle"] = v + 0}
    END {for (k in m) print k, m[k]}'
}
kleinste "$tmp"/alt.* >"$tmp/alt"
kleinste "$tmp"/neu.* >"$tmp/neu"
for m in $mitglieder alle; do
  a=$(awk -v m="$m" '$1 == m {print $2}' "$tmp/alt")
  n=$(awk -v m="$m" '$1 == m {print $2}' "$tmp/neu")
  name=$m
  [ "$m" = alle ] && name="all automatic members"
  awk -v name="$name" -v a="$a" -v n="$n" 'BEGIN {printf "| %s | %.3f | %.3f | %.2f |\n", name, a, n, a / n}'
done
