#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/r-compare.sh BUILD_DIR: times the selected fitting of the Federalist "may" counts
# (x = 0..6: 156 63 29 8 4 1 1) with the negative binomial and the Poisson, in process, in
# kalibra (the benchmark BM_MayAnpassung: reading and fitting, all methods) and in R
# (vcd::goodfit by minimum chi-square, fitdistrplus::fitdist by maximum likelihood), and prints
# the times and the ratios as a Markdown table. Times are CPU time per fit, so that a busy
# machine slows both sides alike. Needs R with vcd and fitdistrplus (Debian: r-base-core,
# r-cran-vcd, r-cran-fitdistrplus); without them it says so and stops.
set -euo pipefail
build=${1:-build/gcc}
bench=$build/bench/vk_bench
[ -x "$bench" ] || { echo "r-compare: $bench not built (cmake --build $build --target vk_bench)" >&2; exit 1; }
if ! command -v Rscript >/dev/null ||
  ! Rscript -e 'suppressMessages({library(vcd); library(fitdistrplus)})' >/dev/null 2>&1; then
  echo "r-compare: R with the packages vcd and fitdistrplus is not installed" >&2
  exit 2
fi

# kalibra: microseconds of CPU time per fit, negative binomial (4) then Poisson (2).
read -r k_nb k_po < <("$bench" --benchmark_filter='BM_MayAnpassung' --benchmark_min_time=1 \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '/MayAnpassung\/4/ {nb = $4} /MayAnpassung\/2/ {po = $4} END {print nb, po}')

read -r r_gnb r_fnb r_gpo r_fpo < <(Rscript - <<'RSCRIPT'
suppressMessages({library(vcd); library(fitdistrplus)})
f <- c(156, 63, 29, 8, 4, 1, 1); x <- 0:6
tab <- cbind(f, x)
raw <- rep(x, f)
# CPU microseconds per call, over enough calls for about a second.
zeit <- function(fn) {
  n <- 20
  repeat {
    t0 <- proc.time(); for (i in 1:n) fn(); t <- proc.time() - t0
    cpu <- t[["user.self"]] + t[["sys.self"]]
    if (cpu > 1) return(cpu / n * 1e6)
    n <- n * 4
  }
}
cat(zeit(function() goodfit(tab, type = "nbinomial", method = "MinChisq")),
    zeit(function() fitdist(raw, "nbinom")),
    zeit(function() goodfit(tab, type = "poisson", method = "MinChisq")),
    zeit(function() fitdist(raw, "pois")), "\n")
RSCRIPT
)

echo "| Fit | kalibra | goodfit (MinChisq) | ratio | fitdist (ML) | ratio |"
echo "|---|---:|---:|---:|---:|---:|"
awk -v k="$k_nb" -v g="$r_gnb" -v f="$r_fnb" 'BEGIN {
  printf "| negative binomial | %.1f µs | %.0f µs | %.0fx | %.0f µs | %.0fx |\n", k, g, g / k, f, f / k }'
awk -v k="$k_po" -v g="$r_gpo" -v f="$r_fpo" 'BEGIN {
  printf "| Poisson | %.1f µs | %.0f µs | %.0fx | %.0f µs | %.0fx |\n", k, g, g / k, f, f / k }'
