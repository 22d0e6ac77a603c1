// SPDX-License-Identifier: GPL-3.0-or-later
// Compound (stopped-sum) family: member 16.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
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

// P(X = x) for the Poisson(lambda) stopped sum of NB(k, c) summands, by the direct sum over the
// number of summands: m summands add up to NB(m k, c), so
// P(x) = sum_m e^-lambda lambda^m/m! C(m k + x - 1, x) c^(m k) (1 - c)^x.
// No recursion: an independent route to what the library's convolution computes.
double PoissonPascal(double lambda, double k, double c, int x) {
  double p = (x == 0) ? std::exp(-lambda) : 0;
  for (int m = 1; m < 200; ++m) {
    const double a = m * k;
    p += std::exp(-lambda + m * std::log(lambda) - std::lgamma(m + 1.0) + std::lgamma(a + x) -
                  std::lgamma(a) - std::lgamma(x + 1.0) + a * std::log(c) + x * std::log1p(-c));
  }
  return p;
}

TEST(PoissonPascal, ExpectedFrequenciesAgreeWithDirectSumOverSummands) {
  struct Fall {
    double lambda, k, c, N;
    std::uint32_t L;
  };
  const Fall faelle[] = {{1.3, 2, 0.6, 1000, 12},
                         {0.4, 0.7, 0.3, 647, 6},
                         {3, 1.5, 0.8, 200, 20},
                         {2.2, 5, 0.5, 50, 2}};
  for (const Fall& c : faelle) {
    test::MitReferenzVergleichen(
        "Poisson-Pascal", 16, {c.lambda, c.k, c.c}, {}, c.N, c.L, 0, test::Letzte::kRest,
        [&](std::uint32_t i) { return PoissonPascal(c.lambda, c.k, c.c, static_cast<int>(i)); },
        test::kLogRoute, test::kAbsRestProN);
  }
}

// The moment estimators invert the first three factorial moments exactly: on frequencies of a
// known distribution (120 classes, the rest of the mass far below the tolerance) they return
// its parameters.
TEST(PoissonPascal, EstimatorsRecoverExactData) {
  const double lambda = 1.3, k = 2, c = 0.6, N = 1000;
  std::vector<double> fv;
  for (int i = 0; i < 120; ++i) fv.push_back(N * PoissonPascal(lambda, k, c, i));
  const auto d = test::Klassen(fv);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(16, d->Statistik, test::Eigenschaften(16), E, d->Haeufigkeiten,
                                    d->XWerte));
  Parametervektor par{};
  ASSERT_TRUE(AlternativeWaehlen(16, 1, E, d->Haeufigkeiten, par, test::Eigenschaften(16)));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_TRUE(Near(par[0], lambda, test::kRecovered));
  EXPECT_TRUE(Near(par[1], k, test::kRecovered));
  EXPECT_TRUE(Near(par[2], c, test::kRecovered));
}

TEST(PoissonPascal, StartVectorsOnRealDataGiveDistributions) {
  for (const char* datei : {"horse-kicks.dat", "shell-accidents.dat", "alpha-particles.dat"}) {
    test::StartsGebenVerteilung(16, datei, test::Eigenschaften(16));
  }
}

// The two guarded divisions of the moment estimators: D = d2 - d1 = 0 is replaced by 1, and
// E[0] = 0 takes lambda = M/D. With M = 2 and fm2 = 5, d1 = 1/2 and d2 = fm3 - 14; all values
// below are exact in binary and worked out by hand.
TEST(PoissonPascal, GuardedDivisionsOfTheEstimators) {
  struct Fall {
    const char* name;
    double fm3;
    double k, lambda, c;  // E[0], E[1], E[2]
  };
  const Fall faelle[] = {
      {"D = 0 replaced by 1", 14.5, 0.5, 4, 1},   // d2 = 1/2: E[1] = M/E[0]/1
      {"E[0] = 0 gives M/D", 15, 0, 4, 1 / 1.5},  // d2 = 1, D = 1/2
  };
  for (const Fall& c : faelle) {
    TStatistik s;
    s.summe = 100;
    s.n = 5;
    s.m1x0 = 2;
    s.fm2 = 5;
    s.fm3 = c.fm3;
    Schaetzwerttabelle E{};
    const KlassenHaeufigkeiten f{};
    const KlassenWerte x{};
    FpFaultScope scope;
    ASSERT_TRUE(SchaetzwerteBerechnen(16, s, test::Eigenschaften(16), E, f, x));
    EXPECT_FALSE(scope.Faulted()) << c.name;
    EXPECT_EQ(E[0], c.k) << c.name;
    EXPECT_EQ(E[1], c.lambda) << c.name;
    EXPECT_TRUE(Near(E[2], c.c, test::kTight)) << c.name;
  }
}

}  // namespace
}  // namespace vk
