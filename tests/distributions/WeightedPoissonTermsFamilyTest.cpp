// SPDX-License-Identifier: GPL-3.0-or-later
// Weighted Poisson terms: member 183 moves a = 0 to 0.01 and writes it back; member 184 at
// c = 0 is the Poisson distribution over the classes and two beyond, and its starts for b = 0,
// c = 1 give a back on exact data.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

TEST(WeightedPoissonTermsFamily, ZeroMeanBecomesOneHundredth) {
  const auto l = test::Auswerten1(183, {0}, {}, 10);
  EXPECT_FALSE(l.fehler);
  EXPECT_EQ(l.par[0], 0.01);
}

TEST(WeightedPoissonTermsFamily, WithoutWeightIsPoissonCutAfterTwoMoreTerms) {
  const std::uint32_t L = 6;
  const double a = 2.5;
  double S = 0;
  for (std::uint32_t i = 0; i <= L + 1; ++i)
    S += std::exp(-a + i * std::log(a) - std::lgamma(i + 1.0));
  for (double b : {-0.5, 0.0, 3.0})
    test::MitReferenzVergleichen(
        "c = 0", 184, {a, b, 0}, {}, 1000, L, 0, test::Letzte::kRest,
        [&](std::uint32_t x) { return std::exp(-a + x * std::log(a) - std::lgamma(x + 1.0)) / S; });
}

TEST(WeightedPoissonTermsFamily, ShiftedPositivePoissonStartsGiveABack) {
  // b = 0, c = 1: P(i) = a^{i+1}/((i + 1)! (e^a - 1)); 40 classes leave no mass worth counting.
  const double a = 2.2;
  test::SlotsPruefen({"b = 0, c = 1",
                      184,
                      {},
                      0,
                      40,
                      [&](double x) {
                        return std::exp((x + 1) * std::log(a) - std::lgamma(x + 2)) / std::expm1(a);
                      },
                      test::Letzte::kRest,
                      {{1, a}, {2, a}, {51, 0}, {101, 1}}});
}

}  // namespace
}  // namespace vk
