// SPDX-License-Identifier: GPL-3.0-or-later
// Poisson-built members (58, 61, 65, 68) against long-double probabilities: means from nearly 0
// to beyond the point where e^-a underflows, classes reaching far past the mean (where the
// written "1 minus the Poisson mass below" keeps no digit), groups of one and of several values.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

const std::vector<double> kMittel{1e-3, 0.5, 3, 30, 200, 740, 800};

// P(Y >= k) for Y Poisson(a), summed from k upwards until the terms are past the mean and no
// longer count: no subtraction anywhere.
long double ObererSchwanzL(long double a, std::uint32_t k) {
  long double s = 0;
  for (std::uint32_t v = k;; ++v) {
    const long double t = PoissonL(a, v);
    s += t;
    if (v > a && t <= s * 1e-25L) break;
  }
  return s;
}

TEST(PoissonTailSweep, TailOverMeanPlusOne) {
  for (std::uint32_t L : {5u, 40u, 1200u})
    Sweep(65, Gitter({kMittel}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      std::vector<long double> r(p.L + 1);
      for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = ObererSchwanzL(p.par[0], i) / (p.par[0] + 1);
      return r;
    });
}

TEST(PoissonTailSweep, TailOverMean) {
  for (std::uint32_t L : {5u, 40u, 1200u})
    Sweep(68, Gitter({kMittel}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      std::vector<long double> r(p.L + 1);
      for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = ObererSchwanzL(p.par[0], i + 1) / p.par[0];
      return r;
    });
}

TEST(PoissonTailSweep, GroupedPoisson) {
  for (double m : {1.0, 2.0, 7.0})
    for (std::uint32_t L : {5u, 40u, 300u})
      Sweep(61, Gitter({kMittel}, {m}, L), Letzte::kRest, [](const SweepPunkt& p) {
        const auto g = static_cast<std::uint32_t>(p.fest[0]);
        std::vector<long double> r(p.L + 1);
        for (std::uint32_t j = 0; j <= p.L; ++j)
          for (std::uint32_t v = j * g; v < (j + 1) * g; ++v) r[j] += PoissonL(p.par[0], v);
        return r;
      });
}

TEST(PoissonTailSweep, FinitePoissonType) {
  // P(i) = a! / a^a a^(i-1) (a - i) / i! for a whole a of at least L + 1: near the bound, far
  // above it, and where a! and a^a leave the double range.
  for (std::uint32_t L : {5u, 40u, 300u}) {
    std::vector<double> werte;
    for (double a : {L + 1.0, L + 4.0, 3.0 * L, 139.0, 140.0, 400.0, 5000.0})
      if (a >= L + 1) werte.push_back(a);
    Sweep(58, Gitter({werte}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      std::vector<long double> r(p.L + 1);
      for (std::uint32_t i = 0; i <= p.L; ++i)
        r[i] = std::exp(LogFak(a) - a * std::log(a) + (i - 1.0L) * std::log(a) + std::log(a - i) -
                        LogFak(i));
      return r;
    });
  }
}

}  // namespace
}  // namespace vk::test
