// SPDX-License-Identifier: GPL-3.0-or-later
// Distributions truncated at the last class with products of ratios (members 70, 71) and the
// generalized Waring distribution (member 74) against closed forms in long double.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// Member 70: log r[i] as a closed form per range, from the ends of the ranges.
long double LogDreiBereiche(long double a, long double k, long double l, long double c,
                            long double L, long double i) {
  const long double ke = std::floor(k) + 1, le = std::floor(l) + 1;
  const long double i1 = std::fmin(i, ke);
  long double s = i1 * std::log(a * c) - LogFak(i1);
  if (i <= ke) return s;
  const long double i2 = std::fmin(i, std::fmax(le, ke));
  // prod_{j=ke+1}^{i2} (L - j + 1) a / j
  s += (i2 - ke) * std::log(a) + LogFak(L - ke) - LogFak(L - i2) + LogFak(ke) - LogFak(i2);
  if (i <= i2) return s;
  // prod_{j=i2+1}^{i} (L - j + 1) a / l
  return s + (i - i2) * std::log(a / l) + LogFak(L - i2) - LogFak(L - i);
}

TEST(RatioRangesSweep, ThreeRangesMirroredPoissonAndGeneralizedWaring) {
  const Fest kBereiche[] = {{0, 1, 1}, {2, 5, 0.8}, {4, 3, 2}, {10, 20, 0.1}, {3.7, 6.2, 1}};
  for (const Fest& fest : kBereiche)
    for (std::uint32_t L : {12u, 40u})
      Sweep(70, Gitter({{0.01, 0.5, 3, 20}}, fest, L), Letzte::kPunkt, [](const SweepPunkt& p) {
        std::vector<long double> r(p.L + 1);
        for (std::uint32_t i = 0; i <= p.L; ++i)
          r[i] = std::exp(LogDreiBereiche(p.par[0], p.fest[0], p.fest[1], p.fest[2], p.L, i));
        return Normiert(r);
      });
  for (std::uint32_t L : {0u, 5u, 40u, 300u})
    Sweep(71, Gitter({{1e-3, 0.5, 3, 30, 200, 800}}, {}, L), Letzte::kPunkt,
          [](const SweepPunkt& p) {
            std::vector<long double> r(p.L + 1);
            for (std::uint32_t i = 0; i <= p.L; ++i)
              r[i] = std::exp((p.L - i) * std::log(static_cast<long double>(p.par[0])) -
                              LogFak(p.L - i));
            return Normiert(r);
          });
  for (std::uint32_t L : {5u, 60u})
    Sweep(74, Gitter({{0.05, 1, 7, 100, 3000}, {0.1, 2, 50, 2000}, {0.1, 1.5, 40}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1], c = p.par[2], s = a + b + c;
            std::vector<long double> P(p.L + 1);
            for (std::uint32_t i = 0; i <= p.L; ++i)
              P[i] = std::exp(std::lgamma(a + b) + std::lgamma(a + c) - std::lgamma(a) -
                              std::lgamma(s) + std::lgamma(b + i) - std::lgamma(b) +
                              std::lgamma(c + i) - std::lgamma(c) - std::lgamma(s + i) +
                              std::lgamma(s) - LogFak(i));
            return P;
          });
}

}  // namespace
}  // namespace vk::test
