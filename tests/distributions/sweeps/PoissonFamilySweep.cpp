// SPDX-License-Identifier: GPL-3.0-or-later
// Poisson family (members 2, 10, 11, 12, 13, 20) over their domains against long-double
// probabilities: means from nearly zero to beyond the point where e^-a underflows, truncation
// points near and far from the mode, the hyper-Poisson's second parameter below and above one.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// a^i / (b)_i in logarithms, the unnormalised hyper-Poisson term.
long double HyperLog(long double a, long double b, long double i) {
  return i * std::log(a) - (std::lgamma(b + i) - std::lgamma(b));
}

const std::vector<double> kMittel{1e-7, 1e-3, 0.5, 3, 30, 200, 740, 800};

TEST(PoissonFamilySweep, Poisson) {
  for (std::uint32_t L : {5u, 40u, 1200u})
    Sweep(2, Gitter({kMittel}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) { return PoissonL(p.par[0], i); });
    });
}

TEST(PoissonFamilySweep, PositivePoisson) {
  for (std::uint32_t L : {5u, 40u, 1200u})
    Sweep(10, Gitter({kMittel}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      return Klassen(p, [&](std::uint32_t i) { return PoissonL(a, i + 1) / -std::expm1(-a); });
    });
}

TEST(PoissonFamilySweep, LeftTruncatedPoisson) {
  for (double start : {0.0, 1.0, 12.0, 200.0}) {
    const auto punkte = Gitter({kMittel}, {start}, 60, static_cast<std::uint32_t>(start));
    Sweep(11, punkte, Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      const auto m = static_cast<std::uint32_t>(p.fest[0]);
      // The mass from m on as a sum of its own terms, so that nothing cancels.
      long double oben = 0;
      for (std::uint32_t v = m; v < m + 5000; ++v) oben += PoissonL(a, v);
      return Klassen(p, [&](std::uint32_t i) { return PoissonL(a, m + i) / oben; });
    });
  }
}

TEST(PoissonFamilySweep, RightTruncatedPoisson) {
  for (std::uint32_t L : {0u, 5u, 40u, 1200u})
    Sweep(12, Gitter({kMittel}, {}, L), Letzte::kPunkt, [](const SweepPunkt& p) {
      return Normiert(Klassen(p, [&](std::uint32_t i) { return PoissonL(p.par[0], i); }));
    });
}

TEST(PoissonFamilySweep, HyperPoisson) {
  const std::vector<double> b{0.05, 0.7, 1, 4.5, 60};
  std::vector<SweepPunkt> punkte;
  for (std::uint32_t L : {4u, 30u})
    for (const SweepPunkt& p : Gitter({{1e-3, 0.6, 5, 80}, b}, {}, L)) punkte.push_back(p);
  // Terms beyond the double range within the first L + 100.
  for (const SweepPunkt& p : Gitter({{800}, {0.05, 4.5}}, {}, 1200)) punkte.push_back(p);
  Sweep(20, punkte, Letzte::kRest, [](const SweepPunkt& p) {
    const long double a = p.par[0], bb = p.par[1];
    long double s = 0;
    long double t = 1;
    for (std::uint32_t i = 0; i < 100000; ++i) {
      s += t;
      t *= a / (bb + i);
      if (t < s * 1e-22L && i > a) break;
    }
    return Klassen(p, [&](std::uint32_t i) { return std::exp(HyperLog(a, bb, i)) / s; });
  });
  // Member 13: the second parameter is F0 + 1, normalised over 0..L.
  // Up to 1200 classes with a = 800, where the terms would pass the double range.
  for (double b0 : {0.05, 1.0, 30.0})
    for (std::uint32_t L : {25u, 1200u})
      Sweep(13, Gitter({{1e-3, 0.6, 5, 80, 800}}, {b0}, L, 1), Letzte::kPunkt,
            [](const SweepPunkt& p) {
              return Normiert(Klassen(p, [&](std::uint32_t i) {
                return std::exp(HyperLog(p.par[0], p.fest[0] + 1, i));
              }));
            });
}

}  // namespace
}  // namespace vk::test
