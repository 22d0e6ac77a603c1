// SPDX-License-Identifier: GPL-3.0-or-later
// Modified binomial and negative binomial forms (members 89 to 95) over their parameters,
// against long-double probabilities, with numbers of trials and p for which (1 - p)^n is far
// below the double range.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

std::vector<long double> Anteil(const SweepPunkt& p, long double n, long double q, long double b) {
  auto bin = [&](long double i) -> long double {
    if (i > n) return 0;
    return std::exp(LogBinomL(n, i) + i * std::log(q) + (n - i) * std::log1p(-q));
  };
  std::vector<long double> r(p.L + 1);
  for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = bin(i);
  r[0] += b * bin(1);
  if (p.L >= 1) r[1] = (1 - b) * bin(1);
  return r;
}

TEST(BinomialShareSweep, FixedAndFreeN) {
  for (std::uint32_t L : {1u, 2u, 10u, 300u})
    for (double n : {1.0 * L, 2.0 * L + 3, 1000.0})
      for (double p : {1e-3, 0.2, 0.5, 0.9, 0.999})
        for (double b : {0.0, 0.3, 0.99}) {
          SweepPunktPruefen(
              89, SweepPunkt{{p, b}, {n}, L, 0}, Letzte::kRest,
              [](const SweepPunkt& s) { return Anteil(s, s.fest[0], s.par[0], s.par[1]); });
          SweepPunktPruefen(
              90, SweepPunkt{{n, p, b}, {}, L, 0}, Letzte::kRest,
              [](const SweepPunkt& s) { return Anteil(s, s.par[0], s.par[1], s.par[2]); });
        }
}

long double BinL(long double n, long double q, long double i) {
  if (i > n) return 0;
  return std::exp(LogBinomL(n, i) + i * std::log(q) + (n - i) * std::log1p(-q));
}

TEST(BinomialShareSweep, ZeroModifiedPositiveBinomial) {
  for (std::uint32_t L : {1u, 10u, 300u})
    for (double n : {1.0 * L, 2.0 * L + 3})
      for (double p : {1e-6, 1e-3, 0.2, 0.5, 0.9})
        for (double b : {0.0, 0.3, 1.0}) {
          SweepPunktPruefen(91, SweepPunkt{{n, p}, {b}, L, 0}, Letzte::kRest,
                            [](const SweepPunkt& s) {
                              const long double nn = s.par[0], q = s.par[1], bb = s.fest[0];
                              // The positive part's mass as a sum, not as 1 - (1 - p)^n.
                              long double pos = 0;
                              for (long double v = 1; v <= nn; ++v) pos += BinL(nn, q, v);
                              std::vector<long double> r(s.L + 1);
                              r[0] = 1 - bb;
                              for (std::uint32_t i = 1; i <= s.L; ++i)
                                r[i] = bb * BinL(nn, q, i) / pos;
                              return r;
                            });
        }
}

TEST(BinomialShareSweep, PositiveShareForm) {
  for (std::uint32_t L : {2u, 10u, 300u})
    for (double n : {1.0 * L + 1, 2.0 * L + 3})
      for (double p : {1e-3, 0.2, 0.5, 0.9})
        for (double b : {0.0, 0.3, 0.99}) {
          SweepPunktPruefen(92, SweepPunkt{{n, p, b}, {}, L, 1}, Letzte::kRest,
                            [](const SweepPunkt& s) {
                              const long double nn = s.par[0], q = s.par[1], bb = s.par[2];
                              // P'(v) for v >= 1 normalised by their own sum.
                              long double pos = (1 - bb) * BinL(nn, q, 1);
                              for (long double v = 2; v <= nn; ++v) pos += BinL(nn, q, v);
                              std::vector<long double> r(s.L + 1);
                              for (std::uint32_t i = 0; i <= s.L; ++i)
                                r[i] = (i == 0 ? 1 - bb : 1) * BinL(nn, q, i + 1) / pos;
                              return r;
                            });
        }
}

TEST(BinomialShareSweep, RightTruncatedBinomial) {
  // Normalised over the classes, the first term does not limit n.
  for (std::uint32_t L : {0u, 10u, 300u})
    for (std::uint32_t x0 : {0u, 7u})
      for (double n : {1.0 * (L + x0), 2.0 * (L + x0) + 3, 5000.0})
        for (double p : {1e-6, 1e-3, 0.2, 0.5, 0.9, 0.999})
          SweepPunktPruefen(
              93, SweepPunkt{{p}, {n}, L, x0}, Letzte::kPunkt, [](const SweepPunkt& s) {
                std::vector<long double> r(s.L + 1);
                for (std::uint32_t i = 0; i <= s.L; ++i)
                  r[i] = std::exp(
                      LogBinomL(s.fest[0], i + s.x0) +
                      (i + s.x0) * std::log(static_cast<long double>(s.par[0] / (1 - s.par[0]))));
                return Normiert(r);
              });
}

TEST(BinomialShareSweep, BinomialInflatedAtM) {
  for (std::uint32_t L : {1u, 10u, 300u})
    for (double n : {1.0 * L, 2.0 * L + 3, 1000.0})
      for (double m : {0.0, 1.0, 5.0, 2000.0})
        for (double p : {1e-3, 0.2, 0.5, 0.9})
          for (double b : {0.0, 0.3, 0.99}) {
            SweepPunktPruefen(94, SweepPunkt{{p, b}, {n, m}, L, 0}, Letzte::kRest,
                              [](const SweepPunkt& s) {
                                std::vector<long double> r(s.L + 1);
                                for (std::uint32_t i = 0; i <= s.L; ++i)
                                  r[i] = s.par[1] * BinL(s.fest[0], s.par[0], i) +
                                         (i == s.fest[1] ? 1 - s.par[1] : 0);
                                return r;
                              });
          }
}

TEST(BinomialShareSweep, ZeroModifiedPositiveNegativeBinomial) {
  for (std::uint32_t L : {1u, 15u, 600u})
    for (double k : {1e-3, 0.5, 3.0, 80.0, 1500.0})
      for (double p : {1e-3, 0.3, 0.6, 0.8, 0.999})
        for (double b : {0.0, 0.4, 1.0})
          SweepPunktPruefen(95, SweepPunkt{{k, p}, {b}, L, 0}, Letzte::kRest,
                            [](const SweepPunkt& s) {
                              const long double kk = s.par[0], q = s.par[1], bb = s.fest[0];
                              const long double pos = -std::expm1(kk * std::log(q));
                              std::vector<long double> r(s.L + 1);
                              r[0] = 1 - bb;
                              for (std::uint32_t i = 1; i <= s.L; ++i)
                                r[i] = bb *
                                       std::exp(std::lgamma(kk + i) - std::lgamma(kk) - LogFak(i) +
                                                kk * std::log(q) + i * std::log1p(-q)) /
                                       pos;
                              return r;
                            });
}

}  // namespace
}  // namespace vk::test
