// SPDX-License-Identifier: GPL-3.0-or-later
// Members 98 (Poisson mixed with its shift), 100 (geometric with a linear factor), 101 (Poisson
// with a uniform rate) and 110 (reflected uniform mixture of uniforms): probabilities against
// independent routes, estimators on exact frequencies, and the repairs and conditions that link
// their parameters with each other or with the data.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "distributions/Dispatch.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/StartCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::Near;
using test::Poisson;

double Verschoben(double a, double b, double m, double x) {
  return (1 - b) * Poisson(a, x) + b * Poisson(a, x - m);
}
double Linear(double p, double b, double x) {
  return p * std::pow(1 - p, x - 1) * (1 + b * (x - 1 / p));
}
// The mean of Pois(x; t) over t in [a, b] by Simpson's rule on 4000 panels: no Poisson sums.
double Gleichverteilt(double a, double b, double x) {
  const int n = 4000;
  const long double h = (b - a) / n;
  long double s = 0;
  for (int j = 0; j <= n; ++j) {
    const double w = (j == 0 || j == n) ? 1 : (j % 2 ? 4 : 2);
    s += w * Poisson(static_cast<double>(a + j * h), x);
  }
  return static_cast<double>(s * h / 3 / (b - a));
}

using test::Lauf;

Lauf Rechnen(std::uint32_t nummer, Parametervektor& par, std::uint32_t L, std::uint32_t x0,
             const Fest& fest = {}) {
  return test::Auswerten(nummer, par, fest, L, x0);
}

TEST(MixedFormsFamily, ExpectedFrequenciesAgreeWithIndependentRoutes) {
  test::MitReferenzVergleichen("Poisson mixed with its shift", 98, {2.3, 0.4, 4}, {}, 600, 20, 0,
                               Letzte::kRest,
                               [](std::uint32_t i) { return Verschoben(2.3, 0.4, 4, i); });
  test::MitReferenzVergleichen("geometric with a linear factor", 100, {0.3, 0.25}, {}, 600, 30, 1,
                               Letzte::kRest,
                               [](std::uint32_t i) { return Linear(0.3, 0.25, i + 1.0); });
  test::MitReferenzVergleichen(
      "Poisson with a uniform rate", 101, {1.5, 6}, {}, 600, 30, 0, Letzte::kRest,
      [](std::uint32_t i) { return Gleichverteilt(1.5, 6, i); }, test::kSeries);
}

// The repair of the shift m: below 1 it is 1, at or above L it is Int(L/2); a fractional one
// fails. Written back, and computed with the value written back.
TEST(MixedFormsFamily, ShiftRepairsWrittenBack) {
  const struct {
    double m;
    std::uint32_t L;
    double wirksam;
  } faelle[] = {{0.3, 10, 1}, {10, 10, 5}, {25, 9, 4}, {3, 10, 3}};
  for (const auto& c : faelle) {
    Parametervektor par{1.7, 0.3, c.m};
    const Lauf l = Rechnen(98, par, c.L, 0);
    ASSERT_FALSE(l.fehler);
    EXPECT_EQ(par[2], c.wirksam) << "m = " << c.m;
    for (std::uint32_t i = 0; i < c.L; ++i)
      EXPECT_TRUE(Near((*l.NP)[i], 1000 * Verschoben(1.7, 0.3, c.wirksam, i), test::kLogRoute))
          << "m = " << c.m << ", i = " << i;
  }
  Parametervektor bruch{1.7, 0.3, 2.5};
  EXPECT_TRUE(Rechnen(98, bruch, 10, 0).fehler);
}

// a <= 0 becomes 0.1, b below a swaps the two; both written back. Equal bounds fail.
TEST(MixedFormsFamily, UniformRateRepairsWrittenBack) {
  const struct {
    double a, b, a2, b2;
  } faelle[] = {{-1, 4, 0.1, 4}, {5, 2, 2, 5}, {0, 0.05, 0.05, 0.1}};
  for (const auto& c : faelle) {
    Parametervektor par{c.a, c.b};
    const Lauf l = Rechnen(101, par, 12, 0);
    ASSERT_FALSE(l.fehler);
    EXPECT_EQ(par[0], c.a2);
    EXPECT_EQ(par[1], c.b2);
    for (std::uint32_t i = 0; i < 12; ++i)
      EXPECT_TRUE(Near((*l.NP)[i], 1000 * Gleichverteilt(c.a2, c.b2, i), test::kSeries))
          << "i = " << i;
  }
  Parametervektor gleich{2, 2};
  EXPECT_TRUE(Rechnen(101, gleich, 12, 0).fehler);
}

