// SPDX-License-Identifier: GPL-3.0-or-later
// Members 202, 203 and 206 to 208 (values from 1) over their domains against long-double
// probabilities through lgamma. The normalisers of 202 and 203 are infinite sums with terms
// falling like a power of x: the reference takes 10^5 terms and the rest as the integral from
// 10^5 - 1/2 on (midpoint rule, error of the order of 10^-15 of the sum), an independent route
// to psi'(a) and psi(alpha + beta) - psi(beta).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

constexpr std::uint32_t kReihe = 100000;

long double TrigammaRef(long double a) {
  long double s = 0;
  for (std::uint32_t k = kReihe; k-- > 0;) s += 1 / ((a + k) * (a + k));
  return s + 1 / (a + kReihe - 0.5L);
}

long double DigammaDiffRef(long double beta, long double alpha) {
  long double s = 0;
  for (std::uint32_t k = kReihe; k-- > 0;) s += alpha / ((beta + k) * (beta + alpha + k));
  return s + std::log1p(alpha / (beta + kReihe - 0.5L));
}

TEST(SibuyaWaringFromOneSweep, TrigammaNormalisedWaringType) {
  for (std::uint32_t L : {1u, 2u, 30u, 500u})
    Sweep(202, Gitter({{1e-3, 0.1, 1, 7, 300}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      const long double P1 = 1 / (a * TrigammaRef(a));
      return Klassen(p, [&](std::uint32_t i) {
        const long double x = i + 1;
        return P1 * std::exp(2 * std::lgamma(x) - std::lgamma(x + 1) - std::lgamma(x + a) +
                             std::lgamma(a + 1));
      });
    });
}

TEST(SibuyaWaringFromOneSweep, BetaLogarithmic) {
  for (std::uint32_t L : {1u, 3u, 40u, 500u})
    Sweep(203, Gitter({{1e-3, 0.5, 1, 3, 200}, {1e-3, 0.2, 1, 5, 300}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double al = p.par[0], s = p.par[0] + p.par[1];
            const long double R = DigammaDiffRef(p.par[1], al);
            return Klassen(p, [&](std::uint32_t i) {
              const long double x = i + 1;
              return std::exp(std::lgamma(al + x) - std::lgamma(al) - std::lgamma(s + x) +
                              std::lgamma(s) - std::log(x)) /
                     R;
            });
          });
}

TEST(SibuyaWaringFromOneSweep, Harmonic) {
  // a = 2.4 and 7.6 round to k = 2 and 8; 1/(x psi_k) on the values 1..k, 0 beyond.
  for (std::uint32_t L : {0u, 1u, 6u, 100u})
    Sweep(206, Gitter({{1, 2.4, 7.6, 50}}, {}, L, 1), Letzte::kPunkt, [](const SweepPunkt& p) {
      const auto k = static_cast<std::uint32_t>(p.par[0] + 0.5);
      long double H = 0;
      for (std::uint32_t j = 1; j <= k; ++j) H += 1.0L / j;
      return Klassen(p, [&](std::uint32_t i) { return i < k ? 1 / ((i + 1) * H) : 0.0L; });
    });
}

long double SibuyaL(long double a, long double x) {
  return a * std::exp(std::lgamma(x - a) - std::lgamma(1 - a) - std::lgamma(x + 1));
}

TEST(SibuyaWaringFromOneSweep, SibuyaAndItsTruncation) {
  const std::vector<double> a{1e-4, 0.01, 0.5, 0.99, 0.9999};
  for (std::uint32_t L : {1u, 2u, 50u, 5000u}) {
    Sweep(207, Gitter({a}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) { return SibuyaL(p.par[0], i + 1.0L); });
    });
    Sweep(208, Gitter({a}, {}, L, 1), Letzte::kPunkt, [](const SweepPunkt& p) {
      return Normiert(Klassen(p, [&](std::uint32_t i) { return SibuyaL(p.par[0], i + 1.0L); }));
    });
  }
}

}  // namespace
}  // namespace vk::test
