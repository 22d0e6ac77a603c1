// SPDX-License-Identifier: GPL-3.0-or-later
// The special-fitting model: member 205.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/FpFault.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

struct Modell {
  double a0, a1, a2, b1, b2;
  // The ratio with every term present.
  double g(double x) const { return 1 + a0 + a1 / (x + b1) + a2 / (x + b2); }
  // 1 + g(1) + g(1)g(2) + ... + g(1)...g(30): the unnormalised probabilities, summed directly.
  double DirekteSumme() const {
    double t = 1, s = 1;
    for (int x = 1; x <= 30; ++x) s += (t *= g(x));
    return s;
  }
  double Delta() const {
    const double f = 1 + a0;
    return f * f * (b1 - b2) * (b1 - b2) + 2 * f * (a1 - a2) * (b1 - b2) + (a1 + a2) * (a1 + a2);
  }
};

// Properties as the special fitting builds them: the fixed names moved to festparNamen, the
// free ones left in catalog order.
TParameterEigenschaften Eigenschaften(std::initializer_list<std::pair<const char*, double>> fest,
                                      std::initializer_list<const char*> frei) {
  TParameterEigenschaften eig;
  for (const auto& [name, wert] : fest) {
    eig.festparNamen[eig.festparZahl] = name;
    eig.festparameter[eig.festparZahl++] = wert;
  }
  for (const char* name : frei) eig.parNamen[eig.parZahl++] = name;
  eig.alternativen = 1;
  return eig;
}

TParameterEigenschaften AlleFrei() {
  return Eigenschaften({}, {"a0", "a1", "a2", "b1", "b2"});
}

struct Ergebnis {
  std::unique_ptr<Erwartungswerte> NP = std::make_unique<Erwartungswerte>();
  bool fehler = false;
};

Ergebnis Berechnen(Parametervektor par, const TParameterEigenschaften& eig, double N,
                   std::uint32_t L) {
  Ergebnis e;
  TStatistik s;
  s.summe = N;
  s.n = L;
  const KlassenWerte x{};
  const KlassenHaeufigkeiten f{};
  FpFaultScope scope;
  EXPECT_TRUE(ErwartungswerteBerechnen(kSpezialIndex, par, s, x, f, *e.NP, eig));
  e.fehler = scope.Faulted();
  return e;
}

// Whenever the numerator of g has real roots, the series F is exactly the sum of the first 31
// unnormalised probabilities; reduced series (1 + a0 = 0) included, and 1 + a0 just above the
// switch using the general series.
TEST(SpecialModel, SeriesEqualsDirectSumWhenRootsAreReal) {
  struct Fall {
    const char* name;
    Modell m;
    double tol;
  };
  const Fall faelle[] = {
      {"a0 = a2 = b1 = 0, Delta = (a1 - b2)^2", {0, 0.6, 0, 0, 0.5}, test::kTight},
      {"general, Delta = 0.4", {-0.5, 0.3, 0.2, 0.5, 1.5}, test::kTight},
      {"negative a2", {-0.3, 0.9, -0.2, 1.5, 0.25}, test::kTight},
      {"a0 = -1: reduced 2F2 series", {-1, 0.6, 0.9, 0.5, 2}, test::kTight},
      // 1 + a0 = 2e-5: u1 = 1 + (b1 + b2)/2 + (a1 + a2 - s)/(2f) cancels about five digits.
      {"a0 = -1 + 2e-5: general 3F2 series", {-1 + 2e-5, 0.6, 0.9, 0.5, 2}, test::kSeries},
  };
  for (const Fall& c : faelle) {
    ASSERT_GE(c.m.Delta(), 0) << c.name;
    const double N = 250;
    const std::uint32_t L = 8;
    const Ergebnis e = Berechnen({c.m.a0, c.m.a1, c.m.a2, c.m.b1, c.m.b2}, AlleFrei(), N, L);
    EXPECT_FALSE(e.fehler) << c.name;
    const double F = c.m.DirekteSumme();
    double p = 1, unterL = 0;
    for (std::uint32_t x = 0; x < L; ++x) {
      if (x > 0) p *= c.m.g(x);
      unterL += N * p / F;
      EXPECT_TRUE(Near((*e.NP)[x], N * p / F, c.tol)) << c.name << " x=" << x;
    }
    // The tail is N minus the others, so its error is absolute, relative to N.
    EXPECT_TRUE(Near((*e.NP)[L], std::fabs(N - unterL), c.tol, c.tol * N)) << c.name;
  }
}

