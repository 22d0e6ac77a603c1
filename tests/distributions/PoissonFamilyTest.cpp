// SPDX-License-Identifier: GPL-3.0-or-later
// Poisson family: the Poisson, its truncations and the hyper-Poisson members 2, 10, 11, 12, 13,
// 20.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "core/FpFault.h"
#include "distributions/helpers/Numerik.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;
using test::Poisson;

// Unnormalised hyper-Poisson term a^i / (b)_i through lgamma.
double HyperTerm(double a, double b, double i) {
  return std::exp(i * std::log(a) - (std::lgamma(b + i) - std::lgamma(b)));
}

TEST(PoissonFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  for (const auto& fall : {std::tuple{0.61, 200.0, 4u}, {3.87, 2608.0, 12u}, {15.0, 500.0, 30u}}) {
    const auto a = std::get<0>(fall);
    const auto N = std::get<1>(fall);
    const auto L = std::get<2>(fall);
    test::MitReferenzVergleichen("Poisson", 2, {a}, {}, N, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return Poisson(a, i); });
    test::MitReferenzVergleichen(
        "positive Poisson", 10, {a}, {}, N, L, 1, Letzte::kRest,
        [&](std::uint32_t i) { return Poisson(a, i + 1.0) / (1 - std::exp(-a)); });
    double S = 0;
    for (std::uint32_t i = 0; i <= L; ++i) S += Poisson(a, i);
    test::MitReferenzVergleichen("right-truncated Poisson", 12, {a}, {}, N, L, 0, Letzte::kPunkt,
                                 [&](std::uint32_t i) { return Poisson(a, i) / S; });
    // Left-truncated below m, the data starting at m.
    for (std::uint32_t m : {0u, 2u, 5u}) {
      double unten = 0;
      for (std::uint32_t v = 0; v < m; ++v) unten += Poisson(a, v);
      test::MitReferenzVergleichen(
          "left-truncated Poisson", 11, {a}, {static_cast<double>(m)}, N, L, m, Letzte::kRest,
          [&](std::uint32_t i) { return Poisson(a, m + i) / (1 - unten); });
    }
  }
  // Hyper-Poisson: a^i/(b)_i normalised over the infinite support (member 20; for these a the
  // terms beyond L + 100 are far below the tolerance), and with second parameter b + 1
  // normalised over 0..L (member 13).
  for (const auto& fall :
       {std::tuple{2.0, 3.5, 1000.0, 10u}, {0.8, 0.4, 300.0, 6u}, {7.5, 1.0, 100.0, 20u}}) {
    const auto a = std::get<0>(fall);
    const auto b = std::get<1>(fall);
    const auto N = std::get<2>(fall);
    const auto L = std::get<3>(fall);
    double S = 0;
    for (std::uint32_t i = 0; i <= L + 100; ++i) S += HyperTerm(a, b, i);
    test::MitReferenzVergleichen("hyper-Poisson", 20, {a, b}, {}, N, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return HyperTerm(a, b, i) / S; });
    double SL = 0;
    for (std::uint32_t i = 0; i <= L; ++i) SL += HyperTerm(a, b + 1, i);
    test::MitReferenzVergleichen("hyper-Poisson, fixed b", 13, {a}, {b}, N, L, 1, Letzte::kPunkt,
                                 [&](std::uint32_t i) { return HyperTerm(a, b + 1, i) / SL; });
  }
  // With b = 1 the hyper-Poisson is the Poisson.
  test::MitReferenzVergleichen("hyper-Poisson, b = 1", 20, {2.2, 1}, {}, 400, 9, 0, Letzte::kRest,
                               [](std::uint32_t i) { return Poisson(2.2, i); });
  // A large a puts the mode near a - b, far beyond L + 100, where cutting the normalising series
  // made the classes about a times too large. With b = 1 the distribution is Poisson(a), with
  // b = 2 it is a^(i+1)/((i+1)! (e^a - 1)), since 1F1(1; 2; a) = (e^a - 1)/a.
  for (std::uint32_t L : {10u, 40u}) {
    test::MitReferenzVergleichen("hyper-Poisson, b = 1, a = 150", 20, {150, 1}, {}, 1000, L, 0,
                                 Letzte::kRest, [](std::uint32_t i) { return Poisson(150, i); });
    test::MitReferenzVergleichen("hyper-Poisson, b = 2, a = 150", 20, {150, 2}, {}, 1000, L, 0,
                                 Letzte::kRest, [](std::uint32_t i) {
                                   return std::exp((i + 1.0) * std::log(150.0) -
                                                   std::lgamma(i + 2.0) - 150 -
                                                   std::log1p(-std::exp(-150.0)));
                                 });
  }
}

