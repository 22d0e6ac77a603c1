// SPDX-License-Identifier: GPL-3.0-or-later
// Members 195, 199, 200 and 201, built on binomial terms: the binomial limits, the repairs
// written back (199's p, 200's a moved in steps of 0.01 into its bounds), the conditions that
// make a failed evaluation, and estimates on exact data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/PmfSweep.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

double Binomial(double n, double p, double x) {
  return static_cast<double>(
      std::exp(test::LogBinomL(n, x) + x * std::log(p) + (n - x) * std::log1p(-p)));
}

// 195 with a = 0 has the constant chance p; 199 with a = 1 has no weight: both the binomial
// (199 normalised over 0..L, which is all of it for n = L).
TEST(CorrectedBinomialFamily, BinomialLimits) {
  for (double p : {0.05, 0.5, 0.93})
    for (std::uint32_t L : {1u, 8u, 60u}) {
      const auto b = [&](double n) { return [=](std::uint32_t x) { return Binomial(n, p, x); }; };
      test::MitReferenzVergleichen("a = 0", 195, {0, p}, {double(L)}, 1000, L, 0, Letzte::kRest,
                                   b(L));
      test::MitReferenzVergleichen("a = 0, n above L", 195, {0, p}, {L + 4.0}, 1000, L, 0,
                                   Letzte::kRest, b(L + 4));
      test::MitReferenzVergleichen("a = 1", 199, {1, p}, {double(L)}, 1000, L, 0, Letzte::kPunkt,
                                   b(L));
    }
}

// Beyond n trials there are no successes: classes above n are empty, the last holds nothing.
TEST(CorrectedBinomialFamily, UrnChainBelowTheLastClassLeavesUpperClassesEmpty) {
  Parametervektor par{0.7, 0.6};
  const auto l = test::Auswerten(195, par, {4}, 9);
  ASSERT_FALSE(l.fehler);
  for (std::uint32_t j = 5; j <= 9; ++j) EXPECT_LE((*l.NP)[j], 1e-12) << "j=" << j;
  EXPECT_TRUE(Near(test::Summe(*l.NP, 9), 1000, test::kTight));
}

// a is moved in steps of 0.01 until it lies within [-2c/(n(n-1)), 2/((1-2p)^2/(4p(1-p)) + n)]
// and written back; far-off values land at the same bound as the stepping would take them.
TEST(CorrectedBinomialFamily, SecondOrderCorrectionStepsAIntoItsBounds) {
  const struct {
    double a, p, n;
  } faelle[] = {{-0.5, 0.3, 10}, {-0.0153, 0.4, 10}, {0.7, 0.5, 12}, {0.25, 0.1, 6},
                {1e6, 0.3, 10},  {-3e7, 0.7, 20},    {0.01, 0.4, 10}};
  for (const auto& c : faelle) {
    const double cc = std::min(c.p / (1 - c.p), (1 - c.p) / c.p);
    const double unten = -2 * cc / (c.n * (c.n - 1));
    const double oben = 2 / ((1 - 2 * c.p) * (1 - 2 * c.p) / (4 * c.p * (1 - c.p)) + c.n);
    Parametervektor par{c.a, c.p};
    ASSERT_FALSE(test::Auswerten(200, par, {c.n}, 8).fehler);
    const double a = par[0];
    SCOPED_TRACE(testing::Message() << "a " << c.a << " -> " << a);
    EXPECT_GE(a, unten);
    EXPECT_LE(a, oben);
    const double schritte = (a - c.a) / 0.01;
    EXPECT_NEAR(schritte, std::round(schritte), 1e-6 * std::max(1.0, std::fabs(schritte)));
    if (c.a < unten) {
      EXPECT_LT(a - 0.01, unten + 1e-9);
    } else if (c.a > oben) {
      EXPECT_GT(a + 0.01, oben - 1e-9);
    } else {
      EXPECT_EQ(a, c.a);
    }
  }
}

TEST(CorrectedBinomialFamily, RepairsAndFailedEvaluations) {
  // 199: p of 1 or more becomes 0.5, written back.
  Parametervektor par{1.1, 1.4};
  EXPECT_FALSE(test::Auswerten(199, par, {10}, 10).fehler);
  EXPECT_EQ(par[1], 0.5);
  // 200 with n = 1: the bound -2c/(n(n-1)) divides by 0. 201 with c <= 1: no binomial weights.
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    double fest;
    bool fehler;
  } faelle[] = {{200, {0, 0.4}, 1, true},
                {200, {0, 0.4}, 2, false},
                {201, {2, 3, 9}, 1, true},
                {201, {2, 3, 9}, 0.5, true},
                {201, {2, 3, 9}, 1.01, false}};
  for (const auto& c : faelle) {
    Parametervektor p = c.par;
    EXPECT_EQ(test::Auswerten(c.nummer, p, {c.fest}, 9).fehler, c.fehler)
        << "member " << c.nummer << " fixed " << c.fest;
  }
}

// 201 carries p2 without reading it.
TEST(CorrectedBinomialFamily, GammaRatioSumIgnoresItsThirdParameter) {
  Parametervektor a{2, 3, 9}, b{2, 3, -40};
  const auto la = test::Auswerten(201, a, {2}, 9);
  const auto lb = test::Auswerten(201, b, {2}, 9);
  for (std::uint32_t i = 0; i <= 9; ++i) EXPECT_EQ((*la.NP)[i], (*lb.NP)[i]);
}

// 195's p from the zero class, 1 - P(0)^(1/n): exact for a binomial (a = 0) sample. 200's p is
// the mean over n, its second a from the variance: exact for the corrected binomial.
TEST(CorrectedBinomialFamily, EstimatorsOnExactData) {
  test::SlotsPruefen({"urn chain",
                      195,
                      {12},
                      0,
                      12,
                      [](double x) { return Binomial(12, 0.35, x); },
                      Letzte::kRest,
                      {{1, 0.35}, {50, 0.5}}});
  const double a = 0.02, p = 0.3, n = 10;
  test::SlotsPruefen(
      {"second order",
       200,
       {n},
       0,
       10,
       [=](double j) {
         return Binomial(n, p, j) *
                (1 + a / 2 * (j * (j - 1) / p + (n - j) * (n - j - 1) / (1 - p) - n * (n - 1)));
       },
       Letzte::kRest,
       {{1, p}, {51, p}, {50, a}}});
}

}  // namespace
}  // namespace vk
