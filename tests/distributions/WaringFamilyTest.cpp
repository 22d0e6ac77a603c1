// SPDX-License-Identifier: GPL-3.0-or-later
// Waring (beta-geometric) family: members 17, 18, 19.
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
using test::LogBeta;
using test::Near;

// Waring: rho Gamma(alpha + i) Gamma(rho + alpha) / (Gamma(alpha) Gamma(rho + alpha + i + 1)).
double Waring(double rho, double alpha, double i) {
  return std::exp(std::log(rho) + std::lgamma(alpha + i) + std::lgamma(rho + alpha) -
                  std::lgamma(alpha) - std::lgamma(rho + alpha + i + 1));
}

TEST(WaringFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  for (const auto& fall : {std::tuple{1.5, 1000.0, 12u}, {4.0, 300.0, 5u}, {0.6, 500.0, 40u}}) {
    const auto a = std::get<0>(fall);
    const auto N = std::get<1>(fall);
    const auto L = std::get<2>(fall);
    // a (a + 1) B(i + 2, a + 1).
    test::MitReferenzVergleichen(
        "Waring alpha = 2", 17, {a}, {}, N, L, 1, Letzte::kRest,
        [&](std::uint32_t i) { return a * (a + 1) * std::exp(LogBeta(i + 2.0, a + 1)); });
    // The same as the Waring distribution with rho = a, alpha = 2.
    test::MitReferenzVergleichen(
        "Waring at alpha = 2", 19, {a, 2}, {}, N, L, 0, Letzte::kRest,
        [&](std::uint32_t i) { return a * (a + 1) * std::exp(LogBeta(i + 2.0, a + 1)); });
    // Yule: a B(v, a + 1) at v = i + 1.
    test::MitReferenzVergleichen("Yule", 18, {a}, {}, N, L, 1, Letzte::kRest, [&](std::uint32_t i) {
      return a * std::exp(LogBeta(i + 1.0, a + 1));
    });
  }
  for (const auto& fall : {std::tuple{3.0, 1.7, 800.0, 20u}, {0.9, 0.4, 100.0, 8u}}) {
    const auto rho = std::get<0>(fall);
    const auto alpha = std::get<1>(fall);
    const auto N = std::get<2>(fall);
    const auto L = std::get<3>(fall);
    test::MitReferenzVergleichen("Waring", 19, {rho, alpha}, {}, N, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return Waring(rho, alpha, i); });
  }
}

// On exact frequencies: the first-ratio and zero-frequency estimates of the Yule give a, and so
// does the least-squares estimate of its second alternative; the Waring's zero-frequency and
// moment pairs give (rho, alpha).
TEST(WaringFamily, EstimatorsRecoverExactData) {
  const double a = 2.3, N = 1000;
  std::vector<double> fv;
  for (int i = 0; i < 40; ++i) fv.push_back(N * a * std::exp(LogBeta(i + 1.0, a + 1)));
  const auto d = test::Klassen(fv, 1);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(18, d->Statistik, test::Eigenschaften(18), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_TRUE(Near(E[0], a, test::kTight));
  // f[0]/(N - f[0]) with N the total of the 40 classes, not of the whole distribution.
  EXPECT_TRUE(Near(E[2], fv[0] / (d->Statistik.summe - fv[0]), test::kTight));
  Parametervektor par{};
  ASSERT_TRUE(AlternativeWaehlen(18, 2, E, d->Haeufigkeiten, par, test::Eigenschaften(18)));
  EXPECT_TRUE(Near(par[0], a, test::kRecovered));

  // Member 17: a from the first ratio 2/(a + 3).
  std::vector<double> zv;
  for (int i = 0; i < 10; ++i) zv.push_back(N * a * (a + 1) * std::exp(LogBeta(i + 2.0, a + 1)));
  const auto z = test::Klassen(zv, 1);
  ASSERT_TRUE(SchaetzwerteBerechnen(17, z->Statistik, test::Eigenschaften(17), E, z->Haeufigkeiten,
                                    z->XWerte));
  EXPECT_TRUE(Near(E[0], a, test::kTight));

  const double rho = 6, alpha = 1.5;
  std::vector<double> wv;
  for (int i = 0; i < 5000; ++i) wv.push_back(N * Waring(rho, alpha, i));
  const auto w = test::Klassen(wv);
  ASSERT_TRUE(SchaetzwerteBerechnen(19, w->Statistik, test::Eigenschaften(19), E, w->Haeufigkeiten,
                                    w->XWerte));
  EXPECT_FALSE(scope.Faulted());
  for (std::uint32_t k : {1u, 2u, 3u}) {
    ASSERT_TRUE(AlternativeWaehlen(19, k, E, w->Haeufigkeiten, par, test::Eigenschaften(19)));
    EXPECT_TRUE(Near(par[0], rho, test::kRecovered)) << k;
    EXPECT_TRUE(Near(par[1], alpha, test::kRecovered)) << k;
  }
}

TEST(WaringFamily, StartVectorsOnRealDataGiveDistributions) {
  for (const char* datei :
       {"gpl3-word-syllables.dat", "gpl3-word-letters.dat", "gpl3-sentence-words.dat"}) {
    test::StartsGebenVerteilung(17, datei, test::MitBits(17, {128}));
    test::StartsGebenVerteilung(18, datei, test::MitBits(18, {128}));
  }
  for (const char* datei : {"shell-accidents.dat", "horse-kicks.dat", "alpha-particles.dat"}) {
    test::StartsGebenVerteilung(19, datei, test::MitBits(19, {128, 128}));
  }
}

}  // namespace
}  // namespace vk
