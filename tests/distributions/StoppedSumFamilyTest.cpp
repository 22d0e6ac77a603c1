// SPDX-License-Identifier: GPL-3.0-or-later
// Stopped sums of Poisson summands: members 99 (Polya-Aeppli), 104 and 105 (logarithmic-Poisson),
// 106 and 107 (geometric-Poisson) and 111 (Hermite). Their probabilities against the power-series
// coefficients of exp(A(s)) computed here from A alone, their estimators on exact frequencies,
// and the repairs they write back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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

// Coefficients p_0..p_K of exp(A(s)) for A(s) = sum alpha_k s^k, by n p_n = sum k alpha_k
// p_{n-k} (the derivative of the exponential), in long double.
std::vector<double> ExpReihe(const std::vector<long double>& alpha, std::uint32_t K) {
  std::vector<long double> p(K + 1);
  p[0] = std::exp(alpha[0]);
  for (std::uint32_t n = 1; n <= K; ++n) {
    long double s = 0;
    for (std::uint32_t k = 1; k <= n && k < alpha.size(); ++k) s += k * alpha[k] * p[n - k];
    p[n] = s / n;
  }
  return {p.begin(), p.end()};
}

// sum_k w(k) Pois(x; k a) over k >= 1, the compound definition of members 104 to 107.
double Gemischt(double a, double x, const std::function<double(int)>& w) {
  long double s = 0;
  for (int k = 1; k < 20000; ++k)
    s += w(k) * std::exp(-k * a + x * std::log(k * a) - std::lgamma(x + 1));
  return static_cast<double>(s);
}

TEST(StoppedSumFamily, ExpectedFrequenciesAgreeWithIndependentRoutes) {
  {
    // Polya-Aeppli: A(s) = a (b s/(1 - c s) - 1) = -a + a b sum_{k>=1} c^(k-1) s^k.
    const double a = 2.5, b = 0.35;
    std::vector<long double> alpha(60);
    alpha[0] = -a;
    for (std::uint32_t k = 1; k < alpha.size(); ++k) alpha[k] = a * b * std::pow(1 - b, k - 1);
    const auto p = ExpReihe(alpha, 40);
    test::MitReferenzVergleichen("Polya-Aeppli", 99, {a, b}, {}, 800, 40, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return p[i]; });
  }
  {
    // Hermite: A(s) = -a + a (1 - b) s + a b s^2.
    const double a = 3.2, b = 0.45;
    const auto p = ExpReihe({-a, a * (1 - b), a * b}, 30);
    test::MitReferenzVergleichen("Hermite", 111, {a, b}, {}, 500, 30, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return p[i]; });
  }
  const double r = 0.7, c = -std::log1p(-r);
  test::MitReferenzVergleichen(
      "logarithmic-Poisson", 104, {1.8, r}, {}, 600, 25, 0, Letzte::kRest, [&](std::uint32_t x) {
        return Gemischt(1.8, x, [&](int k) { return std::pow(r, k) / (k * c); });
      });
  test::MitReferenzVergleichen(
      "logarithmic-Poisson, a = 1", 105, {r}, {}, 600, 25, 0, Letzte::kRest, [&](std::uint32_t x) {
        return Gemischt(1, x, [&](int k) { return std::pow(r, k) / (k * c); });
      });
  const double b = 0.6;
  const auto geometrisch = [&](double a, std::uint32_t x) {
    return (x == 0 ? 1 - b : 0) + Gemischt(a, x, [&](int k) { return (1 - b) * std::pow(b, k); });
  };
  test::MitReferenzVergleichen("geometric-Poisson", 106, {2.2, b}, {}, 700, 25, 0, Letzte::kRest,
                               [&](std::uint32_t x) { return geometrisch(2.2, x); });
  test::MitReferenzVergleichen("geometric-Poisson, a = 1", 107, {b}, {}, 700, 25, 0, Letzte::kRest,
                               [&](std::uint32_t x) { return geometrisch(1, x); });
}

