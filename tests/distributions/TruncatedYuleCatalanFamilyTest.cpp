// SPDX-License-Identifier: GPL-3.0-or-later
// Right-truncated Yule and Waring, the power law with a geometric factor, the Catalan power law
// and the affine recurrence: members 209 to 213 and 222.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::Near;

// Probabilities normalised over the values x0..x0+L, from an unnormalised log term.
template <typename LogTerm>
std::function<double(double)> Gestutzt(std::uint32_t x0, std::uint32_t L, LogTerm logTerm) {
  double S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) S += std::exp(logTerm(x0 + i));
  return [=](double x) { return std::exp(logTerm(x)) / S; };
}

double LogCatalan(double a, double x) {
  return std::log(a) - std::log(2 * x + a) + std::lgamma(2 * x + a + 1) - std::lgamma(x + 1) -
         std::lgamma(x + a + 1) - (2 * x + a) * std::log(2.0);
}

// Estimates on exact frequencies: the ratio estimates hold under truncation, and the truncated
// mean and first-class share of 209 are matched on the truncated law itself.
TEST(TruncatedYuleCatalanFamily, EstimatesRecoverExactData) {
  const double rho = 2.5;
  const auto yule = Gestutzt(1, 15, [&](double v) {
    return std::lgamma(v) + std::lgamma(rho + 1) - std::lgamma(v + rho + 1);
  });
  const auto waring =
      Gestutzt(0, 15, [](double i) { return std::lgamma(2 + i) - std::lgamma(3 + 2 + i + 1); });
  const auto potenz =
      Gestutzt(1, 12, [](double x) { return x * std::log(0.8) - 1.5 * std::log(x); });
  const auto catalan = Gestutzt(0, 12, [](double x) { return LogCatalan(2, x); });
  const std::vector<test::SlotFall> faelle = {
      {"Yule right-truncated",
       209,
       {},
       1,
       15,
       yule,
       Letzte::kPunkt,
       {{0, rho}, {50, rho}, {100, rho}, {150, rho}}},
      // E[151] solves the first two ratios for a, E[150] for b.
      {"Waring right-truncated", 210, {}, 0, 15, waring, Letzte::kPunkt, {{151, 3}, {150, 2}}},
      {"power law with geometric factor",
       211,
       {},
       1,
       12,
       potenz,
       Letzte::kPunkt,
       {{0, 1.5}, {1, 0.8}}},
      {"Catalan power",
       212,
       {},
       0,
       15,
       [](double x) { return std::exp(LogCatalan(2, x)); },
       Letzte::kRest,
       {{50, 2}, {100, 2}}},
      {"Catalan power right-truncated", 213, {}, 0, 12, catalan, Letzte::kPunkt, {{0, 2}, {50, 2}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

// Alternative 4 of 210 lists E[150] before E[151]: it starts a at the ratio estimate of b and b
// at that of a.
TEST(TruncatedYuleCatalanFamily, WaringAlternativeFourTakesRatioEstimatesCrosswise) {
  const auto waring =
      Gestutzt(0, 15, [](double i) { return std::lgamma(2 + i) - std::lgamma(3 + 2 + i + 1); });
  std::vector<double> f;
  for (std::uint32_t i = 0; i <= 15; ++i) f.push_back(1000 * waring(i));
  const auto d = test::Klassen(f);
  TParameterEigenschaften eig = test::Eigenschaften(210);
  const Parametervektor start = test::Start(210, *d, eig, 4);
  EXPECT_TRUE(Near(start[0], 2, test::kRecovered));
  EXPECT_TRUE(Near(start[1], 3, test::kRecovered));
}

// a = 1 is the first-passage law of a fair walk: P(x) = C_x/2^(2x + 1) with the Catalan numbers
// C_0 = 1, C_(x+1) = C_x 2(2x + 1)/(x + 2).
TEST(TruncatedYuleCatalanFamily, CatalanPowerAtOneIsFirstPassage) {
  std::vector<double> p(31);
  double catalanZahl = 1;
  for (std::uint32_t x = 0; x <= 30; ++x) {
    p[x] = catalanZahl / std::ldexp(1.0, static_cast<int>(2 * x + 1));
    catalanZahl *= 2.0 * (2 * x + 1) / (x + 2);
  }
  test::MitReferenzVergleichen(
      "first passage", 212, {1}, {}, 1000, 30, 0, Letzte::kRest,
      [&](std::uint32_t x) { return p[x]; }, test::kTight);
}

// Conditions between the parameters and the data that the formulas cannot meet end the
// evaluation: 211 has no term at the value 0; 222 with a negative term (b <= -1, the first
// step c - 4c at a = 0.5) or a denominator i - a - 1 = 0 (a = 2 at i = 3).
TEST(TruncatedYuleCatalanFamily, ConditionsOnDataAndParametersFail) {
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    Parametervektor par;
    std::uint32_t x0;
    bool fehler;
  };
  const Fall faelle[] = {
      {"211 from 0", 211, {1.5, 0.8}, 0, true},
      {"211 from 1", 211, {1.5, 0.8}, 1, false},
      {"222 negative term", 222, {0.5, -2, 0.8}, 0, true},
      {"222 zero denominator", 222, {2, -2, 0.8}, 0, true},
      {"222 positive terms", 222, {11, -2, 0.8}, 0, false},
  };
  for (const Fall& c : faelle) {
    Parametervektor par = c.par;
    const test::Lauf l = test::Auswerten(c.nummer, par, Fest{}, 10, c.x0);
    EXPECT_EQ(l.fehler, c.fehler) << c.name;
    if (!l.fehler) {
      for (std::uint32_t i = 0; i <= 10; ++i) EXPECT_GE((*l.NP)[i], 0) << c.name << " i=" << i;
    }
  }
}

}  // namespace
}  // namespace vk
