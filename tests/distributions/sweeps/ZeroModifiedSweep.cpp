// SPDX-License-Identifier: GPL-3.0-or-later
// Zero-modified logarithmic and Poisson forms and the Poisson with a share of class 1 moved to
// class 0 (members 72, 73, 83) against their closed forms in long double: shares at both ends,
// parameters from nearly 0 to where e^-a underflows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(ZeroModifiedSweep, LogarithmicPositivePoissonAndMovedShare) {
  for (double anteil : {0.0, 0.4, 1.0})
    for (std::uint32_t L : {3u, 40u, 500u})
      Sweep(72, Gitter({{1e-4, 0.3, 0.9, 0.999}}, {anteil}, L), Letzte::kRest,
            [](const SweepPunkt& p) {
              const long double a = p.par[0], b = p.fest[0];
              return Klassen(p, [&](std::uint32_t i) -> long double {
                if (i == 0) return 1 - b;
                return b * std::exp(i * std::log(a)) / i / -std::log1p(-a);
              });
            });
  for (double anteil : {0.3, 1.0})
    for (std::uint32_t L : {2u, 3u, 40u, 1200u})
      Sweep(73, Gitter({{1e-3, 0.5, 5, 80, 720, 800}}, {anteil}, L), Letzte::kRest,
            [](const SweepPunkt& p) {
              const long double a = p.par[0], b = p.fest[0];
              return Klassen(p, [&](std::uint32_t i) -> long double {
                if (i == 0) return 1 - b;
                return b * PoissonL(a, i) / -std::expm1(-a);
              });
            });
  for (std::uint32_t L : {2u, 3u, 40u, 1200u})
    Sweep(83, Gitter({{1e-3, 0.5, 3, 30, 200, 720, 800}, {0.01, 0.5, 0.99}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            return Klassen(p, [&](std::uint32_t i) -> long double {
              if (i == 0) return std::exp(-a) * (1 + a * b);
              if (i == 1) return std::exp(-a) * a * (1 - b);
              return PoissonL(a, i);
            });
          });
}

}  // namespace
}  // namespace vk::test
