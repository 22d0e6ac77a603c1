// SPDX-License-Identifier: GPL-3.0-or-later
// Members 98 (Poisson mixed with its shift), 100 (geometric with a linear factor), 101 (Poisson
// with a uniform rate) and 110 (reflected uniform mixture of uniforms) over their domains against
// long-double probabilities: shifts inside and beyond the classes (repaired), slopes up to the
// bound that keeps the first value non-negative, rate intervals from nearly a point to three
// orders of magnitude wide, bounds up to the largest number of classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(MixedFormsSweep, PoissonMixedWithItsShift) {
  for (std::uint32_t L : {5u, 40u})
    Sweep(98, Gitter({{0.01, 0.5, 3, 30, 200, 600}, {0.01, 0.5, 0.99}, {0.3, 1, 3, 20, 45}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            // The shift as the member repairs it.
            long double m = std::max(1.0, p.par[2]);
            if (m >= p.L) m = std::floor(p.L / 2.0L);
            return Klassen(p, [&](std::uint32_t i) {
              return (1 - b) * PoissonL(a, i) + (i >= m ? b * PoissonL(a, i - m) : 0);
            });
          });
}

// Means beyond the point where e^-a leaves the double range, classes reaching the mass.
TEST(MixedFormsSweep, PoissonMixedWithItsShiftAtLargeMeans) {
  Sweep(98, Gitter({{900, 5000}, {0.3}, {1, 40}}, {}, 5500), Letzte::kRest,
        [](const SweepPunkt& p) {
          const long double a = p.par[0], b = p.par[1], m = p.par[2];
          return Klassen(p, [&](std::uint32_t i) {
            return (1 - b) * PoissonL(a, i) + (i >= m ? b * PoissonL(a, i - m) : 0);
          });
        });
}

TEST(MixedFormsSweep, GeometricWithALinearFactor) {
  for (std::uint32_t L : {5u, 60u, 1500u}) {
    // |b| up to p/(1 - p), where the first value's probability reaches zero.
    Sweep(100, Gitter({{0.2, 0.5, 0.9, 0.999}, {0, -0.04, 0.2, 0.24}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double q = p.par[0], b = std::fabs(p.par[1]);
            return Klassen(p, [&](std::uint32_t i) {
              const long double x = i + 1.0L;
              return q * std::pow(1 - q, x - 1) * (1 + b * (x - 1 / q));
            });
          });
  }
}

// The mean of Pois(x; t) over t in [a, b]: below the crossing of the two Poisson weights as the
// partial sum of Pois(j; a) - Pois(j; b), above it as the sum of the reversed differences beyond x
// (both sums of one-signed terms, each term from lgamma).
long double PoissonGleichverteilt(long double a, long double b, std::uint32_t x) {
  const long double d = b - a;
  const long double kreuzung = d / std::log(b / a);
  long double s = 0;
  if (x < kreuzung) {
    for (std::uint32_t j = 0; j <= x; ++j) s += PoissonL(a, j) - PoissonL(b, j);
  } else {
    for (std::uint32_t j = x + 1; j < x + 100 + b + 60 * std::sqrt(b); ++j)
      s += PoissonL(b, j) - PoissonL(a, j);
  }
  return s / d;
}

TEST(MixedFormsSweep, PoissonWithAUniformRate) {
  for (std::uint32_t L : {5u, 40u, 300u})
    Sweep(101, Gitter({{0.1, 2, 50, 400}, {0.3, 2.0001, 5, 60, 1000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = std::min(p.par[0], p.par[1]);
            const long double b = std::max(p.par[0], p.par[1]);
            return Klassen(p, [&](std::uint32_t x) { return PoissonGleichverteilt(a, b, x); });
          });
}

TEST(MixedFormsSweep, ReflectedUniformMixture) {
  // n at the last value x[L] = L + 1 (and below it, raised there): (1/n) sum_{y=n-x+1}^{n} 1/y.
  for (std::uint32_t L : {0u, 5u, 100u, 20000u})
    Sweep(110, Gitter({{0.5, L + 1.0}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      const long double n = p.L + 1;
      std::vector<long double> r(p.L + 1);
      long double h = 0;
      for (std::uint32_t i = 0; i <= p.L; ++i) {
        h += 1 / (n - i);
        r[i] = h / n;
      }
      return r;
    });
}

}  // namespace
}  // namespace vk::test
