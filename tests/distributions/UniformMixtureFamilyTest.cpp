// SPDX-License-Identifier: GPL-3.0-or-later
// Mixtures of uniform distributions on 0..v-1 (members 75 to 80): the mean of a uniform on
// 0..v-1 is (v - 1)/2, so each mixture's mean is half its mixing value's mean less one, a
// property of the whole distribution that the recurrences do not use.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/FpFault.h"
#include "distributions/Dispatch.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;

using test::Lauf;

Lauf Rechnen(std::uint32_t nummer, Parametervektor par, const Fest& fest, std::uint32_t L,
             double N = 1000) {
  return test::Auswerten(nummer, par, fest, L, 0, N);
}

TEST(UniformMixtureFamily, MeanIsHalfTheMixingMeanLessOne) {
  const double q = std::exp(-3.0);
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t L;
    double mischMittel;  // the mean of the mixing value v
  } kFaelle[] = {
      {75, {8, 0.3}, {}, 30, 8 * 0.3 / (1 - std::pow(0.7, 8))},
      {76, {0.6}, {8}, 30, 8 * 0.6 / (1 - std::pow(0.4, 8))},
      {77, {8}, {0.3}, 30, 8 * 0.3 / (1 - std::pow(0.7, 8))},
      {78, {0.3}, {}, 400, 1 / 0.3},
      {79, {3}, {}, 80, 3 / (1 - q)},
      {80, {2, 0.4}, {}, 300, 2 * 0.6 / 0.4 / (1 - 0.4 * 0.4)},
  };
  for (const auto& c : kFaelle) {
    const Lauf l = Rechnen(c.nummer, c.par, c.fest, c.L);
    ASSERT_FALSE(l.fehler) << "member " << c.nummer;
    long double mittel = 0;
    for (std::uint32_t i = 0; i <= c.L; ++i) mittel += i * (*l.NP)[i] / 1000;
    EXPECT_TRUE(test::Near(static_cast<double>(mittel), (c.mischMittel - 1) / 2, test::kLogRoute))
        << "member " << c.nummer << ": " << static_cast<double>(mittel);
  }
}

// A mixing value that is always 1 leaves all mass at 0; one that stops at n leaves none above
// n - 1.
TEST(UniformMixtureFamily, MixingValueBoundsTheSupport) {
  const Lauf eins = Rechnen(75, {1, 0.4}, {}, 6);
  ASSERT_FALSE(eins.fehler);
  EXPECT_DOUBLE_EQ((*eins.NP)[0], 1000);
  for (std::uint32_t i = 1; i <= 6; ++i) EXPECT_EQ((*eins.NP)[i], 0) << i;
  const Lauf drei = Rechnen(76, {0.4}, {3}, 8);
  ASSERT_FALSE(drei.fehler);
  EXPECT_GT((*drei.NP)[2], 0);
  for (std::uint32_t i = 3; i < 8; ++i) EXPECT_EQ((*drei.NP)[i], 0) << i;
}

// A given p has no binomial to mix over outside (0, 1); nor has n = 0.
TEST(UniformMixtureFamily, GivenValuesOutsideTheirRangeFail) {
  for (double p : {0.0, 1.0, 1.5, -0.2}) EXPECT_TRUE(Rechnen(77, {5}, {p}, 6).fehler) << p;
  EXPECT_TRUE(Rechnen(76, {0.4}, {0}, 6).fehler);
}

}  // namespace
}  // namespace vk
