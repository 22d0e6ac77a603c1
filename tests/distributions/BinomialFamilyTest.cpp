// SPDX-License-Identifier: GPL-3.0-or-later
// Binomial family: member 0.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/FpFault.h"
#include "distributions/Dispatch.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// The binomial probability through lgamma: an independent route to the same numbers.
double BinomialPmf(double n, double p, int i) {
  return std::exp(std::lgamma(n + 1) - std::lgamma(i + 1.0) - std::lgamma(n - i + 1) +
                  i * std::log(p) + (n - i) * std::log1p(-p));
}

TStatistik Statistik(double N, std::uint32_t L) {
  TStatistik s;
  s.summe = N;
  s.n = L;
  return s;
}

TEST(Binomial, ExpectedFrequenciesAgreeWithPmfAndTailTakesTheRest) {
  struct Fall {
    double n, p, N;
    std::uint32_t L;
  };
  const Fall faelle[] = {{10, 0.3, 500, 10},
                         {10, 0.3, 500, 6},
                         {40, 0.05, 1234.5, 8},
                         {25, 0.8, 100, 25},
                         {3, 0.5, 7, 2}};
  for (const Fall& c : faelle) {
    test::MitReferenzVergleichen(
        "n=" + std::to_string(c.n), 0, {c.n, c.p}, {}, c.N, c.L, 0, test::Letzte::kRest,
        [&](std::uint32_t i) { return BinomialPmf(c.n, c.p, static_cast<int>(i)); },
        test::kLogRoute, test::kAbsRestProN);
  }
}

// With L above n the number of trials is raised to L, and the caller sees the raised n; the
// domain corrections of the catalog's flags are written back as well.
TEST(Binomial, RepairsAreWrittenBack) {
  TParameterEigenschaften eig = test::Eigenschaften(0);
  eig.natuerlicheZahl[0] = true;
  eig.zwischenNullundEins[1] = true;
  auto NP = std::make_unique<Erwartungswerte>();
  const KlassenWerte x{};
  const KlassenHaeufigkeiten f{};

  Parametervektor par{3.2, 0.4};
  ASSERT_TRUE(ErwartungswerteBerechnen(0, par, Statistik(50, 7), x, f, *NP, eig));
  EXPECT_EQ(par[0], 7);
  EXPECT_EQ(par[1], 0.4);
  EXPECT_TRUE(Near((*NP)[2], 50 * BinomialPmf(7, 0.4, 2), test::kLogRoute));

  par = {9.4, 1.0};
  ASSERT_TRUE(ErwartungswerteBerechnen(0, par, Statistik(50, 4), x, f, *NP, eig));
  EXPECT_EQ(par[0], 9);
  EXPECT_EQ(par[1], 0.98);
}

// On frequencies that are exactly binomial with n = L, the moment, zero-frequency and
// ratio-regression estimators all return the generating parameters.
TEST(Binomial, EstimatorsRecoverExactBinomialData) {
  const double n = 12, p = 0.35, N = 1000;
  std::vector<double> fv;
  for (int i = 0; i <= 12; ++i) fv.push_back(N * BinomialPmf(n, p, i));
  const auto d = test::Klassen(fv);
  const TParameterEigenschaften eig = test::Eigenschaften(0);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(0, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_EQ(E[0], 12);
  EXPECT_TRUE(Near(E[1], n, test::kRecovered));
  for (int s : {50, 51, 52, 53}) EXPECT_TRUE(Near(E[s], p, test::kRecovered)) << "E[" << s << "]";
  // The Newton iterate keeps p = M/n.
  EXPECT_TRUE(Near(E[55], d->Statistik.m1x0 / E[5], test::kTight));
}

// The iteration for n moves n up until p = M/n falls below 0.001 (or the two last n agree
// within 0.1) and keeps the last n used with its p.
TEST(Binomial, NewtonStoresLastNWithItsP) {
  const auto d = test::Beispieldaten("horse-kicks.dat");
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(0, d->Statistik, test::Eigenschaften(0), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_EQ(E[55], d->Statistik.m1x0 / E[5]);
  // Horse kicks: mean 0.61 and variance 0.61 (Poisson-like), so each step is about 1 and the
  // stop comes from p, at n just above 610.
  EXPECT_LT(E[55], 0.001);
  EXPECT_GT(E[5], 610);
  EXPECT_LT(E[5], 612);
}

TEST(Binomial, StartVectorsOnRealDataGiveDistributions) {
  TParameterEigenschaften eig = test::Eigenschaften(0);
  eig.natuerlicheZahl[0] = true;
  eig.zwischenNullundEins[1] = true;
  for (const char* datei : {"horse-kicks.dat", "shell-accidents.dat", "alpha-particles.dat"}) {
    test::StartsGebenVerteilung(0, datei, eig);
  }
}

}  // namespace
}  // namespace vk
