// SPDX-License-Identifier: GPL-3.0-or-later
// Zero-inflated and zero-modified members (102, 103, 108, 109) over their domains against
// long-double probabilities from their definition as a share of a standard distribution plus an
// added zero: numbers of trials below and above the last class, probabilities near 0 and 1,
// shares near both ends.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

long double BinomialL(long double n, long double p, std::uint32_t i) {
  if (i > n) return 0;
  return std::exp(LogBinomL(n, i) + i * std::log(p) + (n - i) * std::log1p(-p));
}

const std::vector<double> kP{0.001, 0.3, 0.9, 0.999};
const std::vector<double> kAnteile{0.01, 0.5, 0.99};

long double NullInflationBinomial(long double n, long double p, long double b, std::uint32_t i) {
  return (i == 0 ? 1 - b : 0) + b * BinomialL(n, p, i);
}

TEST(ZeroInflatedSweep, Binomial) {
  for (double n : {1.0, 10.0, 40.0, 300.0})
    Sweep(102, Gitter({kP, kAnteile}, {n}, 30), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) {
        return NullInflationBinomial(p.fest[0], p.par[0], p.par[1], i);
      });
    });
  Sweep(103, Gitter({{1, 10, 50}, kP, kAnteile}, {}, 20), Letzte::kRest, [](const SweepPunkt& p) {
    return Klassen(
        p, [&](std::uint32_t i) { return NullInflationBinomial(p.par[0], p.par[1], p.par[2], i); });
  });
}

TEST(ZeroInflatedSweep, NegativeBinomial) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(108, Gitter({{0.05, 1, 5, 50}, {0.01, 0.4, 0.95}, kAnteile}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double k = p.par[0], q = p.par[1], b = p.par[2];
            return Klassen(p, [&](std::uint32_t i) {
              const long double nb = std::exp(std::lgamma(k + i) - std::lgamma(k) - LogFak(i) +
                                              k * std::log(q) + i * std::log1p(-q));
              return (i == 0 ? 1 - b : 0) + b * nb;
            });
          });
}

TEST(ZeroInflatedSweep, ZeroModifiedBinomial) {
  for (double n0 : {1.0, 10.0, 40.0})
    for (double b0 : {0.3, 0.9})
      Sweep(109, Gitter({kP}, {n0, b0}, 25), Letzte::kRest, [](const SweepPunkt& p) {
        const long double n = p.fest[0], b = p.fest[1], q = p.par[0];
        const long double positiv = -std::expm1(n * std::log1p(-q));
        return Klassen(
            p, [&](std::uint32_t i) { return i == 0 ? 1 - b : b * BinomialL(n, q, i) / positiv; });
      });
}

}  // namespace
}  // namespace vk::test
