#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# completion-test.sh KALIBRA COMPLETION DATA_DIR: sources the bash completion of kalibra and
# checks its replies for commands, options, option values, files and distribution names (which
# it reads from the catalog of the program it completes, KALIBRA).
set -uo pipefail
kalibra=$1
completion=$2
data=$3

# shellcheck source=/dev/null
source "$completion" || { echo "FAIL: cannot source $completion"; exit 1; }
complete -p kalibra | grep -q -- '-F _kalibra' || { echo "FAIL: kalibra is not registered"; exit 1; }

failures=0
# Completes the command line $1 (words separated by "|", the last one under the cursor) and
# prints the replies one a line.
replies() {
  IFS='|' read -r -a COMP_WORDS <<<"$1"
  # read drops a final empty field: a trailing "|" means the cursor is on an empty word.
  [[ $1 == *"|" ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_WORDS[0]=$kalibra
  COMPREPLY=()
  _kalibra
  printf '%s\n' "${COMPREPLY[@]}"
}

# Each case: the command line, a reply that must come (or "-" for no reply at all) and one that
# must not (or "-").
cases=(
  "kalibra|fi                          ;fit                                    ;-"
  "kalibra|s                           ;special                                ;fit"
  "kalibra|--v                         ;--version                              ;-"
  "kalibra|auto|x|--so                 ;--sort                                 ;-"
  "kalibra|fit|x|--                    ;--all-methods                          ;--sort"
  "kalibra|fit|x|--boo                 ;--bootstrap                            ;-"
  "kalibra|fit|x|--se|c                ;curvature                              ;bootstrap"
  "kalibra|evaluate|x|--               ;--parameters                           ;--bootstrap"
  "kalibra|evaluate|x|-                ;--parameters                           ;--all-methods"
  "kalibra|batch|-d|Poisson|--j        ;--jobs                                 ;-"
  "kalibra|special|x|--b               ;--b2                                   ;-"
  "kalibra|list|--a                    ;--assisted                             ;--all-methods"
  "kalibra|stats|x|--all               ;-                                      ;-"
  "kalibra|auto|x|--sort|              ;x2                                     ;json"
  "kalibra|stats|x|--format|j          ;json                                   ;csv"
  "kalibra|auto|x|--format|=|          ;csv                                    ;x2"
  "kalibra|fit|x|-d|Poiss              ;Poisson                                ;Binomial"
  "kalibra|batch|--distribution|Bin    ;Binomial\\ \\(fixed\\ n\\)             ;Poisson"
  "kalibra|fit|x|-d|Negative\\ binomial\\ (f  ;Negative\\ binomial\\ \\(fixed\\ k\\)  ;Negative\\ binomial"
  "kalibra|fit|x|-d|'Negative binomial (f     ;Negative binomial (fixed k)          ;-"
  "kalibra|fit|x|-d|Waring\\ (alpha    ;Waring\\ \\(alpha\\ =\\ 2\\)          ;-"
  "kalibra|fit|x|-d|NoSuchName         ;-                                      ;-"
  "kalibra|stats|$data/horse-k         ;$data/horse-kicks.dat                  ;-"
  "kalibra|list|--assisted|$data/shell ;$data/shell-accidents.dat              ;-"
)

trim() {
  local s=$1
  s=${s#"${s%%[![:space:]]*}"}
  printf '%s' "${s%"${s##*[![:space:]]}"}"
}

for c in "${cases[@]}"; do
  IFS=';' read -r line want unwanted <<<"$c"
  line=$(trim "$line")
  want=$(trim "$want")
  unwanted=$(trim "$unwanted")
  got=$(replies "$line")
  ok=1
  if [[ $want == "-" ]]; then
    [[ -z $got ]] || ok=0
  else
    grep -qxF -- "$want" <<<"$got" || ok=0
  fi
  if [[ $unwanted != "-" ]] && grep -qxF -- "$unwanted" <<<"$got"; then ok=0; fi
  if ((!ok)); then
    echo "FAIL: '$line': expected '$want', not '$unwanted'; got:"
    sed 's/^/    /' <<<"$got"
    failures=$((failures + 1))
  fi
done

# Every name of the catalog is offered once for an empty word, and nothing else.
names=$(replies "kalibra|fit|x|-d|" | wc -l)
listed=$("$kalibra" list --format csv | grep -c '^"[0-9]')
if [[ $names -ne $listed || $listed -eq 0 ]]; then
  echo "FAIL: -d offers $names names, the catalog lists $listed"
  failures=$((failures + 1))
fi

echo "${#cases[@]} cases, $failures failed"
exit $((failures > 0))