// On exact frequencies (all mass inside the classes) the estimators built on exact relations
// return the parameters.
TEST(StoppedSumFamily, EstimatorsRecoverExactData) {
  const struct {
    const char* name;
    std::uint32_t nummer;
    std::vector<double> par;
    std::uint32_t L;
    std::vector<std::uint32_t> alternativen;
  } faelle[] = {
      // a from the moments and from f[0]; b from the mean and from f[1]/f[0].
      {"Polya-Aeppli", 99, {2.5, 0.35}, 150, {1, 2}},
      // r by Newton on m1^2/fm2, a = (1 - r) fm2/m1.
      {"logarithmic-Poisson", 104, {1.8, 0.7}, 150, {2}},
      {"logarithmic-Poisson, a = 1", 105, {0.7}, 150, {1}},
      // Exact where the summands' mean is 1, which both of b's estimators assume.
      {"geometric-Poisson", 106, {1, 0.4}, 150, {1, 2, 3}},
      {"geometric-Poisson, a = 1", 107, {0.4}, 150, {1, 2, 3}},
      // a from f[0], b from the mean; the least squares on i f[i] = a1 f[i-1] + 2 a2 f[i-2].
      {"Hermite", 111, {3.2, 0.45}, 80, {1, 2, 3, 4}},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.name);
    Parametervektor par{};
    for (std::size_t j = 0; j < c.par.size(); ++j) par[j] = c.par[j];
    const auto fv = test::Frequenzen(test::Auswerten(c.nummer, par, {}, c.L), c.L);
    for (std::uint32_t k : c.alternativen)
      test::StartVergleichen(c.nummer, {}, fv, 0, k, c.par, test::kIterated);
  }
}

TEST(StoppedSumFamily, HermiteAlternativesFiveToSevenStartBAtFixedValues) {
  const auto d = test::Beispieldaten("alpha-particles.dat");
  const TParameterEigenschaften eig = test::Eigenschaften(111);
  const Parametervektor erste = test::Start(111, *d, eig, 1);
  const double b[] = {0.1, 0.2, 0.3};
  for (std::uint32_t k = 5; k <= 7; ++k) {
    const Parametervektor p = test::Start(111, *d, eig, k);
    EXPECT_EQ(p[0], erste[0]) << "alternative " << k;
    EXPECT_EQ(p[1], b[k - 5]) << "alternative " << k;
  }
}

// a <= 0 becomes 0.1 and r of 1 or more 0.98, written back; the repaired vector computes what
// it says.
TEST(StoppedSumFamily, LogarithmicPoissonRepairsWrittenBack) {
  TStatistik s;
  s.summe = 100;
  s.n = 8;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten leer{};
  auto NP = std::make_unique<Erwartungswerte>();
  auto NPrepariert = std::make_unique<Erwartungswerte>();
  Parametervektor par{-2, 1.5};
  ASSERT_TRUE(ErwartungswerteBerechnen(104, par, s, *x, leer, *NP, test::Eigenschaften(104)));
  EXPECT_EQ(par[0], 0.1);
  EXPECT_EQ(par[1], 0.98);
  Parametervektor repariert{0.1, 0.98};
  ASSERT_TRUE(ErwartungswerteBerechnen(104, repariert, s, *x, leer, *NPrepariert,
                                       test::Eigenschaften(104)));
  for (std::uint32_t i = 0; i <= 8; ++i) EXPECT_EQ((*NP)[i], (*NPrepariert)[i]);
  Parametervektor p105{1};
  ASSERT_TRUE(ErwartungswerteBerechnen(105, p105, s, *x, leer, *NP, test::Eigenschaften(105)));
  EXPECT_EQ(p105[0], 0.98);
}

TEST(StoppedSumFamily, StartVectorsOnRealDataAreFinite) {
  const struct {
    std::uint32_t nummer;
    std::vector<unsigned> bits;
  } faelle[] = {{99, {128, 1}},  {104, {128, 1}}, {105, {1}},
                {106, {128, 1}}, {107, {1}},      {111, {128, 1}}};
  for (const auto& c : faelle)
    for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat", "shell-accidents.dat"})
      test::StartsEndlich(c.nummer, datei, test::MitDomaenen(c.nummer, c.bits, {}));
}

}  // namespace
}  // namespace vk
