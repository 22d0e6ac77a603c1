#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/eval-ratio.sh BUILD_DIR: one evaluation of the engine (BM_ChiQuadratPoisson: Poisson
# recurrence, tail rule, pooling, X²) against the bare C loop that computes the same
# (bench/bare_eval.c), both at L = 10 and L = 30, in one run, and prints the ratios. Each side
# is timed three times, alternately, and the fastest counts: the least disturbed by whatever
# else the machine is doing. Both are wall-clock times.
set -euo pipefail
build=${1:-build/gcc}
bench=$build/bench/vk_bench
bare=$build/bench/vk_bare_eval
for p in "$bench" "$bare"; do
  [ -x "$p" ] || { echo "eval-ratio: $p not built (cmake --build $build --target vk_bench vk_bare_eval)" >&2; exit 1; }
done
echo "| L | bare loop | engine | ratio |"
echo "|---:|---:|---:|---:|"
for L in 10 30; do
  bester_bare=""
  bester_engine=""
  for _ in 1 2 3; do
    b=$("$bare" "$L" 4000000 | awk '{print $2}')
    e=$("$bench" --benchmark_filter="BM_ChiQuadratPoisson/$L\$" --benchmark_min_time=0.5 \
      --benchmark_format=csv 2>/dev/null | awk -F, '/ChiQuadratPoisson/ {print $3}')
    bester_bare=$(awk -v a="$b" -v m="$bester_bare" 'BEGIN {print (m == "" || a < m) ? a : m}')
    bester_engine=$(awk -v a="$e" -v m="$bester_engine" 'BEGIN {print (m == "" || a < m) ? a : m}')
  done
  awk -v L="$L" -v b="$bester_bare" -v e="$bester_engine" 'BEGIN {
    printf "| %d | %.0f ns | %.0f ns | %.2f |\n", L, b, e, e / b }'
done