// Beyond a = 745 e^-a is 0 in double, and the recurrence from class 0 gave nothing but zeros.
// Reference N e^-a a^i/i! at a = 800, N = 1000, classes 0..899: 80-digit decimal arithmetic
// (python3 with decimal, getcontext().prec = 80, i! as an exact integer), the last class
// N minus the sum of the others in the same arithmetic.
TEST(PoissonFamily, LargeMeanStartsAtTheMode) {
  struct Klasse {
    std::uint32_t i;
    double np;
  };
  const Klasse klassen[] = {{500, 1.0543855325322216e-27}, {650, 4.6241844627504817e-06},
                            {700, 0.022040631730731366},   {799, 14.103270421583719},
                            {800, 14.103270421583719},     {850, 2.959948850216811},
                            {899, 0.036904481569505744}};
  TStatistik s;
  s.summe = 1000;
  s.n = 900;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par{800};
  FpFaultScope scope;
  ASSERT_TRUE(ErwartungswerteBerechnen(2, par, s, *x, f, *NP, test::Eigenschaften(2)));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_EQ((*NP)[0], 0);
  for (const Klasse& k : klassen)
    EXPECT_TRUE(Near((*NP)[k.i], k.np, test::kLogRoute)) << k.i << ": " << (*NP)[k.i];
  EXPECT_TRUE(Near((*NP)[900], 0.27591344090745107, test::kSeries, test::kSeries)) << (*NP)[900];
  // Data below the mode: the start is the highest class below L, here 99 at a = 800.
  s.n = 100;
  ASSERT_TRUE(ErwartungswerteBerechnen(2, par, s, *x, f, *NP, test::Eigenschaften(2)));
  EXPECT_FALSE(scope.Faulted());
  EXPECT_TRUE(Near((*NP)[99], 1000 * std::exp(-800 + 99 * std::log(800.0) - std::lgamma(100.0)),
                   test::kLogRoute));
  EXPECT_TRUE(Near((*NP)[98], (*NP)[99] * 99 / 800, test::kTight));
}

// Member 11 with its normaliser e^a - sum_{i<m} a^i/i! cancelling (a = 0.2, m = 12) and with
// the factorial and power beyond the double range (data starting at 200). Reference
// N a^(m+i)/(m+i)! / (e^a - sum_{i<m} a^i/i!) in 80-digit decimal arithmetic (python3 with
// decimal, getcontext().prec = 80, Decimal.exp, the factorials exact integers), the last class N
// minus the others in the same arithmetic.
TEST(PoissonFamily, LeftTruncatedFarFromZeroOrAboveTheMean) {
  struct Fall {
    double a;
    std::uint32_t m;
    std::vector<double> np;
  };
  const Fall faelle[] = {
      {0.2,
       12,
       {984.6324833389186, 15.14819205136798, 0.21640274359097114, 0.002885369914546282,
        3.606712393182852e-05, 4.2908389081842955e-07}},
      {210,
       200,
       {28.976971077197224, 30.27444739408665, 31.473435409694044, 32.55872628589039,
        33.51633588253422, 34.333807489425304, 35.000483363006374, 35.50773674507894,
        35.849157290704696, 36.02068435908127, 36.02068435908127, 35.84997021519937,
        594.6175601290203}}};
  for (const Fall& fall : faelle) {
    const auto L = static_cast<std::uint32_t>(fall.np.size() - 1);
    TStatistik s;
    s.summe = 1000;
    s.n = L;
    const auto x = test::Werte(fall.m);
    const KlassenHaeufigkeiten f{};
    auto NP = std::make_unique<Erwartungswerte>();
    Parametervektor par{fall.a};
    TParameterEigenschaften eig = test::Eigenschaften(11);
    eig.festparameter[0] = fall.m;
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(11, par, s, *x, f, *NP, eig));
    EXPECT_FALSE(scope.Faulted()) << fall.m;
    for (std::uint32_t i = 0; i <= L; ++i)
      EXPECT_TRUE(Near((*NP)[i], fall.np[i], test::kTight, test::kTight))
          << fall.m << " i=" << i << ": " << (*NP)[i];
  }
}

// Where e^a - sum_{i<m} a^i/i! keeps most of e^a, member 11 computes the normaliser as written,
// bit for bit.
TEST(PoissonFamily, LeftTruncatedKeepsTheWrittenNormaliserWhereItIsAccurate) {
  for (const auto& fall : {std::pair{3.5, 2u}, {40.0, 30u}, {0.9, 1u}, {100.0, 90u}}) {
    const double a = fall.first;
    const std::uint32_t m = fall.second;
    TStatistik s;
    s.summe = 1000;
    s.n = 20;
    const auto x = test::Werte(m);
    const KlassenHaeufigkeiten f{};
    auto NP = std::make_unique<Erwartungswerte>();
    Parametervektor par{a};
    TParameterEigenschaften eig = test::Eigenschaften(11);
    eig.festparameter[0] = m;
    ASSERT_TRUE(ErwartungswerteBerechnen(11, par, s, *x, f, *NP, eig));
    long double unten = 0;
    for (std::uint32_t i = 0; i < m; ++i) unten += GanzePotenz(i, a) / Fakultaet(i);
    double np =
        1000 * ((GanzePotenz(m, a) / Fakultaet(m)) / (std::exp(a) - static_cast<double>(unten)));
    for (std::uint32_t i = 0; i < 20; ++i) {
      if (i > 0) np = np * a / (i + static_cast<double>(m));
      EXPECT_EQ((*NP)[i], np) << a << " m=" << m << " i=" << i;
    }
  }
}

