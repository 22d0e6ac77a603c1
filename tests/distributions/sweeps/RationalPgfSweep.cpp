// SPDX-License-Identifier: GPL-3.0-or-later
// Members whose generating function is a product of powers of linear fractions (185, 186, 192)
// or adds a Poisson stopped sum of geometric summands (188, 189, 190), against the coefficients
// of that generating function expanded directly in long double: products of binomial series
// for the first, a Poisson mixture of negative binomials for the second.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// (k)_m/m! c^m, m = 0..bis: the coefficients of (1 - c s)^-k.
std::vector<long double> NegBinReihe(long double k, long double c, std::uint32_t bis) {
  std::vector<long double> u(bis + 1);
  u[0] = 1;
  for (std::uint32_t m = 1; m <= bis; ++m) u[m] = u[m - 1] * (k + m - 1) * c / m;
  return u;
}

// C(k, j) z^j, j = 0..bis: the coefficients of (1 + z s)^k.
std::vector<long double> BinomReihe(long double k, long double z, std::uint32_t bis) {
  std::vector<long double> t(bis + 1);
  t[0] = 1;
  for (std::uint32_t j = 1; j <= bis; ++j) t[j] = t[j - 1] * (k - j + 1) / j * z;
  return t;
}

std::vector<long double> Falten(const std::vector<long double>& u,
                                const std::vector<long double>& v, long double faktor) {
  std::vector<long double> r(u.size());
  for (std::size_t x = 0; x < u.size(); ++x) {
    long double s = 0;
    for (std::size_t j = 0; j <= x; ++j) s += u[j] * v[x - j];
    r[x] = faktor * s;
  }
  return r;
}

