// SPDX-License-Identifier: GPL-3.0-or-later
// The stopped sums 118 to 125 over their domains against the compound definition summed in long
// double: P(x) = sum_r P(K = r) P(Y_1 + ... + Y_r = x), with the r-fold sums in closed form
// (Poisson(r a), binomial(r n, p), r + Poisson(r phi) for the Thomas clusters).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

long double PoisL(long double a, long double x) {
  if (a == 0) return x == 0 ? 1 : 0;
  return PoissonL(a, x);
}

long double BinL(long double n, long double p, long double x) {
  if (x > n) return 0;
  return std::exp(LogBinomL(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}

long double NegBinL(long double k, long double c, long double r) {
  return std::exp(std::lgamma(k + r) - std::lgamma(k) - std::lgamma(r + 1) + k * std::log(c) +
                  r * std::log1p(-c));
}

// sum_{r>=0} w(r) summe(r, x) with a weight that falls from some r on: summed until r is past
// rMin and the weight no longer counts.
template <typename W, typename S>
long double Zusammengesetzt(std::uint32_t x, long double rMin, W w, S summe) {
  long double s = 0;
  for (std::uint32_t r = 0; r < 3000000; ++r) {
    const long double g = w(r);
    s += g * summe(r, x);
    if (r > rMin && g < 1e-25L * (s + 1e-300L)) break;
  }
  return s;
}

TEST(NeymanThomasBinomialSweep, NeymanTypeA) {
  for (std::uint32_t L : {6u, 60u})
    Sweep(118, Gitter({{0.001, 0.5, 3, 30}, {0.01, 1, 10, 200}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            return Klassen(p, [&](std::uint32_t x) {
              return Zusammengesetzt(
                  x, b + 10, [&](std::uint32_t r) { return PoisL(b, r); },
                  [&](std::uint32_t r, std::uint32_t y) { return PoisL(r * a, y); });
            });
          });
}

TEST(NeymanThomasBinomialSweep, Thomas) {
  // r clusters hold r + Poisson(r phi) members: r <= x.
  for (std::uint32_t L : {6u, 60u})
    Sweep(119, Gitter({{0.01, 1, 10, 200}, {0.001, 0.5, 3, 30}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double l = p.par[0], phi = p.par[1];
            return Klassen(p, [&](std::uint32_t x) {
              long double s = 0;
              for (std::uint32_t r = 0; r <= x; ++r) s += PoisL(l, r) * PoisL(r * phi, x - r);
              return s;
            });
          });
}

TEST(NeymanThomasBinomialSweep, PoissonBinomial) {
  const std::vector<double> anteile{0.001, 0.3, 0.9, 0.999};
  for (double n : {1.0, 2.0, 7.0})
    Sweep(120, Gitter({{0.01, 1, 10, 200}, anteile}, {n}, 40), Letzte::kRest,
          [&](const SweepPunkt& p) {
            const long double l = p.par[0], q = p.par[1];
            return Klassen(p, [&](std::uint32_t x) {
              return Zusammengesetzt(
                  x, l + 10, [&](std::uint32_t r) { return PoisL(l, r); },
                  [&](std::uint32_t r, std::uint32_t y) { return BinL(r * n, q, y); });
            });
          });
  Sweep(121, Gitter({{0.01, 3, 100}, {1, 4, 15}, anteile}, {}, 40), Letzte::kRest,
        [](const SweepPunkt& p) {
          const long double l = p.par[0], n = p.par[1], q = p.par[2];
          return Klassen(p, [&](std::uint32_t x) {
            return Zusammengesetzt(
                x, l + 10, [&](std::uint32_t r) { return PoisL(l, r); },
                [&](std::uint32_t r, std::uint32_t y) { return BinL(r * n, q, y); });
          });
        });
}

TEST(NeymanThomasBinomialSweep, BinomialPoisson) {
  const auto binPois = [](long double a, long double m, long double pi) {
    return [=](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t x) {
        long double s = 0;
        for (std::uint32_t r = 0; r <= m; ++r) s += BinL(m, pi, r) * PoisL(r * a, x);
        return s;
      });
    };
  };
  for (double m : {1.0, 4.0, 30.0})
    for (const SweepPunkt& p : Gitter({{0.001, 0.7, 5, 60}, {0.001, 0.4, 0.999}}, {m}, 40))
      SweepPunktPruefen(122, p, Letzte::kRest, binPois(p.par[0], m, p.par[1]));
  for (const SweepPunkt& p : Gitter({{0.01, 2, 40}, {1, 3, 25}, {0.01, 0.5, 0.99}}, {}, 40))
    SweepPunktPruefen(123, p, Letzte::kRest, binPois(p.par[0], p.par[1], p.par[2]));
}

TEST(NeymanThomasBinomialSweep, NegativeBinomialPoisson) {
  for (std::uint32_t L : {6u, 50u})
    Sweep(124, Gitter({{0.05, 1, 20}, {0.01, 0.8, 6}, {0.05, 0.5, 0.95}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double k = p.par[0], a = p.par[1], c = p.par[2];
            return Klassen(p, [&](std::uint32_t x) {
              return Zusammengesetzt(
                  x, k * (1 - c) / c + 10, [&](std::uint32_t r) { return NegBinL(k, c, r); },
                  [&](std::uint32_t r, std::uint32_t y) { return PoisL(r * a, y); });
            });
          });
}

TEST(NeymanThomasBinomialSweep, BinomialBinomial) {
  // Classes beyond m n come out as exact zeros.
  for (double n : {1.0, 3.0})
    for (double m : {1.0, 5.0, 20.0})
      Sweep(125, Gitter({{0.001, 0.4, 0.999}, {0.001, 0.3, 0.999}}, {n, m}, 30), Letzte::kRest,
            [&](const SweepPunkt& p) {
              const long double pi = p.par[0], q = p.par[1];
              return Klassen(p, [&](std::uint32_t x) {
                long double s = 0;
                for (std::uint32_t r = 0; r <= m; ++r) s += BinL(m, pi, r) * BinL(r * n, q, x);
                return s;
              });
            });
}

}  // namespace
}  // namespace vk::test
