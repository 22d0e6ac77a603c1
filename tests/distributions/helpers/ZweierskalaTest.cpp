// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>

#include "core/FpFault.h"
#include "distributions/Helpers.h"
#include "distributions/helpers/Zweierskala.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// 900 ln 2: mpmath, mp.dps = 40, 900 * mp.log(2).
constexpr long double kLogSchrittMp = 623.8324625039507784755089093123589112679L;

// The bound is strict, compared in the type of the value handed in: a long double just above
// 2^900 scales although it rounds to 2^900 as a double.
TEST(Zweierskala, ScalesExactlyAboveTheBound) {
  struct Fall {
    const char* name;
    long double wert;
    bool skaliert;
  };
  const long double ueber = std::ldexp(1.0L + std::ldexp(1.0L, -63), 900);
  const Fall faelle[] = {
      {"2^900 itself", 0x1p900, false},
      {"the next double above 2^900", std::nextafter(0x1p900, 1e308), true},
      {"a long double just above 2^900", ueber, true},
      {"1e300", 1e300, true},
      {"infinity", std::numeric_limits<double>::infinity(), true},
      {"NaN", std::numeric_limits<double>::quiet_NaN(), false},
      {"-1e300", -1e300, false},
      {"1", 1, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Zweierskala skala;
    long double w = f.wert;
    EXPECT_EQ(skala.Halten(w, w), f.skaliert);
    EXPECT_EQ(skala.Skaliert(), f.skaliert);
    EXPECT_EQ(skala.Exponent(), f.skaliert ? 900 : 0);
    if (f.skaliert && std::isfinite(f.wert)) {
      EXPECT_EQ(w, std::ldexp(f.wert, -900));
    } else if (!f.skaliert && !std::isnan(f.wert)) {
      EXPECT_EQ(w, f.wert);
    }
  }
}

// Each scaling multiplies every value handed in by 2^-900, classes and scalars alike, without
// a fault even where the product leaves the normal range; the exponent, the logarithm and the
// unit count the steps.
TEST(Zweierskala, CountsTheStepsAndScalesEveryValue) {
  struct Fall {
    int schritte;
    long double logStart;
  };
  const Fall faelle[] = {{1, 0}, {2, 0}, {3, -745.5L}, {25, 12.25L}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.schritte);
    Zweierskala skala(f.logStart);
    std::array<double, 4> klassen = {0x1p1000, 3.0, 0x1p-150, -0x1p960};
    double term = 0x1p1020;
    Summe summe = 0x1p1010L;
    FpFaultScope scope;
    for (int k = 0; k < f.schritte; ++k)
      skala.Verkleinern(std::span(klassen).first(3), term, summe);
    EXPECT_EQ(scope.Schliessen(), 0);
    const int e = 900 * f.schritte;
    EXPECT_EQ(skala.Exponent(), e);
    EXPECT_EQ(klassen[0], std::ldexp(0x1p1000, -e));
    EXPECT_EQ(klassen[1], std::ldexp(3.0, -e));
    EXPECT_EQ(klassen[2], std::ldexp(0x1p-150, -e));
    EXPECT_EQ(klassen[3], -0x1p960) << "beyond the span handed in";
    EXPECT_EQ(term, std::ldexp(0x1p1020, -e));
    EXPECT_EQ(summe, std::ldexp(0x1p1010L, -e));
    EXPECT_EQ(skala.Einheit(), std::ldexp(1.0, -e));
    EXPECT_TRUE(Near(static_cast<double>(skala.LogSkala()),
                     static_cast<double>(f.logStart + f.schritte * kLogSchrittMp), 1e-15));
  }
}

// The same check at every point of a series: a value that never passes the bound leaves
// everything as it was.
TEST(Zweierskala, LeavesASeriesInRangeAlone) {
  Zweierskala skala(1.5L);
  std::array<double, 3> klassen = {1, 2, 3};
  double r = 1;
  for (int i = 1; i < 100; ++i) {
    r *= 2;
    EXPECT_FALSE(skala.Halten(r, std::span(klassen), r));
  }
  EXPECT_EQ(r, 0x1p99);
  EXPECT_EQ(klassen, (std::array<double, 3>{1, 2, 3}));
  EXPECT_EQ(skala.LogSkala(), 1.5L);
  EXPECT_EQ(skala.Einheit(), 1.0);
}

