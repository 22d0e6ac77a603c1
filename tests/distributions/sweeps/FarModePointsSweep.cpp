// SPDX-License-Identifier: GPL-3.0-or-later
// Members 63 to 109 at single points where a first term leaves the normal range, a series was cut
// short or the terms leave the double range, against values computed in 50 digits with mpmath
// (the expressions are given with each table). Every evaluation must also stay fault-free and sum
// to N.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk::test {
namespace {

// The value of a class computed by a route that keeps its digits.
void Pruefen(const std::vector<Punkt>& punkte) {
  PunkteVergleichen(punkte, kSeries);
}

// mix(n, p, x) = N * fsum(binomial(n, v) p^v (1 - p)^(n - v) / v for v in x+1..n)
//                / (1 - (1 - p)^n), mp.dps = 50.
TEST(FarModePoints, UniformBinomialMixturesRunTheirMixingValueToN) {
  Pruefen({
      {"n above L, class 0", 75, {10, 0.5}, {}, 8, 0, 3000, 0, 687.32835265093330},
      {"n above L, class 7", 75, {10, 0.5}, {}, 8, 0, 3000, 7, 20.047246660149886},
      // N - sum of classes 0..7 of the mixture, the mass of v = 9 and 10.
      {"n above L, the tail", 75, {10, 0.5}, {}, 8, 0, 3000, 8, 3.8449006190941675},
      {"given p, class 9", 77, {20}, {0.4}, 10, 0, 21, 9, 0.47670171050817350},
      {"given p, class 0", 77, {20}, {0.4}, 10, 0, 21, 0, 2.8806503035475374},
  });
}

// The first mixing term n p (1 - p)^(n-1) below the normal range: mixtures as above.
TEST(FarModePoints, UniformBinomialMixturesWithASubnormalFirstTerm) {
  Pruefen({
      {"n 212, p 0.97", 75, {212, 0.97}, {}, 212, 0, 99932, 100, 486.02729085244395},
      {"n 212, p 0.97, class 0", 75, {212, 0.97}, {}, 212, 0, 99932, 0, 486.02729085244395},
      {"n 200, p 0.98", 76, {0.98}, {200}, 199, 0, 1000, 150, 5.1025641567935241},
      {"n 200, p 0.98, class 0", 76, {0.98}, {200}, 199, 0, 1000, 0, 5.1025641567935241},
      {"n 200, p 0.98, as 75", 75, {200, 0.98}, {}, 199, 0, 1000, 150, 5.1025641567935241},
  });
}

// Zero-inflated and zero-modified classes whose class 1 is subnormal:
// zib = N b C(n, i) p^i (1 - p)^(n - i); zinb = N b Gamma(k + i)/(Gamma(k) i!) p^k (1 - p)^i;
// zmb = zib / (1 - (1 - p)^n); generalized Waring P(i) from loggamma:
// exp(lg(a+b) + lg(a+c) - lg(a) - lg(a+b+c) + lg(b+i) - lg(b) + lg(c+i) - lg(c) - lg(a+b+c+i)
//     + lg(a+b+c) - lg(i+1)); mp.dps = 50.
TEST(FarModePoints, SubnormalFirstTermsStartAtTheMode) {
  Pruefen({
      {"zero-inflated binomial", 102, {0.6, 0.3}, {812}, 812, 0, 99994, 487, 856.82365234733850},
      {"zero-inflated binomial, class 0", 102, {0.6, 0.3}, {812}, 812, 0, 99994, 0, 69995.8},
      {"free n", 103, {812, 0.6, 0.3}, {}, 812, 0, 99994, 487, 856.82365234733850},
      {"zero-inflated negative binomial",
       108,
       {812, 0.4, 0.5},
       {},
       1500,
       0,
       99992,
       1000,
       0.074575708187328507},
      // N (1 - sum of classes 0..1499), summed in 60 digits.
      {"zero-inflated negative binomial, tail",
       108,
       {812, 0.4, 0.5},
       {},
       1500,
       0,
       99992,
       1500,
       0.034208754591217952},
      {"zero-modified binomial", 109, {0.6}, {812, 0.3}, 812, 0, 1000, 487, 8.5687506485122957},
      {"zero-modified binomial, class 2",
       109,
       {0.6},
       {812, 0.3},
       812,
       0,
       1000,
       2,
       1.6579201844533365e-315},
      {"generalized Waring",
       74,
       {2000, 1600.5, 1600.5},
       {},
       3500,
       0,
       99987,
       1279,
       619.54801332012034},
      {"generalized Waring, far",
       74,
       {1000, 1500, 1500},
       {},
       5000,
       0,
       1000,
       2242,
       3.3670708354693165},
  });
}

// Terms beyond the double range.
// 70: exact rationals (fractions): r0 = 1, r_i = r_{i-1} a c / i for i <= k + 1,
//     (L - i + 1) a / i up to l + 1, (L - i + 1) a / l above; N r_i / sum r.
// 79: N fsum(a^v/(v! v) for v in x+1..3999) / (e^a - 1), mp.dps = 60.
// 104: N fsum(-r^k/(k ln(1 - r)) e^(-k a) (k a)^i / i! for k in 1..79), mp.dps = 60.
TEST(FarModePoints, TermsBeyondTheDoubleRangeAreScaled) {
  Pruefen({
      {"three ranges, far mode", 70, {1}, {5, 100, 2}, 2000, 0, 4002, 1900, 159.52370923020684},
      {"three ranges, last class",
       70,
       {1},
       {5, 100, 2},
       2000,
       0,
       4002,
       2000,
       1.4887744056035386e-40},
      {"three ranges, a 30", 70, {30}, {5, 100, 2}, 300, 0, 1000, 297, 220.20983547686665},
      {"uniform-Poisson, a 710", 79, {710}, {}, 1500, 0, 3001, 0, 3001 * 0.0014104400493381091},
      {"uniform-Poisson, a 710, class 700",
       79,
       {710},
       {},
       1500,
       0,
       3001,
       700,
       3001 * 0.00087867602153655925},
      {"uniform-Poisson, a 800", 79, {800}, {}, 1500, 0, 1, 790, 0.00077101954394307296},
      {"logarithmic-Poisson, a 1300",
       104,
       {1300, 0.5},
       {},
       2600,
       0,
       5202,
       1300,
       5202 * 0.0079809592540475502},
      {"logarithmic-Poisson, a 30", 104, {30, 0.9}, {}, 100, 0, 1, 60, 0.0090651533038544951},
  });
}

// 63: N a/((x + a - 1)(x + a)) for the value x = i + 1, a = 1e-12, mp.dps = 50.
TEST(FarModePoints, TinyParameterDoesNotCancel) {
  Pruefen({
      {"x = 2", 63, {1e-12}, {}, 50, 1, 102, 1, 5.0999999999923500e-11},
      {"x = 17", 63, {1e-12}, {}, 50, 1, 102, 16, 3.7499999999995450e-13},
  });
}

// Member 69 with the ranges' second bound l = F1: exact rationals (fractions), r0 = 1,
// r_i = r_{i-1} c a / i for i <= Int(k), c a / k up to Int(l), (L - i + 1) a / k above,
// N r_i / sum r, a = 4/5, k = 2, c = 11/2, L = 10, N = 100. The three l give three laws.
TEST(FarModePoints, ThreePhaseQueueReadsItsSecondBound) {
  struct Fall {
    double l;
    std::vector<double> erwartet;
  };
  const Fall faelle[] = {
      {1,
       {0.03207234112283141, 0.14111830094045819, 0.310460262069008, 0.9934728386208257,
        2.781723948138312, 6.676137475531949, 13.352274951063897, 21.363639921702234,
        25.636367906042683, 20.509094324834145, 8.203637729933659}},
      {5,
       {0.06404626432784123, 0.2818035630425014, 0.6199678386935031, 1.363929245125707,
        3.000644339276555, 6.601417546408421, 13.202835092816843, 21.124536148506948,
        25.34944337820834, 20.27955470256667, 8.111821881026668}},
      {9,
       {0.018553555512678933, 0.0816356442557873, 0.17959841736273208, 0.3951165181980106,
        0.8692563400356232, 1.9123639480783712, 4.207200685772417, 9.255841508699316,
        20.362851319138496, 44.79827290210469, 17.919309160841877}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE("l = " + std::to_string(f.l));
    Parametervektor par{0.8};
    const Lauf l = Auswerten(69, par, {2, f.l, 5.5}, 10, 0, 100);
    EXPECT_FALSE(l.fehler);
    for (std::uint32_t i = 0; i <= 10; ++i)
      EXPECT_TRUE(Near((*l.NP)[i], f.erwartet[i], kTight)) << "class " << i;
  }
}

// Member 82's start on frequencies N P(x) of the Borel-Tanner law itself, P(x) = b x^(x-b-1)
// e^(-a x) a^(x-b)/(x-b)! (through lgamma), x = b..b+L: its mean is b/(1 - a), so the moment
// start must give back a (the classes beyond L hold less than 1e-12 of the mass).
TEST(FarModePoints, BorelTannerStartsFromItsMean) {
  for (double b : {1.0, 3.0, 7.0}) {
    for (double a : {0.2, 0.4, 0.6}) {
      SCOPED_TRACE("b = " + std::to_string(b) + ", a = " + std::to_string(a));
      const std::uint32_t L = 400;
      std::vector<double> f(L + 1);
      for (std::uint32_t i = 0; i <= L; ++i) {
        const double x = b + i;
        f[i] = 1e6 * std::exp(std::log(b) + (x - b - 1) * std::log(x) - a * x +
                              (x - b) * std::log(a) - std::lgamma(x - b + 1));
      }
      const auto d = Klassen(f, static_cast<unsigned>(b));
      TParameterEigenschaften eig = Eigenschaften(82);
      eig.festparameter = {b};
      Schaetzwerttabelle E{};
      ASSERT_TRUE(SchaetzwerteBerechnen(82, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
      EXPECT_TRUE(Near(E[0], a, kRecovered));
    }
  }
}

}  // namespace
}  // namespace vk::test
