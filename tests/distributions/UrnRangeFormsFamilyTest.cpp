// SPDX-License-Identifier: GPL-3.0-or-later
// First-success urn laws and the finite forms beside them: members 214 to 221.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
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

// Failures before the first success from A failures and B successes, through log-gamma.
double Urne(double A, double B, double x) {
  if (x > A) return 0;
  return std::exp(std::log(B) + std::lgamma(A + 1) + std::lgamma((A - x) + B) -
                  std::lgamma(A - x + 1) - std::lgamma(A + B + 1));
}

// 217, 220 and 221 are 214 with other parameters: (a, b) -> (A, B) = (b, a - 1), (a - 1, b),
// (a, b - a + 1).
TEST(UrnRangeFormsFamily, ParametrisationsOfOneUrn) {
  struct Fall {
    std::uint32_t nummer;
    Parametervektor par;
    double A, B;
  };
  const Fall faelle[] = {{217, {3.5, 8}, 8, 2.5}, {217, {1.2, 20}, 20, 0.2},
                         {220, {9, 2.5}, 8, 2.5}, {220, {30, 0.4}, 29, 0.4},
                         {221, {9, 12}, 9, 4},    {221, {15, 15}, 15, 1}};
  for (const Fall& c : faelle) {
    for (std::uint32_t L : {4u, 10u, 25u}) {
      // 221 raises a and b below L - 1: the cases keep both above it.
      if (c.nummer == 221 && c.par[0] < L - 1.0) continue;
      test::MitReferenzVergleichen("urn", c.nummer, c.par, {}, 1000, L, 0, Letzte::kRest,
                                   [&](std::uint32_t x) { return Urne(c.A, c.B, x); });
    }
  }
}

// 221 raises a and b below L - 1 to L - 1, then caps a at b, and writes both back; a = b
// makes the urn hold one success, so the classes 0..b are uniform.
TEST(UrnRangeFormsFamily, FirstSuccessUrnTotalRepairsWrittenBack) {
  struct Fall {
    Parametervektor par;
    std::uint32_t L;
    double a, b;
  };
  const Fall faelle[] = {
      {{7, 5}, 5, 5, 5}, {{2, 3}, 10, 9, 9}, {{12, 11}, 10, 11, 11}, {{9, 12}, 10, 9, 12}};
  for (const Fall& c : faelle) {
    const auto r = test::Auswerten1(221, c.par, Fest{}, c.L);
    EXPECT_FALSE(r.fehler);
    EXPECT_EQ(r.par[0], c.a) << "L " << c.L;
    EXPECT_EQ(r.par[1], c.b) << "L " << c.L;
  }
  // a = 7, b = 5 with L - 1 = 4 below 5: a = b = 5, the classes 0..4 each N/6, the rest N/6.
  const auto r = test::Auswerten1(221, {7, 5}, Fest{}, 5);
  for (std::uint32_t i = 0; i <= 5; ++i) EXPECT_TRUE(Near((*r.NP)[i], 1000.0 / 6, test::kTight));
}

// 218: the first class and each difference carry the factor N. Its classes fall by
// N b/((a + b) m x) without an absolute value; m above the last value leaves all of them
// positive, and the last class is then the probability of the value m - 1 itself. With m inside
// the data the classes from m on are 0 (the differences once went on there, positive for a
// large share a, and the table summed above N) and the last class holds what is left, 0.
TEST(UrnRangeFormsFamily, UniformHarmonicSharesEndAtM) {
  const double N = 1000, a = 1, b = 2;
  {
    const double m = 11;
    double psi = 0;
    for (int k = 1; k <= 11; ++k) psi += 1.0 / k;
    const auto r = test::Auswerten1(218, {a, b, m}, Fest{}, 10, 0, N);
    EXPECT_FALSE(r.fehler);
    EXPECT_TRUE(Near((*r.NP)[0], N * (psi * b + a) / ((a + b) * m), test::kTight));
    EXPECT_TRUE(Near((*r.NP)[10], N * (a + b / m) / ((a + b) * m), test::kTight, test::kTight * N));
  }
  for (const double m : {3.0, 8.0}) {
    const auto r = test::Auswerten1(218, {a, b, m}, Fest{}, 10, 0, N);
    EXPECT_FALSE(r.fehler) << "m = " << m;
    for (std::uint32_t i = static_cast<std::uint32_t>(m); i <= 10; ++i)
      EXPECT_NEAR((*r.NP)[i], 0, test::kTight * N) << "m = " << m << ", i = " << i;
  }
}

// Estimates on exact frequencies whose support is the data's range.
TEST(UrnRangeFormsFamily, EstimatesRecoverExactData) {
  const auto arcus = [](double l) {
    const double a = 10;
    return std::exp(test::LogBinomial(2 * l, l) + test::LogBinomial(2 * a - 2 * l, a - l) -
                    a * std::log(4.0));
  };
  const auto fallend = [](double x) {
    const double a = 0.4, b = 10;
    return std::exp(std::lgamma(x - a + 1) - std::lgamma(x + 1) - std::lgamma(1 - a) -
                    (std::lgamma(b - a + 1) - std::lgamma(b) - std::lgamma(2 - a)));
  };
  const std::vector<test::SlotFall> faelle = {
      {"214",
       214,
       {},
       0,
       10,
       [](double x) { return Urne(10, 3, x); },
       Letzte::kRest,
       {{0, 10}, {1, 3}}},
      {"216", 216, {}, 0, 10, arcus, Letzte::kRest, {{0, 10}}},
      {"217",
       217,
       {},
       0,
       10,
       [](double x) { return Urne(10, 2, x); },
       Letzte::kRest,
       {{0, 3}, {1, 10}}},
      {"219", 219, {}, 0, 9, fallend, Letzte::kRest, {{0, 0.4}, {1, 10}}},
      {"220",
       220,
       {},
       0,
       9,
       [](double x) { return Urne(9, 2, x); },
       Letzte::kRest,
       {{0, 10}, {1, 2}}},
      {"221",
       221,
       {},
       0,
       10,
       [](double x) { return Urne(10, 3, x); },
       Letzte::kRest,
       {{0, 10}, {1, 12}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

}  // namespace
}  // namespace vk
