// SPDX-License-Identifier: GPL-3.0-or-later
// Members built from Poisson probabilities: 58 (a! / a^a a^(i-1) (a - i) / i!), 61 (grouped
// Poisson), 65 and 68 (Poisson upper tails over a + 1 and over a). Their probabilities over the
// grid are in sweeps/PoissonTailSweep.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/distributions/SchaetzCheck.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;
using test::Poisson;

double Schwanz(double a, double k) {
  double s = 0;
  for (double v = k; v < k + 400; ++v) s += Poisson(a, v);
  return s;
}

TEST(PoissonTailFamily, EstimatesRecoverTheMean) {
  const test::SlotFall faelle[] = {
      // P(0) = 1/(a + 1).
      {"tail over a + 1",
       65,
       {},
       0,
       12,
       [](double x) { return Schwanz(2.5, x) / 3.5; },
       Letzte::kRest,
       {{0, 2.5}}},
      // The mean is a/2, P(0) - P(1) = e^-a and the second factorial moment a^2/3: all three
      // exact once the support is long enough for the moments.
      {"tail over a",
       68,
       {},
       0,
       80,
       [](double x) { return Schwanz(2.5, x + 1) / 2.5; },
       Letzte::kRest,
       {{0, 2.5}, {1, 2.5}, {2, 2.5}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

// An a below L + 1 is raised to L + 1 and the caller sees it (L = 10, a = 4 gives 11).
TEST(PoissonTailFamily, FinitePoissonTypeRaisesAAndWritesItBack) {
  for (const auto& [a, erwartet] : {std::pair{4.0, 11.0}, {11.0, 11.0}, {15.0, 15.0}}) {
    const auto r = test::Auswerten1(58, {a}, {}, 10);
    EXPECT_FALSE(r.fehler);
    EXPECT_EQ(r.par[0], erwartet);
  }
  // With a = L + 1 the classes 0..L are the whole support: the last class is its own point.
  test::MitReferenzVergleichen(
      "a = L + 1", 58, {11}, {}, 1000, 10, 0, Letzte::kRest, [](std::uint32_t i) {
        return std::exp(std::lgamma(12.0) - 11 * std::log(11.0) + (i - 1.0) * std::log(11.0) +
                        std::log(11.0 - i) - std::lgamma(i + 1.0));
      });
}

// A group of no values (m = 0) holds nothing: a failed evaluation; m = 1 is the Poisson itself.
TEST(PoissonTailFamily, GroupedPoissonNeedsAGroup) {
  EXPECT_TRUE(test::Auswerten1(61, {2}, {0}, 6).fehler);
  EXPECT_TRUE(test::Auswerten1(61, {2}, {0.5}, 6).fehler);
  test::MitReferenzVergleichen("m = 1", 61, {2.2}, {1}, 400, 9, 0, Letzte::kRest,
                               [](std::uint32_t i) { return Poisson(2.2, i); });
}

}  // namespace
}  // namespace vk
