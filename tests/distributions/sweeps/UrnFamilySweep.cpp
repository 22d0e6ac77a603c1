// SPDX-License-Identifier: GPL-3.0-or-later
// Urn family (members 3, 7: negative hypergeometric; 14, 15: Polya) over their domains against
// long-double probabilities: R and K - R from nearly 0 to thousands (where P(0) underflows), the
// Polya spread s from 0 (the binomial) to large, n at the last class and far beyond it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// C(n, i) B(R + i, K - R + n - i) / B(R, K - R), by lgamma.
std::vector<long double> BetaBinomial(long double K, long double R, long double n,
                                      std::uint32_t L) {
  const auto lbeta = [](long double a, long double b) {
    return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
  };
  std::vector<long double> r(L + 1);
  for (std::uint32_t i = 0; i <= L; ++i)
    r[i] = std::exp(LogBinomL(n, i) + lbeta(R + i, K - R + n - i) - lbeta(R, K - R));
  return r;
}

// C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s), the products
// as running sums of logarithms (s = 0 included).
std::vector<long double> Polya(long double s, long double p, std::uint32_t n, std::uint32_t L) {
  std::vector<long double> A(n + 1), B(n + 1);
  long double C = 0;
  for (std::uint32_t j = 0; j < n; ++j) {
    A[j + 1] = A[j] + std::log(p + j * s);
    B[j + 1] = B[j] + std::log(1 - p + j * s);
    C += std::log(1 + j * s);
  }
  std::vector<long double> r(L + 1);
  for (std::uint32_t i = 0; i <= L; ++i) r[i] = std::exp(LogBinomL(n, i) + A[i] + B[n - i] - C);
  return r;
}

const std::vector<double> kR{1e-3, 0.5, 3, 80, 2000};
const std::vector<std::uint32_t> kL{1, 2, 30, 300};

TEST(UrnFamilySweep, NegativeHypergeometric) {
  for (std::uint32_t L : kL)
    for (double R : kR)
      for (double KminusR : {1e-3, 0.7, 5.0, 300.0}) {
        for (double n : {L + 0.0, 3.0 * L + 7})
          Sweep(3, Gitter({{R + KminusR}, {R}}, {n}, L), Letzte::kRest, [](const SweepPunkt& p) {
            return BetaBinomial(p.par[0], p.par[1], p.fest[0], p.L);
          });
        Sweep(7, Gitter({{R + KminusR}, {R}, {L + 0.0, 3.0 * L + 7, 2000}}, {}, L), Letzte::kRest,
              [](const SweepPunkt& p) { return BetaBinomial(p.par[0], p.par[1], p.par[2], p.L); });
      }
}

TEST(UrnFamilySweep, Polya) {
  const std::vector<double> s{0, 1e-7, 0.05, 1, 30};
  const std::vector<double> pp{1e-4, 0.3, 0.9, 0.9999};
  for (std::uint32_t L : kL)
    for (std::uint32_t n : {L, L + 7, 1000u}) {
      Sweep(14, Gitter({s, pp}, {static_cast<double>(n)}, L), Letzte::kRest,
            [n](const SweepPunkt& p) { return Polya(p.par[0], p.par[1], n, p.L); });
      Sweep(15, Gitter({s, pp, {static_cast<double>(n)}}, {}, L), Letzte::kRest,
            [n](const SweepPunkt& p) { return Polya(p.par[0], p.par[1], n, p.L); });
    }
}

}  // namespace
}  // namespace vk::test
