// SPDX-License-Identifier: GPL-3.0-or-later
// Stopped sums of Poisson summands (members 99, 104 to 107, 111) over their domains against
// long-double probabilities from the compound definition: P(x) = sum_k P(K = k) Pois(x; k a) for
// the logarithmic and geometric numbers of summands, sums over the split into summands for the
// Polya-Aeppli and Hermite distributions. Means from nearly zero to hundreds, parameters of the
// number of summands near both ends of (0, 1).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// sum_{k>=1} w(k) Pois(x; k a), w(k) decreasing from some k on: summed until k a is far beyond x
// and the weight no longer counts.
long double GemischtePoisson(long double a, std::uint32_t x, auto gewicht) {
  long double s = 0;
  for (std::uint32_t k = 1; k < 2000000; ++k) {
    const long double w = gewicht(k);
    const long double ka = k * a;
    const long double t = w * (x == 0 ? std::exp(-ka) : PoissonL(ka, x));
    s += t;
    if (ka > x && w < s * 1e-24L) break;
  }
  return s;
}

long double LogPoisson(long double a, long double r, std::uint32_t x) {
  const long double c = -std::log1p(-r);
  return GemischtePoisson(a, x, [&](std::uint32_t k) { return std::pow(r, k) / (k * c); });
}

long double GeomPoisson(long double a, long double b, std::uint32_t x) {
  const long double null = x == 0 ? 1 - b : 0;
  return null + GemischtePoisson(a, x, [&](std::uint32_t k) { return (1 - b) * std::pow(b, k); });
}

const std::vector<double> kMittel{0.01, 0.5, 3, 30, 300};
const std::vector<double> kAnteile{0.001, 0.1, 0.5, 0.9, 0.999};

TEST(StoppedSumSweep, PolyaAeppli) {
  // n Poisson(a) summands, each geometric on 1, 2, ...: C(x - 1, n - 1) b^n (1 - b)^(x - n).
  for (std::uint32_t L : {5u, 80u})
    Sweep(99, Gitter({{0.01, 1, 10, 100, 600}, kAnteile}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            return Klassen(p, [&](std::uint32_t x) {
              if (x == 0) return std::exp(-a);
              long double s = 0;
              for (std::uint32_t n = 1; n <= x; ++n)
                s +=
                    std::exp(LogBinomL(x - 1, n - 1) + n * std::log(b) + (x - n) * std::log1p(-b)) *
                    PoissonL(a, n);
              return s;
            });
          });
}

TEST(StoppedSumSweep, LogarithmicPoisson) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(104, Gitter({kMittel, {0.01, 0.5, 0.9, 0.99}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            return Klassen(p, [&](std::uint32_t x) { return LogPoisson(p.par[0], p.par[1], x); });
          });
  Sweep(105, Gitter({{0.0001, 0.01, 0.5, 0.9, 0.99}}, {}, 40), Letzte::kRest,
        [](const SweepPunkt& p) {
          return Klassen(p, [&](std::uint32_t x) { return LogPoisson(1, p.par[0], x); });
        });
}

TEST(StoppedSumSweep, GeometricPoisson) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(106, Gitter({kMittel, {0.01, 0.5, 0.9, 0.99}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            return Klassen(p, [&](std::uint32_t x) { return GeomPoisson(p.par[0], p.par[1], x); });
          });
  Sweep(107, Gitter({{0.0001, 0.01, 0.5, 0.9, 0.99}}, {}, 40), Letzte::kRest,
        [](const SweepPunkt& p) {
          return Klassen(p, [&](std::uint32_t x) { return GeomPoisson(1, p.par[0], x); });
        });
}

// Means beyond the point where e^-a leaves the double range, with classes reaching the mass.
TEST(StoppedSumSweep, MeansBeyondTheDoubleRangeOfTheFirstClass) {
  Sweep(99, Gitter({{900, 1500}, {0.3, 0.999}}, {}, 1600), Letzte::kRest, [](const SweepPunkt& p) {
    const long double a = p.par[0], b = p.par[1];
    return Klassen(p, [&](std::uint32_t x) {
      if (x == 0) return std::exp(-a);
      long double s = 0;
      for (std::uint32_t n = 1; n <= x; ++n)
        s += std::exp(LogBinomL(x - 1, n - 1) + n * std::log(b) +
                      (n < x ? (x - n) * std::log1p(-b) : 0) - a + n * std::log(a) - LogFak(n));
      return s;
    });
  });
  Sweep(111, Gitter({{900, 3000}, {0.001, 0.5}}, {}, 3500), Letzte::kRest, [](const SweepPunkt& p) {
    const long double a = p.par[0], b = p.par[1];
    return Klassen(p, [&](std::uint32_t x) {
      long double s = 0;
      for (std::uint32_t j = 0; 2 * j <= x; ++j)
        s += PoissonL(a * (1 - b), x - 2 * j) * PoissonL(a * b, j);
      return s;
    });
  });
  Sweep(104, Gitter({{900}, {0.5, 0.9}}, {}, 1000), Letzte::kRest, [](const SweepPunkt& p) {
    return Klassen(p, [&](std::uint32_t x) { return LogPoisson(p.par[0], p.par[1], x); });
  });
  Sweep(106, Gitter({{900}, {0.5}}, {}, 1000), Letzte::kRest, [](const SweepPunkt& p) {
    return Klassen(p, [&](std::uint32_t x) { return GeomPoisson(p.par[0], p.par[1], x); });
  });
}

TEST(StoppedSumSweep, Hermite) {
  // x = Y1 + 2 Y2 with Y1 ~ Poisson(a (1 - b)), Y2 ~ Poisson(a b).
  for (std::uint32_t L : {5u, 80u})
    Sweep(111, Gitter({{0.01, 1, 10, 100, 600}, kAnteile}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            return Klassen(p, [&](std::uint32_t x) {
              long double s = 0;
              for (std::uint32_t j = 0; 2 * j <= x; ++j)
                s += PoissonL(a * (1 - b), x - 2 * j) * PoissonL(a * b, j);
              return s;
            });
          });
}

}  // namespace
}  // namespace vk::test
