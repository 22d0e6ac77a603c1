// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "distributions/Helpers.h"
#include "distributions/helpers/Alternativen.h"
#include "distributions/helpers/Klassen.h"
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
  p[2] = 7;
  // The copying form: the same corrections, the count beyond parZahl copied as it is, the rest
  // of the target left alone.
  Parametervektor aus{};
  aus.fill(9);
  ParameterKorrigieren(p, aus, KorrekturenLesen(eig), 2);
  EXPECT_EQ(aus[0], 2);
  EXPECT_EQ(aus[1], -5);
  EXPECT_EQ(aus[2], 9);
  ParameterKorrigieren(p, eig);
  EXPECT_EQ(p[0], 2);
  EXPECT_EQ(p[1], -5);
  EXPECT_EQ(p[2], 7);
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
  EXPECT_TRUE(Near(Fakultaet(170), std::tgamma(171.0), test::kChain));
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
    EXPECT_TRUE(Near(Binomialkoeffizient(f.k, f.x), f.wert, test::kTight, test::kUlps))
        << f.k << " " << f.x;
  }
}

// Reference values: the tables of Stirling numbers in Abramowitz and Stegun, 24.3 and 24.4
// (first kind signed, s(n, k) with sign (-1)^(n-k)); exact integers.
TEST(Stirling, KnownValues) {
  struct Fall {
    std::uint32_t n, k;
    double wert;
  };
  const Fall zweiter[] = {{0, 0, 1}, {3, 0, 0},   {2, 3, 0},     {1, 1, 1},      {5, 4, 10},
                          {4, 2, 7}, {7, 4, 350}, {10, 3, 9330}, {10, 5, 42525}, {12, 6, 1323652}};
  for (const Fall& f : zweiter)
    EXPECT_EQ(StirlingZweiterArt(f.n, f.k), f.wert) << f.n << "," << f.k;
  const Fall erster[] = {{0, 0, 1},    {3, 0, 0},    {1, 1, 1},     {4, 1, -6},   {5, 1, 24},
                         {5, 4, -10},  {5, 3, 35},   {5, 2, -50},   {6, 3, -225}, {6, 2, 274},
                         {7, 3, 1624}, {7, 4, -735}, {8, 5, -1960}, {8, 4, 6769}};
  for (const Fall& f : erster) EXPECT_EQ(StirlingErsterArt(f.n, f.k), f.wert) << f.n << "," << f.k;
}

// Far below the diagonal, where an alternating sum of powers cancels by many orders of magnitude
// (s(k + 11, k) once came out with the wrong sign): every value that fits 2^53 exactly, against
// the triangles in 128-bit integers; beyond, within a rounding per step.
TEST(Stirling, ExactBelowTheDiagonal) {
  constexpr std::uint32_t kN = 30;               // 29! and every other value below 2^128
  __extension__ typedef unsigned __int128 Ganz;  // wide enough for the exact values
  std::vector<std::vector<Ganz>> S(kN + 1, std::vector<Ganz>(kN + 1, 0));
  std::vector<std::vector<Ganz>> c = S;
  S[0][0] = c[0][0] = 1;
  for (std::uint32_t n = 0; n < kN; ++n)
    for (std::uint32_t k = 1; k <= n + 1; ++k) {
      S[n + 1][k] = k * S[n][k] + S[n][k - 1];
      c[n + 1][k] = n * c[n][k] + c[n][k - 1];
    }
  const Ganz grenze = Ganz{1} << 53;
  for (std::uint32_t n = 1; n <= kN; ++n) {
    for (std::uint32_t k = 1; k <= n; ++k) {
      const auto pruefen = [&](double ist, Ganz soll, double vorzeichen, const char* art) {
        const double wert = vorzeichen * static_cast<double>(soll);
        if (soll <= grenze) {
          EXPECT_EQ(ist, wert) << art << " " << n << "," << k;
        } else {
          EXPECT_TRUE(Near(ist, wert, test::kUlps * n)) << art << " " << n << "," << k;
        }
      };
      pruefen(StirlingZweiterArt(n, k), S[n][k], 1, "S");
      pruefen(StirlingErsterArt(n, k), c[n][k], (n - k) % 2 == 0 ? 1 : -1, "s");
    }
  }
  // A value past the double range is an overflow fault.
  FpFaultScope scope;
  EXPECT_FALSE(scope.Faulted());
  StirlingZweiterArt(400, 200);
  EXPECT_TRUE(scope.Faulted());
}

