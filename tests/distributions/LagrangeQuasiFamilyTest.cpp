// SPDX-License-Identifier: GPL-3.0-or-later
// Lagrangian-type members: the quasi-binomial (181) at phi = 0 is the binomial and raises n to
// the last class index; the generalized logarithmic series (182) is a distribution (the classes
// hold all of N), is the logarithmic one at beta = 1 and moves a beta at or above 1/theta inside;
// 187 at b = 0 is the Poisson distribution and its iteration gives (a, b) back on exact data.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

TEST(LagrangeQuasiFamily, QuasiBinomialWithoutPhiIsBinomial) {
  test::MitReferenzVergleichen(
      "phi = 0", 181, {12, 0.3, 0}, {}, 1000, 10, 0, test::Letzte::kRest, [](std::uint32_t x) {
        return std::exp(test::LogBinomial(12, x) + x * std::log(0.3) + (12.0 - x) * std::log(0.7));
      });
}

TEST(LagrangeQuasiFamily, QuasiBinomialRaisesNToTheLastClass) {
  const auto klein = test::Auswerten1(181, {5, 0.3, 0.1}, {}, 10);
  const auto gleich = test::Auswerten1(181, {10, 0.3, 0.1}, {}, 10);
  ASSERT_FALSE(klein.fehler || gleich.fehler);
  EXPECT_EQ(klein.par[0], 10);
  for (std::uint32_t i = 0; i <= 10; ++i) EXPECT_EQ((*klein.NP)[i], (*gleich.NP)[i]) << i;
}

TEST(LagrangeQuasiFamily, LogarithmicSeriesHoldsAllOfN) {
  // beta theta from 0.5 to 0.75: the classes up to 3000 leave next to nothing for the tail,
  // where the probabilities without the factor (beta - 1) x + 1 would leave a third of N.
  for (const auto& [theta, beta] :
       {std::pair{0.5, 1.5}, std::pair{0.3, 2.0}, std::pair{0.05, 10.0}}) {
    const auto l = test::Auswerten1(182, {theta, beta}, {}, 3000, 1);
    ASSERT_FALSE(l.fehler);
    EXPECT_LT((*l.NP)[3000], 1e-6) << theta << " " << beta;
  }
}

TEST(LagrangeQuasiFamily, LogarithmicSeriesAtBetaOneIsLogarithmic) {
  const auto gls = test::Auswerten1(182, {0.7, 1}, {}, 40, 1);
  Parametervektor par{0.7};
  const auto lg = test::Auswerten(62, par, {}, 40, 1);
  ASSERT_FALSE(gls.fehler || lg.fehler);
  for (std::uint32_t i = 0; i <= 40; ++i)
    EXPECT_TRUE(test::Near((*gls.NP)[i], (*lg.NP)[i], test::kTight, test::kLogRoute)) << i;
}

TEST(LagrangeQuasiFamily, LogarithmicSeriesMovesBetaBelowOneOverTheta) {
  for (const auto& [theta, beta] :
       {std::pair{0.5, 2.0}, std::pair{0.5, 7.0}, std::pair{0.1, 10.0}}) {
    const auto l = test::Auswerten1(182, {theta, beta}, {}, 20, 1);
    EXPECT_FALSE(l.fehler);
    EXPECT_EQ(l.par[1], (1 + 1 / theta) / 2) << theta << " " << beta;
  }
  EXPECT_EQ(test::Auswerten1(182, {0.5, 1.9}, {}, 20, 1).par[1], 1.9);
}

TEST(LagrangeQuasiFamily, LinearMeanPoissonWithoutSlopeIsPoisson) {
  test::MitReferenzVergleichen(
      "b = 0", 187, {3.5, 0}, {}, 1000, 20, 0, test::Letzte::kRest,
      [](std::uint32_t x) { return std::exp(-3.5 + x * std::log(3.5) - std::lgamma(x + 1.0)); });
}

TEST(LagrangeQuasiFamily, LinearMeanPoissonIterationRecoversItsParameters) {
  const double a = 1.7, b = 0.35;
  test::SlotsPruefen({"exact data",
                      187,
                      {},
                      0,
                      60,
                      [&](double x) {
                        return (1 - b) *
                               std::exp(x * std::log(a + b * x) - (a + b * x) - std::lgamma(x + 1));
                      },
                      test::Letzte::kRest,
                      {{50, a}, {51, b}},
                      1e-3});
}

}  // namespace
}  // namespace vk
