// SPDX-License-Identifier: GPL-3.0-or-later
// Pascal (negative binomial) family, the plain, truncated and fixed-k members and the geometric:
// members 4, 5, 8, 25, 26, 27.
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

using test::Letzte;
using test::Near;

// Negative binomial probability of v, through lgamma: Gamma(k + v)/(Gamma(k) v!) p^k (1 - p)^v.
double NegBin(double k, double p, double v) {
  return std::exp(std::lgamma(k + v) - std::lgamma(k) - std::lgamma(v + 1) + k * std::log(p) +
                  v * std::log1p(-p));
}

TEST(NegativeBinomialVariants, ExpectedFrequenciesAgreeWithIndependentPmf) {
  for (const auto& fall :
       {std::tuple{2.5, 0.4, 1000.0, 15u}, {0.7, 0.8, 647.0, 5u}, {12.0, 0.9, 200.0, 8u}}) {
    const auto k = std::get<0>(fall);
    const auto p = std::get<1>(fall);
    const auto N = std::get<2>(fall);
    const auto L = std::get<3>(fall);
    const auto nb = [&](std::uint32_t i) { return NegBin(k, p, i); };
    test::MitReferenzVergleichen("negative binomial", 4, {k, p}, {}, N, L, 0, Letzte::kRest, nb);
    test::MitReferenzVergleichen("ratio start", 27, {k, p}, {}, N, L, 0, Letzte::kRest, nb);
    test::MitReferenzVergleichen("fixed k", 26, {p}, {k}, N, L, 0, Letzte::kRest, nb);
    // Right-truncated at L: normalised over 0..L, so the last class is a point probability.
    double S = 0;
    for (std::uint32_t i = 0; i <= L; ++i) S += NegBin(k, p, i);
    test::MitReferenzVergleichen("right-truncated", 5, {k, p}, {}, N, L, 0, Letzte::kPunkt,
                                 [&](std::uint32_t i) { return NegBin(k, p, i) / S; });
    // Zero-truncated on the values 1, 2, ...
    test::MitReferenzVergleichen(
        "positive", 25, {k, p}, {}, N, L, 1, Letzte::kRest,
        [&](std::uint32_t i) { return NegBin(k, p, i + 1.0) / (1 - std::pow(p, k)); });
  }
  // The geometric is the negative binomial with k = 1.
  for (const auto& fall : {std::tuple{0.3, 500.0, 12u}, {0.85, 90.0, 3u}}) {
    const auto p = std::get<0>(fall);
    const auto N = std::get<1>(fall);
    const auto L = std::get<2>(fall);
    test::MitReferenzVergleichen("geometric", 8, {p}, {}, N, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return p * std::pow(1 - p, i); });
  }
}

// On frequencies of a known negative binomial the moment estimators and the zero-frequency
// iteration return its parameters, and the geometric's four estimators all return p.
TEST(NegativeBinomialVariants, EstimatorsRecoverExactData) {
  const double k = 2.5, p = 0.4, N = 1000;
  std::vector<double> fv;
  for (int i = 0; i < 200; ++i) fv.push_back(N * NegBin(k, p, i));
  const auto d = test::Klassen(fv);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(4, d->Statistik, test::Eigenschaften(4), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_TRUE(Near(E[0], p, test::kRecovered));
  EXPECT_TRUE(Near(E[50], k, test::kRecovered));
  EXPECT_TRUE(Near(E[51], k, test::kRecovered));
  // p is the fixed point of the iteration, so it stops at once and both slots hold p.
  EXPECT_TRUE(Near(E[1], p, test::kRecovered));
  EXPECT_TRUE(Near(E[101], p, test::kRecovered));

  std::vector<double> gv;
  for (int i = 0; i < 200; ++i) gv.push_back(N * 0.3 * std::pow(0.7, i));
  const auto g = test::Klassen(gv);
  ASSERT_TRUE(SchaetzwerteBerechnen(8, g->Statistik, test::Eigenschaften(8), E, g->Haeufigkeiten,
                                    g->XWerte));
  for (int s : {0, 1, 2, 3}) EXPECT_TRUE(Near(E[s], 0.3, test::kRecovered)) << s;
}

// The capped and guarded estimates: p = M/m2 of 1 or more becomes 0.9 (under-dispersed data), and
// m2 = M gives k = M^2/0.1.
TEST(NegativeBinomialVariants, GuardsOfTheEstimates) {
  // Frequencies 1, 2, 1 at 0, 1, 2: M = 1, m2 = 0.5.
  const auto d = test::Klassen({1, 2, 1});
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(4, d->Statistik, test::Eigenschaften(4), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_EQ(E[0], 0.9);
  EXPECT_TRUE(Near(E[50], 1.0 / 0.5, test::kTight));  // |M^2/(m2 - M)| = 1/0.5
  // Frequencies 1, 0, 1 at 0, 1, 2: M = 1, m2 = 1.
  const auto gleich = test::Klassen({1, 0, 1});
  ASSERT_TRUE(SchaetzwerteBerechnen(4, gleich->Statistik, test::Eigenschaften(4), E,
                                    gleich->Haeufigkeiten, gleich->XWerte));
  EXPECT_TRUE(Near(E[50], 1 / 0.1, test::kTight));
  EXPECT_FALSE(scope.Faulted());
  // Member 25: p of 1 or more becomes 0.9 as well.
  const auto eins = test::Klassen({5, 1}, 1);
  ASSERT_TRUE(SchaetzwerteBerechnen(25, eins->Statistik, test::Eigenschaften(25), E,
                                    eins->Haeufigkeiten, eins->XWerte));
  EXPECT_EQ(E[50], 0.9);
  // f[0] = 0: the ratio estimate of members 26 and 27 falls back to M/m2.
  const auto ohne0 = test::Klassen({0, 4, 3, 2, 1});
  for (std::uint32_t nummer : {26u, 27u}) {
    ASSERT_TRUE(SchaetzwerteBerechnen(nummer, ohne0->Statistik, test::Eigenschaften(nummer), E,
                                      ohne0->Haeufigkeiten, ohne0->XWerte));
    EXPECT_EQ(E[50], E[51]) << nummer;
  }
}

TEST(NegativeBinomialVariants, StartVectorsOnRealDataGiveDistributions) {
  for (const char* datei : {"shell-accidents.dat", "horse-kicks.dat", "alpha-particles.dat"}) {
    for (std::uint32_t nummer : {4u, 5u, 27u}) {
      test::StartsGebenVerteilung(nummer, datei, test::MitBits(nummer, {128, 1}));
    }
    test::StartsGebenVerteilung(8, datei, test::MitBits(8, {1}));
    test::StartsGebenVerteilung(26, datei, test::MitBits(26, {1}, {2}));
  }
  for (const char* datei : {"gpl3-word-syllables.dat", "gpl3-word-letters.dat"}) {
    test::StartsGebenVerteilung(25, datei, test::MitBits(25, {128, 1}));
  }
}

}  // namespace
}  // namespace vk
