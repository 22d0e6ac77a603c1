// SPDX-License-Identifier: GPL-3.0-or-later
// Inflated, modified and displaced classes: members 38 (zero-modified geometric), 44 (Poisson
// with a displaced class), 45 (zero-inflated Poisson), 46 (one-inflated positive Poisson),
// 47 (positive Poisson inflated at m), 48 (Poisson inflated at m), 49 (positive Poisson with a
// modified one), 50 (positive Poisson), 51 (positive negative binomial with a modified one).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/StartCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::NB;
using test::Near;
using test::Poisson;

// Probability of the value v under each model, from its definition as a mixture or a modified
// standard distribution (never from the members' ratios).
double ModGeometrisch(double a, double b, double x) {
  const double c = std::pow(b, a);
  const double mittel = b / (a * (1 - b));
  return x == 0 ? 1 - (1 - c) * mittel : (1 - c) * (1 - c) * mittel * std::pow(c, x - 1);
}
double Verschoben(double a, double b, double m, double x) {
  if (x == m) return Poisson(a, m) + b * Poisson(a, m + 1);  // the share b of m + 1 moved down
  if (x == m + 1) return (1 - b) * Poisson(a, m + 1);
  return Poisson(a, x);
}
double NullInflation(double a, double b, double x) {
  return (x == 0 ? 1 - b : 0) + b * Poisson(a, x);
}
double PositivPoisson(double a, double v) {
  return Poisson(a, v) / (1 - std::exp(-a));
}
double EinsInflation(double a, double b, double v) {
  return (v == 1 ? 1 - b : 0) + b * PositivPoisson(a, v);
}
double ModEins(double a, double b, double v) {
  // The positive Poisson with the mass of 1 scaled by (1 - b), renormalised.
  const double s = 1 - b * PositivPoisson(a, 1);
  return (v == 1 ? (1 - b) : 1) * PositivPoisson(a, v) / s;
}
double ModEinsNB(double k, double p, double c, double v) {
  const double s = 1 - std::pow(p, k) - c * NB(k, p, 1);
  return (v == 1 ? (1 - c) : 1) * NB(k, p, v) / s;
}

TEST(InflatedFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  for (std::uint32_t L : {10u, 2u}) {
    test::MitReferenzVergleichen("zero-modified geometric", 38, {1.4, 0.6}, {}, 700, L, 0,
                                 Letzte::kRest,
                                 [](std::uint32_t i) { return ModGeometrisch(1.4, 0.6, i); });
  }
  for (double m : {0.0, 2.0, 5.0}) {
    test::MitReferenzVergleichen("displaced class", 44, {2.2, 0.35}, {m}, 500, 10, 0, Letzte::kRest,
                                 [m](std::uint32_t i) { return Verschoben(2.2, 0.35, m, i); });
  }
  test::MitReferenzVergleichen("zero-inflated Poisson", 45, {1.8, 0.6}, {}, 400, 9, 0,
                               Letzte::kRest,
                               [](std::uint32_t i) { return NullInflation(1.8, 0.6, i); });
  test::MitReferenzVergleichen("one-inflated positive Poisson", 46, {2.5, 0.7}, {}, 600, 9, 1,
                               Letzte::kRest,
                               [](std::uint32_t i) { return EinsInflation(2.5, 0.7, i + 1.0); });
  for (double m : {1.0, 3.0}) {
    test::MitReferenzVergleichen("positive Poisson inflated at m", 47, {1.6, 0.75}, {m}, 300, 8, 1,
                                 Letzte::kRest, [m](std::uint32_t i) {
                                   const double v = i + 1.0;
                                   return (v == m ? 0.25 : 0) + 0.75 * PositivPoisson(1.6, v);
                                 });
  }
  for (double m : {0.0, 3.0}) {
    test::MitReferenzVergleichen(
        "Poisson inflated at m", 48, {1.3, 0.8}, {m}, 300, 9, 0, Letzte::kRest,
        [m](std::uint32_t i) { return (i == m ? 0.2 : 0) + 0.8 * Poisson(1.3, i); });
  }
  test::MitReferenzVergleichen("positive Poisson with modified one", 49, {2.1, 0.4}, {}, 800, 9, 1,
                               Letzte::kRest,
                               [](std::uint32_t i) { return ModEins(2.1, 0.4, i + 1.0); });
  test::MitReferenzVergleichen("positive Poisson", 50, {1.9}, {}, 250, 8, 1, Letzte::kRest,
                               [](std::uint32_t i) { return PositivPoisson(1.9, i + 1.0); });
  test::MitReferenzVergleichen("positive NB with modified one", 51, {1.5, 0.4, 0.3}, {}, 900, 14, 1,
                               Letzte::kRest,
                               [](std::uint32_t i) { return ModEinsNB(1.5, 0.4, 0.3, i + 1.0); });
}

