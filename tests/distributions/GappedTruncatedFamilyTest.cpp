// SPDX-License-Identifier: GPL-3.0-or-later
// Members 112 to 117: the Poisson with a gap, the truncated negative binomial and binomial forms
// and the negative binomial with a share of one moved to zero: their special cases, the repair
// of n, supports without a value, and estimates on exact data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"

namespace vk::test {
namespace {

double Pois(double a, double x) {
  return std::exp(-a + x * std::log(a) - std::lgamma(x + 1));
}
double NegBin(double k, double p, double x) {
  return std::exp(std::lgamma(k + x) - std::lgamma(k) - std::lgamma(x + 1) + k * std::log(p) +
                  x * std::log1p(-p));
}
double Bin(double n, double p, double x) {
  return x > n ? 0 : std::exp(LogBinomial(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}

TEST(GappedTruncatedFamily, SpecialCases) {
  const double a = 3;
  // F0 = 2, F1 = 5: classes 3 and 4 empty, the others scaled by 1/(1 - Po(3) - Po(4)).
  const double teiler = 1 - Pois(a, 3) - Pois(a, 4);
  MitReferenzVergleichen(
      "gap 3..4", 112, {a}, {2, 5}, 1000, 12, 0, Letzte::kRest,
      [&](std::uint32_t x) { return x == 3 || x == 4 ? 0 : Pois(a, x) / teiler; });
  // F1 <= F0 + 1: no gap, the plain Poisson.
  for (const Fest& f : {Fest{2, 3}, Fest{4, 2}})
    MitReferenzVergleichen("no gap", 112, {a}, f, 1000, 12, 0, Letzte::kRest,
                           [&](std::uint32_t x) { return Pois(a, x); });
  // n = 10 with the support 0..10: the plain binomial (S = 1).
  MitReferenzVergleichen("binomial", 115, {0.3}, {10, 0, 10}, 1000, 10, 0, Letzte::kRest,
                         [](std::uint32_t x) { return Bin(10, 0.3, x); });
  // Truncated below 1 with the data from 1: the zero-truncated negative binomial.
  MitReferenzVergleichen(
      "positive negative binomial", 113, {2, 0.4}, {1}, 1000, 20, 1, Letzte::kRest,
      [](std::uint32_t i) { return NegBin(2, 0.4, i + 1) / (1 - std::pow(0.4, 2)); });
  // Nothing moved: the negative binomial.
  MitReferenzVergleichen("negative binomial", 117, {2.5, 0.4, 0}, {}, 1000, 20, 0, Letzte::kRest,
                         [](std::uint32_t x) { return NegBin(2.5, 0.4, x); });
}

// n of 20100 or more is set to 20100, written back, and gives the frequencies of n = 20100.
TEST(GappedTruncatedFamily, LargeNumberOfTrialsIsCapped) {
  const Fest fest{9990, 10010};
  const auto gross = Auswerten1(116, {30000, 0.5}, fest, 20, 9990);
  const auto grenze = Auswerten1(116, {20100, 0.5}, fest, 20, 9990);
  EXPECT_FALSE(gross.fehler);
  EXPECT_EQ(gross.par[0], 20100);
  for (std::uint32_t i = 0; i <= 20; ++i) EXPECT_EQ((*gross.NP)[i], (*grenze.NP)[i]) << i;
  MitReferenzVergleichen("n = 20100", 116, {20100, 0.5}, fest, 1000, 20, 9990, Letzte::kRest,
                         [](std::uint32_t i) {
                           double s = 0;
                           for (double v = 9990; v <= 10010; ++v) s += Bin(20100, 0.5, v);
                           return Bin(20100, 0.5, 9990 + i) / s;
                         });
}

// A support without a value (last value below the first) or a negative truncation point is no
// distribution: a failed evaluation.
TEST(GappedTruncatedFamily, EmptySupportFails) {
  struct Fall {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
  };
  const Fall faelle[] = {{113, {2, 0.4}, {-3}},
                         {114, {2, 0.4}, {8, 5}},
                         {115, {0.3}, {10, 7, 4}},
                         {116, {12, 0.3}, {9, 3}}};
  for (const Fall& c : faelle) {
    Parametervektor par = c.par;
    EXPECT_TRUE(Auswerten(c.nummer, par, c.fest, 10, 1).fehler) << c.nummer;
  }
}

TEST(GappedTruncatedFamily, EstimatesOnExactData) {
  const double a = 2.5, k = 2.5, p = 0.35, c = 0.3;
  const SlotFall faelle[] = {
      // The fixed point on the mean and the ratio regression both give a.
      {"Poisson with a gap",
       112,
       {1, 4},
       0,
       60,
       [&](double x) { return x > 1 && x < 4 ? 0 : Pois(a, x) / (1 - Pois(a, 2) - Pois(a, 3)); },
       Letzte::kRest,
       {{0, a}, {1, a}},
       1e-6},
      // The last alternative's two-ratio start gives k and p.
      {"left-truncated negative binomial",
       113,
       {3},
       3,
       80,
       [&](double x) {
         double s = 0;
         for (int v = 0; v < 3; ++v) s += NegBin(k, p, v);
         return NegBin(k, p, x) / (1 - s);
       },
       Letzte::kRest,
       {{9, k}, {59, p}}},
      {"negative binomial, share moved",
       117,
       {},
       0,
       90,
       [&](double x) {
         if (x == 0) return NegBin(k, p, 0) + c * NegBin(k, p, 1);
         return x == 1 ? (1 - c) * NegBin(k, p, 1) : NegBin(k, p, x);
       },
       Letzte::kRest,
       {{0, k}, {50, p}, {100, c}}},
  };
  for (const SlotFall& f : faelle) SlotsPruefen(f);
}

}  // namespace
}  // namespace vk::test
