// SPDX-License-Identifier: GPL-3.0-or-later
// Corrected, weighted, compounded and mixed Poisson forms: members 84 (second-order correction),
// 85 (geometrically weighted Poisson tail), 88 (Poisson-stopped positive Poisson), 96 and 97
// (Poisson mixed with its shift by one or by m).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
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
using test::Poisson;

// The correction written as a polynomial in the central deviation.
double Korrigiert(double a, double b, double j) {
  return Poisson(a, j) * (1 + b * ((j - a) * (j - a) - j) / (2 * a * a));
}

// b^x times the Poisson mass from x on, normalised by the closed form of its sum over x.
double GewichteterSchwanz(double a, double b, double x) {
  double q = 0;
  for (double j = x; j < x + 400; ++j) q += Poisson(a, j);
  return (1 - b) / (1 - b * std::exp(-a * (1 - b))) * std::pow(b, x) * q;
}

// The compound as a Poisson number n of positive Poisson summands: n summands of value b each
// sum to x with probability n! S(x, n) b^x / (x! (e^b - 1)^n), so
// P(x) = e^-lambda b^x / x! sum_n S(x, n) (a/b)^n (a Touchard polynomial), lambda = a (e^b - 1)/b.
double PoissonPositivPoisson(double a, double b, double x) {
  const int X = static_cast<int>(x);
  std::vector<std::vector<long double>> S(X + 1, std::vector<long double>(X + 1, 0));
  S[0][0] = 1;
  for (int m = 1; m <= X; ++m)
    for (int k = 1; k <= m; ++k) S[m][k] = k * S[m - 1][k] + S[m - 1][k - 1];
  long double t = 0;
  for (int k = 0; k <= X; ++k) t += S[X][k] * std::pow(static_cast<long double>(a / b), k);
  const double lambda = a * (std::exp(b) - 1) / b;
  return static_cast<double>(std::exp(-lambda + x * std::log(b) - std::lgamma(x + 1)) * t);
}

double Verschoben1(double i) {
  return 0.6 * Poisson(2.5, i) + (i >= 1 ? 0.4 * Poisson(2.5, i - 1) : 0);
}
double VerschobenM(double i) {
  return 0.7 * Poisson(2, i) + (i >= 3 ? 0.3 * Poisson(2, i - 3) : 0);
}

struct Referenzfall {
  const char* name;
  std::uint32_t nummer;
  Parametervektor par;
  Fest fest;
  std::uint32_t L;
  std::uint32_t x0;
  std::function<double(double)> pmf;  // probability of class i
};

TEST(PoissonCorrectionsFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  const Referenzfall faelle[] = {
      {"second-order, b > 0",
       84,
       {3, 0.8},
       {},
       12,
       0,
       [](double j) { return Korrigiert(3, 0.8, j); }},
      {"second-order, b < 0",
       84,
       {4, -0.9},
       {},
       9,
       0,
       [](double j) { return Korrigiert(4, -0.9, j); }},
      {"weighted tail, b < 1",
       85,
       {2.5, 0.6},
       {},
       12,
       0,
       [](double x) { return GewichteterSchwanz(2.5, 0.6, x); }},
      {"Poisson-stopped positive Poisson",
       88,
       {1.5, 0.8},
       {},
       15,
       0,
       [](double x) { return PoissonPositivPoisson(1.5, 0.8, x); }},
      {"Poisson-stopped positive Poisson, wide summands",
       88,
       {0.7, 4},
       {},
       25,
       0,
       [](double x) { return PoissonPositivPoisson(0.7, 4, x); }},
      {"weighted tail, b > 1",
       85,
       {1.5, 1.7},
       {},
       15,
       0,
       [](double x) { return GewichteterSchwanz(1.5, 1.7, x); }},
  };
  for (const Referenzfall& c : faelle)
    test::MitReferenzVergleichen(c.name, c.nummer, c.par, c.fest, 500, c.L, c.x0, Letzte::kRest,
                                 c.pmf);
}

