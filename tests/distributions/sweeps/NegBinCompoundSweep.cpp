// SPDX-License-Identifier: GPL-3.0-or-later
// The negative binomial and binomial stopped sums (members 140 to 142, 148, 149) and the Poisson
// stopped sum of beta-Poisson summands (143) over their domains against long-double
// probabilities from the compound definition P(x) = sum_r P(K = r) P(Y_1 + ... + Y_r = x), with
// the r-fold sums in closed form (binomial, negative binomial, logarithmic through the Stirling
// numbers of the first kind) or, for 143, by repeated convolution of summand probabilities
// summed over their own mixture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

long double NB(long double k, long double p, std::uint32_t x) {
  if (k == 0) return x == 0 ? 1 : 0;
  return std::exp(std::lgamma(k + x) - std::lgamma(k) - LogFak(x) + k * std::log(p) +
                  x * std::log1p(-p));
}

long double Bin(long double n, long double p, std::uint32_t x) {
  if (x > n) return 0;
  return std::exp(LogBinomL(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}

// sum_r w(r) s(r, x) over r = 0, 1, ...: w the number of summands, s the r-fold sum; stops once
// its terms have passed their largest and no longer count.
template <typename W, typename S>
long double Zusammengesetzt(std::uint32_t x, std::uint32_t rMax, W w, S s) {
  long double summe = 0, groesstes = 0, vorher = 0;
  for (std::uint32_t r = 0; r <= rMax; ++r) {
    const long double wr = w(r);
    if (wr > groesstes) groesstes = wr;
    const long double t = wr * s(r, x);
    summe += t;
    // The r-fold sums may still grow where the weights fall: only terms that fall and no longer
    // count end the sum.
    if (r > x + 20 && wr < groesstes * 1e-30L && t < summe * 1e-24L && t <= vorher) break;
    vorher = t;
  }
  return summe;
}

constexpr std::uint32_t kR = 200000;

TEST(NegBinCompoundSweep, NegativeBinomialOfBinomials) {
  for (double n : {1.0, 3.0, 10.0})
    Sweep(140, Gitter({{0.05, 1, 2.5, 30}, {0.01, 0.3, 0.9}, {0.05, 0.5, 0.95}}, {n}, 30),
          Letzte::kRest, [n](const SweepPunkt& p) {
            return Klassen(p, [&](std::uint32_t x) {
              return Zusammengesetzt(
                  x, kR, [&](std::uint32_t r) { return NB(p.par[0], p.par[2], r); },
                  [&](std::uint32_t r, std::uint32_t y) { return Bin(r * n, p.par[1], y); });
            });
          });
}

TEST(NegBinCompoundSweep, NegativeBinomialOfGeometrics) {
  Sweep(141, Gitter({{0.05, 1, 2.5, 30}, {0.05, 0.5, 0.95}, {0.05, 0.5, 0.95}}, {}, 30),
        Letzte::kRest, [](const SweepPunkt& p) {
          return Klassen(p, [&](std::uint32_t x) {
            return Zusammengesetzt(
                x, kR, [&](std::uint32_t r) { return NB(p.par[0], p.par[2], r); },
                [&](std::uint32_t r, std::uint32_t y) { return NB(r, p.par[1], y); });
          });
        });
}

// r-fold sums of logarithmic summands: r! |s(x, r)| theta^x / (x! (-ln(1 - theta))^r), with the
// unsigned Stirling numbers of the first kind from their triangle in long double.
std::vector<std::vector<long double>> StirlingErste(std::uint32_t n) {
  std::vector<std::vector<long double>> s(n + 1, std::vector<long double>(n + 1, 0));
  s[0][0] = 1;
  for (std::uint32_t i = 1; i <= n; ++i)
    for (std::uint32_t k = 1; k <= i; ++k) s[i][k] = (i - 1) * s[i - 1][k] + s[i - 1][k - 1];
  return s;
}

TEST(NegBinCompoundSweep, NegativeBinomialOfLogarithmics) {
  const auto s1 = StirlingErste(40);
  Sweep(142, Gitter({{0.05, 1, 2.5, 30}, {0.05, 0.5, 0.95}, {0.01, 0.5, 0.95}}, {}, 40),
        Letzte::kRest, [&](const SweepPunkt& p) {
          const long double k = p.par[0], c = p.par[1], t = p.par[2];
          const long double lam = -std::log1p(-t);
          return Klassen(p, [&](std::uint32_t x) {
            long double summe = 0;
            for (std::uint32_t r = 0; r <= x; ++r)
              summe += NB(k, c, r) * std::exp(LogFak(r) + std::log(s1[x][r]) + x * std::log(t) -
                                              LogFak(x) - r * std::log(lam));
            return summe;
          });
        });
}

TEST(NegBinCompoundSweep, NegativeBinomialOfNegativeBinomials) {
  Sweep(148, Gitter({{0.05, 2.5, 30}, {0.3, 2}, {0.05, 0.5, 0.95}, {0.05, 0.5, 0.95}}, {}, 30),
        Letzte::kRest, [](const SweepPunkt& p) {
          return Klassen(p, [&](std::uint32_t x) {
            return Zusammengesetzt(
                x, kR, [&](std::uint32_t r) { return NB(p.par[0], p.par[2], r); },
                [&](std::uint32_t r, std::uint32_t y) { return NB(r * p.par[1], p.par[3], y); });
          });
        });
}

TEST(NegBinCompoundSweep, BinomialOfNegativeBinomials) {
  for (double m : {1.0, 4.0, 20.0})
    Sweep(149, Gitter({{0.05, 1, 2.5, 30}, {0.05, 0.5, 0.95}, {0.05, 0.5, 0.95}}, {m}, 30),
          Letzte::kRest, [m](const SweepPunkt& p) {
            return Klassen(p, [&](std::uint32_t x) {
              long double summe = 0;
              for (std::uint32_t r = 0; r <= m; ++r)
                summe += Bin(m, p.par[1], r) * NB(r * p.par[0], p.par[2], x);
              return summe;
            });
          });
}

// Summands Poisson(c U), U ~ Beta(1, b): given a Poisson(c) count n the summand is beta-binomial
// (n; 1, b), P(j | n) = b n!/(n - j)! Gamma(n - j + b)/Gamma(n + b + 1); b = 0 is Poisson(c).
std::vector<long double> BetaPoisson(long double c, long double b, std::uint32_t L) {
  std::vector<long double> g(L + 1, 0);
  for (std::uint32_t j = 0; j <= L; ++j) {
    if (b == 0) {
      g[j] = j == 0 ? std::exp(-c) : PoissonL(c, j);
      continue;
    }
    long double s = 0;
    for (std::uint32_t n = j; n < j + 200 + 20 * static_cast<std::uint32_t>(c); ++n)
      s += std::exp(-c + n * std::log(c) - LogFak(n) + std::log(b) + LogFak(n) - LogFak(n - j) +
                    std::lgamma(n - j + b) - std::lgamma(n + b + 1));
    g[j] = s;
  }
  return g;
}

TEST(NegBinCompoundSweep, PoissonOfBetaPoissons) {
  for (double b : {0.0, 0.5, 1.0, 4.0})
    Sweep(143, Gitter({{0.05, 1, 8}, {0.01, 1, 10, 60}}, {b}, 25), Letzte::kRest,
          [b](const SweepPunkt& p) {
            const long double a = p.par[0];
            const auto g = BetaPoisson(p.par[1], b, p.L);
            // sum_r Po(r; a) g^(*r), the r-fold convolution built up one summand at a time.
            std::vector<long double> faltung(p.L + 1, 0), P(p.L + 1, 0);
            faltung[0] = 1;
            for (std::uint32_t r = 0; r < 400; ++r) {
              const long double w = r == 0 ? std::exp(-a) : PoissonL(a, r);
              for (std::uint32_t x = 0; x <= p.L; ++x) P[x] += w * faltung[x];
              std::vector<long double> neu(p.L + 1, 0);
              for (std::uint32_t x = 0; x <= p.L; ++x)
                for (std::uint32_t j = 0; j <= x; ++j) neu[x] += g[j] * faltung[x - j];
              faltung = neu;
            }
            return P;
          });
}

}  // namespace
}  // namespace vk::test
