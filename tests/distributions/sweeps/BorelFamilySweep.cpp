// SPDX-License-Identifier: GPL-3.0-or-later
// Borel and Borel-Tanner distributions (members 81, 82) against their closed forms in long
// double: a from nearly 0 to nearly 1 (the tail grows long), data reaching values where the
// powers of the written ratio leave the double range.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// b/x e^{-a x} (a x)^{x-b} / (x - b)!; b = 1 is the Borel distribution.
long double BorelTanner(long double a, long double b, long double x) {
  return std::exp(std::log(b / x) - a * x + (x - b) * std::log(a * x) - LogFak(x - b));
}

TEST(BorelFamilySweep, BorelAndBorelTanner) {
  for (std::uint32_t L : {1u, 20u, 500u, 5000u})
    Sweep(81, Gitter({{1e-3, 0.3, 0.8, 0.999}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      std::vector<long double> P(p.L + 1);
      for (std::uint32_t i = 0; i <= p.L; ++i) P[i] = BorelTanner(p.par[0], 1, i + 1);
      return P;
    });
  for (double b : {1.0, 2.0, 30.0})
    for (std::uint32_t L : {5u, 300u, 5000u})
      Sweep(82, Gitter({{1e-3, 0.3, 0.9}}, {b}, L, static_cast<std::uint32_t>(b)), Letzte::kRest,
            [](const SweepPunkt& p) {
              std::vector<long double> P(p.L + 1);
              for (std::uint32_t i = 0; i <= p.L; ++i)
                P[i] = BorelTanner(p.par[0], p.fest[0], p.fest[0] + i);
              return P;
            });
}

}  // namespace
}  // namespace vk::test
