// SPDX-License-Identifier: GPL-3.0-or-later
// Poisson members with an inflated, displaced or modified class (44 to 50) over their domains
// against long-double probabilities: means from nearly zero to beyond the point where e^-a
// underflows, inflated classes near 0 and far out, shares at both ends.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

const std::vector<double> kMittel{1e-6, 0.3, 4, 60, 800};
const std::vector<double> kAnteil{0, 0.4, 1};
const std::vector<std::uint32_t> kLaengen{0, 1, 3, 40, 1200};

TEST(InflatedFamilySweep, PoissonDisplacedClass) {
  for (double mf : {0.0, 1.0, 5.0, 200.0})
    for (std::uint32_t L : kLaengen)
      Sweep(44, Gitter({kMittel, kAnteil}, {mf}, L), Letzte::kRest, [](const SweepPunkt& s) {
        const long double a = s.par[0], b = s.par[1], m = s.fest[0];
        return Terme(s, [&](long double i) {
          if (i == m) return PoissonL(a, i) * (1 + a * b / (m + 1));
          if (i == m + 1) return PoissonL(a, i) * (1 - b);
          return PoissonL(a, i);
        });
      });
}

TEST(InflatedFamilySweep, ZeroInflatedPoisson) {
  for (std::uint32_t L : kLaengen)
    Sweep(45, Gitter({kMittel, kAnteil}, {}, L), Letzte::kRest, [](const SweepPunkt& s) {
      const long double a = s.par[0], b = s.par[1];
      return Terme(s, [&](long double i) { return b * PoissonL(a, i) + (i == 0 ? 1 - b : 0); });
    });
}

// Class i holds the value i + 1.
TEST(InflatedFamilySweep, OneInflatedPositivePoisson) {
  for (std::uint32_t L : kLaengen)
    Sweep(46, Gitter({kMittel, kAnteil}, {}, L), Letzte::kRest, [](const SweepPunkt& s) {
      const long double a = s.par[0], b = s.par[1];
      return Terme(s, [&](long double i) {
        return b * PoissonL(a, i + 1) / -std::expm1(-a) + (i == 0 ? 1 - b : 0);
      });
    });
}

TEST(InflatedFamilySweep, PositivePoissonInflatedAtM) {
  for (double mf : {1.0, 3.0, 200.0})
    for (std::uint32_t L : kLaengen)
      Sweep(47, Gitter({kMittel, kAnteil}, {mf}, L, 1), Letzte::kRest, [](const SweepPunkt& s) {
        const long double a = s.par[0], b = s.par[1], m = s.fest[0];
        return Terme(s, [&](long double i) {
          return b * PoissonL(a, i + 1) / -std::expm1(-a) + (i + 1 == m ? 1 - b : 0);
        });
      });
}

TEST(InflatedFamilySweep, PoissonInflatedAtM) {
  for (double mf : {1.0, 3.0, 200.0})
    for (std::uint32_t L : kLaengen)
      Sweep(48, Gitter({kMittel, kAnteil}, {mf}, L), Letzte::kRest, [](const SweepPunkt& s) {
        const long double a = s.par[0], b = s.par[1], m = s.fest[0];
        return Terme(s, [&](long double i) { return b * PoissonL(a, i) + (i == m ? 1 - b : 0); });
      });
}

// Class 0 holds the value 1. The normaliser e^a - 1 - a b as a (1 - b) plus the exponential
// series from its quadratic term, so that nothing cancels.
TEST(InflatedFamilySweep, ModifiedPositivePoisson) {
  for (std::uint32_t L : kLaengen)
    Sweep(49, Gitter({kMittel, {-2, 0, 0.5, 0.999999}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double a = s.par[0], b = s.par[1];
            long double reihe = 0, t = a;  // sum_{k >= 2} a^k/k! e^-a
            for (long double k = 2; k < 5000 + 2 * a; ++k) {
              t *= a / k;
              reihe += t;
            }
            const long double D = (a * (1 - b) + reihe) * std::exp(-a);  // e^-a (e^a - 1 - a b)
            return Terme(s, [&](long double i) {
              return (i == 0 ? a * (1 - b) * std::exp(-a) : PoissonL(a, i + 1)) / D;
            });
          });
}

TEST(InflatedFamilySweep, PositivePoissonRatios) {
  for (std::uint32_t L : kLaengen)
    Sweep(50, Gitter({kMittel}, {}, L), Letzte::kRest, [](const SweepPunkt& s) {
      const long double a = s.par[0];
      return Terme(s, [&](long double i) { return PoissonL(a, i + 1) / -std::expm1(-a); });
    });
}

}  // namespace
}  // namespace vk::test