// ((1 - a - b)/(1 - a s - b s^2))^k: the series of (1 - u)^-k in u = a s + b s^2, the power u^j
// contributing C(j, r) a^{j-r} b^r to s^{j+r}.
TEST(RationalPgfSweep, SecondOrderNegativeBinomial) {
  for (std::uint32_t L : {0u, 3u, 40u, 300u})
    Sweep(185, Gitter({{0.01, 0.3, 0.7}, {0, 0.05, 0.25}, {0.05, 1, 7.5, 120}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& s) {
            const long double a = s.par[0], b = s.par[1], k = s.par[2];
            const long double logQ = k * std::log(1 - a - b);
            return Klassen(s, [&](std::uint32_t x) {
              long double P = 0;
              for (std::uint32_t r = 0; 2 * r <= x; ++r) {
                if (r > 0 && b == 0) break;
                const std::uint32_t j = x - r;
                const long double l = std::lgamma(k + j) - std::lgamma(k) - LogFak(j) +
                                      LogBinomL(j, r) + (j - r) * std::log(a) +
                                      (r > 0 ? r * std::log(b) : 0) + logQ;
                P += std::exp(l);
              }
              return P;
            });
          });
}

// ((p + d s)/(1 - c s))^k = p^k (1 + (d/p) s)^k (1 - c s)^-k.
TEST(RationalPgfSweep, PowerOfALinearFraction) {
  for (std::uint32_t L : {0u, 2u, 30u, 400u})
    for (double kk : {0.5, 1.0, 3.0, 40.0})
      for (double cc : {0.01, 0.4, 0.9})
        for (double anteil : {0.02, 0.5, 1.0}) {
          // p from just above the repair threshold (1 - c)/(1 + c) to 1 - c (d = 0).
          const double s = (1 - cc) / (1 + cc);
          const double pp = s + anteil * (1 - cc - s);
          Sweep(186, Gitter({{kk}, {pp}, {cc}}, {}, L), Letzte::kRest, [](const SweepPunkt& q) {
            const long double k = q.par[0], p = q.par[1], c = q.par[2];
            const long double d = 1 - c - p;
            return Falten(BinomReihe(k, d / p, q.L), NegBinReihe(k, c, q.L), std::pow(p, k));
          });
        }
}

// (p/(1 - q s))^{a+b} ((1 - g s)/(1 - g))^a. For a whole a it is a binomial(a, pi) mixture of
// NB(k + b, q), pi = (1 - g/q)/(1 - g), which adds positive terms only; for other a the power
// series of the linear factor, whose terms all have one sign past the first.
TEST(RationalPgfSweep, NegativeBinomialWithALinearFactor) {
  for (std::uint32_t L : {0u, 3u, 40u, 300u})
    for (double fa : {0.5, 1.0, 2.0, 7.0, 30.0, 200.0})
      Sweep(192, Gitter({{0.1, 2, 30}, {0.05, 0.5, 0.95}, {1e-7, 0.01, 0.5, 0.99}}, {fa}, L),
            Letzte::kRest, [](const SweepPunkt& s) {
              const long double a = s.fest[0], b = s.par[0], p = s.par[1], c = s.par[2];
              const long double q = 1 - p;
              const long double g = q * (1 - c) / (1 - q * c);
              if (a != std::floor(a))
                return Falten(NegBinReihe(a + b, q, s.L), BinomReihe(a, -g, s.L),
                              std::pow(p, a + b) * std::pow(1 - g, -a));
              const long double pi = (1 - g / q) / (1 - g);
              std::vector<long double> P(s.L + 1, 0.0L);
              for (int k = 0; k <= a; ++k) {
                const long double w =
                    std::exp(LogBinomL(a, k) + k * std::log(pi) + (a - k) * std::log1p(-pi));
                const auto nb = NegBinReihe(k + b, q, s.L);
                for (std::uint32_t x = 0; x <= s.L; ++x) P[x] += w * std::pow(p, k + b) * nb[x];
              }
              return P;
            });
}

// Poisson(a) summands each geometric on 0, 1, ...: given k of them, with the NB(b, theta) part,
// the sum is NB(k + b, theta).
std::vector<long double> NegBinPolyaAeppli(long double a, long double b, long double t,
                                           std::uint32_t L) {
  std::vector<long double> P(L + 1, 0.0L);
  const long double q = 1 - t;
  for (std::uint32_t k = 0;; ++k) {
    const long double po = PoissonL(a, k);
    const long double r = k + b;
    long double letzter = 0;
    for (std::uint32_t x = 0; x <= L; ++x) {
      letzter = std::exp(std::log(po) + std::lgamma(r + x) - std::lgamma(r) - LogFak(x) +
                         r * std::log(t) + x * std::log(q));
      P[x] += letzter;
    }
    // The far classes draw on many summands: stop only once the last class has all its digits.
    if (k > a + 10 && po < 1e-30L && letzter < 1e-25L * P[L]) break;
  }
  return P;
}

// Far into the tail with theta near 1, where the classes fall to 1e-130 and below.
TEST(RationalPgfSweep, NegativeBinomialPolyaAeppli) {
  const std::vector<double> kA{0.01, 1, 25}, kB{0.05, 1, 20};
  const std::vector<double> kTheta{0.02, 0.5, 0.9, 0.98, 0.999};
  for (std::uint32_t L : {0u, 4u, 60u, 250u}) {
    Sweep(188, Gitter({kA, kB, kTheta}, {}, L), Letzte::kRest,
          [](const SweepPunkt& s) { return NegBinPolyaAeppli(s.par[0], s.par[1], s.par[2], s.L); });
    for (double a : kA)
      Sweep(189, Gitter({kB, kTheta}, {a}, L), Letzte::kRest, [](const SweepPunkt& s) {
        return NegBinPolyaAeppli(s.fest[0], s.par[0], s.par[1], s.L);
      });
    for (double b : kB)
      Sweep(190, Gitter({kA, kTheta}, {b}, L), Letzte::kRest, [](const SweepPunkt& s) {
        return NegBinPolyaAeppli(s.par[0], s.fest[0], s.par[1], s.L);
      });
  }
}

}  // namespace
}  // namespace vk::test
