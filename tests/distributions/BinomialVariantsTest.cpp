// SPDX-License-Identifier: GPL-3.0-or-later
// Binomial family, members with a given n or p, truncated, and the urn (beta-binomial) models:
// members 1, 3, 7, 9, 14, 15, 21, 22, 23, 24.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::LogBeta;
using test::LogBinomial;
using test::Near;

// Binomial probability of the value v, through lgamma.
double Binomial(double n, double p, double v) {
  if (v > n) return 0;
  return std::exp(LogBinomial(n, v) + v * std::log(p) + (n - v) * std::log1p(-p));
}

// Beta-binomial probability of v with shapes alpha, beta, through lgamma and the beta function.
double BetaBinomial(double n, double alpha, double beta, double v) {
  if (v > n) return 0;
  return std::exp(LogBinomial(n, v) + LogBeta(v + alpha, n - v + beta) - LogBeta(alpha, beta));
}

// The binomial mass below the value t, by a direct sum of lgamma terms.
double BinomialUnter(double n, double p, int t) {
  double s = 0;
  for (int u = 0; u < t; ++u) s += Binomial(n, p, u);
  return s;
}

TEST(BinomialVariants, ExpectedFrequenciesAgreeWithIndependentPmf) {
  // Member 1: binomial with n given; also L above n, where the classes above n are empty.
  for (const auto& fall : {std::tuple{10.0, 0.3, 500.0, 10u},
                           {10.0, 0.3, 500.0, 6u},
                           {25.0, 0.8, 120.0, 25u},
                           {4.0, 0.5, 50.0, 7u}}) {
    const auto n = std::get<0>(fall);
    const auto p = std::get<1>(fall);
    const auto N = std::get<2>(fall);
    const auto L = std::get<3>(fall);
    test::MitReferenzVergleichen("fixed n", 1, {p}, {n}, N, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return Binomial(n, p, i); });
  }
  // Member 3: beta-binomial with alpha = R, beta = K - R.
  for (const auto& fall : {std::tuple{5.0, 2.0, 10.0, 800.0, 10u},
                           {3.7, 1.2, 12.0, 300.0, 6u},
                           {40.0, 35.0, 6.0, 90.0, 6u}}) {
    const auto K = std::get<0>(fall);
    const auto R = std::get<1>(fall);
    const auto n = std::get<2>(fall);
    const auto N = std::get<3>(fall);
    const auto L = std::get<4>(fall);
    test::MitReferenzVergleichen("negative hypergeometric", 3, {K, R}, {n}, N, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return BetaBinomial(n, R, K - R, i); });
  }
  // Member 7: the same with n free; n = 9 is not below x[L] - x[0] = 8, so it stays.
  test::MitReferenzVergleichen("negative hypergeometric, free n", 7, {6.5, 2.5, 9}, {}, 400, 8, 0,
                               Letzte::kRest,
                               [](std::uint32_t i) { return BetaBinomial(9, 2.5, 4, i); });
  // Member 9: binomial with p given, n above L.
  test::MitReferenzVergleichen("fixed p", 9, {14}, {0.35}, 700, 9, 0, Letzte::kRest,
                               [](std::uint32_t i) { return Binomial(14, 0.35, i); });
  // Members 14 and 15: Polya with s, p is the beta-binomial with alpha = p/s, beta = (1 - p)/s.
  for (const auto& fall : {std::tuple{0.25, 0.4, 8.0, 600.0, 8u},
                           {0.05, 0.7, 15.0, 250.0, 10u},
                           {1.5, 0.2, 5.0, 100.0, 5u}}) {
    const auto s = std::get<0>(fall);
    const auto p = std::get<1>(fall);
    const auto n = std::get<2>(fall);
    const auto N = std::get<3>(fall);
    const auto L = std::get<4>(fall);
    const auto pmf = [&](std::uint32_t i) { return BetaBinomial(n, p / s, (1 - p) / s, i); };
    test::MitReferenzVergleichen("Polya, fixed n", 14, {s, p}, {n}, N, L, 0, Letzte::kRest, pmf);
    test::MitReferenzVergleichen("Polya", 15, {s, p, n}, {}, N, L, 0, Letzte::kRest, pmf);
  }
  // Polya at s = 0 is the binomial.
  test::MitReferenzVergleichen("Polya, s = 0", 14, {0, 0.3}, {9}, 300, 9, 0, Letzte::kRest,
                               [](std::uint32_t i) { return Binomial(9, 0.3, i); });
  // Members 21 and 22: positive binomial on the values 1..n, the data starting at 1.
  for (const auto& fall : {std::tuple{8.0, 0.3, 400.0, 7u}, {12.0, 0.15, 200.0, 5u}}) {
    const auto n = std::get<0>(fall);
    const auto p = std::get<1>(fall);
    const auto N = std::get<2>(fall);
    const auto L = std::get<3>(fall);
    const auto pmf = [&](std::uint32_t i) {
      return Binomial(n, p, i + 1.0) / (1 - std::pow(1 - p, n));
    };
    test::MitReferenzVergleichen("positive binomial", 21, {n, p}, {}, N, L, 1, Letzte::kRest, pmf);
    test::MitReferenzVergleichen("positive binomial, fixed n", 22, {p}, {n}, N, L, 1, Letzte::kRest,
                                 pmf);
  }
  // Members 23 and 24: binomial left-truncated below the data's first value t.
  for (const auto& fall : {std::tuple{12.0, 0.4, 2u, 500.0, 9u},
                           {20.0, 0.25, 3u, 300.0, 10u},
                           {6.0, 0.5, 1u, 80.0, 5u}}) {
    const auto n = std::get<0>(fall);
    const auto p = std::get<1>(fall);
    const auto t = std::get<2>(fall);
    const auto N = std::get<3>(fall);
    const auto L = std::get<4>(fall);
    const double dt = t;
    const auto pmf = [&](std::uint32_t i) {
      return Binomial(n, p, t + i) / (1 - BinomialUnter(n, p, static_cast<int>(t)));
    };
    test::MitReferenzVergleichen("left-truncated binomial", 23, {n, p}, {dt}, N, L, t,
                                 Letzte::kRest, pmf);
    test::MitReferenzVergleichen("left-truncated binomial, fixed n", 24, {p}, {n, dt}, N, L, t,
                                 Letzte::kRest, pmf);
  }
}

