// SPDX-License-Identifier: GPL-3.0-or-later
// Members 209 to 213 and 222 over their domains against their probabilities in long double: the
// right-truncated Yule and Waring laws and the power law with a geometric factor through
// log-gamma, the Catalan power law through its closed form a/(2x + a) C(2x + a, x) 2^-(2x + a),
// and the affine recurrence of 222 run in extended precision. Edges: rates near 0 and far
// above 1, terms rising past the double range, a first term below it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// Normalises terms given as logarithms, relative to the largest.
std::vector<long double> AusLogarithmen(std::vector<long double> l) {
  const long double m = *std::max_element(l.begin(), l.end());
  for (long double& v : l) v = std::exp(v - m);
  return Normiert(l);
}

// log of a/(2x + a) C(2x + a, x) 2^-(2x + a).
long double LogCatalan(long double a, long double x) {
  return std::log(a) - std::log(2 * x + a) + std::lgamma(2 * x + a + 1) - std::lgamma(x + 1) -
         std::lgamma(x + a + 1) - (2 * x + a) * std::log(2.0L);
}

TEST(TruncatedYuleCatalanSweep, YuleRightTruncated) {
  for (std::uint32_t L : {0u, 1u, 12u, 2000u})
    Sweep(209, Gitter({{1e-3, 0.1, 0.5, 1, 2.5, 10, 100, 1e4}}, {}, L, 1), Letzte::kPunkt,
          [](const SweepPunkt& p) {
            const long double rho = p.par[0];
            // rho B(v, rho + 1), v = i + 1.
            return AusLogarithmen(Terme(p, [&](long double i) {
              return std::lgamma(i + 1) + std::lgamma(rho + 1) - std::lgamma(i + rho + 2);
            }));
          });
}

TEST(TruncatedYuleCatalanSweep, WaringRightTruncated) {
  for (std::uint32_t L : {0u, 12u, 2000u})
    Sweep(210, Gitter({{0.01, 0.5, 1, 3, 50, 1e4}, {0.01, 0.5, 2, 30, 1e4}}, {}, L), Letzte::kPunkt,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            // a (b)_i/(a + b)_(i+1).
            return AusLogarithmen(Terme(p, [&](long double i) {
              return std::log(a) + std::lgamma(b + i) - std::lgamma(b) -
                     std::lgamma(a + b + i + 1) + std::lgamma(a + b);
            }));
          });
}

TEST(TruncatedYuleCatalanSweep, PowerGeometricRightTruncated) {
  for (std::uint32_t L : {0u, 12u, 2000u})
    for (std::uint32_t x0 : {1u, 3u})
      Sweep(211,
            Gitter({{-2000, -50, -1, 0, 0.5, 2, 30, 2000}, {1e-3, 0.3, 1, 1.5, 50}}, {}, L, x0),
            Letzte::kPunkt, [](const SweepPunkt& p) {
              const long double a = p.par[0], b = p.par[1];
              return AusLogarithmen(Terme(p, [&](long double i) {
                const long double x = p.x0 + i;
                return x * std::log(b) - a * std::log(x);
              }));
            });
}

TEST(TruncatedYuleCatalanSweep, CatalanPower) {
  for (std::uint32_t L : {0u, 12u, 2000u})
    Sweep(212, Gitter({{1e-3, 0.1, 1, 2, 10, 100, 1100, 5000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            return Terme(p, [&](long double x) { return std::exp(LogCatalan(a, x)); });
          });
}

TEST(TruncatedYuleCatalanSweep, CatalanPowerRightTruncated) {
  for (std::uint32_t L : {0u, 12u, 2000u})
    Sweep(213, Gitter({{1e-3, 0.1, 1, 2, 10, 100, 1100, 5000}}, {}, L), Letzte::kPunkt,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            return AusLogarithmen(Terme(p, [&](long double x) { return LogCatalan(a, x); }));
          });
}

// The terms of member 222 in long double; empty where one is negative or a denominator is 0,
// points that describe no distribution (the family test checks that they fail).
std::vector<long double> AffineTerme(const SweepPunkt& p) {
  const long double a = p.par[0], b = p.par[1], c = p.par[2];
  std::vector<long double> r(p.L + 1);
  r[0] = 1;
  for (std::uint32_t i = 1; i <= p.L; ++i) {
    const long double d1 = i - a - 1, d2 = i - a - b - 2;
    if (d1 == 0 || (b > -1 && d2 == 0)) return {};
    if (b > -1) {
      const long double e = b * c / (b + 1);
      r[i] = c - e / d1 + e * r[i - 1] / d2;
    } else {
      r[i] = c - c * r[i - 1] / (d1 * d1);
    }
    if (r[i] < 0) return {};
  }
  return Normiert(r);
}

TEST(TruncatedYuleCatalanSweep, AffineRecurrenceRightTruncated) {
  for (std::uint32_t L : {0u, 12u, 2000u}) {
    std::vector<SweepPunkt> punkte;
    const double m = L + 1;
    for (const SweepPunkt& p :
         Gitter({{m, m + 10.5, -5.5, 0.5}, {-30, -3, -1, -0.5, 0, 0.5, 2.25, 40}, {0.05, 0.8, 3}},
                {}, L))
      if (!AffineTerme(p).empty()) punkte.push_back(p);
    EXPECT_GT(punkte.size(), 50u) << "L " << L;
    Sweep(222, punkte, Letzte::kPunkt, AffineTerme);
  }
}

}  // namespace
}  // namespace vk::test
