// SPDX-License-Identifier: GPL-3.0-or-later
// Members 144 to 147 and 150 to 152 over their domains against long-double probabilities: the
// closed forms (the logarithmic difference, the hypergeometric through lgamma, the zero-modified
// geometric, the Catalan numbers through lgamma, the corrected Poisson), the Stirling-number sum of
// member 146 with the Stirling numbers from their triangle, and member 151's finite differences
// expanded in Stirling numbers of the second kind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

std::vector<std::vector<long double>> StirlingZweite(std::uint32_t n) {
  std::vector<std::vector<long double>> s(n + 1, std::vector<long double>(n + 1, 0));
  s[0][0] = 1;
  for (std::uint32_t i = 1; i <= n; ++i)
    for (std::uint32_t k = 1; k <= i; ++k) s[i][k] = k * s[i - 1][k] + s[i - 1][k - 1];
  return s;
}

TEST(CatalanStirlingFormsSweep, LogarithmicDifference) {
  // a + b >= 1, where the probabilities are positive and sum to 1 (a and b exchanged where
  // a > b); a near 1.
  Sweep(144, Gitter({{0.3, 0.6, 0.9, 0.99999}, {0.75, 0.95, 0.999999}}, {}, 40, 1), Letzte::kRest,
        [](const SweepPunkt& p) {
          long double a = p.par[0], b = p.par[1];
          if (a > b) std::swap(a, b);
          // v^x - b^x = (v - b) sum_(k<x) v^k b^(x-1-k), with v - b = (1 - b)(a - 1)/a for v >= 0:
          // no difference of nearly equal powers.
          const long double w = 1 - (1 - b) / a;
          const long double v = std::fabs(w);
          const long double d = (1 - b) * (a - 1) / a;
          return Klassen(p, [&](std::uint32_t i) {
            const std::uint32_t x = i + 1;
            long double s = 0;
            for (std::uint32_t k = 0; k < x; ++k) s += std::pow(v, k) * std::pow(b, x - 1 - k);
            return d * s / (x * std::log(a));
          });
        });
}

TEST(CatalanStirlingFormsSweep, Hypergeometric) {
  // Populations from just above the sample to far above it, marked items from the sample size
  // (K = n) to all but a few; small populations start the support above 0.
  for (double n : {1.0, 5.0, 20.0, 400.0}) {
    std::vector<SweepPunkt> punkte;
    for (double M : {n + 2, 2 * n + 1, 10 * n + 5, 5000.0})
      for (double K : {n, n + 1, std::floor((M + n) / 2), M - 1})
        if (K >= n && K <= M) punkte.push_back({{M, K}, {n}, 25, 0});
    Sweep(145, punkte, Letzte::kRest, [n](const SweepPunkt& p) {
      const long double M = p.par[0], K = p.par[1];
      return Klassen(p, [&](std::uint32_t x) -> long double {
        if (x > K || x > n || n - x > M - K) return 0;
        return std::exp(LogBinomL(K, x) + LogBinomL(M - K, n - x) - LogBinomL(M, n));
      });
    });
  }
}

TEST(CatalanStirlingFormsSweep, PoissonStirling) {
  const auto s2 = StirlingZweite(60);
  Sweep(146, Gitter({{0.01, 0.5, 2, 10, 40}, {0.001, 0.3, 0.7, 0.999}}, {}, 60), Letzte::kRest,
        [&](const SweepPunkt& p) {
          const long double a = p.par[0], b = p.par[1], e = std::exp(-a);
          const long double c = e * b / (1 - e * b);
          return Klassen(p, [&](std::uint32_t i) {
            if (i == 0) return (b + e * (1 - 2 * b)) / (1 - e * b);
            long double s = 0;
            for (std::uint32_t j = 1; j <= i; ++j)
              s += std::exp(std::log(s2[i][j]) + LogFak(j) + j * std::log(c) + i * std::log(a) -
                            LogFak(i));
            return s * (1 - b) * (1 - b) / (b * (1 - e * b));
          });
        });
}

