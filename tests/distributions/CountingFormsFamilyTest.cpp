// SPDX-License-Identifier: GPL-3.0-or-later
// Members 191, 193 and 194: the integer-part differences at a = 2.5 by hand; the Stirling
// distribution with one summand is the logarithmic one, agrees across the switch from the exact
// Stirling numbers to their scaled triangle, and fails for an m that is not the first value;
// the urn chain without growth is the binomial distribution.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

TEST(CountingFormsFamily, IntegerPartsByHand) {
  // 2a = 5: x = 1: Int(5) - Int(5/3) = 4; x = 2: Int(5/3) - Int(1) = 0; x = 3: 1 - 0; then 0.
  const auto l = test::Auswerten1(191, {2.5}, {}, 5, 1);
  ASSERT_FALSE(l.fehler);
  const double erwartet[] = {800, 0, 200, 0, 0, 0};
  for (std::uint32_t i = 0; i <= 5; ++i) EXPECT_EQ((*l.NP)[i], erwartet[i]) << i;
}

TEST(CountingFormsFamily, StirlingWithOneSummandIsLogarithmic) {
  const auto st = test::Auswerten1(193, {0.8}, {1}, 50, 1);
  Parametervektor par{0.8};
  const auto lg = test::Auswerten(62, par, {}, 50, 1);
  ASSERT_FALSE(st.fehler || lg.fehler);
  for (std::uint32_t i = 0; i <= 50; ++i)
    EXPECT_TRUE(test::Near((*st.NP)[i], (*lg.NP)[i], test::kTight, test::kLogRoute)) << i;
}

TEST(CountingFormsFamily, StirlingRoutesAgreeAcrossTheFactorialRange) {
  // Values 3..170 by the exact Stirling numbers, 3..203 by the scaled triangle.
  const auto genau = test::Auswerten1(193, {0.9}, {3}, 167, 3);
  const auto dreieck = test::Auswerten1(193, {0.9}, {3}, 200, 3);
  ASSERT_FALSE(genau.fehler || dreieck.fehler);
  for (std::uint32_t i = 0; i < 167; ++i)
    EXPECT_TRUE(test::Near((*genau.NP)[i], (*dreieck.NP)[i], test::kTight)) << i;
}

TEST(CountingFormsFamily, StirlingNeedsTheFirstValueAsM) {
  EXPECT_TRUE(test::Auswerten1(193, {0.5}, {2}, 10, 3).fehler);
  EXPECT_TRUE(test::Auswerten1(193, {0.5}, {2.5}, 10, 2).fehler);
  EXPECT_TRUE(test::Auswerten1(193, {0.5}, {0}, 10, 0).fehler);
  EXPECT_FALSE(test::Auswerten1(193, {0.5}, {3}, 10, 3).fehler);
}

TEST(CountingFormsFamily, UrnChainWithoutGrowthIsBinomial) {
  for (std::uint32_t L : {5u, 12u, 20u})
    test::MitReferenzVergleichen(
        "a = 0", 194, {0, 0.35}, {12}, 1000, L, 0, test::Letzte::kRest, [](std::uint32_t x) {
          return x > 12 ? 0.0
                        : std::exp(test::LogBinomial(12, x) + x * std::log(0.35) +
                                   (12.0 - x) * std::log(0.65));
        });
}

}  // namespace
}  // namespace vk
