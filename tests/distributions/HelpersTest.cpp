// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "core/FpFault.h"
#include "distributions/Helpers.h"
#include "distributions/helpers/Alternativen.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// Each flag on its own, with the values on both sides of its thresholds.
TEST(ParameterKorrigieren, EachRule) {
  struct Fall {
    ParameterFlags TParameterEigenschaften::*flag;
    const char* name;
    double vorher;
    double nachher;
  };
  using T = TParameterEigenschaften;
  const Fall faelle[] = {
      {&T::zwischenNullundEins, "zwischenNullundEins", 0.00005, 0.01},
      {&T::zwischenNullundEins, "zwischenNullundEins", -3, 0.01},
      {&T::zwischenNullundEins, "zwischenNullundEins", 0.0001, 0.0001},
      {&T::zwischenNullundEins, "zwischenNullundEins", 1, 0.98},
      {&T::zwischenNullundEins, "zwischenNullundEins", 0.5, 0.5},
      {&T::positiveZahl, "positiveZahl", -2.5, 2.5},
      {&T::positiveZahl, "positiveZahl", 0, 0},
      {&T::ueberEins, "ueberEins", 0.25, 1.75},
      {&T::ueberEins, "ueberEins", 1, 1},
      {&T::unterMinusEins, "unterMinusEins", -3, -3},
      {&T::unterMinusEins, "unterMinusEins", -0.5, -0.9},
      {&T::unterMinusEins, "unterMinusEins", -1, -1},
      {&T::natuerlicheZahl, "natuerlicheZahl", 0.3, 1},
      {&T::natuerlicheZahl, "natuerlicheZahl", 2.5, 3},
      {&T::natuerlicheZahl, "natuerlicheZahl", 2.49, 2},
      {&T::zwischenMinusEinsundEins, "zwischenMinusEinsundEins", -1.5, -0.9},
      {&T::zwischenMinusEinsundEins, "zwischenMinusEinsundEins", 1.5, 0.98},
      {&T::zwischenMinusEinsundEins, "zwischenMinusEinsundEins", 1, 1},
      {&T::natuerlicheZahlMit0, "natuerlicheZahlMit0", -0.2, 0},
      {&T::natuerlicheZahlMit0, "natuerlicheZahlMit0", 0.49, 0},
      {&T::natuerlicheZahlMit0, "natuerlicheZahlMit0", 4.5, 5},
      {&T::groesserNull, "groesserNull", 0, 0.1},
      {&T::groesserNull, "groesserNull", -4, 0.1},
      {&T::groesserNull, "groesserNull", 1e-9, 1e-9},
      {&T::kleinerEins, "kleinerEins", 1, 0.98},
      {&T::kleinerEins, "kleinerEins", -7, -7},
      {&T::groesserGleichMinusEins, "groesserGleichMinusEins", -1.5, -0.98},
      {&T::groesserGleichMinusEins, "groesserGleichMinusEins", -1, -1},
  };
  for (const Fall& f : faelle) {
    TParameterEigenschaften eig;
    eig.parZahl = 2;
    (eig.*f.flag)[1] = true;
    Parametervektor p{};
    p[0] = 123.25;  // no flag: untouched
    p[1] = f.vorher;
    ParameterKorrigieren(p, eig);
    EXPECT_EQ(p[1], f.nachher) << f.name << " on " << f.vorher;
    EXPECT_EQ(p[0], 123.25) << f.name;
  }
}

// Several flags on one parameter apply in the fixed order, each seeing the previous result.
TEST(ParameterKorrigieren, RulesChainInOrderAndStopAtParZahl) {
  TParameterEigenschaften eig;
  eig.parZahl = 1;
  eig.positiveZahl[0] = true;     // -0.4 -> 0.4
  eig.ueberEins[0] = true;        // 0.4 -> 1.6
  eig.natuerlicheZahl[0] = true;  // 1.6 -> 2
  eig.groesserNull[1] = true;     // parameter 1 lies beyond parZahl
  Parametervektor p{};
  p[0] = -0.4;
  p[1] = -5;
  ParameterKorrigieren(p, eig);
  EXPECT_EQ(p[0], 2);
  EXPECT_EQ(p[1], -5);
}

