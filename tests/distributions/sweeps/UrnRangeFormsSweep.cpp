// SPDX-License-Identifier: GPL-3.0-or-later
// Members 214 to 221 over their domains against their probabilities in long double: the
// first-success urn laws (214, 217, 220, 221) as b Gamma(A + 1) Gamma(A + B - x)/(Gamma(A - x + 1)
// Gamma(A + B + 1)) on 0..A, the beta-binomial 215 and the arcsine law 216 through log-gamma, the
// mixture 218 from its harmonic sums and 219 as C(x - a, x)/C(b - a, b - 1). Edges: supports
// ending inside the classes (where the written ratio divides 0 by 0 further up), a share so
// small that the rounding of a + b would take all its digits, first terms past the double range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// P(x) of the urn with A failures and B successes: failures before the first success.
long double Urne(long double A, long double B, long double x) {
  if (x > A) return 0;
  return std::exp(std::log(B) + std::lgamma(A + 1) + std::lgamma((A - x) + B) -
                  std::lgamma(A - x + 1) - std::lgamma(A + B + 1));
}

const std::vector<std::uint32_t> kLs = {0, 3, 12, 2000};

TEST(UrnRangeFormsSweep, FirstSuccessUrn) {
  for (std::uint32_t L : kLs)
    Sweep(214, Gitter({{1, 2, 5, 12, 40, 3000}, {1e-300, 1e-3, 0.5, 1, 3, 50, 1e4}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            return Terme(p, [&](long double x) { return Urne(p.par[0], p.par[1], x); });
          });
}

TEST(UrnRangeFormsSweep, FirstSuccessUrnShifted) {
  for (std::uint32_t L : kLs)
    Sweep(217, Gitter({{1.001, 1.5, 2, 4, 100, 1e4}, {1, 3, 12, 40, 3000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            return Terme(p, [&](long double x) { return Urne(p.par[1], p.par[0] - 1.0L, x); });
          });
}

TEST(UrnRangeFormsSweep, FirstSuccessUrnFromRange) {
  for (std::uint32_t L : kLs)
    Sweep(220, Gitter({{1, 2, 5, 13, 40, 3000}, {1e-300, 1e-3, 0.5, 1, 3, 50, 1e4}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            return Terme(p, [&](long double x) { return Urne(p.par[0] - 1.0L, p.par[1], x); });
          });
}

TEST(UrnRangeFormsSweep, FirstSuccessUrnTotal) {
  for (std::uint32_t L : {1u, 3u, 12u, 2000u})
    Sweep(221, Gitter({{0, 5, 11, 12, 40, 3000}, {0, 5, 11, 12, 40, 3000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            // The repair: both raised to L - 1, then a capped at b.
            const long double u = p.L - 1.0L;
            const long double b = std::max<long double>(p.par[1], u);
            const long double a = std::min(std::max<long double>(p.par[0], u), b);
            return Terme(p, [&](long double x) { return Urne(a, b - a + 1, x); });
          });
}

TEST(UrnRangeFormsSweep, BetaBinomialShares) {
  for (std::uint32_t L : kLs)
    Sweep(215, Gitter({{0.001, 0.1, 0.5, 0.9, 0.999}, {1, 2, 10, 100, 5000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            return Terme(p, [&](long double x) -> long double {
              if (x > b) return 0;
              return std::exp(LogBinomL(b, x) + std::lgamma(x + 1 - a) + std::lgamma(b - x + a) -
                              std::lgamma(b + 1) - std::lgamma(1 - a) - std::lgamma(a));
            });
          });
}

TEST(UrnRangeFormsSweep, DiscreteArcsine) {
  for (std::uint32_t L : {0u, 7u, 12u, 2000u})
    Sweep(216, Gitter({{1, 2, 10, 500, 501, 3000, 20000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            return Terme(p, [&](long double l) -> long double {
              if (l > a) return 0;
              return std::exp(LogBinomL(2 * l, l) + LogBinomL(2 * a - 2 * l, a - l) -
                              a * std::log(4.0L));
            });
          });
}

TEST(UrnRangeFormsSweep, UniformHarmonicShares) {
  for (std::uint32_t L : {0u, 12u, 2000u}) {
    const double m0 = L + 1;
    Sweep(218,
          Gitter({{1e-3, 0.5, 1, 20, 1e4}, {1e-3, 0.5, 2, 1e4}, {m0, m0 + 1, m0 + 50, 200000}}, {},
                 L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            const auto m = static_cast<std::uint32_t>(p.par[2]);
            long double hm = 0;
            for (std::uint32_t k = m; k >= 1; --k) hm += 1.0L / k;
            std::vector<long double> r(p.L + 1);
            long double hx = 0;
            for (std::uint32_t x = 0; x <= p.L; ++x) {
              if (x > 0) hx += 1.0L / x;
              r[x] = (a + b * (hm - hx)) / ((a + b) * m);
            }
            return r;
          });
  }
}

TEST(UrnRangeFormsSweep, FallingRatioFinite) {
  // b from L + 1 on: a smaller b leaves classes beyond the support that the ratio does not
  // end, whose sum passes N (the remainder is then |N - sum|, outside the reference's rule).
  for (std::uint32_t L : {0u, 1u, 12u, 2000u}) {
    const double b0 = L + 1;
    Sweep(219,
          Gitter({{-3000, -500, -10, -1, 0, 0.3, 0.9, 0.999}, {b0, b0 + 1, 2 * b0 + 11, 5001}}, {},
                 L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            // C(x - a, x)/C(b - a, b - 1), both through log-gamma (a < 1).
            const long double logC = std::lgamma(b - a + 1) - std::lgamma(b) - std::lgamma(2 - a);
            return Terme(p, [&](long double x) {
              return std::exp(std::lgamma(x - a + 1) - std::lgamma(x + 1) - std::lgamma(1 - a) -
                              logC);
            });
          });
  }
}

}  // namespace
}  // namespace vk::test