// The repairs each member makes itself reach the caller's vector, as do the domain corrections
// of the catalog's flags applied by the dispatch.
TEST(BinomialVariants, RepairsAreWrittenBack) {
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    TParameterEigenschaften eig;
    std::uint32_t L, x0;
    Parametervektor vorher, nachher;
  };
  const Fall faelle[] = {
      // n is raised to x[L] - x[0] = 12 (data 0..12, n = 5).
      {"negative hypergeometric n",
       7,
       test::MitBits(7, {128, 128, 16}),
       12,
       0,
       {6, 2, 5},
       {6, 2, 12}},
      // the same span from data 3..15
      {"negative hypergeometric n, data from 3",
       7,
       test::MitBits(7, {128, 128, 16}),
       12,
       3,
       {6, 2, 4.4},
       {6, 2, 12}},
      {"binomial n below L", 9, test::MitBits(9, {16}, {0.4}), 8, 0, {3.2}, {8}},
      {"binomial n above L, rounded", 9, test::MitBits(9, {16}, {0.4}), 8, 0, {11.6}, {12}},
      // Without the flag n = 0.4 is below 1 and becomes 1.
      {"Polya n below 1", 15, test::MitBits(15, {32, 1, 0}), 6, 0, {0.2, 0.3, 0.4}, {0.2, 0.3, 1}},
      {"Polya s negative", 15, test::MitBits(15, {32, 1, 16}), 6, 0, {-0.2, 0.3, 6}, {0.2, 0.3, 6}},
      // p is taken as |p| without any flag.
      {"positive binomial p", 21, test::MitBits(21, {16, 0}), 5, 1, {9, -0.3}, {9, 0.3}},
      {"positive binomial p, fixed n", 22, test::MitBits(22, {0}, {9}), 5, 1, {-0.3}, {0.3}},
      {"fixed n p flag", 1, test::MitBits(1, {1}, {10}), 5, 0, {1.0}, {0.98}},
  };
  auto NP = std::make_unique<Erwartungswerte>();
  const KlassenHaeufigkeiten f{};
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    TStatistik s;
    s.summe = 100;
    s.n = c.L;
    const auto x = test::Werte(c.x0);
    Parametervektor par = c.vorher;
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(c.nummer, par, s, *x, f, *NP, c.eig));
    EXPECT_FALSE(scope.Faulted());
    EXPECT_EQ(par, c.nachher);
  }
}

// After the repair of n, member 7 computes with the raised n: its frequencies are those of the
// beta-binomial with n = x[L] - x[0].
TEST(BinomialVariants, RaisedNIsUsedInTheFrequencies) {
  test::MitReferenzVergleichen("n raised from 5 to 12", 7, {6, 2, 5}, {}, 500, 12, 0, Letzte::kRest,
                               [](std::uint32_t i) { return BetaBinomial(12, 2, 4, i); });
}

// The Polya members give the last class N minus the others without an absolute value: with a
// fractional n (the first term uses Int(n) factors, the ratio n itself) the classes below L can
// hold more than N, and the last class turns negative.
// At s = 0, p = 1/2, n = 7.9 class i holds N 0.5^7 C(7.9, i), and the classes 0..5 hold about
// 161 of N = 100.
TEST(BinomialVariants, PolyaTailHasNoAbsoluteValue) {
  TStatistik s;
  s.summe = 100;
  s.n = 6;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  for (std::uint32_t nummer : {14u, 15u}) {
    Parametervektor par = nummer == 14 ? Parametervektor{0, 0.5} : Parametervektor{0, 0.5, 7.9};
    TParameterEigenschaften eig = test::Eigenschaften(nummer);
    eig.festparameter = {7.9};
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(nummer, par, s, *x, f, *NP, eig));
    double unter = 0;
    for (std::uint32_t i = 0; i < 6; ++i) unter += (*NP)[i];
    double referenz = 0;
    for (int i = 0; i < 6; ++i) referenz += 100 * std::exp(LogBinomial(7.9, i) - 7 * std::log(2.0));
    EXPECT_TRUE(Near(unter, referenz, test::kLogRoute)) << nummer;
    EXPECT_GT(unter, 100) << nummer;
    EXPECT_TRUE(Near((*NP)[6], 100 - unter, test::kTight)) << nummer;
    EXPECT_LT((*NP)[6], 0) << nummer;
  }
}