TEST(CatalanStirlingFormsSweep, ZeroModifiedGeometric) {
  Sweep(147, Gitter({{0.001, 0.3, 0.9, 0.999}, {0.001, 0.5, 0.999}}, {}, 50), Letzte::kRest,
        [](const SweepPunkt& p) {
          const long double q = p.par[0], w = p.par[1];
          return Klassen(p, [&](std::uint32_t x) {
            return x == 0 ? 1 - w : w * (1 - q) * std::pow(q, static_cast<long double>(x - 1));
          });
        });
}

TEST(CatalanStirlingFormsSweep, Catalan) {
  Sweep(150, Gitter({{0.01, 0.5, 1, 30}, {0.01, 0.5, 1, 30}}, {}, 300, 1), Letzte::kRest,
        [](const SweepPunkt& p) {
          const long double a = p.par[0], b = p.par[1], pp = b / (a + b);
          return Klassen(p, [&](std::uint32_t i) {
            const long double n = i;  // x - 1
            return std::exp(LogFak(2 * n) - LogFak(n) - LogFak(n + 1) + (n + 1) * std::log(pp) +
                            n * std::log1p(-pp));
          });
        });
}

// sum_j (-1)^j C(i, j) (u - j a)^m = (-1)^i i! sum_(r=i..m) C(m, r) u^(m-r) (-a)^r S2(r, i) for
// whole m, where u - j a >= 0 for j <= i: no absolute value is taken there.
TEST(CatalanStirlingFormsSweep, FiniteDifferences) {
  // From a near 0, where the alternating sum keeps no digit, to a = (1 - b)/(L - 1). (Past it the
  // differences of a polynomial are exact zeros that the sum leaves as rounding noise of either
  // sign.) The reference is the alternating sum itself wherever it keeps more than 12 digits in
  // long double, else the positive-term form i! sum_(k=i..m) C(m, k) S(k, i) a^k (1 - b - i
  // a)^(m-k).
  const auto s2 = StirlingZweite(40);
  auto punkte = Gitter({{1e-7, 1e-3, 0.05}, {0.001, 0.1, 0.45}}, {}, 10);
  for (const SweepPunkt& p : Gitter({{0.2}, {0.001, 0.15}}, {}, 5)) punkte.push_back(p);
  for (double m : {1.0, 6.0, 12.0, 40.0}) {
    for (SweepPunkt& p : punkte) p.fest[0] = m;
    Sweep(151, punkte, Letzte::kRest, [&, m](const SweepPunkt& p) {
      const long double a = p.par[0], b = p.par[1], u = 1 - b;
      long double steigend = 1;
      return Klassen(p, [&](std::uint32_t i) {
        if (i > 0) steigend *= (b / a + i - 1) / i;
        long double s = 0, betraege = 0, binom = 1;
        for (std::uint32_t j = 0; j <= i; ++j, binom = binom * (i - j + 1) / j) {
          const long double t = binom * std::pow(std::fabs(u - j * a), m);
          s += j % 2 == 0 ? t : -t;
          betraege += t;
        }
        if (std::fabs(s) * 1e7L > betraege) return steigend * s;
        const long double d = u - i * a;
        EXPECT_GE(d, 0) << "no reference for a = " << a << ", b = " << b << ", i = " << i;
        long double positiv = 0;
        for (std::uint32_t k = i; k <= m; ++k)
          positiv += std::exp(LogBinomL(m, k)) * s2[k][i] * std::pow(a, k) * std::pow(d, m - k);
        return steigend * positiv * std::exp(LogFak(i));
      });
    });
  }
}

TEST(CatalanStirlingFormsSweep, PoissonSecondDifference) {
  // b up to just below 4a^2/(a + 1)^2; means where e^-a leaves the double range.
  for (double mittel : {0.05, 1.0, 3.0, 50.0, 800.0}) {
    const double grenze = 4 * mittel * mittel / ((mittel + 1) * (mittel + 1));
    const std::uint32_t L = mittel > 100 ? 1000 : 80;
    Sweep(152, Gitter({{mittel}, {grenze * 0.001, grenze * 0.5, grenze * 0.999}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            const auto po = [&](long double i) {
              return i < 0 ? 0 : i == 0 ? std::exp(-a) : PoissonL(a, i);
            };
            return Terme(p, [&](long double i) {
              return po(i) - b * po(i - 1) + (i >= 2 ? b * po(i - 2) : 0);
            });
          });
  }
}

}  // namespace
}  // namespace vk::test
