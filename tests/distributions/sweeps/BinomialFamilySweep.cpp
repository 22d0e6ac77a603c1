// SPDX-License-Identifier: GPL-3.0-or-later
// Binomial family (members 0, 1, 9, 21, 22, 23, 24) over their domains against long-double
// probabilities from lgamma: p from the catalog's lower bound to a hair below 1, n from the last
// class to far beyond it (where (1 - p)^n underflows), truncation points below, at and above the
// mode.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// C(n, v) p^v (1 - p)^(n - v).
long double BinomL(long double n, long double p, long double v) {
  return std::exp(LogBinomL(n, v) + v * std::log(p) + (n - v) * std::log1p(-p));
}

// The mass from value t on, summed term by term so that nothing cancels, until (beyond the mode)
// a term no longer counts.
long double ObenL(long double n, long double p, long double t) {
  long double s = 0;
  for (long double v = t; v <= n; ++v) {
    const long double b = BinomL(n, p, v);
    s += b;
    if (v > n * p + 1 && b < s * 1e-25L) break;
  }
  return s;
}

const std::vector<double> kP{1e-4, 0.01, 0.3, 0.5, 0.9, 0.999, 1 - 1e-9};
const std::vector<std::uint32_t> kL{0, 1, 2, 30, 300, 2000};

// Numbers of trials from L up to far beyond it.
std::vector<double> Versuche(std::uint32_t L) {
  return {static_cast<double>(L), L + 1.0, 2.0 * L + 3, L + 1500.0, 100000};
}

TEST(BinomialFamilySweep, Binomial) {
  for (std::uint32_t L : kL)
    Sweep(0, Gitter({Versuche(L), kP}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) { return BinomL(p.par[0], p.par[1], i); });
    });
}

TEST(BinomialFamilySweep, FixedNAndFixedP) {
  for (std::uint32_t L : kL)
    for (double n : Versuche(L)) {
      Sweep(1, Gitter({kP}, {n}, L), Letzte::kRest, [](const SweepPunkt& p) {
        return Klassen(p, [&](std::uint32_t i) { return BinomL(p.fest[0], p.par[0], i); });
      });
    }
  for (std::uint32_t L : kL)
    for (double pp : kP)
      Sweep(9, Gitter({Versuche(L)}, {pp}, L), Letzte::kRest, [](const SweepPunkt& p) {
        return Klassen(p, [&](std::uint32_t i) { return BinomL(p.par[0], p.fest[0], i); });
      });
}

// Classes from the value 1: the largest value L + 1 needs n >= L + 1.
TEST(BinomialFamilySweep, Positive) {
  const auto referenz = [](long double n, long double pp, const SweepPunkt& p) {
    const long double oben = -std::expm1(n * std::log1p(-pp));
    return Klassen(p, [&](std::uint32_t i) { return BinomL(n, pp, i + 1) / oben; });
  };
  for (std::uint32_t L : kL) {
    Sweep(21, Gitter({Versuche(L + 1), kP}, {}, L, 1), Letzte::kRest,
          [&](const SweepPunkt& p) { return referenz(p.par[0], p.par[1], p); });
    for (double n : Versuche(L + 1))
      Sweep(22, Gitter({kP}, {n}, L, 1), Letzte::kRest,
            [&](const SweepPunkt& p) { return referenz(p.fest[0], p.par[0], p); });
  }
}

// Truncated below t = x[0]: at 1, near the mode of n p and far above it (where 1 - S would
// cancel), and with (1 - p)^n underflowing.
TEST(BinomialFamilySweep, LeftTruncated) {
  const auto referenz = [](long double n, long double pp, const SweepPunkt& p) {
    const long double oben = ObenL(n, pp, p.x0);
    return Klassen(p, [&](std::uint32_t i) { return BinomL(n, pp, p.x0 + i) / oben; });
  };
  for (std::uint32_t L : {1u, 2u, 30u, 300u})
    for (std::uint32_t t : {1u, 2u, 12u, 150u, 900u}) {
      const std::vector<double> n{t + L + 0.0, 2.0 * (t + L), 3000};
      Sweep(23, Gitter({n, kP}, {static_cast<double>(t)}, L, t), Letzte::kRest,
            [&](const SweepPunkt& p) { return referenz(p.par[0], p.par[1], p); });
      if (t < 2) continue;
      for (double nn : n)
        Sweep(24, Gitter({kP}, {nn, static_cast<double>(t)}, L, t), Letzte::kRest,
              [&](const SweepPunkt& p) { return referenz(p.fest[0], p.par[0], p); });
    }
}

}  // namespace
}  // namespace vk::test
