// SPDX-License-Identifier: GPL-3.0-or-later
// Members 185, 186 and 188 to 190: their caps and raises, written back; their
// negative binomial limits; 189 and 190 are 188 with a parameter fixed.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

double NegBin(double k, double p, double x) {
  return std::exp(std::lgamma(k + x) - std::lgamma(k) - std::lgamma(x + 1) + k * std::log(p) +
                  x * std::log1p(-p));
}

TEST(RationalPgfFamily, SecondOrderCapsBBelowOneMinusA) {
  for (const auto& [a, b] : {std::pair{0.6, 0.5}, std::pair{0.3, 0.7}, std::pair{0.98, 3.0}}) {
    const auto l = test::Auswerten1(185, {a, b, 2}, {}, 15);
    EXPECT_FALSE(l.fehler);
    EXPECT_EQ(l.par[1], 1 - a - 0.0001) << a << " " << b;
  }
  EXPECT_EQ(test::Auswerten1(185, {0.3, 0.6, 2}, {}, 15).par[1], 0.6);
}

TEST(RationalPgfFamily, SecondOrderWithoutBIsNegativeBinomial) {
  test::MitReferenzVergleichen("b = 0", 185, {0.4, 0, 2.5}, {}, 1000, 25, 0, test::Letzte::kRest,
                               [](std::uint32_t x) { return NegBin(2.5, 0.6, x); });
}

TEST(RationalPgfFamily, LinearFractionRaisesP) {
  // (1 - c)/(1 + c) = 0.6 at c = 0.25: p = 0.5 and 0.6 are raised by it, 0.61 is not.
  for (const auto& [p, erhoeht] :
       {std::pair{0.5, 1.1}, std::pair{0.6, 1.2}, std::pair{0.61, 0.61}}) {
    const auto l = test::Auswerten1(186, {2, p, 0.25}, {}, 15);
    EXPECT_FALSE(l.fehler);
    EXPECT_TRUE(test::Near(l.par[1], erhoeht, test::kUlps)) << p;
  }
}

TEST(RationalPgfFamily, LinearFractionWithDZeroIsNegativeBinomial) {
  test::MitReferenzVergleichen("p = 1 - c", 186, {1.5, 0.7, 0.3}, {}, 1000, 25, 0,
                               test::Letzte::kRest,
                               [](std::uint32_t x) { return NegBin(1.5, 0.7, x); });
}

TEST(RationalPgfFamily, FixedParameterFormsAreTheFreeOne) {
  const auto frei = test::Auswerten1(188, {1.3, 2.1, 0.45}, {}, 30);
  const auto festA = test::Auswerten1(189, {2.1, 0.45}, {1.3}, 30);
  const auto festB = test::Auswerten1(190, {1.3, 0.45}, {2.1}, 30);
  ASSERT_FALSE(frei.fehler || festA.fehler || festB.fehler);
  for (std::uint32_t i = 0; i <= 30; ++i) {
    EXPECT_EQ((*festA.NP)[i], (*frei.NP)[i]) << i;
    EXPECT_EQ((*festB.NP)[i], (*frei.NP)[i]) << i;
  }
}

}  // namespace
}  // namespace vk