// With complex roots, sqrt|Delta| stands in for them and F is no longer the direct sum.
TEST(SpecialModel, ComplexRootsUseAbsoluteDiscriminant) {
  const Modell m{0, 1, -0.8, 0.5, 2.3};
  ASSERT_LT(m.Delta(), 0);
  const Ergebnis e = Berechnen({m.a0, m.a1, m.a2, m.b1, m.b2}, AlleFrei(), 100, 5);
  EXPECT_FALSE(e.fehler);
  const double F = 100 / (*e.NP)[0];
  EXPECT_GT(std::fabs(F - m.DirekteSumme()), 1e-3 * m.DirekteSumme());
}

// The strict 1e-5 tests: a coefficient of exactly 1e-5 keeps its term, one below drops it; a
// shift within 1e-5 of -x drops its term at that x only.
TEST(SpecialModel, NegligibleTermsAreDroppedStrictly) {
  struct Fall {
    const char* name;
    Modell m;
    std::uint32_t x;
    double ratio;  // expected NP[x]/NP[x-1]
  };
  const Fall faelle[] = {
      {"a1 = 1e-5 kept", {0.1, 1e-5, 0.3, 0.5, 1.5}, 2, 1.1 + 1e-5 / 2.5 + 0.3 / 3.5},
      {"a1 below 1e-5 dropped", {0.1, 9.99e-6, 0.3, 0.5, 1.5}, 2, 1.1 + 0.3 / 3.5},
      {"a2 below 1e-5 dropped", {0.1, 0.4, -9e-6, 0.5, 1.5}, 3, 1.1 + 0.4 / 3.5},
      {"x + b1 within 1e-5 of 0", {-0.2, 0.4, 0.3, -1.999995, 1.5}, 2, 0.8 + 0.3 / 3.5},
      {"the same shift at the next x",
       {-0.2, 0.4, 0.3, -1.999995, 1.5},
       3,
       0.8 + 0.4 / (3 - 1.999995) + 0.3 / 4.5},
  };
  for (const Fall& c : faelle) {
    const Ergebnis e = Berechnen({c.m.a0, c.m.a1, c.m.a2, c.m.b1, c.m.b2}, AlleFrei(), 100, 6);
    EXPECT_FALSE(e.fehler) << c.name;
    EXPECT_TRUE(Near((*e.NP)[c.x] / (*e.NP)[c.x - 1], c.ratio, test::kTight)) << c.name;
  }
}

// The 31-term F falls short of the full sum when the terms grow; the classes below L then add
// up to more than N and the last class is the absolute difference, never negative.
TEST(SpecialModel, TailIsAbsoluteDifference) {
  const std::uint32_t L = 40;
  const Ergebnis e = Berechnen({0, 0.5, 0, 1, 1}, AlleFrei(), 100, L);
  EXPECT_FALSE(e.fehler);
  double unterL = 0;
  for (std::uint32_t x = 0; x < L; ++x) unterL += (*e.NP)[x];
  ASSERT_GT(unterL, 100);
  EXPECT_TRUE(Near((*e.NP)[L], unterL - 100, test::kTight));
}

// A name in neither list reads as 123456789; here a0, whose series stays within range.
TEST(SpecialModel, MissingNameReadsAsPlaceholder) {
  const Ergebnis e =
      Berechnen({0.4, 0.3, 0.5, 1.5}, Eigenschaften({}, {"a1", "a2", "b1", "b2"}), 100, 4);
  EXPECT_FALSE(e.fehler);
  EXPECT_TRUE(Near((*e.NP)[1] / (*e.NP)[0], 1 + 123456789.0 + 0.4 / 1.5 + 0.3 / 2.5, test::kTight));
}

TStatistik StatistikAus(const Modell& m, std::int32_t k) {
  TStatistik s;
  s.summe = 100;
  s.n = 10;
  s.ModusGruppenIndex = k;
  for (int j = 0; j < 3; ++j) s.quotient[j] = m.g(k + j);
  return s;
}

