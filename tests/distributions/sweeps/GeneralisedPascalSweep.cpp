// SPDX-License-Identifier: GPL-3.0-or-later
// Pascal-type members (40, 41, 42, 43, 51, 53) over their domains against long-double
// probabilities: urns from small to large, hyper-Pascal modes far beyond the last class and
// ratios near 1, heavy tails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(GeneralisedPascalSweep, InverseHypergeometric) {
  std::vector<SweepPunkt> punkte;
  for (std::uint32_t L : {0u, 3u, 40u, 400u})
    for (double n : {1.0, 3.0, 40.0})
      for (double R : {n + 1, n + 30, n + 500})
        for (double extra : {0.0, 1000.0}) punkte.push_back({{L + R + 1 + extra, R, n}, {}, L});
  // Many successes awaited among few: a first term below the double range.
  for (double n : {300.0, 700.0}) punkte.push_back({{4000 + n + 702, n + 1, n}, {}, 4000});
  Sweep(40, punkte, Letzte::kRest, [](const SweepPunkt& s) {
    const long double Ng = s.par[0], R = s.par[1], n = s.par[2];
    return Terme(s, [&](long double x) {
      return std::exp(LogBinomL(x + n - 1, x) + LogBinomL(Ng - x - n, R - n) - LogBinomL(Ng, R));
    });
  });
}

// (k)_x q^x / (m)_x normalised over x = 0, 1, ...: the terms as products of their ratios in long
// double (whose range holds the largest of them), summed until the terms past the mode no longer
// count.
TEST(GeneralisedPascalSweep, HyperPascalRatios) {
  for (std::uint32_t L : {0u, 3u, 40u, 500u})
    Sweep(41, Gitter({{0.05, 1, 12, 300}, {0.05, 1, 20}, {1e-3, 0.5, 0.95, 0.999}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& s) {
            const long double k = s.par[0], m = s.par[1], q = s.par[2];
            // Past x* = (k - m q)/(1 - q) the ratio (x + k - 1) q/(x + m - 1) is below 1.
            const long double gipfel = std::max<long double>(0, (k - m * q) / (1 - q));
            std::vector<long double> r(s.L + 1);
            long double t = 1, S = 0;
            for (long double x = 0; x < 1e8L; ++x) {
              if (x > 0) t *= (x + k - 1) * q / (x + m - 1);
              if (x <= s.L) r[static_cast<std::size_t>(x)] = t;
              S += t;
              if (x > gipfel && x >= s.L && t < 1e-25L * S) break;
            }
            for (long double& v : r) v /= S;
            return r;
          });
}

// The first class in its closed form, the others by the product of the ratios, in long double.
// For small a the written first class makes the classes below L sum to more than 1: the last
// class is then the absolute remainder the tail rule gives.
TEST(GeneralisedPascalSweep, GeneralisedPascal) {
  for (std::uint32_t L : {0u, 2u, 30u, 400u})
    Sweep(42, Gitter({{0.01, 0.4, 3}, {0.05, 1, 25}, {0.01, 0.5, 0.99}}, {}, L), Letzte::kPunkt,
          [](const SweepPunkt& s) {
            const long double a = s.par[0], b = s.par[1], c = s.par[2], ab = a * b;
            long double t = std::pow((ab + c) / c, c / a - 0.5L) *
                            std::pow((ab + c) / (ab + 1), b) * std::pow(1 / (ab + 1), 1 / a - 0.5L);
            auto r = Terme(s, [&](long double i) {
              if (i > 0) t *= (i + b - 1) * (1 - c + (i - 1) * a) / (i * ((i + b - 1) * a + 1));
              return t;
            });
            long double unter = 0;
            for (std::uint32_t i = 0; i < s.L; ++i) unter += r[i];
            r[s.L] = std::fabs(1 - unter);
            return r;
          });
}

// m/(2x - m) C(2x - m, x) a^(x - m)/(1 + a)^(2x - m) from x = m on.
TEST(GeneralisedPascalSweep, LostGames) {
  std::vector<SweepPunkt> punkte;
  for (double mf : {1.0, 2.0, 7.0, 60.0})
    for (std::uint32_t L : {0u, 2u, 30u, 500u})
      for (const SweepPunkt& p :
           Gitter({{1e-3, 0.3, 0.9, 0.999}}, {mf}, L, static_cast<std::uint32_t>(mf)))
        punkte.push_back(p);
  // Thousands of ancestors: (a + 1)^-m below the double range.
  for (const SweepPunkt& p : Gitter({{0.7, 0.9}}, {2000}, 8000, 2000)) punkte.push_back(p);
  Sweep(43, punkte, Letzte::kRest, [](const SweepPunkt& s) {
    const long double a = s.par[0], m = s.fest[0];
    return Terme(s, [&](long double i) {
      const long double x = m + i;
      return std::exp(std::log(m / (2 * x - m)) + LogBinomL(2 * x - m, x) + (x - m) * std::log(a) -
                      (2 * x - m) * std::log1p(a));
    });
  });
}

TEST(GeneralisedPascalSweep, ModifiedPositiveNegativeBinomial) {
  for (std::uint32_t L : {0u, 1u, 2u, 30u, 500u})
    Sweep(51, Gitter({{0.05, 1, 8, 60}, {0.01, 0.5, 0.95, 0.9999}, {-3, 0, 0.6, 0.99}}, {}, L, 1),
          Letzte::kRest, [](const SweepPunkt& s) {
            const long double k = s.par[0], p = s.par[1], c = s.par[2];
            const auto nb = [&](long double v) {
              return std::exp(std::lgamma(k + v) - std::lgamma(k) - std::lgamma(v + 1) +
                              k * std::log(p) + v * std::log1p(-p));
            };
            const long double nenner = -std::expm1(k * std::log(p)) - nb(1) * c;
            return Terme(
                s, [&](long double i) { return (i == 0 ? nb(1) * (1 - c) : nb(i + 1)) / nenner; });
          });
}

// Exponents whose p^k is below the double range while the classes near the mode are not.
TEST(GeneralisedPascalSweep, ModifiedPositiveNegativeBinomialLargeK) {
  Sweep(51, Gitter({{400, 2500}, {0.2, 0.45}, {0, 0.5}}, {}, 9000, 1), Letzte::kRest,
        [](const SweepPunkt& s) {
          const long double k = s.par[0], p = s.par[1], c = s.par[2];
          const auto nb = [&](long double v) {
            return std::exp(std::lgamma(k + v) - std::lgamma(k) - std::lgamma(v + 1) +
                            k * std::log(p) + v * std::log1p(-p));
          };
          const long double nenner = -std::expm1(k * std::log(p)) - nb(1) * c;
          std::vector<long double> r(s.L + 1);
          for (std::uint32_t i = 0; i <= s.L; ++i)
            r[i] = (i == 0 ? nb(1) * (1 - c) : nb(i + 1.0L)) / nenner;
          return r;
        });
}

TEST(GeneralisedPascalSweep, PositiveWaring) {
  for (std::uint32_t L : {0u, 1u, 30u, 2000u})
    Sweep(53, Gitter({{1e-4, 0.5, 3, 100, 1e5}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& s) {
      const long double a = s.par[0];
      return Terme(s, [&](long double i) {
        const long double x = i + 1;
        return 2 * a * (a + 1) / ((x + a - 1) * (x + a) * (x + a + 1));
      });
    });
}

}  // namespace
}  // namespace vk::test