// On frequencies of a known distribution the moment estimators return its parameters.
TEST(BinomialVariants, EstimatorsRecoverExactData) {
  {
    // Member 1: E[0] (mean), E[2] (ratio regression) and E[3] (variance) give p; E[1] from f[0].
    const double n = 10, p = 0.3, N = 1000;
    std::vector<double> fv;
    for (int i = 0; i <= 10; ++i) fv.push_back(N * Binomial(n, p, i));
    const auto d = test::Klassen(fv);
    TParameterEigenschaften eig = test::Eigenschaften(1);
    eig.festparameter = {n};
    Schaetzwerttabelle E{};
    ASSERT_TRUE(SchaetzwerteBerechnen(1, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
    for (int sl : {0, 1, 2, 3}) EXPECT_TRUE(Near(E[sl], p, test::kRecovered)) << sl;
  }
  {
    // Member 3: K and R from the mean and the second factorial moment.
    const double K = 5, R = 2, n = 10, N = 1000;
    std::vector<double> fv;
    for (int i = 0; i <= 10; ++i) fv.push_back(N * BetaBinomial(n, R, K - R, i));
    const auto d = test::Klassen(fv);
    TParameterEigenschaften eig = test::Eigenschaften(3);
    eig.festparameter = {n};
    const Parametervektor par = test::Start(3, *d, eig, 1);
    EXPECT_TRUE(Near(par[0], K, test::kRecovered));
    EXPECT_TRUE(Near(par[1], R, test::kRecovered));
    // Without a frequency in class 3 the ratio estimates fall back to the moment estimates.
    fv[3] = 0;
    const auto ohne3 = test::Klassen(fv);
    Schaetzwerttabelle E{};
    ASSERT_TRUE(
        SchaetzwerteBerechnen(3, ohne3->Statistik, eig, E, ohne3->Haeufigkeiten, ohne3->XWerte));
    EXPECT_EQ(E[100], E[0]);
    EXPECT_EQ(E[101], E[1]);
  }
  {
    // Member 14: p = M/n and s from the variance.
    const double s = 0.25, p = 0.4, n = 8, N = 1000;
    std::vector<double> fv;
    for (int i = 0; i <= 8; ++i) fv.push_back(N * BetaBinomial(n, p / s, (1 - p) / s, i));
    const auto d = test::Klassen(fv);
    TParameterEigenschaften eig = test::Eigenschaften(14);
    eig.festparameter = {n};
    const Parametervektor par = test::Start(14, *d, eig, 1);
    EXPECT_TRUE(Near(par[0], s, test::kRecovered));
    EXPECT_TRUE(Near(par[1], p, test::kRecovered));
  }
}

// Every alternative gives a proper start on real data, with the catalog's flags and the fixed
// parameters the catalog's conditions take from the data (n = x[L], t = x[0]).
TEST(BinomialVariants, StartVectorsOnRealDataGiveDistributions) {
  for (const char* datei : {"horse-kicks.dat", "shell-accidents.dat", "alpha-particles.dat"}) {
    const auto d = test::Beispieldaten(datei);
    const double xL = d->XWerte[d->Statistik.n];
    test::StartsGebenVerteilung(1, datei, test::MitBits(1, {1}, {xL}));
    test::StartsGebenVerteilung(3, datei, test::MitBits(3, {128, 128}, {xL + 5}));
    test::StartsGebenVerteilung(9, datei, test::MitBits(9, {16}, {0.1}));
    test::StartsGebenVerteilung(14, datei, test::MitBits(14, {32, 1}, {xL}));
    test::StartsGebenVerteilung(15, datei, test::MitBits(15, {32, 1, 16}));
  }
  for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat"}) {
    test::StartsGebenVerteilung(7, datei, test::MitBits(7, {128, 128, 16}));
  }
  for (const char* datei : {"gpl3-word-syllables.dat", "gpl3-word-letters.dat"}) {
    const auto d = test::Beispieldaten(datei);
    const double xL = d->XWerte[d->Statistik.n];
    const double x0 = d->XWerte[0];
    test::StartsGebenVerteilung(21, datei, test::MitBits(21, {16, 1}));
    test::StartsGebenVerteilung(22, datei, test::MitBits(22, {1}, {xL}));
    test::StartsGebenVerteilung(23, datei, test::MitBits(23, {16, 1}, {x0}));
  }
}

}  // namespace
}  // namespace vk