// The starting values solve g(k) = q1, g(k+1) = q2, g(k+2) = q3: quotients taken from a known
// model give back its coefficients.
TEST(SpecialModel, StartingValuesSolveTheThreeRatios) {
  const Modell m{-0.35, 1.7, -0.6, 0.8, 2.5};
  const TStatistik s = StatistikAus(m, 3);
  Schaetzwerttabelle E{};
  E[150] = m.b1;
  E[200] = m.b2;
  const KlassenHaeufigkeiten f{};
  const KlassenWerte x{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(kSpezialIndex, s, AlleFrei(), E, f, x));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_TRUE(Near(E[0], m.a0, test::kLogRoute));
  EXPECT_TRUE(Near(E[50], m.a1, test::kLogRoute));
  EXPECT_TRUE(Near(E[100], m.a2, test::kLogRoute));

  // Every alternative, k = 0 included, is the vector of the five slot-0 estimates.
  for (std::uint32_t k : {0u, 1u, 4u}) {
    Parametervektor par{};
    par[5] = 42;
    ASSERT_TRUE(AlternativeWaehlen(kSpezialIndex, k, E, f, par, AlleFrei()));
    EXPECT_EQ(par, (Parametervektor{E[0], E[50], E[100], E[150], E[200], 42})) << k;
  }
}

// With b1 = b2 the two equations for a1 coincide and its denominator is zero in exact arithmetic
// (both of its terms are 2/((k + b)(k + b + 2))); rounded, it was a few units of the last place
// and a1 came out near 1e13 on the alpha-particle counts. It must fail as the exact zero does,
// whatever the common shift; shifts that differ keep their finite estimates.
TEST(SpecialModel, EqualShiftsFailTheStartingValues) {
  const auto d = test::Beispieldaten("alpha-particles.dat");
  const KlassenHaeufigkeiten& f = d->Haeufigkeiten;
  struct Fall {
    double b1, b2;
    bool fehler;
  };
  const Fall faelle[] = {{-0.1, -0.1, true}, {0.1, 0.1, true},   {0.3, 0.3, true},
                         {0.7, 0.7, true},   {1.9, 1.9, true},   {2.6, 2.6, true},
                         {-0.1, 0.1, false}, {0.7, 0.75, false}, {1.9, 2.6, false}};
  for (const Fall& c : faelle) {
    Schaetzwerttabelle E{};
    E[150] = c.b1;
    E[200] = c.b2;
    FpFaultScope scope;
    ASSERT_TRUE(SchaetzwerteBerechnen(kSpezialIndex, d->Statistik, AlleFrei(), E, f, d->XWerte));
    EXPECT_EQ(scope.Faulted(), c.fehler) << c.b1 << ", " << c.b2 << ": a1 = " << E[50];
  }
}

// A fixed a1 is stored as its estimate, feeds a2 and a0, is left out of the vector, and is used
// by the expected frequencies.
TEST(SpecialModel, FixedA1FeedsTheOthersAndLeavesTheVector) {
  const Modell m{-0.35, 1.7, -0.6, 0.8, 2.5};
  const TStatistik s = StatistikAus(m, 2);
  const TParameterEigenschaften eig = Eigenschaften({{"a1", 0.7}}, {"a0", "a2", "b1", "b2"});
  Schaetzwerttabelle E{};
  E[150] = m.b1;
  E[200] = m.b2;
  const KlassenHaeufigkeiten f{};
  const KlassenWerte x{};
  ASSERT_TRUE(SchaetzwerteBerechnen(kSpezialIndex, s, eig, E, f, x));
  EXPECT_EQ(E[50], 0.7);
  // With a1 = 0.7 the estimates still meet the first two ratios (the third is given up).
  const Modell geschaetzt{E[0], 0.7, E[100], m.b1, m.b2};
  EXPECT_TRUE(Near(geschaetzt.g(2), s.quotient[0], test::kTight));
  EXPECT_TRUE(Near(geschaetzt.g(3), s.quotient[1], test::kTight));

  Parametervektor par{};
  par[4] = 42;
  ASSERT_TRUE(AlternativeWaehlen(kSpezialIndex, 1, E, f, par, eig));
  EXPECT_EQ(par, (Parametervektor{E[0], E[100], m.b1, m.b2, 42}));

  const Ergebnis e = Berechnen(par, eig, 100, 5);
  EXPECT_FALSE(e.fehler);
  EXPECT_TRUE(Near((*e.NP)[1] / (*e.NP)[0], geschaetzt.g(1), test::kTight));
}

// No window of four positive classes: k = 0 and zero quotients still give starting values.
TEST(SpecialModel, NoModeWindow) {
  TStatistik s;
  s.summe = 10;
  s.n = 3;
  Schaetzwerttabelle E{};
  E[150] = 0.5;
  E[200] = 1.5;
  const KlassenHaeufigkeiten f{};
  const KlassenWerte x{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(kSpezialIndex, s, AlleFrei(), E, f, x));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_EQ(E[50], 0);
  EXPECT_EQ(E[100], 0);
  EXPECT_EQ(E[0], -1);
}

}  // namespace
}  // namespace vk