// Poisson terms a^i/i! from 1: the largest, near e^a / sqrt(2 pi a), lies far beyond the
// double range. Carried scaled they give the probabilities as quotients, the sum's logarithm as
// ln S + LogSkala and the number of scalings as floor(log2(largest term) / 900).
TEST(Zweierskala, PoissonTermsBeyondTheDoubleRange) {
  struct Punkt {
    std::uint32_t i;
    double p;
  };
  struct Fall {
    double a;
    std::uint32_t bis;
    std::int64_t exponent;
    double logSumme;
    std::array<Punkt, 3> punkte;
  };
  // mpmath, mp.dps = 40: p = exp(-a) * a**i / factorial(i); logSumme = log(fsum(a**i /
  // factorial(i) for i in range(bis + 1))); exponent = 900 * floor(log(a**a / factorial(a), 2) /
  // 900) (the largest term is the one at i = a: 1436.4 and 2878.6 binary digits).
  // clang-format off
  const Fall faelle[] = {
      {1000, 2000, 900, 1000.0, {{{900, 7.516954352125952229014685214339350211289e-5},
                                  {1000, 0.01261461134872149971803693647457875764715},
                                  {1100, 9.49894424229950757623678082884867506119e-5}}}},
      {2000, 4000, 2700, 2000.0, {{{1800, 3.004971349312273880590199e-7},
                                   {2000, 0.008920248895986241092471236},
                                   {2300, 4.011826753210621846942004e-12}}}},
  };
  // clang-format on
  auto NP = std::make_unique<Erwartungswerte>();
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.a);
    Zweierskala skala;
    double letzter = 0;
    FpFaultScope scope;
    const Summe S = SkalierteTerme(
        *NP, f.bis, f.bis + 1, 1, [&](std::uint32_t i, double r) { return r * f.a / i; }, skala,
        letzter);
    EXPECT_EQ(scope.Schliessen(), 0);
    EXPECT_EQ(skala.Exponent(), f.exponent);
    EXPECT_EQ(letzter, (*NP)[f.bis]);
    EXPECT_TRUE(Near(static_cast<double>(std::log(S) + skala.LogSkala()), f.logSumme, 1e-15));
    for (const Punkt& p : f.punkte)
      EXPECT_TRUE(Near(static_cast<double>((*NP)[p.i] / S), p.p, 1e-11)) << "class " << p.i;
  }
}

// Where a series ends: a term that no longer changes the sum ends it only beyond `ab`; up to
// `bis` otherwise. Terms 2^-j from j = 2 with a 0 at j = 1: the sums are exact rationals.
TEST(SkalierteReihe, EndsWhereATermNoLongerCounts) {
  struct Fall {
    const char* name;
    std::uint32_t bis;
    std::uint32_t ab;
    long double summe;
    std::uint32_t hoechstensGlieder;
  };
  const Fall faelle[] = {
      // 1 + 0: the zero term at j = 1 ends the series.
      {"a zero term beyond ab", 1000, 0, 1.0L, 1},
      // 1 + 0 + 1/4 + ... + 1/2^10 = 3/2 - 1/2^10.
      {"up to bis, never ended", 10, 10, 1.4990234375L, 10},
      // 1 + 1/4 + 1/8 + ... = 3/2 within the digits of the sum; it ends once 2^-j is below them.
      {"the zero term within ab", 1000, 1, 1.5L, 70},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Zweierskala skala;
    std::uint32_t glieder = 0;
    const Summe s = SkalierteReihe(1.0, 1, f.bis, f.ab, false, skala, [&](std::uint32_t j, double) {
      ++glieder;
      return j == 1 ? 0.0 : std::ldexp(1.0, -static_cast<int>(j));
    });
    EXPECT_TRUE(Near(static_cast<double>(s), static_cast<double>(f.summe), 1e-18));
    EXPECT_LE(glieder, f.hoechstensGlieder);
    EXPECT_FALSE(skala.Skaliert());
  }
}

// e^1500 as the series of 1500^j/j!: its terms pass the double range by far. Unscaled the sum
// overflows; scaled, ln s + LogSkala is 1500 (mpmath, mp.dps = 40: log(fsum(mpf(1500)**j /
// factorial(j) for j in range(4000))) = 1500.0).
TEST(SkalierteReihe, ExponentialSeriesBeyondTheDoubleRange) {
  for (const bool skaliert : {true, false}) {
    SCOPED_TRACE(skaliert);
    Zweierskala skala;
    FpFaultScope scope;
    const Summe s = SkalierteReihe(1.0, 1, 100000, 0, skaliert, skala,
                                   [](std::uint32_t j, double t) { return t * 1500 / j; });
    const int fehler = scope.Schliessen();
    if (skaliert) {
      EXPECT_EQ(fehler, 0);
      EXPECT_EQ(skala.Exponent(), 1800);
      EXPECT_TRUE(Near(static_cast<double>(std::log(s) + skala.LogSkala()), 1500, 1e-15));
    } else {
      EXPECT_NE(fehler & FE_OVERFLOW, 0);
      EXPECT_FALSE(skala.Skaliert());
    }
  }
}

// A linear recurrence whose first class underflows: Poisson(800), e^-800 below every double.
// Carried from 1 and scaled once on the way to the mode (the largest term a^a/a! has 1148
// binary digits), the classes come back from the scale's logarithm. N Pois(i; 800) from mpmath,
// mp.dps = 40: 1e6 * exp(-800) * mpf(800)**i / factorial(i).
TEST(LineareRekursionMitRest, PoissonClassesFromAnUnderflowingFirstClass) {
  struct Punkt {
    std::uint32_t i;
    double np;
  };
  const Punkt punkte[] = {{0, 0},
                          {650, 0.00462418446275048204905998},
                          {800, 14103.2704215837194276778},
                          {950, 0.02260711120386902908487986}};
  const double N = 1e6;
  const std::uint32_t L = 1200;
  auto NP = std::make_unique<Erwartungswerte>();
  FpFaultScope scope;
  LineareRekursionMitRest(*NP, L, N, std::exp(-800.0), -800.0L,
                          [](std::uint32_t i, double vorher) { return vorher * 800 / i; });
  EXPECT_EQ(scope.Schliessen(), 0);
  for (const Punkt& p : punkte) EXPECT_TRUE(Near((*NP)[p.i], p.np, 1e-12)) << "class " << p.i;
  // The tail beyond L = 1200 is below 1e-40 of N: the last class is the rounding of N less the
  // others.
  EXPECT_TRUE(Near((*NP)[L], 0, 0, 1e-9));
}

}  // namespace
}  // namespace vk
