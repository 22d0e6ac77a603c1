// SPDX-License-Identifier: GPL-3.0-or-later
// Zero-inflated and zero-modified members: 102 (binomial, n fixed), 103 (binomial), 108
// (negative binomial) and 109 (zero-modified binomial, n and b fixed). Probabilities against the
// definition as a share of the standard distribution plus an added zero, estimators on exact
// frequencies, and the number of trials that must be whole.
#include <gtest/gtest.h>

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
using test::Near;

double Bin(double n, double p, double i) {
  return i > n ? 0 : std::exp(test::LogBinomial(n, i) + i * std::log(p) + (n - i) * std::log1p(-p));
}
double NullBin(double n, double p, double b, double i) {
  return (i == 0 ? 1 - b : 0) + b * Bin(n, p, i);
}
double NullNB(double k, double p, double b, double i) {
  return (i == 0 ? 1 - b : 0) + b * test::NB(k, p, i);
}
double ModBin(double n, double p, double b, double i) {
  return i == 0 ? 1 - b : b * Bin(n, p, i) / (1 - std::pow(1 - p, n));
}

TEST(ZeroInflatedFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  for (std::uint32_t L : {8u, 14u}) {
    test::MitReferenzVergleichen("zero-inflated binomial, n fixed", 102, {0.35, 0.6}, {12}, 500, L,
                                 0, Letzte::kRest,
                                 [](std::uint32_t i) { return NullBin(12, 0.35, 0.6, i); });
    test::MitReferenzVergleichen("zero-inflated binomial", 103, {12, 0.35, 0.6}, {}, 500, L, 0,
                                 Letzte::kRest,
                                 [](std::uint32_t i) { return NullBin(12, 0.35, 0.6, i); });
    test::MitReferenzVergleichen("zero-modified binomial", 109, {0.35}, {12, 0.8}, 500, L, 0,
                                 Letzte::kRest,
                                 [](std::uint32_t i) { return ModBin(12, 0.35, 0.8, i); });
  }
  test::MitReferenzVergleichen("zero-inflated negative binomial", 108, {1.7, 0.45, 0.65}, {}, 900,
                               25, 0, Letzte::kRest,
                               [](std::uint32_t i) { return NullNB(1.7, 0.45, 0.65, i); });
}

TEST(ZeroInflatedFamily, EstimatorsRecoverExactData) {
  const struct {
    const char* name;
    std::uint32_t nummer;
    std::vector<double> par;
    Fest fest;
    std::uint32_t L;
    double (*pmf)(double);
    std::vector<std::uint32_t> alternativen;
  } faelle[] = {
      // p, b from the moments, from the factorial moments with f[0], from f[2]/f[1].
      {"zero-inflated binomial, n fixed",
       102,
       {0.35, 0.6},
       {12},
       12,
       [](double i) { return NullBin(12, 0.35, 0.6, i); },
       {1, 2, 3, 4}},
      // n = x[L] when the data reach n, and from the factorial moments.
      {"zero-inflated binomial",
       103,
       {12, 0.35, 0.6},
       {},
       12,
       [](double i) { return NullBin(12, 0.35, 0.6, i); },
       {1, 2, 3, 4}},
      // k from classes 1..3, p from the factorial moments and by halving on f[1]/(N - f[0]).
      {"zero-inflated negative binomial",
       108,
       {1.7, 0.45, 0.65},
       {},
       150,
       [](double i) { return NullNB(1.7, 0.45, 0.65, i); },
       {1, 2, 3}},
      {"zero-modified binomial",
       109,
       {0.35},
       {12, 0.8},
       12,
       [](double i) { return ModBin(12, 0.35, 0.8, i); },
       {1}},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.name);
    const auto fv = test::Tausendfach(c.pmf, 0, c.L + 1);
    for (std::uint32_t k : c.alternativen)
      test::StartVergleichen(c.nummer, c.fest, fv, 0, k, c.par, test::kRecovered);
  }
}

// A number of trials that is not whole, fixed or free, has no distribution: a failed
// evaluation rather than negative classes beyond it.
TEST(ZeroInflatedFamily, NumberOfTrialsMustBeWhole) {
  TStatistik s;
  s.summe = 100;
  s.n = 10;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten leer{};
  auto NP = std::make_unique<Erwartungswerte>();
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
  } faelle[] = {{102, {0.3, 0.5}, {6.5}}, {103, {6.5, 0.3, 0.5}, {}}, {109, {0.3}, {6.5, 0.5}}};
  for (const auto& c : faelle) {
    TParameterEigenschaften eig = test::Eigenschaften(c.nummer);
    eig.festparameter = c.fest;
    Parametervektor par = c.par;
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(c.nummer, par, s, *x, leer, *NP, eig));
    EXPECT_TRUE(scope.Faulted()) << "member " << c.nummer;
  }
}

TEST(ZeroInflatedFamily, StartVectorsOnRealDataAreFinite) {
  for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat", "shell-accidents.dat"}) {
    const auto d = test::Beispieldaten(datei);
    const double n = d->XWerte[d->Statistik.n];
    test::StartsEndlich(102, datei, test::MitDomaenen(102, {1, 1}, {n}));
    test::StartsEndlich(103, datei, test::MitDomaenen(103, {16, 1, 1}, {}));
    test::StartsEndlich(108, datei, test::MitDomaenen(108, {128, 1, 1}, {}));
    test::StartsEndlich(
        109, datei, test::MitDomaenen(109, {1}, {n, 1 - d->Haeufigkeiten[0] / d->Statistik.summe}));
  }
}

}  // namespace
}  // namespace vk
