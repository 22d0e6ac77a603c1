// SPDX-License-Identifier: GPL-3.0-or-later
// Power laws on the values 1, 2, ...: members 86 (zeta) and 87 (Zipf on 1..n).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/StartCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

// zeta(2) = pi^2/6 and zeta(4) = pi^4/90: the normaliser in closed form, so the whole infinite
// series (not just the terms up to some bound) is checked.
TEST(ZetaZipfFamily, ZetaAgainstClosedFormsOfTheNormaliser) {
  constexpr double pi = std::numbers::pi;
  const struct {
    double a;
    double zeta;
  } faelle[] = {{2, pi * pi / 6}, {4, pi * pi * pi * pi / 90}};
  for (const auto& c : faelle)
    for (std::uint32_t L : {0u, 3u, 40u})
      test::MitReferenzVergleichen(
          "zeta", 86, {c.a}, {}, 800, L, 1, Letzte::kRest,
          [&](std::uint32_t i) { return std::pow(i + 1.0, -c.a) / c.zeta; });
}

TEST(ZetaZipfFamily, ZipfIsNormalisedOverOneToN) {
  for (double a : {1.2, -0.5, 0.0}) {
    for (double n : {13.0, 30.0}) {
      double h = 0;
      for (double k = 1; k <= n; ++k) h += std::pow(k, -a);
      // With n above the largest value the classes hold less than N: no remainder is formed.
      TStatistik s;
      s.summe = 500;
      s.n = 12;
      const auto x = test::Werte(1);
      const KlassenHaeufigkeiten f{};
      auto NP = std::make_unique<Erwartungswerte>();
      TParameterEigenschaften eig = test::Eigenschaften(87);
      eig.festparameter = {n};
      Parametervektor par{a};
      FpFaultScope scope;
      ASSERT_TRUE(ErwartungswerteBerechnen(87, par, s, *x, f, *NP, eig));
      EXPECT_FALSE(scope.Faulted());
      for (std::uint32_t i = 0; i <= 12; ++i)
        EXPECT_TRUE(Near((*NP)[i], 500 * std::pow(i + 1.0, -a) / h, test::kChain)) << "i=" << i;
    }
  }
}

// A largest value below the last class leaves classes without a term: a failed evaluation.
TEST(ZetaZipfFamily, ZipfBelowTheDataFails) {
  for (double n : {12.0, 12.9, 0.5, -3.0}) {
    TStatistik s;
    s.summe = 100;
    s.n = 12;
    const auto x = test::Werte(1);
    const KlassenHaeufigkeiten f{};
    auto NP = std::make_unique<Erwartungswerte>();
    TParameterEigenschaften eig = test::Eigenschaften(87);
    eig.festparameter = {n};
    Parametervektor par{1.5};
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(87, par, s, *x, f, *NP, eig));
    EXPECT_TRUE(scope.Faulted()) << "n " << n;
  }
}

TEST(ZetaZipfFamily, EstimatorsRecoverExactData) {
  // f[0]/f[1] = 2^a for both.
  for (std::uint32_t nummer : {86u, 87u}) {
    std::vector<double> fv;
    for (int v = 1; v <= 20; ++v) fv.push_back(1000 * std::pow(v, -1.7));
    const auto d = test::Klassen(fv, 1);
    TParameterEigenschaften eig = test::Eigenschaften(nummer);
    eig.festparameter = {20};
    EXPECT_TRUE(Near(test::Start(nummer, *d, eig, 1)[0], 1.7, test::kTight)) << "member " << nummer;
  }
}

TEST(ZetaZipfFamily, StartVectorsOnRealDataAreFinite) {
  for (const char* datei : {"gpl3-word-letters.dat", "gpl3-sentence-words.dat"}) {
    test::StartsEndlich(86, datei, test::MitDomaenen(86, {2}, {}));
    const auto d = test::Beispieldaten(datei);
    test::StartsEndlich(
        87, datei, test::MitDomaenen(87, {0}, {static_cast<double>(d->XWerte[d->Statistik.n])}));
  }
}

}  // namespace
}  // namespace vk