TEST(Digamma, HarmonicNumbersMinusEuler) {
  // psi(n) = -gamma + H(n-1); gamma carried to nine decimals, so 1e-9 absolute.
  constexpr double kGamma = 0.57721566490153286;
  EXPECT_TRUE(test::NearAbs(Digamma(1), -kGamma, test::kSeries));
  EXPECT_TRUE(test::NearAbs(Digamma(2), 1 - kGamma, test::kSeries));
  EXPECT_TRUE(
      test::NearAbs(Digamma(10), 7129.0 / 2520.0 - kGamma, test::kSeries));  // H(9) = 7129/2520
  EXPECT_TRUE(test::NearAbs(Digamma(0), -0.577215664, test::kExact));
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

// Against the plain difference where it is accurate (small z) and against the sum of logarithms
// ln z + ln(z + 1) + ... for a whole a where z is large.
TEST(LogGammaDifferenz, SeriesAgreesWithLogGammaAndWithTheProduct) {
  for (long double z : {0.5L, 3.0L, 10.0L, 40.0L})
    for (long double a : {0.0L, 0.3L, 7.0L, 200.0L})
      EXPECT_NEAR(LogGammaDifferenz(z, a), std::lgamma(z + a) - std::lgamma(z),
                  1e-15L * (1 + std::fabs(std::lgamma(z + a))))
          << z << " " << a;
  for (long double z : {1e3L, 1e6L, 6e8L, 1e12L})
    for (int a : {1, 2, 11, 500}) {
      long double summe = 0;
      for (int k = 0; k < a; ++k) summe += std::log(z + k);
      EXPECT_NEAR(LogGammaDifferenz(z, a), summe, 1e-17L * std::fabs(summe)) << z << " " << a;
    }
}

TEST(Hypergeometrisch, AgreesWithDirectSumOfThirtyTerms) {
  EXPECT_TRUE(Near(Hypergeometrisch2F2(0.7, 1.5, 2.25, 0.5, 3),
                   DirekteReihe(0.7, {0.5, 3}, {1.5, 2.25}), test::kChain));
  EXPECT_TRUE(Near(Hypergeometrisch2F2(-1.3, 0.4, 2, 1.2, 1),
                   DirekteReihe(-1.3, {1.2, 1}, {0.4, 2}), test::kChain));
  EXPECT_TRUE(Near(Hypergeometrisch3F2(0.45, 1.5, 2.5, 0.3, 1.7, 1),
                   DirekteReihe(0.45, {0.3, 1.7, 1}, {1.5, 2.5}), test::kChain));
  // Exactly 31 terms whatever the convergence: every term of 3F2(1, 1, 1; 1, 1; 1) is 1, and
  // the terms of 3F2(2, 1, 1; 1, 1; 1) are i + 1, which sum to 496 over i = 0..30.
  EXPECT_EQ(Hypergeometrisch3F2(1, 1, 1, 1, 1, 1), 31);
  EXPECT_EQ(Hypergeometrisch3F2(1, 1, 1, 2, 1, 1), 496);
  // 2F2(1, 1; 1, 1; 20) is exp(20) cut after 20^30/30!: short by the Poisson(20) probability
  // of more than 30, 1.35 %.
  const double kurz = Hypergeometrisch2F2(20, 1, 1, 1, 1);
  EXPECT_TRUE(Near(kurz, DirekteReihe(20, {1, 1}, {1, 1}), test::kChain));
  EXPECT_LT(kurz, 0.99 * std::exp(20.0));
}

TEST(Hypergeometrisch, LowerArgumentAtNonPositiveIntegerIsAFault) {
  FpFaultScope scope;
  volatile double r = Hypergeometrisch2F2(0.5, -1, 2, 1, 1);  // (-1)_2 = 0 in a denominator
  (void)r;
  EXPECT_TRUE(scope.Faulted());
}

// Class arrays on the heap, as the data set holds them: the leading classes given, the rest
// empty.
std::unique_ptr<KlassenHaeufigkeiten> Haeufigkeiten(const std::vector<double>& werte) {
  auto f = std::make_unique<KlassenHaeufigkeiten>();
  f->fill(0);
  std::copy(werte.begin(), werte.end(), f->begin());
  return f;
}

// The first four classes as the ratio estimators read them: a class beyond L is empty whatever
// the array holds there, and the replacement turns empty classes into 1 before it compares f[0]
// with f[1]. Expected values by the two rules applied by hand.
TEST(Anfangsklassen, ClassesBeyondLAreEmptyAndZerosAreReplaced) {
  struct Fall {
    std::vector<double> f;
    std::uint32_t L;
    std::array<double, 4> roh;
    std::array<double, 4> ersetzt;
  };
  const Fall faelle[] = {
      {{4, 0, 7, 3, 9}, 5, {4, 0, 7, 3}, {4, 1, 7, 3}},
      // f[3] = 3 lies beyond L = 2: read as empty, then replaced by 1.
      {{4, 0, 7, 3, 9}, 2, {4, 0, 7, 0}, {4, 1, 7, 1}},
      {{4, 0, 7, 3, 9}, 0, {4, 0, 0, 0}, {4, 1, 1, 1}},
      // A tie of the first two classes: f[0] steps up by 0.1.
      {{5, 5, 0, 2}, 3, {5, 5, 0, 2}, {5 + 0.1, 5, 1, 2}},
      // Two empty leading classes tie only after the replacement: 1 and 1, then 1.1.
      {{0, 0, 6}, 3, {0, 0, 6, 0}, {1 + 0.1, 1, 6, 1}},
      // L = 0 with f[0] = 1: the empty class 1 becomes 1 and ties with it.
      {{1, 8}, 0, {1, 0, 0, 0}, {1 + 0.1, 1, 1, 1}},
  };
  for (const Fall& c : faelle) {
    const auto f = Haeufigkeiten(c.f);
    EXPECT_EQ(Anfangsklassen(*f, c.L), c.roh) << "L=" << c.L;
    EXPECT_EQ(ErsetzteAnfangsklassen(*f, c.L), c.ersetzt) << "L=" << c.L;
  }
}

// The whole array for the regressions: classes 0..L replaced, and one more above L, which is
// empty by definition (whatever the array holds there) and so becomes 1.
TEST(ErsetzteKlassen, CopiesZeroToLPlusOneEmptyClassAbove) {
  struct Fall {
    std::vector<double> f;
    std::uint32_t L;
    std::vector<double> erwartet;
  };
  const Fall faelle[] = {
      {{3, 3, 0, 2, 8}, 3, {3 + 0.1, 3, 1, 2, 1}},
      {{2, 0, 5, 0, 8}, 4, {2, 1, 5, 1, 8, 1}},
      {{0, 9}, 0, {1 + 0.1, 1}},
  };
  for (const Fall& c : faelle) {
    const auto f = Haeufigkeiten(c.f);
    EXPECT_EQ(ErsetzteKlassen(*f, c.L), c.erwartet) << "L=" << c.L;
  }
}

TEST(ErsteVerhaeltnisse, NeighbourRatiosOfTheFirstFourClasses) {
  // 6/2, 3/6, 12/3, each exact in binary.
  EXPECT_EQ(ErsteVerhaeltnisse({2, 6, 3, 12}), (std::array<double, 3>{3, 0.5, 4}));
}

// Least squares through the origin for f[i+1] = a f[i]/u_i over i < L: frequencies that follow
// the ratio exactly give a back; others the quotient of the two sums, worked out by hand.
TEST(VerhaeltnisRegression, RecoversAnExactRatioAndWeighsByTheDenominator) {
  // Poisson-shaped with a = 2.5, u_i = i + 1: f[i] = 64 * 2.5^i / i!.
  std::vector<double> poisson{64};
  for (int i = 1; i <= 8; ++i) poisson.push_back(poisson.back() * 2.5 / i);
  // Hyper-Poisson-shaped with a = 1.5, u_i = b + i, b = 0.75.
  std::vector<double> hyper{10};
  for (int i = 0; i < 8; ++i) hyper.push_back(hyper.back() * 1.5 / (0.75 + i));
  using Nenner = double (*)(std::uint32_t);
  const Nenner plusEins = [](std::uint32_t i) { return i + 1.0; };
  const Nenner eins = [](std::uint32_t) { return 1.0; };
  struct Fall {
    const char* name;
    std::vector<double> f;
    std::uint32_t L;
    Nenner nenner;
    double a;
    double rel;
  };
  const Fall faelle[] = {
      {"Poisson a=2.5", poisson, 8, plusEins, 2.5, test::kShort},
      {"hyper-Poisson a=1.5", hyper, 8, [](std::uint32_t i) { return 0.75 + i; }, 1.5,
       test::kShort},
      // {1, 2, 2} with u_i = i + 1: z = 1*2/1 + 2*2/2 = 4, q = 1/1 + 4/4 = 2, a = 2 (it is
      // Poisson(2) up to a factor). The 100 beyond L must not enter.
      {"three classes, u = i + 1", {1, 2, 2, 100}, 2, plusEins, 2, 0},
      // u_i = 1: z = 1*2 + 2*2 = 6, q = 1 + 4 = 5, a = 6/5.
      {"three classes, u = 1", {1, 2, 2, 100}, 2, eins, 1.2, 0},
  };
  for (const Fall& c : faelle) {
    const double a = VerhaeltnisRegression(c.f, c.L, c.nenner);
    EXPECT_TRUE(Near(a, c.a, c.rel)) << c.name << ": " << a;
  }
}

// Products taken from the left, start first, with the index handed over as a double.
TEST(Produkt, FromTheLeftOverHalfOpenRange) {
  const auto j = [](double x) { return x; };
  EXPECT_EQ(Produkt(3, 1, 4, j), 18);                                   // 3 * 1 * 2 * 3
  EXPECT_EQ(Produkt(3, 5, 5, j), 3);                                    // empty
  EXPECT_EQ(Produkt(3, 6, 5, j), 3);                                    // empty, von beyond bis
  EXPECT_EQ(Produkt(2, 0, 3, [](double x) { return x + 0.5; }), 3.75);  // 2 * 0.5 * 1.5 * 2.5
  // From the left, 1e308 * 10 overflows before the 0.1 could bring it back: infinite and a
  // fault (from the right it would stay 1e308).
  FpFaultScope scope;
  EXPECT_TRUE(std::isinf(Produkt(1e308, 0, 2, [](double x) { return x == 0 ? 10.0 : 0.1; })));
  EXPECT_TRUE(scope.Faulted());
}

TEST(FaktorAnzahl, EmptyBelowOneFaultBeyondTheLimit) {
  struct Fall {
    double x;
    std::uint32_t anzahl;
    bool fehler;
  };
  const Fall faelle[] = {{0.99, 0, false},
                         {-5, 0, false},
                         {-std::numeric_limits<double>::infinity(), 0, false},
                         {1, 1, false},
                         {3.9, 3, false},
                         {1e7, 10'000'000, false},
                         {1e7 + 0.5, 0, true},
                         {std::numeric_limits<double>::infinity(), 0, true},
                         {std::numeric_limits<double>::quiet_NaN(), 0, true}};
  for (const Fall& c : faelle) {
    FpFaultScope scope;
    EXPECT_EQ(FaktorAnzahl(c.x), c.anzahl) << c.x;
    EXPECT_EQ(scope.Faulted(), c.fehler) << c.x;
  }
}

// Below L values whose sum is known, then the tail rule. A sentinel marks what must stay
// unwritten: the class above L always, the last class under kKeine.
inline constexpr double kUnberuehrt = -12345;

struct RestFall {
  Restregel regel;
  double N;
  double letzte;  // expected NP[L]
};

// The tail rule after the classes 8, 4, 2, 1 (sum 15): N = 20 leaves 5 either way; N = 10
// leaves -5, which kBetrag turns into 5; kKeine leaves the last class to the caller.
TEST(RekursionMitRest, EachTailRule) {
  const RestFall faelle[] = {{Restregel::kBetrag, 20, 5},
                             {Restregel::kOhneBetrag, 20, 5},
                             {Restregel::kBetrag, 10, 5},
                             {Restregel::kOhneBetrag, 10, -5},
                             {Restregel::kKeine, 10, kUnberuehrt}};
  for (const RestFall& c : faelle) {
    auto NP = std::make_unique<Erwartungswerte>();
    NP->fill(kUnberuehrt);
    RekursionMitRest(
        *NP, 4, c.N, 8, [](double, double vorher) { return vorher / 2; }, c.regel);
    const std::array<double, 6> erwartet{8, 4, 2, 1, c.letzte, kUnberuehrt};
    for (std::size_t i = 0; i < erwartet.size(); ++i)
      EXPECT_EQ((*NP)[i], erwartet[i]) << "N=" << c.N << " i=" << i;
  }
  // L = 0: the only class is the last one; the tail rule overwrites the first term with N,
  // truncated at L it keeps the first term.
  auto NP = std::make_unique<Erwartungswerte>();
  RekursionMitRest(
      *NP, 0, 30, 8, [](double, double v) { return v; }, Restregel::kBetrag);
  EXPECT_EQ((*NP)[0], 30);
  RekursionMitRest(
      *NP, 0, 30, 8, [](double, double v) { return v; }, Restregel::kKeine);
  EXPECT_EQ((*NP)[0], 8);
}

// Classes 10, 20, 30 (each its predecessor plus 10, the first seeing 0 as its predecessor), sum
// 60, then the tail rule; at L = 0 no class is evaluated.
TEST(KlassenMitRest, PredecessorFromZeroAndEachTailRule) {
  const RestFall faelle[] = {{Restregel::kBetrag, 100, 40},
                             {Restregel::kOhneBetrag, 100, 40},
                             {Restregel::kBetrag, 50, 10},
                             {Restregel::kOhneBetrag, 50, -10},
                             {Restregel::kKeine, 50, kUnberuehrt}};
  for (const RestFall& c : faelle) {
    auto NP = std::make_unique<Erwartungswerte>();
    NP->fill(kUnberuehrt);
    std::uint32_t aufrufe = 0;
    KlassenMitRest(
        *NP, 3, c.N,
        [&](std::uint32_t, double vorher) {
          ++aufrufe;
          return vorher + 10;
        },
        c.regel);
    EXPECT_EQ(aufrufe, 3u);
    const std::array<double, 5> erwartet{10, 20, 30, c.letzte, kUnberuehrt};
    for (std::size_t i = 0; i < erwartet.size(); ++i)
      EXPECT_EQ((*NP)[i], erwartet[i]) << "N=" << c.N << " i=" << i;
  }
  auto NP = std::make_unique<Erwartungswerte>();
  std::uint32_t aufrufe = 0;
  KlassenMitRest(*NP, 0, 7, [&](std::uint32_t, double) { return static_cast<double>(++aufrufe); });
  EXPECT_EQ(aufrufe, 0u);
  EXPECT_EQ((*NP)[0], 7);
}

// The second pass alone on terms 2, 6, 4 below L = 3: scaled by N/S, the last class by the rule.
TEST(TermeNormieren, ScalesByNOverSThenTheTailRule) {
  struct Fall {
    Restregel regel;
    double N;
    Summe S;
    std::array<double, 5> erwartet;
  };
  const Fall faelle[] = {
      // 30/20 = 1.5: 3, 9, 6 (sum 18), rest 12.
      {Restregel::kBetrag, 30, 20, {3, 9, 6, 12, kUnberuehrt}},
      // S = 10 below the terms' own sum 12: 2, 6, 4, rest 10 - 12 = -2, |.| = 2.
      {Restregel::kBetrag, 10, 10, {2, 6, 4, 2, kUnberuehrt}},
      {Restregel::kOhneBetrag, 10, 10, {2, 6, 4, -2, kUnberuehrt}},
      // Truncated at L: the last term 8 is scaled too; S = 2 + 6 + 4 + 8 = 20, N = 10 halves
      // each, and the classes sum to N.
      {Restregel::kKeine, 10, 20, {1, 3, 2, 4, kUnberuehrt}},
  };
  for (const Fall& c : faelle) {
    auto NP = std::make_unique<Erwartungswerte>();
    NP->fill(kUnberuehrt);
    (*NP)[0] = 2, (*NP)[1] = 6, (*NP)[2] = 4, (*NP)[3] = 8;
    TermeNormieren(*NP, 3, c.N, c.S, c.regel);
    for (std::size_t i = 0; i < c.erwartet.size(); ++i)
      EXPECT_EQ((*NP)[i], c.erwartet[i]) << "N=" << c.N << " i=" << i;
  }
}

// Both passes: the terms halve from r0 = 1, K terms beyond the first, normalised to N. Terms from
// L on only enter the sum; nothing above L is written, however far K reaches.
TEST(NormierteTerme, NormalisesOverKTermsAndStoresNoneAboveL) {
  const auto halb = [](double, double r) { return r / 2; };
  struct Fall {
    const char* name;
    std::uint32_t L, K;
    double N;
    Restregel regel;
    std::array<double, 4> erwartet;
  };
  const Fall faelle[] = {
      // 1, 1/2, 1/4, 1/8: S = 15/8, N = 15 gives 8, 4, then 15 - 12 = 3.
      {"K = 3", 2, 3, 15, Restregel::kBetrag, {8, 4, 3, kUnberuehrt}},
      // S = 2 - 2^-102, which the running sum already rounds to 2: 10, 5, then 20 - 15 = 5.
      {"K = L + 100", 2, UnendlicherTraeger(2), 20, Restregel::kBetrag, {10, 5, 5, kUnberuehrt}},
      // Truncated: K = L = 2, S = 7/4, N = 14 gives 8, 4, 2, which sum to N.
      {"truncated", 2, 2, 14, Restregel::kKeine, {8, 4, 2, kUnberuehrt}},
  };
  for (const Fall& c : faelle) {
    auto NP = std::make_unique<Erwartungswerte>();
    NP->fill(kUnberuehrt);
    NormierteTerme(*NP, c.L, c.K, c.N, 1, halb, c.regel);
    for (std::size_t i = 0; i < c.erwartet.size(); ++i)
      EXPECT_EQ((*NP)[i], c.erwartet[i]) << c.name << " i=" << i;
    for (std::uint32_t i = c.L + 1; i <= c.K; ++i)
      ASSERT_EQ((*NP)[i], kUnberuehrt) << c.name << ": term " << i << " stored above L";
  }
  // Terms 1, 1, -1 (K = 2): S = 1, so the two classes below L = 2 hold 2N and the remainder is
  // -N, which only kOhneBetrag keeps.
  const auto kippt = [](double i, double r) { return i < 2 ? r : -r; };
  for (Restregel regel : {Restregel::kBetrag, Restregel::kOhneBetrag}) {
    auto NP = std::make_unique<Erwartungswerte>();
    NormierteTerme(*NP, 2, 2, 10, 1, kippt, regel);
    EXPECT_EQ((*NP)[0], 10);
    EXPECT_EQ((*NP)[1], 10);
    EXPECT_EQ((*NP)[2], regel == Restregel::kBetrag ? 10 : -10);
  }
}

// Over an infinite support: where the terms beyond L + 100 no longer change the sum, the result
// is bit for bit that of NormierteTerme over L + 101 terms; a slower tail is summed on, to the
// exact geometric sum 1/(1 - 0.9) = 10; a series that does not converge raises the fault.
TEST(NormierteTerme, InfiniteSupportSumsOnWhileTermsCount) {
  for (double r : {0.5, 0.3, 0.05}) {
    const auto schritt = [r](double, double vorher) { return vorher * r; };
    auto alt = std::make_unique<Erwartungswerte>();
    auto neu = std::make_unique<Erwartungswerte>();
    NormierteTerme(*alt, 7, UnendlicherTraeger(7), 1000, 1, schritt);
    FpFaultScope scope;
    NormierteTermeBisKonvergenz(*neu, 7, 1000, 1, schritt);
    EXPECT_FALSE(scope.Faulted());
    for (std::uint32_t i = 0; i <= 7; ++i) EXPECT_EQ((*neu)[i], (*alt)[i]) << r << " i=" << i;
  }
  {
    auto NP = std::make_unique<Erwartungswerte>();
    FpFaultScope scope;
    NormierteTermeBisKonvergenz(*NP, 3, 10, 1, [](double, double vorher) { return vorher * 0.9; });
    EXPECT_FALSE(scope.Faulted());
    EXPECT_TRUE(Near((*NP)[0], 1, test::kUlps));
    EXPECT_TRUE(Near((*NP)[2], 0.81, test::kUlps));
    EXPECT_TRUE(Near((*NP)[3], 10 * 0.729, test::kShort));
  }
  {
    auto NP = std::make_unique<Erwartungswerte>();
    FpFaultScope scope;
    NormierteTermeBisKonvergenz(*NP, 3, 10, 1, [](double, double vorher) { return vorher; });
    EXPECT_TRUE(scope.Faulted());
  }
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
