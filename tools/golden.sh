#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/golden.sh KALIBRA: records what the command line gives today, so that a change meant to
# keep every number can be checked against it (tests/app/GoldenTest.cpp). Stores, for every file
# in data/, `kalibra fit --all-methods` of every member of the library and `kalibra auto`, as
# tests/golden/<data>/<case>.json, and lists every case with its exit code and arguments in
# tests/golden/cases.tsv. Run it from a build whose results are known to be right; a change that
# alters numbers on purpose runs it again and names the members whose output changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kalibra=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$root/tests/golden
cd "$root"

# The saved settings of whoever runs this must not change the results.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME LC_ALL=C.UTF-8
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

# Values for the fixed parameters that the data cannot give (the others come from the data):
# the last field of a member's row in the example table, '{nummer, ..., "NAME=VALUE ..."},'.
declare -A fest=()
while IFS=$'\t' read -r m werte; do
  fest[$m]=$werte
done < <(sed -nE 's/^ *\{([0-9]+), .*, "([^"]+)"\},$/\1\t\2/p' tests/distributions/Beispiele.h)

rm -rf "$out"
mkdir -p "$out"
faelle=$out/cases.tsv
: >"$faelle"

lauf() {  # lauf CASE ARGS...: runs kalibra, stores its standard output and lists the case
  local fall=$1
  shift
  local code=0
  mkdir -p "$out/$(dirname "$fall")"
  "$kalibra" "$@" >"$out/$fall.json" 2>/dev/null || code=$?
  printf '%s\t%s\t%s\n' "$fall" "$code" "$*" >>"$faelle"
}

mitglieder=$("$kalibra" list --format csv | tail -n +2 | cut -d, -f1 | tr -d '"')
for datei in data/*.dat; do
  stamm=$(basename "$datei" .dat)
  for m in $mitglieder; do
    [ "$m" = 205 ] && continue  # the special model is fitted by `kalibra special`
    args=(fit "$datei" -d "$m" --all-methods --format json)
    for w in ${fest[$m]:-}; do args+=(--fixed "$w"); done
    lauf "$stamm/fit-$(printf %03d "$m")" "${args[@]}"
  done
  lauf "$stamm/auto" auto "$datei" --format json
done
echo "golden: $(wc -l <"$faelle") cases in $out"
