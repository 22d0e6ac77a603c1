// SPDX-License-Identifier: GPL-3.0-or-later
// Pascal (negative binomial) family: members 6 and 41.
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

// log of the unnormalised hyper-Pascal term (k)_x q^x / (m)_x, through lgamma.
double LogTerm(double k, double m, double q, int x) {
  return std::lgamma(k + x) - std::lgamma(k) - (std::lgamma(m + x) - std::lgamma(m)) +
         x * std::log(q);
}

TEST(HyperPascal, ExpectedFrequenciesAgreeWithLgammaTerms) {
  struct Fall {
    double k, m, q, N;
    std::uint32_t L;
  };
  const Fall faelle[] = {{2.5, 1.5, 0.4, 1000, 9},
                         {0.7, 3.2, 0.85, 250, 15},
                         {4, 0.5, 0.2, 80, 3},
                         {1.2, 1.2, 0.95, 500, 40}};
  for (const Fall& c : faelle) {
    // The normalising sum over the infinite support: beyond x = L + 2100 even q = 0.95 leaves
    // less than 1e-45 of it.
    double S = 0;
    for (int i = 0; i <= static_cast<int>(c.L) + 2100; ++i)
      S += std::exp(LogTerm(c.k, c.m, c.q, i));
    test::MitReferenzVergleichen(
        "hyper-Pascal", 6, {c.k, c.m, c.q}, {}, c.N, c.L, 0, test::Letzte::kRest,
        [&](std::uint32_t i) { return std::exp(LogTerm(c.k, c.m, c.q, static_cast<int>(i))) / S; },
        test::kLogRoute, test::kAbsRestProN);
  }
}

// A ratio near 1 leaves mass far beyond x = L + 100, which cutting the normalising series there
// dropped: at k = 5, m = 1.5, q = 0.95 the classes came out 22 % high. Reference N P(x), x < 10,
// N = 1000: the terms (k)_x q^x/(m)_x as exact fractions (python3 fractions.Fraction, k = 5,
// m = 3/2, q = 95/100), summed over x = 0..3999 (the last term is 1.2e-78), converted at the end.
// Members 6 and 41 share these frequencies.
TEST(HyperPascal, HeavyTailIsNotCutOff) {
  const double erwartet[] = {0.0031713854601588924, 0.010042720623836493, 0.022897403022347204,
                             0.043505065742459686,  0.073475222142820804, 0.11422057260383962,
                             0.16693775995945789,   0.23259994554351135,  0.31195757402306229,
                             0.40554484622998094};
  for (std::uint32_t nummer : {6u, 41u}) {
    Parametervektor par{5, 1.5, 0.95};
    const test::Lauf l = test::Auswerten(nummer, par, {}, 10);
    EXPECT_FALSE(l.fehler) << nummer;
    for (std::uint32_t i = 0; i < 10; ++i)
      EXPECT_TRUE(Near((*l.NP)[i], erwartet[i], test::kTight)) << nummer << " i=" << i;
    EXPECT_TRUE(Near(test::Summe(*l.NP, 10), 1000, test::kTight)) << nummer;
  }
}

// At q = 1 and k = m every term is 1: the normalising series diverges, which the member reports
// as a fault instead of normalising over whatever number of terms it summed.
TEST(HyperPascal, DivergentSeriesFails) {
  Parametervektor par{2, 2, 1};
  EXPECT_TRUE(test::Auswerten(6, par, {}, 5, 0, 100).fehler);
}

// With k = m the rising factorials cancel and the distribution is geometric, N (1 - q) q^i.
TEST(HyperPascal, EqualShapesGiveTheGeometricDistribution) {
  Parametervektor par{2.75, 2.75, 0.6};
  const test::Lauf l = test::Auswerten(6, par, {}, 12, 0, 300);
  // 0.6^113 (the mass beyond the 113 summed terms) is below 1e-25: the truncation is invisible.
  for (std::uint32_t i = 0; i < 12; ++i)
    EXPECT_TRUE(Near((*l.NP)[i], 300 * 0.4 * std::pow(0.6, i), test::kChain)) << i;
  EXPECT_TRUE(Near((*l.NP)[12], 300 * std::pow(0.6, 12), test::kTight));
}