TEST(ParameterKorrigieren, SingleRepairs) {
  struct Fall {
    void (*korrektur)(double&);
    double vorher;
    double nachher;
  };
  const Fall faelle[] = {
      {InEinheitsintervallKorrigieren, 0.00009, 0.01},
      {InEinheitsintervallKorrigieren, 1.2, 0.98},
      {InEinheitsintervallKorrigieren, 0.3, 0.3},
      {NichtNegativMachen, -0.75, 0.75},
      {NichtNegativMachen, 2, 2},
      {UeberEinsSpiegeln, -1, 3},
      {UeberEinsSpiegeln, 1.5, 1.5},
  };
  for (const Fall& f : faelle) {
    double x = f.vorher;
    f.korrektur(x);
    EXPECT_EQ(x, f.nachher) << f.vorher;
  }
  EXPECT_EQ(KaufmaennischRunden(2.5), 3);
  EXPECT_EQ(KaufmaennischRunden(2.49), 2);
  // Truncation toward zero: -2.7 + 0.5 = -2.2 gives -2, not the -3 of a floor.
  EXPECT_EQ(KaufmaennischRunden(-2.7), -2);
}

TEST(BegrenzteAnzahl, OutOfRangeRaisesInvalidAndYieldsZero) {
  {
    FpFaultScope scope;
    EXPECT_EQ(BegrenzteAnzahl(12.9, 20000), 12u);
    EXPECT_EQ(BegrenzteAnzahl(20000, 20000), 20000u);
    EXPECT_FALSE(scope.Faulted());
  }
  for (double x : {-1.0, 20000.5, 1e300, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    FpFaultScope scope;
    EXPECT_EQ(BegrenzteAnzahl(x, 20000), 0u) << x;
    EXPECT_TRUE(scope.Faulted()) << x;
  }
}

TEST(NullhaeufigkeitenErsetzen, ZerosBecomeOneThenFirstTieIsBroken) {
  std::array<double, 4> f{5, 5, 0, 2};
  NullhaeufigkeitenErsetzen(f);
  EXPECT_EQ(f, (std::array<double, 4>{5.1, 5, 1, 2}));
  // The tie is tested after the replacement: two empty leading classes tie at 1.
  std::array<double, 3> g{0, 0, 3};
  NullhaeufigkeitenErsetzen(g);
  EXPECT_EQ(g, (std::array<double, 3>{1.1, 1, 3}));
}

TEST(Fakultaet, TableAndBeyond) {
  FpFaultScope scope;
  EXPECT_EQ(Fakultaet(0), 1);
  EXPECT_EQ(Fakultaet(1), 1);
  EXPECT_EQ(Fakultaet(20), 2432902008176640000.0);  // 20! is exact in a double
  // 100! from the table equals the double product formed step by step.
  double p = 1;
  for (int k = 1; k <= 100; ++k) p *= k;
  EXPECT_EQ(Fakultaet(100), p);
  // 170! = 7.257415615307999e306 (tgamma(171)); the first factorial beyond 100 multiplies on.
  EXPECT_TRUE(Near(Fakultaet(170), std::tgamma(171.0), 1e-13));
  EXPECT_EQ(Fakultaet(101), p * 101);
  EXPECT_FALSE(scope.Faulted());
}

TEST(Fakultaet, OverflowIsAFault) {
  for (std::uint32_t n : {171u, 172u, 4000000000u}) {
    FpFaultScope scope;
    const double r = Fakultaet(n);
    EXPECT_TRUE(std::isinf(r)) << n;
    EXPECT_TRUE(scope.Faulted()) << n;
  }
}

TEST(Kombinatorik, RisingFactorialPowerBinomial) {
  EXPECT_EQ(SteigendeFakultaet(1, 2.5), 2.5);
  EXPECT_EQ(SteigendeFakultaet(4, 0.5), 0.5 * 1.5 * 2.5 * 3.5);
  EXPECT_EQ(SteigendeFakultaet(3, -1), 0);  // (-1)(0)(1)
  EXPECT_EQ(GanzePotenz(0, 7), 1);
  EXPECT_EQ(GanzePotenz(0, 0), 1);
  EXPECT_EQ(GanzePotenz(5, -2), -32);
  EXPECT_EQ(GanzePotenz(1, 0.3), 0.3);
  struct Fall {
    std::int32_t k;
    double x;
    double wert;  // by hand from x(x-1)...(x-k+1)/k!
  };
  const Fall faelle[] = {{0, 5, 1}, {-1, 5, 0},      {2, 5, 10},         {5, 5, 1},
                         {6, 5, 0}, {2, 2.5, 1.875}, {3, -0.5, -0.3125}, {10, 20, 184756}};
  for (const Fall& f : faelle) {
    EXPECT_TRUE(Near(Binomialkoeffizient(f.k, f.x), f.wert, test::kRelTight, 1e-15))
        << f.k << " " << f.x;
  }
}

// Reference values: the tables of Stirling numbers in Abramowitz and Stegun, 24.3 and 24.4
// (first kind signed, s(n, k) with sign (-1)^(n-k)).
TEST(Stirling, KnownValues) {
  struct Fall {
    std::uint32_t n, k;
    double wert;
  };
  const Fall zweiter[] = {{0, 0, 1}, {3, 0, 0},   {2, 3, 0},     {1, 1, 1},      {5, 4, 10},
                          {4, 2, 7}, {7, 4, 350}, {10, 3, 9330}, {10, 5, 42525}, {12, 6, 1323652}};
  for (const Fall& f : zweiter) {
    // The powers are formed in single precision; the sums above stay within its 24 bits
    // except for the last, whose terms cancel to a relative 1e-7.
    EXPECT_TRUE(Near(StirlingZweiterArt(f.n, f.k), f.wert, 1e-6, 1e-9)) << f.n << "," << f.k;
  }
  const Fall erster[] = {{0, 0, 1},    {3, 0, 0},    {1, 1, 1},     {4, 1, -6},   {5, 1, 24},
                         {5, 4, -10},  {5, 3, 35},   {5, 2, -50},   {6, 3, -225}, {6, 2, 274},
                         {7, 3, 1624}, {7, 4, -735}, {8, 5, -1960}, {8, 4, 6769}};
  for (const Fall& f : erster) {
    EXPECT_TRUE(Near(StirlingErsterArt(f.n, f.k), f.wert, 1e-6, 1e-9)) << f.n << "," << f.k;
  }
}

TEST(Digamma, HarmonicNumbersMinusEuler) {
  // psi(n) = -gamma + H(n-1); gamma carried to nine decimals, so 1e-9 absolute.
  constexpr double kGamma = 0.57721566490153286;
  EXPECT_TRUE(Near(Digamma(1), -kGamma, 0, 1e-9));
  EXPECT_TRUE(Near(Digamma(2), 1 - kGamma, 0, 1e-9));
  EXPECT_TRUE(Near(Digamma(10), 7129.0 / 2520.0 - kGamma, 0, 1e-9));  // H(9) = 7129/2520
  EXPECT_TRUE(Near(Digamma(0), -0.577215664, 0, 0));
}

// A direct sum of 31 terms, each term from the previous one by its ratio.
double DirekteReihe(double z, std::initializer_list<double> oben,
                    std::initializer_list<double> unten) {
  double term = 1, summe = 1;
  for (int i = 1; i <= 30; ++i) {
    for (double a : oben) term *= a + i - 1;
    for (double b : unten) term /= b + i - 1;
    term *= z / i;
    summe += term;
  }
  return summe;
}

TEST(Hypergeometrisch, AgreesWithDirectSumOfThirtyTerms) {
  EXPECT_TRUE(Near(Hypergeometrisch2F2(0.7, 1.5, 2.25, 0.5, 3),
                   DirekteReihe(0.7, {0.5, 3}, {1.5, 2.25}), 1e-13));
  EXPECT_TRUE(Near(Hypergeometrisch2F2(-1.3, 0.4, 2, 1.2, 1),
                   DirekteReihe(-1.3, {1.2, 1}, {0.4, 2}), 1e-13));
  EXPECT_TRUE(Near(Hypergeometrisch3F2(0.45, 1.5, 2.5, 0.3, 1.7, 1),
                   DirekteReihe(0.45, {0.3, 1.7, 1}, {1.5, 2.5}), 1e-13));
  // Exactly 31 terms whatever the convergence: every term of 3F2(1, 1, 1; 1, 1; 1) is 1, and
  // the terms of 3F2(2, 1, 1; 1, 1; 1) are i + 1, which sum to 496 over i = 0..30.
  EXPECT_EQ(Hypergeometrisch3F2(1, 1, 1, 1, 1, 1), 31);
  EXPECT_EQ(Hypergeometrisch3F2(1, 1, 1, 2, 1, 1), 496);
  // 2F2(1, 1; 1, 1; 20) is exp(20) cut after 20^30/30!: short by the Poisson(20) probability
  // of more than 30, 1.35 %.
  const double kurz = Hypergeometrisch2F2(20, 1, 1, 1, 1);
  EXPECT_TRUE(Near(kurz, DirekteReihe(20, {1, 1}, {1, 1}), 1e-13));
  EXPECT_LT(kurz, 0.99 * std::exp(20.0));
}

TEST(Hypergeometrisch, LowerArgumentAtNonPositiveIntegerIsAFault) {
  FpFaultScope scope;
  volatile double r = Hypergeometrisch2F2(0.5, -1, 2, 1, 1);  // (-1)_2 = 0 in a denominator
  (void)r;
  EXPECT_TRUE(scope.Faulted());
}

// The alternatives of a table: each parameter the mean of its slots in their order (its absolute
// value where marked), one row serving every k, and for a k outside the table only the
// parameters that every row starts alike.
TEST(TabellenAlternative, MeansOfSlotsAndTheCommonPartOutsideTheTable) {
  Schaetzwerttabelle E{};
  E[0] = 10, E[1] = 12, E[2] = -7, E[50] = 0.1, E[51] = 0.2, E[52] = 0.3, E[53] = 0.4;
  constexpr Alternative kDrei[] = {
      {{0}, {50}, {2}},
      {{0, 1}, {50, 51, 52, 53}, {2}},
      {Betrag({1, 2}), {53}, {2}},
  };
  struct Fall {
    std::uint32_t k;
    Parametervektor erwartet;
  };
  const Fall faelle[] = {
      {1, {10, 0.1, -7}},  {2, {11, (0.1 + 0.2 + 0.3 + 0.4) / 4, -7}},
      {3, {2.5, 0.4, -7}}, {0, {-1, -1, -7}},  // only the third parameter is common to all rows
      {4, {-1, -1, -7}},
  };
  for (const Fall& c : faelle) {
    Parametervektor p{};
    p.fill(-1);
    TabellenAlternative(kDrei, c.k, E, p);
    for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(p[j], c.erwartet[j]) << "k=" << c.k << " j=" << j;
    EXPECT_EQ(p[3], -1) << "beyond the row's parameters nothing is written";
  }
  constexpr Alternative kEine[] = {{{0, 1, 2}}};
  for (std::uint32_t k : {0u, 1u, 5u}) {
    Parametervektor p{};
    TabellenAlternative(kEine, k, E, p);
    EXPECT_EQ(p[0], (10.0 + 12.0 - 7.0) / 3) << "k=" << k;
  }
}

}  // namespace
}  // namespace vk
