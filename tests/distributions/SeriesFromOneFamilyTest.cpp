// SPDX-License-Identifier: GPL-3.0-or-later
// Members on the values from 1 or from the data's first value: 59 (Yule-Simon), 60 (left-truncated
// logarithmic), 62 (logarithmic), 63 (Waring with rho = 1), 64 (odd-power zeta), 66 (doubly
// truncated geometric), 67 (truncated logarithmic). Their probabilities over the grid are in
// sweeps/SeriesFromOneSweep.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/distributions/SchaetzCheck.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

double YuleSimon(double a, double x) {
  const double rho = a + 1;
  return rho * std::exp(std::lgamma(x) + std::lgamma(rho + 1) - std::lgamma(x + rho + 1));
}
double Logarithmisch(double a, double x) {
  return -std::pow(a, x) / (x * std::log1p(-a));
}
// Left-truncated below n: D summed directly.
double LogarithmischAb(double a, double n, double x) {
  double D = 0;
  for (double j = n; j < n + 2000; ++j) D += std::pow(a, j) / j;
  return std::pow(a, x) / (x * D);
}
double Geometrisch(double p, double K, double x0, double x) {
  return std::pow(p, x - x0) * (1 - p) / (1 - std::pow(p, K));
}

TEST(SeriesFromOneFamily, EstimatesRecoverExactData) {
  const test::SlotFall faelle[] = {
      // f[0]/f[1] = a + 3 and the share (a + 1)/(a + 2) of the value 1.
      {"Yule-Simon",
       59,
       {},
       1,
       15,
       [](double x) { return YuleSimon(1.5, x); },
       Letzte::kRest,
       {{1, 1.5}, {2, 1.5}}},
      // The first ratio f[1]/f[0] = a n/(n + 1).
      {"left-truncated logarithmic",
       60,
       {3},
       3,
       20,
       [](double x) { return LogarithmischAb(0.6, 3, x); },
       Letzte::kRest,
       {{1, 0.6}}},
      // The first ratio, the share of 1 against the mean, the factorial moments and the ratio
      // regression (a long support, so the remainder does not count).
      {"logarithmic",
       62,
       {},
       1,
       200,
       [](double x) { return Logarithmisch(0.5, x); },
       Letzte::kRest,
       {{0, 0.5}, {1, 0.5}, {2, 0.5}, {51, 0.5}}},
      // P(1) = 1/(a + 1) and P(2)/P(1) = a/(a + 2).
      {"Waring rho = 1",
       63,
       {},
       1,
       15,
       [](double x) { return 1.5 / ((x + 0.5) * (x + 1.5)); },
       Letzte::kRest,
       {{0, 1.5}, {1, 1.5}}},
      // 1 - P(1) = 3^-a and 1 - P(1) - P(2) = 5^-a.
      {"odd-power zeta",
       64,
       {},
       1,
       12,
       [](double x) { return std::pow(2 * x - 1, -1.2) - std::pow(2 * x + 1, -1.2); },
       Letzte::kRest,
       {{0, 1.2}, {1, 1.2}}},
      // The first ratio and (1 - P(first))/(1 - P(last)) are p on the whole support.
      {"doubly truncated geometric",
       66,
       {2, 12},
       2,
       10,
       [](double x) { return Geometrisch(0.7, 11, 2, x); },
       Letzte::kPunkt,
       {{0, 0.7}, {1, 0.7}}},
      // The first ratio a x0/(x0 + 1), from data starting at 3.
      {"truncated logarithmic",
       67,
       {},
       3,
       10,
       [](double x) {
         double S = 0;
         for (double v = 3; v <= 13; ++v) S += std::pow(0.8, v) / v;
         return std::pow(0.8, x) / x / S;
       },
       Letzte::kPunkt,
       {{0, 0.8}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

// The truncated geometric at p = 1 is uniform (the written normaliser is 0/0 there); a support
// that ends before it begins is no distribution.
TEST(SeriesFromOneFamily, DoublyTruncatedGeometricAtOneAndReversedBounds) {
  test::MitReferenzVergleichen("p = 1", 66, {1}, {1, 9}, 900, 8, 1, Letzte::kPunkt,
                               [](std::uint32_t) { return 1.0 / 9; });
  EXPECT_TRUE(test::Auswerten1(66, {0.5}, {9, 1}, 8, 1).fehler);
  EXPECT_TRUE(test::Auswerten1(66, {0.5}, {9, 7.5}, 8, 1).fehler);
  EXPECT_FALSE(test::Auswerten1(66, {0.5}, {9, 9}, 8, 1).fehler);
}

// The logarithmic members at the ends of a: a near 0, where 1 - a drops the digits of a, and
// the left-truncated one with a small a, where the written normaliser cancels entirely.
TEST(SeriesFromOneFamily, LogarithmicAtSmallA) {
  test::MitReferenzVergleichen("logarithmic, a = 1e-9", 62, {1e-9}, {}, 1000, 6, 1, Letzte::kRest,
                               [](std::uint32_t i) { return Logarithmisch(1e-9, i + 1.0); });
  test::MitReferenzVergleichen("left-truncated, a = 1e-4", 60, {1e-4}, {6}, 1000, 6, 6,
                               Letzte::kRest,
                               [](std::uint32_t i) { return LogarithmischAb(1e-4, 6, i + 6.0); });
}

}  // namespace
}  // namespace vk
