// SPDX-License-Identifier: GPL-3.0-or-later
// Stopped sums of geometric, logarithmic and binomial summands (members 126 to 130) over their
// domains against long-double probabilities from the compound definition,
// P(x) = sum_r P(K = r) P(Y_1 + ... + Y_r = x), with the r-fold sums in closed form: r geometric
// summands are negative binomial(r, p), r binomial(n, p) ones binomial(r n, p), and r logarithmic
// ones r! |s(x, r)| theta^x/(x! (-ln(1 - theta))^r) with the Stirling numbers of the first kind
// from their triangle. Parameters near both ends of (0, 1), few and many summands.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

const std::vector<double> kAnteile{0.001, 0.1, 0.5, 0.9, 0.999};

long double BinomialL(long double n, long double p, long double x) {
  if (x > n) return 0;
  if (p == 1) return x == n ? 1 : 0;
  return std::exp(LogBinomL(n, x) + (x > 0 ? x * std::log(p) : 0) + (n - x) * std::log1p(-p));
}

// r geometric summands on 0, 1, ...: NB(x; r, p); r = 0 is the point 0.
long double GeometrischeSumme(std::uint32_t r, long double p, std::uint32_t x) {
  if (r == 0) return x == 0 ? 1 : 0;
  return std::exp(std::lgamma(static_cast<long double>(r) + x) - std::lgamma(r) - LogFak(x) +
                  r * std::log(p) + x * std::log1p(-p));
}

// P(sum of r logarithmic summands = x) for x = 0..L, r = 0..L, from |s(x, r)|.
std::vector<std::vector<long double>> LogarithmischeSummen(long double theta, std::uint32_t L) {
  std::vector<std::vector<long double>> s(L + 1, std::vector<long double>(L + 1, 0));
  s[0][0] = 1;
  for (std::uint32_t x = 1; x <= L; ++x)
    for (std::uint32_t r = 1; r <= x; ++r) s[x][r] = (x - 1) * s[x - 1][r] + s[x - 1][r - 1];
  const long double c = -std::log1p(-theta);
  std::vector<std::vector<long double>> P(L + 1, std::vector<long double>(L + 1, 0));
  P[0][0] = 1;
  for (std::uint32_t x = 1; x <= L; ++x)
    for (std::uint32_t r = 1; r <= x; ++r)
      P[x][r] = std::exp(LogFak(r) + std::log(s[x][r]) + x * std::log(theta) - LogFak(x) -
                         r * std::log(c));
  return P;
}

TEST(StoppedSumGeometricLogarithmicSweep, BinomialOfGeometrics) {
  for (double m : {1.0, 3.0, 20.0})
    for (std::uint32_t L : {5u, 60u})
      Sweep(126, Gitter({kAnteile, kAnteile}, {m}, L), Letzte::kRest, [](const SweepPunkt& p) {
        const long double pi = p.par[0], q = p.par[1];
        const auto anzahl = static_cast<std::uint32_t>(p.fest[0]);
        return Klassen(p, [&](std::uint32_t x) {
          long double s = 0;
          for (std::uint32_t r = 0; r <= anzahl; ++r)
            s += BinomialL(anzahl, pi, r) * GeometrischeSumme(r, q, x);
          return s;
        });
      });
}

TEST(StoppedSumGeometricLogarithmicSweep, GeometricOfLogarithmics) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(127, Gitter({kAnteile, kAnteile}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      const auto P = LogarithmischeSummen(p.par[1], p.L);
      return Klassen(p, [&](std::uint32_t x) {
        long double s = 0;
        for (std::uint32_t r = 0; r <= x; ++r) s += a * std::pow(1 - a, r) * P[x][r];
        return s;
      });
    });
}

TEST(StoppedSumGeometricLogarithmicSweep, GeometricOfBinomials) {
  // The weights pi (1 - pi)^r beyond r sum to (1 - pi)^(r+1), a bound on what is left out: summed
  // until that is below 1e-13 of the sum.
  for (double n : {1.0, 4.0, 30.0})
    for (std::uint32_t L : {5u, 40u})
      Sweep(128, Gitter({kAnteile, {0.05, 0.1, 0.5, 0.9, 0.999}}, {n}, L), Letzte::kRest,
            [](const SweepPunkt& p) {
              const long double q = p.par[0], pi = p.par[1];
              const long double versuche = p.fest[0];
              return Klassen(p, [&](std::uint32_t x) {
                long double s = 0;
                for (std::uint32_t r = 0; r < 10000000; ++r) {
                  s += pi * std::pow(1 - pi, r) * BinomialL(r * versuche, q, x);
                  const long double rest = std::pow(1 - pi, r + 1);
                  if (rest < 1e-13L * s || rest < 1e-320L) break;
                }
                return s;
              });
            });
}

TEST(StoppedSumGeometricLogarithmicSweep, GeometricOfGeometrics) {
  // Summed over r until what the weights beyond leave, (1 - pi)^(r+1), is below 1e-13 of the sum.
  for (std::uint32_t L : {5u, 60u})
    Sweep(129, Gitter({{0.01, 0.1, 0.5, 0.9, 0.999}, kAnteile}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double pi = p.par[0], q = p.par[1];
            return Klassen(p, [&](std::uint32_t x) {
              // pi (1 - pi)^r NB(x; r, p) along r: NB(x; r + 1, p) = NB(x; r, p) p (r + x)/r.
              long double s = pi * (x == 0 ? 1 : 0);
              long double t = pi * (1 - pi) * GeometrischeSumme(1, q, x);
              for (std::uint32_t r = 1; r < 10000000; ++r) {
                s += t;
                const long double rest = std::pow(1 - pi, r + 1);
                if (rest < 1e-13L * s || rest < 1e-320L) break;
                t *= (1 - pi) * q * (r + x) / r;
              }
              return s;
            });
          });
}

TEST(StoppedSumGeometricLogarithmicSweep, BinomialOfLogarithmics) {
  for (double m : {1.0, 3.0, 20.0})
    for (std::uint32_t L : {5u, 60u})
      Sweep(130, Gitter({kAnteile, kAnteile}, {m}, L), Letzte::kRest, [](const SweepPunkt& p) {
        const long double pi = p.par[0];
        const auto anzahl = static_cast<std::uint32_t>(p.fest[0]);
        const auto P = LogarithmischeSummen(p.par[1], p.L);
        return Klassen(p, [&](std::uint32_t x) {
          long double s = 0;
          for (std::uint32_t r = 0; r <= std::min(anzahl, x); ++r)
            s += BinomialL(anzahl, pi, r) * P[x][r];
          return s;
        });
      });
}

}  // namespace
}  // namespace vk::test