// Frequencies of a known hyper-Pascal distribution (60 classes, the rest of the mass far below
// the tolerance): both sets of estimates return its parameters.
TEST(HyperPascal, EstimatorsRecoverExactData) {
  const double k = 2.5, m = 1.5, q = 0.4, N = 1000;
  std::vector<double> r;
  double S = 0;
  for (int i = 0; i < 60; ++i) S += std::exp(LogTerm(k, m, q, i));
  for (int i = 0; i < 60; ++i) r.push_back(N * std::exp(LogTerm(k, m, q, i)) / S);
  const auto d = test::Klassen(r);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(6, d->Statistik, test::Eigenschaften(6), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_TRUE(Near(E[0], k, test::kRecovered));
  EXPECT_TRUE(Near(E[50], m, test::kRecovered));
  EXPECT_TRUE(Near(E[100], q, test::kRecovered));
  EXPECT_TRUE(Near(E[101], q, test::kRecovered));
  EXPECT_EQ(E[1], E[0]);
  EXPECT_EQ(E[51], E[50]);

  Parametervektor par{};
  ASSERT_TRUE(AlternativeWaehlen(6, 2, E, d->Haeufigkeiten, par, test::Eigenschaften(6)));
  EXPECT_EQ(par, (Parametervektor{E[1], E[51], E[101]}));
}

// On over-dispersed data (the shell accidents) both start vectors are proper distributions;
// on Poisson-like data the estimates leave the domain, which is what the catalog's flags repair.
TEST(HyperPascal, StartVectorsOnOverdispersedDataGiveDistributions) {
  test::StartsGebenVerteilung(6, "shell-accidents.dat", test::Eigenschaften(6));
}

// The ratio estimators read zero-replaced copies of the first classes: an empty class 2 is read
// as 1, and the data set itself is not changed.
TEST(HyperPascal, ZeroFrequenciesAreReplacedInACopy) {
  const auto d = test::Klassen({40, 25, 0, 6, 2, 1});
  const auto vorher = d->Haeufigkeiten;
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(6, d->Statistik, test::Eigenschaften(6), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_FALSE(scope.Faulted());  // f[2] = 0 would have divided by zero
  EXPECT_EQ(d->Haeufigkeiten, vorher);
  const double r1 = 25.0 / 40, r2 = 1.0 / 25, r3 = 6.0 / 1;
  EXPECT_TRUE(Near(E[101], std::fabs((2 * r1 * r3 - r1 * r2 - r3 * r2) / (r1 + r3 - 2 * r2)),
                   test::kTight));
}

// Member 41's refinement of its ratio estimates ran away on real data (q through 4.9, 0.98,
// 4.7, 0.16, 17.7 on the alpha particles) and left starts the fit could not use. On every
// sample it now ends inside the domain, with model ratios q (i + k)/(i + m) no farther from the
// observed f[i+1]/f[i] than those of the ratio estimates.
TEST(HyperPascal, RatioRefinementStaysInDomain) {
  for (const char* datei :
       {"alpha-particles.dat", "gpl3-sentence-words.dat", "gpl3-word-letters.dat",
        "gpl3-word-syllables.dat", "horse-kicks.dat", "shell-accidents.dat"}) {
    SCOPED_TRACE(datei);
    const auto d = test::Beispieldaten(datei);
    const TParameterEigenschaften eig = test::Eigenschaften(41);
    Schaetzwerttabelle E{};
    FpFaultScope scope;
    ASSERT_TRUE(SchaetzwerteBerechnen(41, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
    Parametervektor par{};
    ASSERT_TRUE(AlternativeWaehlen(41, 1, E, d->Haeufigkeiten, par, eig));
    EXPECT_FALSE(scope.Faulted());
    EXPECT_GT(par[0], 0);
    EXPECT_GT(par[1], 0);
    EXPECT_GT(par[2], 0);
    EXPECT_LT(par[2], 1);
    // The squared relative mismatches of the ratios, at the start and at the ratio estimates
    // E[50..52] turned into (k, m, q) as the member's first slots do.
    const auto R = [&](double k, double m, double q) {
      long double r = 0;
      for (std::uint32_t i = 0; i < d->Statistik.n; ++i) {
        const double f0 = d->Haeufigkeiten[i], f1 = d->Haeufigkeiten[i + 1];
        if (f1 == 0) continue;
        const long double t = q * (i + k) * f0 / ((i + m) * f1) - 1;
        r += t * t;
      }
      return r;
    };
    const double r1 = E[50], r2 = E[51], r3 = E[52];
    const double m0 = std::fabs((4 * r2 - 6 * r3) / (3 * r3 - 4 * r2 + r1));
    const double k0 = std::fabs(r1 * m0 / (2 * r2 * (m0 + 1) - r1 * m0));
    EXPECT_LE(R(par[0], par[1], par[2]), R(k0, m0, std::fabs(r1 * m0 / k0)));
  }
}

}  // namespace
}  // namespace vk
