// SPDX-License-Identifier: GPL-3.0-or-later
// Stopped sums of geometric, logarithmic and binomial summands (members 126 to 130): their
// probabilities against the power-series coefficients of their generating functions computed
// here by series arithmetic (no convolution recurrence), their special cases, and the estimators
// that are exact on exact frequencies.
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
using test::Near;
using Reihe = std::vector<long double>;

// The product of two power series, cut after the coefficient of s^K.
Reihe Mal(const Reihe& a, const Reihe& b) {
  Reihe c(a.size(), 0);
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; i + j < a.size(); ++j) c[i + j] += a[i] * b[j];
  return c;
}

// A(s)^m for a whole m by m multiplications.
Reihe Potenz(const Reihe& a, int m) {
  Reihe p(a.size(), 0);
  p[0] = 1;
  for (int r = 0; r < m; ++r) p = Mal(p, a);
  return p;
}

TEST(StoppedSumGeometricLogarithmicFamily, ProbabilitiesAreTheGeneratingFunctionsCoefficients) {
  constexpr std::uint32_t L = 30;
  const struct {
    double pi, theta;
    int m;
  } logarithmisch[] = {{0.3, 0.6, 3}, {0.8, 0.95, 5}, {0.05, 0.2, 1}, {0.5, 0.999, 12}};
  for (const auto& c : logarithmisch) {
    // Member 130: (1 - pi + pi ln(1 - theta s)/ln(1 - theta))^m, the logarithm's series
    // -sum theta^j s^j/j.
    Reihe a(L + 1, 0);
    a[0] = 1 - c.pi;
    for (std::uint32_t j = 1; j <= L; ++j)
      a[j] = c.pi * -std::pow(static_cast<long double>(c.theta), j) /
             (j * std::log1p(-static_cast<long double>(c.theta)));
    const Reihe p = Potenz(a, c.m);
    test::MitReferenzVergleichen("binomial of logarithmics", 130, {c.pi, c.theta},
                                 {static_cast<double>(c.m)}, 1000, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return static_cast<double>(p[i]); });
  }
  const struct {
    double pi, p;
    int m;
  } geometrisch[] = {{0.3, 0.6, 3}, {0.9, 0.05, 7}, {0.02, 0.5, 1}};
  for (const auto& c : geometrisch) {
    // Member 126: (1 - pi + pi p/(1 - (1 - p) s))^m, the geometric series p sum (1 - p)^j s^j.
    Reihe a(L + 1, 0);
    for (std::uint32_t j = 0; j <= L; ++j)
      a[j] = c.pi * c.p * std::pow(1 - static_cast<long double>(c.p), j);
    a[0] += 1 - c.pi;
    const Reihe p = Potenz(a, c.m);
    test::MitReferenzVergleichen("binomial of geometrics", 126, {c.pi, c.p},
                                 {static_cast<double>(c.m)}, 1000, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return static_cast<double>(p[i]); });
    // Member 129: pi/(1 - (1 - pi) p/(1 - (1 - p) s)) = (pi/D)(1 - (1 - p) s)/(1 - rho s) with
    // D = 1 - (1 - pi) p and rho = (1 - p)/D, so P(0) = pi/D and
    // P(x) = pi (1 - pi) p (1 - p) rho^(x-1)/D^2 for x >= 1.
    const long double D = 1 - (1 - static_cast<long double>(c.pi)) * c.p;
    const long double rho = (1 - static_cast<long double>(c.p)) / D;
    test::MitReferenzVergleichen("geometric of geometrics", 129, {c.pi, c.p}, {}, 1000, L, 0,
                                 Letzte::kRest, [&](std::uint32_t x) {
                                   if (x == 0) return static_cast<double>(c.pi / D);
                                   return static_cast<double>(c.pi * (1 - c.pi) * c.p * (1 - c.p) *
                                                              std::pow(rho, x - 1) / (D * D));
                                 });
  }
}

// A geometric number of Bernoulli(p) summands is geometric: pi/(1 - (1 - pi)(1 - p + p s)) has
// P(x) = (1 - r) r^x with r = (1 - pi) p/(pi + (1 - pi) p). A binomial stopped sum with m = 1 is
// pi times the summand plus 1 - pi at 0.
TEST(StoppedSumGeometricLogarithmicFamily, SpecialCases) {
  for (const double pi : {0.1, 0.6, 0.95}) {
    for (const double p : {0.05, 0.5, 0.9}) {
      const double r = (1 - pi) * p / (pi + (1 - pi) * p);
      test::MitReferenzVergleichen("geometric of Bernoullis", 128, {p, pi}, {1}, 1000, 25, 0,
                                   Letzte::kRest,
                                   [&](std::uint32_t x) { return (1 - r) * std::pow(r, x); });
      test::MitReferenzVergleichen("one binomial summand, logarithmic", 130, {pi, p}, {1}, 1000, 25,
                                   0, Letzte::kRest, [&](std::uint32_t x) {
                                     return x == 0 ? 1 - pi
                                                   : -pi * std::pow(p, x) / (x * std::log1p(-p));
                                   });
    }
  }
}

// On exact frequencies (the classes reach far enough that the moments miss nothing) the
// estimators built on exact relations return the parameters:
//   127: a = f[0]/N; f0 f2 - f1^2 = a^2 (1 - a) g_2 and f0 f1 = a^2 (1 - a) g_1, so the ratio
//        estimate 2 (f0 f2 - f1^2)/(f0 f1) is 2 g_2/g_1 = theta;
//   129: every slot (pi from the factorial moments, p from the first ratios and f[0]);
//   130: pi from f[0]/N and from the moments, theta from the moments.
TEST(StoppedSumGeometricLogarithmicFamily, EstimatorsRecoverExactData) {
  const struct {
    const char* name;
    std::uint32_t nummer;
    std::vector<double> par;
    Fest fest;
    std::uint32_t L;
    std::vector<std::pair<std::size_t, double>> slots;
  } faelle[] = {
      {"geometric of logarithmics", 127, {0.4, 0.6}, {}, 400, {{0, 0.4}, {51, 0.6}}},
      {"geometric of geometrics",
       129,
       {0.35, 0.55},
       {},
       400,
       {{0, 0.35}, {50, 0.55}, {1, 0.35}, {51, 0.55}, {101, 0.55}}},
      {"binomial of logarithmics", 130, {0.5, 0.6}, {3}, 400, {{0, 0.5}, {1, 0.5}, {51, 0.6}}},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.name);
    Parametervektor par{};
    for (std::size_t j = 0; j < c.par.size(); ++j) par[j] = c.par[j];
    const test::Lauf lauf = test::Auswerten(c.nummer, par, c.fest, c.L);
    ASSERT_FALSE(lauf.fehler);
    const Schaetzwerttabelle E =
        test::SchaetzwerteAus(c.nummer, c.fest, test::Frequenzen(lauf, c.L));
    for (const auto& [slot, wert] : c.slots)
      EXPECT_TRUE(Near(E[slot], wert, test::kIterated)) << "slot " << slot << " = " << E[slot];
  }
}

TEST(StoppedSumGeometricLogarithmicFamily, StartVectorsOnRealDataAreFinite) {
  const struct {
    std::uint32_t nummer;
    Fest fest;
  } faelle[] = {{126, {3}}, {127, {}}, {128, {3}}, {129, {}}, {130, {3}}};
  for (const auto& c : faelle)
    for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat", "shell-accidents.dat"})
      test::StartsEndlich(c.nummer, datei, test::MitDomaenen(c.nummer, {1, 1}, c.fest));
}

}  // namespace
}  // namespace vk
