// SPDX-License-Identifier: GPL-3.0-or-later
// Urn, queue, truncated and hyper-Pascal-like members: 33 (finite-source queue), 37 (uniform
// plus geometric), 40 (inverse hypergeometric), 41 (hyper-Pascal from ratios), 42 (generalised
// negative binomial), 52 (reflected truncated Poisson), 54 (right-truncated geometric).
#include <gtest/gtest.h>

#include <algorithm>
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
using test::LogBinomial;
using test::Near;

// Machine-interference weights: C(n, i) a^i up to m servers, n!/((n - i)! m! m^(i-m)) a^i above.
double Warteschlange(double a, double m, double n, double i) {
  if (i <= m) return std::exp(LogBinomial(n, i) + i * std::log(a));
  return std::exp(std::lgamma(n + 1) - std::lgamma(n - i + 1) - std::lgamma(m + 1) -
                  (i - m) * std::log(m) + i * std::log(a));
}

// Uniform on 0..m-1 plus geometric (1 - a) a^j, by the direct convolution sum.
double UniformGeometrisch(double a, int m, int i) {
  double s = 0;
  for (int u = 0; u <= std::min(i, m - 1); ++u) s += (1 - a) * std::pow(a, i - u) / m;
  return s;
}

double InversHypergeometrisch(double Ng, double R, double n, double i) {
  return std::exp(LogBinomial(i + n - 1, i) + LogBinomial(Ng - n - i, R - n) - LogBinomial(Ng, R));
}

double HyperPascal(double k, double m, double q, double x) {
  return std::exp(std::lgamma(k + x) - std::lgamma(k) - std::lgamma(m + x) + std::lgamma(m) +
                  x * std::log(q));
}

// The member's P(0) times the product of its ratios in gamma-function form:
// prod_{j<=i} (j + b - 1)/j = Gamma(i + b)/(Gamma(b) i!),
// prod_{j<=i} (1 - c + (j - 1) a) = a^i Gamma(i + (1 - c)/a)/Gamma((1 - c)/a),
// prod_{j<=i} ((j + b - 1) a + 1) = a^i Gamma(i + b + 1/a)/Gamma(b + 1/a).
double GenPascal(double a, double b, double c, double i) {
  const double ab = a * b;
  const double p0 = std::pow(std::fabs((ab + c) / c), c / a - 0.5) *
                    std::pow(std::fabs((ab + c) / (ab + 1)), b) *
                    std::pow(std::fabs(1 / (ab + 1)), 1 / a - 0.5);
  const double u = (1 - c) / a;
  const double v = b + 1 / a;
  return p0 * std::exp(std::lgamma(i + b) - std::lgamma(b) - std::lgamma(i + 1) +
                       std::lgamma(i + u) - std::lgamma(u) - std::lgamma(i + v) + std::lgamma(v));
}

// n - 2 - i Poisson with mean 1/a: weight (1/a)^(n-2-i)/(n-2-i)!.
double Reflektiert(double a, double n, double i) {
  const double j = n - 2 - i;
  return std::exp(-j * std::log(a) - std::lgamma(j + 1));
}

TEST(FiniteSupportFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  for (double m : {1.0, 3.0}) {
    const double a = 0.3, n = 10;
    const std::uint32_t L = 8;
    double S = 0;
    for (std::uint32_t i = 0; i <= L; ++i) S += Warteschlange(a, m, n, i);
    test::MitReferenzVergleichen("finite-source queue", 33, {a}, {m, n}, 400, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return Warteschlange(a, m, n, i) / S; });
  }
  for (int m : {1, 4}) {
    test::MitReferenzVergleichen("uniform plus geometric", 37, {0.55}, {m + 0.7}, 300, 11, 0,
                                 Letzte::kRest,
                                 [m](std::uint32_t i) { return UniformGeometrisch(0.55, m, i); });
  }
  test::MitReferenzVergleichen(
      "inverse hypergeometric", 40, {30, 12, 4}, {}, 500, 12, 0, Letzte::kRest,
      [](std::uint32_t i) { return InversHypergeometrisch(30, 12, 4, i); });
  {
    const double k = 1.8, m = 3.5, q = 0.6;
    const std::uint32_t L = 10;
    double S = 0;
    for (std::uint32_t x = 0; x <= L + 100; ++x) S += HyperPascal(k, m, q, x);
    test::MitReferenzVergleichen("hyper-Pascal", 41, {k, m, q}, {}, 700, L, 0, Letzte::kRest,
                                 [&](std::uint32_t x) { return HyperPascal(k, m, q, x) / S; });
  }
  test::MitReferenzVergleichen("generalised NB", 42, {0.3, 2.2, 0.55}, {}, 600, 12, 0,
                               Letzte::kRest,
                               [](std::uint32_t i) { return GenPascal(0.3, 2.2, 0.55, i); });
  {
    const double a = 0.4, n = 12;
    const std::uint32_t L = 9;
    double S = 0;
    for (std::uint32_t i = 0; i <= L; ++i) S += Reflektiert(a, n, i);
    test::MitReferenzVergleichen("reflected truncated Poisson", 52, {a}, {n}, 250, L, 0,
                                 Letzte::kPunkt,
                                 [&](std::uint32_t i) { return Reflektiert(a, n, i) / S; });
  }
  for (double p : {0.6, 1.3}) {
    const double n = 9;
    test::MitReferenzVergleichen(
        "truncated geometric", 54, {p}, {n}, 450, 9, 0, Letzte::kRest,
        [&](std::uint32_t i) { return (1 - p) * std::pow(p, i) / (1 - std::pow(p, n + 1)); });
  }
}