// The zero-inflated Poisson's tail has no absolute value: with a large b the classes below L
// can hold more than N, and the last class then goes negative. b enters as |b|.
TEST(InflatedFamily, ZeroInflatedPoissonTailWithoutAbsoluteValueAndAbsoluteB) {
  TStatistik s;
  s.summe = 100;
  s.n = 3;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  // b = -3 is used as 3: the classes 0..2 then hold 1 - 3 + 3 (1 - Poisson tail from 3), and
  // the last class is N minus that, whatever its sign.
  Parametervektor par{0.5, -3};
  ASSERT_TRUE(ErwartungswerteBerechnen(45, par, s, *x, f, *NP, test::Eigenschaften(45)));
  EXPECT_EQ(par[1], -3);  // not written back
  double unter = 0;
  for (int i = 0; i < 3; ++i) unter += 100 * NullInflation(0.5, 3, i);
  EXPECT_TRUE(Near((*NP)[3], 100 - unter, test::kLogRoute));
  EXPECT_TRUE(Near((*NP)[0], 100 * NullInflation(0.5, 3, 0), test::kLogRoute));
}

// On exact frequencies the estimators built on exact relations return the parameters.
TEST(InflatedFamily, EstimatorsRecoverExactData) {
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    Fest fest;
    std::uint32_t x0;
    double (*pmf)(double);
    std::uint32_t k;               // alternative
    std::vector<double> erwartet;  // its start vector
    double rel;
  };
  const Fall faelle[] = {
      // a from f[1]/f[0], b from f[m] and f[m + 1] (both exact for m >= 2).
      {"displaced class",
       44,
       {3},
       0,
       [](double x) { return Verschoben(2.2, 0.35, 3, x); },
       1,
       {2.2, 0.35},
       test::kRecovered},
      // Newton on the non-zero mean and b from f[0]; 11 steps reach double precision.
      {"zero-inflated Poisson",
       45,
       {},
       0,
       [](double x) { return NullInflation(1.8, 0.6, x); },
       2,
       {1.8, 0.6},
       test::kRecovered},
      // a from P(3)/P(2) = a/3, b from 1 - P(1).
      {"one-inflated positive Poisson",
       46,
       {},
       1,
       [](double v) { return EinsInflation(2.5, 0.7, v); },
       1,
       {2.5, 0.7},
       test::kRecovered},
      // m = 4: a = 2 f[1]/f[0], b from P(1); Newton starts at the solution.
      {"positive Poisson inflated at m",
       47,
       {4},
       1,
       [](double v) { return (v == 4 ? 0.25 : 0) + 0.75 * PositivPoisson(1.6, v); },
       2,
       {1.6, 0.75},
       test::kRecovered},
      // The moment quadratic for m = 3, whose smaller root is taken: a = 0.5 (the other root is
      // E[3]/a = 1.8).
      {"Poisson inflated at m",
       48,
       {3},
       0,
       [](double x) { return (x == 3 ? 0.2 : 0) + 0.8 * Poisson(0.5, x); },
       2,
       {0.5, 0.8},
       test::kRecovered},
      // a from P(3)/P(2), b from P(1)/P(2).
      {"positive Poisson with modified one",
       49,
       {},
       1,
       [](double v) { return ModEins(2.1, 0.4, v); },
       1,
       {2.1, 0.4},
       test::kRecovered},
      // k, p from the ratios of the values 2..4, c from P(1)/P(2).
      {"positive NB with modified one",
       51,
       {},
       1,
       [](double v) { return ModEinsNB(1.5, 0.4, 0.3, v); },
       1,
       {1.5, 0.4, 0.3},
       test::kRecovered},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    test::StartVergleichen(c.nummer, c.fest, test::Tausendfach(c.pmf, c.x0, 150), c.x0, c.k,
                           c.erwartet, c.rel);
  }
}

TEST(InflatedFamily, StartVectorsOnRealDataAreFinite) {
  test::StartsEndlich({
      {38, {128, 1}, {}, "shell-accidents.dat"},
      {38, {128, 1}, {}, "horse-kicks.dat"},
      {44, {128, 1}, {1}, "horse-kicks.dat"},
      {44, {128, 1}, {3}, "alpha-particles.dat"},
      {45, {128, 1}, {}, "shell-accidents.dat"},
      {45, {128, 1}, {}, "alpha-particles.dat"},
      {46, {128, 1}, {}, "gpl3-word-syllables.dat"},
      {46, {128, 1}, {}, "gpl3-word-letters.dat"},
      {47, {128, 1}, {2}, "gpl3-word-syllables.dat"},
      {47, {128, 1}, {3}, "gpl3-word-letters.dat"},
      {48, {128, 1}, {1}, "horse-kicks.dat"},
      {48, {128, 1}, {4}, "alpha-particles.dat"},
      {49, {128, 256}, {}, "gpl3-word-syllables.dat"},
      {49, {128, 256}, {}, "gpl3-word-letters.dat"},
      {50, {128}, {}, "gpl3-word-syllables.dat"},
      {50, {128}, {}, "horse-kicks.dat"},
      {51, {128, 1, 256}, {}, "gpl3-word-syllables.dat"},
      {51, {128, 1, 256}, {}, "gpl3-word-letters.dat"},
  });
}

}  // namespace
}  // namespace vk
