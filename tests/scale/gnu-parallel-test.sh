#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tests/scale/gnu-parallel-test.sh KALIBRA: a table fitted by GNU parallel, in shards and in
# piped blocks, gives what one process gives, byte for byte after sorting by id.
set -euo pipefail
kalibra=$1
hier=$(cd "$(dirname "$0")" && pwd)
wurzel=$(cd "$hier/../.." && pwd)
command -v parallel >/dev/null || { echo "GNU parallel is not installed (apt install parallel)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8 KALIBRA=$kalibra
python3 "$wurzel/tools/corpus-table.py" 2000 --seed 7 >"$tmp/t.csv"
python3 "$wurzel/tools/corpus-table.py" 2000 --seed 7 --format jsonl >"$tmp/t.jsonl"
# Exit codes 1 to 18: some data sets could not be fitted; each is a line with its status.
code=0
"$kalibra" batch -d 4 --table "$tmp/t.csv" --format jsonl --jobs 1 >"$tmp/eins.jsonl" 2>"$tmp/eins.err" || code=$?
[ "$code" -le 18 ] || exit "$code"
python3 "$hier/sortiert.py" "$tmp/eins.jsonl" >"$tmp/eins.sortiert"
[ "$(wc -l <"$tmp/eins.sortiert")" -eq 2000 ] || { echo "one process: not 2000 lines" >&2; exit 1; }

"$wurzel/tools/corpus-parallel.sh" shards 4 "$tmp/t.csv" -d 4 >"$tmp/shards.jsonl" 2>/dev/null
python3 "$hier/sortiert.py" "$tmp/shards.jsonl" | cmp - "$tmp/eins.sortiert"

"$wurzel/tools/corpus-parallel.sh" pipe 300 "$tmp/t.jsonl" -d 4 >"$tmp/pipe.jsonl" 2>/dev/null
python3 "$hier/sortiert.py" "$tmp/pipe.jsonl" | cmp - "$tmp/eins.sortiert"
echo "gnu-parallel-test: shards and pipe agree with one process on 2000 data sets"