// |b| above 1/(1 - p) - 1 would make the value 1 negative: it becomes 1/(1 - p) - 1.2 (written
// back); where even that leaves it negative (small p), the evaluation fails.
TEST(MixedFormsFamily, LinearFactorCapOnB) {
  Parametervektor par{0.3, 0.9};
  const Lauf l = Rechnen(100, par, 10, 1);
  ASSERT_FALSE(l.fehler);
  EXPECT_DOUBLE_EQ(par[1], 1 / 0.7 - 1.2);
  EXPECT_TRUE(Near((*l.NP)[0], 1000 * Linear(0.3, 1 / 0.7 - 1.2, 1), test::kLogRoute));
  Parametervektor klein{0.01, 0.5};
  EXPECT_TRUE(Rechnen(100, klein, 10, 1).fehler);
}

// n below the last value x[L] is raised to it (written back); above it the classes run on to
// Int(n) - 1, which takes the remainder; past the array the evaluation fails.
TEST(MixedFormsFamily, ReflectedUniformMixtureBound) {
  Parametervektor par{4};
  Lauf l = Rechnen(110, par, 9, 1);
  ASSERT_FALSE(l.fehler);
  EXPECT_EQ(par[0], 10);
  Parametervektor weiter{14};
  l = Rechnen(110, weiter, 9, 1);
  ASSERT_FALSE(l.fehler);
  long double h = 0, summe = 0;
  for (int x = 1; x <= 13; ++x) {
    h += 1.0L / (15 - x);
    EXPECT_TRUE(Near((*l.NP)[x - 1], static_cast<double>(1000 * h / 14), test::kLogRoute));
    summe += (*l.NP)[x - 1];
  }
  EXPECT_TRUE(Near(static_cast<double>(summe + (*l.NP)[13]), 1000, test::kTight));
  Parametervektor zuViel{30000};
  EXPECT_TRUE(Rechnen(110, zuViel, 9, 1).fehler);
}

TEST(MixedFormsFamily, EstimatorsRecoverExactData) {
  const struct {
    const char* name;
    std::uint32_t nummer;
    std::vector<double> par;
    std::uint32_t x0, L;
    double (*pmf)(double);
    std::vector<std::uint32_t> alternativen;
  } faelle[] = {
      // a = f[1]/f[0] (m >= 2), b from P(0) = (1 - b) e^-a, m from the mean a + b m.
      {"Poisson mixed with its shift",
       98,
       {2.3, 0.4, 4},
       0,
       60,
       [](double x) { return Verschoben(2.3, 0.4, 4, x); },
       {1}},
      // p and b from the first two values.
      {"geometric with a linear factor",
       100,
       {0.3, 0.25},
       1,
       150,
       [](double x) { return Linear(0.3, 0.25, x); },
       {1}},
      // b and a from the mean and variance.
      {"Poisson with a uniform rate",
       101,
       {1.5, 6},
       0,
       80,
       [](double x) { return Gleichverteilt(1.5, 6, x); },
       {1}},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.name);
    std::vector<double> fv;
    for (std::uint32_t i = 0; i <= c.L; ++i) fv.push_back(1000 * c.pmf(c.x0 + i));
    const auto d = test::Klassen(fv, c.x0);
    const TParameterEigenschaften eig = test::Eigenschaften(c.nummer);
    for (std::uint32_t k : c.alternativen) {
      const Parametervektor start = test::Start(c.nummer, *d, eig, k);
      for (std::size_t j = 0; j < c.par.size(); ++j)
        EXPECT_TRUE(Near(start[j], c.par[j], test::kRecovered))
            << "alternative " << k << ", parameter " << j;
    }
  }
}

TEST(MixedFormsFamily, StartVectorsOnRealDataAreFinite) {
  for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat", "shell-accidents.dat"}) {
    test::StartsEndlich(98, datei, test::MitDomaenen(98, {128, 1, 16}, {}));
    test::StartsEndlich(101, datei, test::MitDomaenen(101, {128, 128}, {}));
  }
  for (const char* datei : {"gpl3-word-syllables.dat", "gpl3-word-letters.dat"}) {
    test::StartsEndlich(100, datei, test::MitDomaenen(100, {1, 32}, {}));
    test::StartsEndlich(110, datei, test::MitDomaenen(110, {16}, {}));
  }
}

}  // namespace
}  // namespace vk
