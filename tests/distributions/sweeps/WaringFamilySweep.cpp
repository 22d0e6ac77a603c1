// SPDX-License-Identifier: GPL-3.0-or-later
// Waring family (members 17, 18, 19) over their domains against long-double probabilities from
// lgamma: parameters from nearly 0 (tails too heavy for a mean) to ten thousand, up to 2000
// classes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// rho (alpha)_v / (rho + alpha)_(v+1).
long double WaringL(long double rho, long double alpha, long double v) {
  return std::exp(std::log(rho) + std::lgamma(alpha + v) - std::lgamma(alpha) +
                  std::lgamma(rho + alpha) - std::lgamma(rho + alpha + v + 1));
}

const std::vector<double> kWerte{1e-3, 0.5, 3, 100, 1e4};
const std::vector<std::uint32_t> kL{0, 2, 30, 2000};

TEST(WaringFamilySweep, AlphaTwoAndYule) {
  for (std::uint32_t L : kL) {
    // a (a + 1) B(i + 2, a + 1): Waring with rho = a, alpha = 2.
    Sweep(17, Gitter({kWerte}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) { return WaringL(p.par[0], 2, i); });
    });
    // a B(v, a + 1) for the value v = i + 1: Waring with rho = a, alpha = 1 at i.
    Sweep(18, Gitter({kWerte}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) {
        const long double a = p.par[0];
        return std::exp(std::log(a) + std::lgamma(i + 1.0L) + std::lgamma(a + 1) -
                        std::lgamma(i + a + 2));
      });
    });
  }
}

TEST(WaringFamilySweep, Waring) {
  for (std::uint32_t L : kL)
    Sweep(19, Gitter({kWerte, kWerte}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      return Klassen(p, [&](std::uint32_t i) { return WaringL(p.par[0], p.par[1], i); });
    });
}

}  // namespace
}  // namespace vk::test
