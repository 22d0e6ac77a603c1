// SPDX-License-Identifier: GPL-3.0-or-later
// Members 202, 203 and 206 to 208 on the values 1, 2, ...: the normalisers against closed forms
// (the whole infinite series, not its first L + 100 terms), the harmonic member at a = 2.4, and
// the estimators on exact data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/PmfSweep.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

// psi'(1) = pi^2/6, psi'(2) = pi^2/6 - 1; psi(1 + beta) - psi(beta) = 1/beta and, for alpha =
// 2, 1/beta + 1/(beta + 1). P(1) = 1/(a psi'(a)) and alpha/((alpha + beta) R).
TEST(SibuyaWaringFromOneFamily, FirstClassAgainstClosedFormsOfTheNormaliser) {
  constexpr double z2 = std::numbers::pi * std::numbers::pi / 6;
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    double p1;
  } faelle[] = {
      {202, {1}, 1 / z2},
      {202, {2}, 1 / (2 * (z2 - 1))},
      {203, {1, 0.3}, 0.3 / 1.3},
      {203, {1, 4}, 4 / 5.0},
      {203, {2, 0.5}, 2 / (2.5 * (1 / 0.5 + 1 / 1.5))},
  };
  for (const auto& c : faelle)
    for (std::uint32_t L : {1u, 50u}) {
      Parametervektor par = c.par;
      const auto l = test::Auswerten(c.nummer, par, {}, L, 1);
      ASSERT_FALSE(l.fehler);
      EXPECT_TRUE(Near((*l.NP)[0], 1000 * c.p1, test::kShort))
          << "member " << c.nummer << " L " << L;
    }
}

// k = Int(2.4 + 0.5) = 2, psi_2 = 1.5: NP[0] = N/1.5, NP[1] = N/3; beyond k the classes are 0
// (the formula once went on there, and the table summed above N).
TEST(SibuyaWaringFromOneFamily, HarmonicAtTwoPointFour) {
  Parametervektor par{2.4};
  const auto l = test::Auswerten(206, par, {}, 3, 1);
  ASSERT_FALSE(l.fehler);
  EXPECT_TRUE(Near((*l.NP)[0], 1000 / 1.5, test::kUlps));
  EXPECT_TRUE(Near((*l.NP)[1], 1000 / 3.0, test::kUlps));
  EXPECT_EQ((*l.NP)[2], 0);
  EXPECT_EQ((*l.NP)[3], 0);
  Parametervektor null{0.3};
  EXPECT_TRUE(test::Auswerten(206, null, {}, 3, 1).fehler) << "k = 0 has no harmonic number";
}

// 202: f[0]/(2 f[1]) - 1 = a; 207: f[0]/N = a; 208: both ratio estimates give a.
TEST(SibuyaWaringFromOneFamily, EstimatorsOnExactData) {
  const double a = 0.35;
  const auto sibuya = [=](double x) {
    return static_cast<double>(
        a * std::exp(std::lgamma(x - a) - std::lgamma(1 - a) - std::lgamma(x + 1)));
  };
  test::SlotsPruefen({"Sibuya", 207, {}, 1, 30, sibuya, Letzte::kRest, {{0, a}}});
  double S = 0;
  for (int x = 1; x <= 11; ++x) S += sibuya(x);
  test::SlotsPruefen({"Sibuya truncated",
                      208,
                      {},
                      1,
                      10,
                      [=](double x) { return sibuya(x) / S; },
                      Letzte::kPunkt,
                      {{0, a}, {1, a}}});
  const double b = 1.8;
  test::SlotsPruefen({"trigamma Waring",
                      202,
                      {},
                      1,
                      40,
                      [=](double x) {
                        return static_cast<double>(std::exp(2 * std::lgamma(x) -
                                                            std::lgamma(x + 1) -
                                                            std::lgamma(x + b) + std::lgamma(b)));
                      },
                      Letzte::kRest,
                      {{1, b}}});
}

}  // namespace
}  // namespace vk