// The inverse hypergeometric brings (N', R, n) into 1 <= n < R <= N' with N' - n above L and
// N' - R at least L (N' = L + n + 1 leaves N' - R = L when R = n + 1), and the caller sees the
// repaired vector.
TEST(FiniteSupportFamily, InverseHypergeometricRepairsAreWrittenBack) {
  struct Fall {
    Parametervektor ein;
    double Ng, R, n;
  };
  const Fall faelle[] = {
      {{30, 12, 4}, 30, 12, 4},    // consistent: unchanged
      {{30, 4, 12}, 30, 13, 4},    // R <= n: R becomes n + 1, n the old R
      {{10, 12, 0.5}, 22, 10, 1},  // n < 1 becomes 1; R > N' swapped; N' raised to L + R + 1
      {{5, 3, 2}, 14, 3, 2},       // N' raised to L + n + 1, then N' - R = 11 > L
  };
  TStatistik s;
  s.summe = 100;
  s.n = 11;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  for (const Fall& c : faelle) {
    Parametervektor par = c.ein;
    ASSERT_TRUE(ErwartungswerteBerechnen(40, par, s, *x, f, *NP, test::Eigenschaften(40)));
    EXPECT_EQ(par[0], c.Ng) << c.ein[0] << " " << c.ein[1] << " " << c.ein[2];
    EXPECT_EQ(par[1], c.R) << c.ein[0] << " " << c.ein[1] << " " << c.ein[2];
    EXPECT_EQ(par[2], c.n) << c.ein[0] << " " << c.ein[1] << " " << c.ein[2];
    EXPECT_GT(par[0] - par[2], 11);
    EXPECT_GE(par[0] - par[1], 11);
  }
}

TEST(FiniteSupportFamily, EstimatorsRecoverExactData) {
  const auto warteschlange = [](double i) { return Warteschlange(0.3, 2, 10, i); };
  const auto gleichGeo = [](double i) { return UniformGeometrisch(0.55, 3, static_cast<int>(i)); };
  const auto reflektiert = [](double i) { return Reflektiert(0.4, 11, i); };
  const auto geometrisch = [](double i) { return 0.4 * std::pow(0.6, i); };
  const auto punkt = Letzte::kPunkt;
  const test::SlotFall faelle[] = {
      // r1 = n a with one server or more.
      {"finite-source queue", 33, {2, 10}, 0, 8, warteschlange, punkt, {{0, 0.3}}},
      // 1 - m f[0]/N and f[m+1]/f[m].
      {"uniform plus geometric", 37, {3}, 0, 199, gleichGeo, punkt, {{0, 0.55}, {1, 0.55}}},
      // With n = L + 2 both ratio regressions are exact.
      {"reflected truncated Poisson", 52, {11}, 0, 9, reflektiert, punkt, {{2, 0.4}, {3, 0.4}}},
      // f[1]/f[0] = p.
      {"truncated geometric", 54, {9}, 0, 9, geometrisch, punkt, {{1, 0.6}}},
  };
  for (const test::SlotFall& c : faelle) test::SlotsPruefen(c);
}

TEST(FiniteSupportFamily, StartVectorsOnRealDataAreFinite) {
  test::StartsEndlich({
      {33, {128}, {2, 20}, "horse-kicks.dat"},
      {33, {128}, {3, 30}, "alpha-particles.dat"},
      {37, {1}, {2}, "shell-accidents.dat"},
      {37, {1}, {3}, "alpha-particles.dat"},
      {40, {128, 128, 16}, {}, "shell-accidents.dat"},
      {40, {128, 128, 16}, {}, "alpha-particles.dat"},
      {41, {128, 128, 1}, {}, "shell-accidents.dat"},
      {41, {128, 128, 1}, {}, "alpha-particles.dat"},
      {42, {128, 128, 1}, {}, "shell-accidents.dat"},
      {42, {128, 128, 1}, {}, "alpha-particles.dat"},
      {52, {128}, {8}, "horse-kicks.dat"},
      {52, {128}, {20}, "alpha-particles.dat"},
      {54, {128}, {5}, "shell-accidents.dat"},
      {54, {128}, {4}, "horse-kicks.dat"},
  });
}

}  // namespace
}  // namespace vk
