// SPDX-License-Identifier: GPL-3.0-or-later
// Power laws on 1, 2, ... (members 86, 87) over their exponents: near the divergence at 1, where
// the series beyond any bound still holds most of the mass, up to where every term but the first
// underflows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// zeta(a): 10^5 terms summed from the smallest up, the rest as the integral from M + 1/2 (the
// midpoint rule, whose error a/24 M^(-a-1) is far below the tolerance).
long double ZetaL(long double a) {
  constexpr int M = 100000;
  long double s = 0;
  for (int v = M; v >= 1; --v) s += std::pow(static_cast<long double>(v), -a);
  return s + std::pow(M + 0.5L, 1 - a) / (a - 1);
}

TEST(ZetaZipfSweep, Zeta) {
  for (std::uint32_t L : {0u, 12u, 2000u})
    Sweep(86, Gitter({{1.001, 1.05, 1.5, 2, 3.5, 12, 80, 1500}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            const long double z = ZetaL(a);
            std::vector<long double> r(p.L + 1);
            for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = std::pow(i + 1.0L, -a) / z;
            return r;
          });
}

TEST(ZetaZipfSweep, Zipf) {
  for (std::uint32_t L : {0u, 12u, 2000u})
    for (double extra : {0.0, 0.7, 50.0})
      Sweep(87, Gitter({{-3, -0.2, 0, 0.5, 1, 2.5, 40, 1500}}, {L + 1 + extra}, L, 1),
            Letzte::kPunkt, [](const SweepPunkt& p) {
              const long double a = p.par[0];
              const auto n = static_cast<std::uint32_t>(p.fest[0]);
              long double s = 0;
              for (std::uint32_t k = n; k >= 1; --k) s += std::pow(static_cast<long double>(k), -a);
              std::vector<long double> r(p.L + 1);
              for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = std::pow(i + 1.0L, -a) / s;
              return r;
            });
}

}  // namespace
}  // namespace vk::test