// Where e^-a is a normal double the recurrence still runs from class 0, bit for bit (from about
// 708 on it is subnormal, its digits lost, and the classes start at the mode).
TEST(PoissonFamily, ModerateMeanKeepsTheRecurrenceFromZero) {
  for (double a : {3.5, 700.0, 708.0}) {
    TStatistik s;
    s.summe = 1000;
    s.n = 30;
    const auto x = test::Werte(0);
    const KlassenHaeufigkeiten f{};
    auto NP = std::make_unique<Erwartungswerte>();
    Parametervektor par{a};
    ASSERT_TRUE(ErwartungswerteBerechnen(2, par, s, *x, f, *NP, test::Eigenschaften(2)));
    double np = 1000 * std::exp(-a);
    for (std::uint32_t i = 0; i < 30; ++i) {
      if (i > 0) np = np * a / i;
      EXPECT_EQ((*NP)[i], np) << a << " i=" << i;
    }
  }
}

// On exact Poisson frequencies the zero-frequency, first-ratio and regression estimates are a
// itself, the mean is a up to the mass cut off after 60 classes.
TEST(PoissonFamily, EstimatorsRecoverExactData) {
  const double a = 3.2, N = 1000;
  std::vector<double> fv;
  for (int i = 0; i < 60; ++i) fv.push_back(N * Poisson(a, i));
  const auto d = test::Klassen(fv);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(2, d->Statistik, test::Eigenschaften(2), E, d->Haeufigkeiten,
                                    d->XWerte));
  for (int s : {0, 1, 2, 3}) EXPECT_TRUE(Near(E[s], a, test::kRecovered)) << s;

  // Hyper-Poisson: the moment pairs (E[0], E[1]), (E[50], E[51]) and the pair from the first
  // frequencies (E[100], E[101]) return (a, b); 300 classes leave no visible mass behind.
  const double ha = 2, hb = 3.5;
  double S = 0;
  for (int i = 0; i < 300; ++i) S += HyperTerm(ha, hb, i);
  std::vector<double> hv;
  for (int i = 0; i < 300; ++i) hv.push_back(N * HyperTerm(ha, hb, i) / S);
  const auto h = test::Klassen(hv);
  ASSERT_TRUE(SchaetzwerteBerechnen(20, h->Statistik, test::Eigenschaften(20), E, h->Haeufigkeiten,
                                    h->XWerte));
  EXPECT_FALSE(scope.Faulted());
  for (int s : {0, 50, 100}) EXPECT_TRUE(Near(E[s], ha, test::kRecovered)) << s;
  for (int s : {1, 51, 101}) EXPECT_TRUE(Near(E[s], hb, test::kRecovered)) << s;
}

// Without frequency in class 0, members 2 and 12 use the mean estimate instead of the ratios.
TEST(PoissonFamily, EmptyFirstClassFallsBackToTheMean) {
  const auto d = test::Klassen({0, 10, 8, 4, 1});
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(2, d->Statistik, test::Eigenschaften(2), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_EQ(E[1], d->Statistik.m1x0);
  EXPECT_EQ(E[2], d->Statistik.m1x0);
  ASSERT_TRUE(SchaetzwerteBerechnen(12, d->Statistik, test::Eigenschaften(12), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_EQ(E[1], E[0]);
  EXPECT_FALSE(scope.Faulted());
}

TEST(PoissonFamily, StartVectorsOnRealDataGiveDistributions) {
  for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat", "shell-accidents.dat"}) {
    test::StartsGebenVerteilung(2, datei, test::MitBits(2, {128}));
    test::StartsGebenVerteilung(12, datei, test::MitBits(12, {128}));
    test::StartsGebenVerteilung(11, datei, test::MitBits(11, {128}, {0}));
  }
  for (const char* datei : {"horse-kicks.dat", "alpha-particles.dat"}) {
    test::StartsGebenVerteilung(20, datei, test::MitBits(20, {128, 128}));
  }
  for (const char* datei : {"gpl3-word-syllables.dat", "gpl3-word-letters.dat"}) {
    test::StartsGebenVerteilung(10, datei, test::MitBits(10, {128}));
    test::StartsGebenVerteilung(11, datei, test::MitBits(11, {128}, {1}));
    test::StartsGebenVerteilung(13, datei, test::MitBits(13, {128}, {1}));
  }
}

}  // namespace
}  // namespace vk