// Parameters whose formula breaks a condition between them (a class that would go negative)
// fail the evaluation instead of handing the fit a negative expected frequency.
TEST(PoissonCorrectionsFamily, ConditionsBetweenParametersFailTheEvaluation) {
  struct Fall {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t L;
    bool scheitert;
  };
  const Fall faelle[] = {
      // 1 + b ((j - a)^2 - j)/(2 a^2) at j = a = 4 is 1 - 4b/32: negative for b > 8.
      {84, {4, 9}, {}, 10, true},
      {84, {4, 7.9}, {}, 10, false},
      // At j = 0 the bracket is 1 + b/2.
      {84, {4, -2.1}, {}, 10, true},
      // b = 1 is the removable singularity of 85's normaliser.
      {85, {2, 1}, {}, 10, true},
      {85, {2, 0.999}, {}, 10, false},
  };
  for (const Fall& c : faelle) {
    Parametervektor par = c.par;
    EXPECT_EQ(test::Auswerten(c.nummer, par, c.fest, c.L, 0, 100).fehler, c.scheitert)
        << "member " << c.nummer << " b " << c.par[1];
  }
}

TEST(PoissonCorrectionsFamily, EstimatorsRecoverExactData) {
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    Fest fest;
    std::function<double(double)> pmf;
    std::uint32_t k;
    std::vector<double> erwartet;
    double rel;
  };
  const Fall faelle[] = {
      // The mean is a and the variance a + b.
      {"second-order",
       84,
       {},
       [](double j) { return Korrigiert(3, 0.8, j); },
       1,
       {3, 0.8},
       test::kRecovered},
      // Newton on the ratio of the first three classes stops after a step below 0.001.
      {"weighted tail",
       85,
       {},
       [](double x) { return GewichteterSchwanz(2.5, 0.6, x); },
       1,
       {2.5, 0.6},
       test::kIterated},
      // a = f[1]/f[0] in alternative 1, b from f[2] in alternative 2 (the other entries are
      // not exact and are not compared).
      {"Poisson-stopped positive Poisson",
       88,
       {},
       [](double x) { return PoissonPositivPoisson(1.5, 0.8, x); },
       1,
       {1.5, NAN},
       test::kTight},
      {"Poisson-stopped positive Poisson",
       88,
       {},
       [](double x) { return PoissonPositivPoisson(1.5, 0.8, x); },
       2,
       {NAN, 0.8},
       test::kTight},
      // The zero class converges at the rate 1 - b, stopped by a change below 1e-4 (alternative
      // 1); the Newton iterations on the first and second ratio (2, 4) and the variance (5)
      // are exact.
      {"shift by one", 96, {}, Verschoben1, 1, {2.5, 0.4}, test::kSearched},
      {"shift by one", 96, {}, Verschoben1, 2, {2.5, 0.4}, test::kSeries},
      {"shift by one", 96, {}, Verschoben1, 4, {2.5, 0.4}, test::kSeries},
      {"shift by one", 96, {}, Verschoben1, 5, {2.5, 0.4}, test::kSeries},
      // a from the first ratio (m >= 2), b from class 0 and from the mean.
      {"shift by m", 97, {3}, VerschobenM, 1, {2, 0.3}, test::kSeries},
      {"shift by m", 97, {3}, VerschobenM, 2, {2, 0.3}, test::kSeries},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    test::StartVergleichen(c.nummer, c.fest, test::Tausendfach(c.pmf, 0, 60), 0, c.k, c.erwartet,
                           c.rel);
  }
}

TEST(PoissonCorrectionsFamily, StartVectorsOnRealDataAreFinite) {
  // clang-format off
  test::StartsEndlich({
      {84, {128, 0}, {}, "horse-kicks.dat"},       {84, {128, 0}, {}, "alpha-particles.dat"},
      {85, {128, 128}, {}, "shell-accidents.dat"}, {85, {128, 128}, {}, "alpha-particles.dat"},
      {88, {128, 128}, {}, "shell-accidents.dat"}, {88, {128, 128}, {}, "alpha-particles.dat"},
      {96, {128, 1}, {}, "horse-kicks.dat"},       {96, {128, 1}, {}, "alpha-particles.dat"},
      {97, {128, 1}, {1}, "shell-accidents.dat"},  {97, {128, 1}, {4}, "alpha-particles.dat"},
  });
  // clang-format on
}

}  // namespace
}  // namespace vk
