// SPDX-License-Identifier: GPL-3.0-or-later
// Mixtures and stopped sums: members 28 (two negative binomials), 29 (two-rate Poisson),
// 30 (gamma-Pascal), 31 (Poisson-Lindley), 34 (Poisson-Levy), 39 (geometric-Pascal).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "distributions/helpers/Numerik.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/StartCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::LogBinomial;
using test::NB;
using test::Near;
using test::Poisson;

// Two-rate Poisson: (a/b) e^-a (b/(b - a))^i times the upper tail P(Poisson(b - a) >= i), the
// tail summed upwards term by term (the member subtracts the lower partial sum from e^(b-a)).
double ZweiRaten(double a, double b, double i) {
  if (i == 0) return std::exp(-a);
  double oben = 0;
  for (int j = static_cast<int>(i); j < static_cast<int>(i) + 400; ++j) oben += Poisson(b - a, j);
  return a / b * std::exp(-a) * std::pow(b / (b - a), i) * oben;
}

// Gamma-Pascal, the Pascal law mixed over p = e^-Y, Y gamma (shape a, rate b): at x0 = c
// P(c) = E[p^c] = (b/(b + c))^a; above, C(x - 1, c - 1) E[p^c (1 - p)^(x - c)] =
// C(x - 1, c - 1) (b/(b + c))^a sum_j (-1)^j C(x - c, j) ((b + c)/(b + c + j))^a, the factors
// taken in closed form rather than by the member's running product.
double GammaPascal(double a, double b, double c, double x) {
  if (x == c) return std::pow(b / (b + c), a);
  double s = 0;
  for (int j = 0; j <= static_cast<int>(x - c); ++j) {
    s += ((j % 2) ? -1 : 1) * std::exp(LogBinomial(x - c, j)) * std::pow((b + c) / (b + c + j), a);
  }
  return std::exp(LogBinomial(x - 1, c - 1)) * std::pow(b / (b + c), a) * s;
}

double PoissonLindley(double t, double x) {
  return t * t * (x + t + 2) / std::pow(t + 1, x + 3);
}

// Poisson-Levy from the power series of its pgf exp(-c sqrt(1 - s)), c = sqrt(2a):
// P(x) = (-1)^x sum_k (-c)^k/k! C(k/2, x), the generalised binomial by its product.
double PoissonLevy(double a, int x) {
  const long double c = std::sqrt(2 * a);
  long double s = 0, potenz = 1;
  for (int k = 0; k < 200; ++k) {
    if (k > 0) potenz *= -c / k;
    long double bin = 1;
    for (int l = 0; l < x; ++l) bin *= (k / 2.0L - l) / (l + 1);
    s += potenz * bin;
  }
  return static_cast<double>((x % 2) ? -s : s);
}

// Geometric stopped sum of NB(k, p), summed over the number m of summands: m summands add up to
// NB(m k, p), and P(K = m) = c (1 - c)^m.
double GeometrischPascal(double k, double p, double c, double x) {
  double s = 0;
  for (int m = 0; m < 3000; ++m) s += c * std::pow(1 - c, m) * NB(m * k, p, x);
  return s;
}

// Gamma-Pascal far beyond c, where the alternating sum cancels (x up to 81, a = 1.5, b = 2.5,
// c = x0 = 1, N = 1000). Reference N C(x - 1, c - 1) (c/b + 1)^-a sum_{j=0}^{x-c} (-1)^j
// C(x - c, j) ((b + c)/(b + c + j))^a, the alternating sum itself at 200 digits (mpmath,
// mp.dps = 200, binomial exact); the first class N (b/(b + c))^a and the last N minus the
// others in the same arithmetic. The classes now sum to N: the last holds only the law's tail.
TEST(MixtureFamily, GammaPascalFarBeyondCDoesNotCancel) {
  struct Klasse {
    std::uint32_t i;
    double np;
  };
  const Klasse klassen[] = {{0, 603.68161052036898},     {1, 189.59494802040793},
                            {10, 2.8483665496364901},    {30, 0.12057175764903626},
                            {45, 0.033996544589200379},  {60, 0.013564493041218131},
                            {79, 0.0055643582054444811}, {80, 0.1883695837539637}};
  TStatistik st;
  st.summe = 1000;
  st.n = 80;
  const auto x = test::Werte(1);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par{1.5, 2.5};
  TParameterEigenschaften eig = test::Eigenschaften(30);
  eig.festparameter[0] = 1;
  FpFaultScope scope;
  ASSERT_TRUE(ErwartungswerteBerechnen(30, par, st, *x, f, *NP, eig));
  EXPECT_FALSE(scope.Faulted());
  for (const Klasse& k : klassen)
    // The last class is N minus the others: held to 1e-12 N, as every remainder.
    EXPECT_TRUE(
        Near((*NP)[k.i], k.np, test::kTight, k.i == 80 ? test::kTight * st.summe : test::kTight))
        << k.i << ": " << (*NP)[k.i];
  for (std::uint32_t i = 0; i <= 80; ++i) EXPECT_GT((*NP)[i], 0) << i;
}

// Where the alternating sum of gamma-Pascal loses little to cancellation it stays as written,
// bit for bit: the classes x = 3..5 from c = x0 = 2 (the sum's terms at most 1024 times the
// result, checked here).
TEST(MixtureFamily, GammaPascalKeepsTheAlternatingSumWhereItIsAccurate) {
  const double a = 1.5, b = 4, c = 2, N = 300;
  TStatistik st;
  st.summe = N;
  st.n = 4;
  const auto x = test::Werte(2);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par{a, b};
  TParameterEigenschaften eig = test::Eigenschaften(30);
  eig.festparameter[0] = c;
  ASSERT_TRUE(ErwartungswerteBerechnen(30, par, st, *x, f, *NP, eig));
  EXPECT_EQ((*NP)[0], N * std::pow(b / (b + c), a));
  for (std::uint32_t i = 1; i < 4; ++i) {
    const double xi = 2.0 + i;
    double r = Fakultaet(static_cast<std::uint32_t>(xi) - 1) /
               (Fakultaet(1) * Fakultaet(static_cast<std::uint32_t>(xi - 2))) *
               std::pow(c / b + 1, -a);
    long double s = r, betrag = std::fabs(r);
    for (std::uint32_t j = 1; j <= i; ++j) {
      const double dj = j;
      r = r * std::pow(1 - 1 / (dj + b + c), a) * (-(xi - c - dj + 1)) / dj;
      s += r;
      betrag += std::fabs(r);
    }
    ASSERT_LE(betrag, 1024 * std::fabs(s)) << i;
    EXPECT_EQ((*NP)[i], N * static_cast<double>(s)) << i;
  }
}

// Gamma-Pascal with a and b apart: every class beyond c carries the weight (b/(b + c))^a of the
// mixture, so the classes sum to N (with the exponent b in that weight they summed to 1.6 N at
// a = 5, b = 3, c = 1, the shape of the word-letter data, and the fit found no distribution).
// References: P(x) = C(x - 1, c - 1) (b/(b + c))^a sum_j (-1)^j C(x - c, j)
// ((b + c)/(b + c + j))^a at 60 digits (mpmath, mp.dps = 60).
TEST(MixtureFamily, GammaPascalWeightsEveryClassWithTheShape) {
  struct Fall {
    double a, b, c;
    std::uint32_t x;
    double P;
  };
  const Fall faelle[] = {
      {5, 3, 1, 1, 0.2373046875},           {5, 3, 1, 2, 0.1595446875},
      {5, 3, 1, 4, 0.083316426061313738},   {5, 3, 1, 9, 0.026159227922430028},
      {0.5, 2, 2, 2, 0.70710678118654752},  {0.5, 2, 2, 3, 0.14930249830574332},
      {0.5, 2, 2, 6, 0.016481664451017842}, {4, 1.5, 3, 3, 0.012345679012345679},
      {4, 1.5, 3, 4, 0.020439810071665819}, {4, 1.5, 3, 8, 0.026701988849003702},
  };
  constexpr double N = 1000;
  constexpr std::uint32_t L = 16;
  for (const Fall& f : faelle) {
    TStatistik st;
    st.summe = N;
    st.n = L;
    const auto x = test::Werte(static_cast<std::uint32_t>(f.c));
    const KlassenHaeufigkeiten h{};
    auto NP = std::make_unique<Erwartungswerte>();
    Parametervektor par{f.a, f.b};
    TParameterEigenschaften eig = test::Eigenschaften(30);
    eig.festparameter[0] = f.c;
    ASSERT_TRUE(ErwartungswerteBerechnen(30, par, st, *x, h, *NP, eig)) << f.a << " " << f.b;
    const std::uint32_t i = f.x - static_cast<std::uint32_t>(f.c);
    EXPECT_TRUE(Near((*NP)[i], N * f.P, test::kSeries)) << f.a << " " << f.b << " x " << f.x;
    // No class below 0: the last value holds what lies beyond it.
    EXPECT_GE((*NP)[L], 0) << f.a << " " << f.b;
  }
}

TEST(MixtureFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  // Mixture of negative binomials: the tail without absolute value equals the mass beyond L.
  for (std::uint32_t L : {12u, 4u}) {
    test::MitReferenzVergleichen(
        "NB mixture", 28, {2.5, 0.6, 0.25, 0.3}, {}, 800, L, 0, Letzte::kRest,
        [](std::uint32_t i) { return 0.3 * NB(2.5, 0.6, i) + 0.7 * NB(2.5, 0.25, i); });
  }
  for (std::uint32_t L : {10u, 2u}) {
    test::MitReferenzVergleichen("two-rate Poisson", 29, {0.8, 2.5}, {}, 500, L, 0, Letzte::kRest,
                                 [](std::uint32_t i) { return ZweiRaten(0.8, 2.5, i); });
  }
  // Gamma-Pascal from c = x0 = 2: the alternating sums lose a few digits to cancellation.
  for (std::uint32_t L : {9u, 3u}) {
    test::MitReferenzVergleichen(
        "gamma-Pascal", 30, {1.5, 4}, {2}, 300, L, 2, Letzte::kRest,
        [](std::uint32_t i) { return GammaPascal(1.5, 4, 2, 2.0 + i); }, test::kAlternating);
  }
  for (double t : {0.7, 3.0}) {
    test::MitReferenzVergleichen("Poisson-Lindley", 31, {t}, {}, 1000, 14, 0, Letzte::kRest,
                                 [t](std::uint32_t i) { return PoissonLindley(t, i); });
  }
  for (double a : {0.3, 2.0}) {
    test::MitReferenzVergleichen(
        "Poisson-Levy", 34, {a}, {}, 400, 10, 0, Letzte::kRest,
        [a](std::uint32_t i) { return PoissonLevy(a, static_cast<int>(i)); });
  }
  test::MitReferenzVergleichen(
      "geometric-Pascal", 39, {1.7, 0.55, 0.4}, {}, 900, 15, 0, Letzte::kRest,
      [](std::uint32_t i) { return GeometrischPascal(1.7, 0.55, 0.4, i); });
}

// A mixture with weight 1 is its first component.
TEST(MixtureFamily, MixtureWithWeightOneIsItsComponent) {
  test::MitReferenzVergleichen("weight 1", 28, {3, 0.45, 0.8, 1}, {}, 250, 9, 0, Letzte::kRest,
                               [](std::uint32_t i) { return NB(3, 0.45, i); });
}

// With a > b the two rates are swapped before computing, and the caller sees the swap.
TEST(MixtureFamily, TwoRatePoissonSwapsItsRates) {
  TStatistik s;
  s.summe = 100;
  s.n = 6;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par{3, 1};
  ASSERT_TRUE(ErwartungswerteBerechnen(29, par, s, *x, f, *NP, test::Eigenschaften(29)));
  EXPECT_EQ(par[0], 1);
  EXPECT_EQ(par[1], 3);
  EXPECT_TRUE(Near((*NP)[3], 100 * ZweiRaten(1, 3, 3), test::kLogRoute));
}

// Close rates: e^(b-a) minus the partial sum of its series cancels, by 4 % at class 9 for
// (0.8, 0.9) and to nothing for b - a = 0.005, and the alpha-particle counts (N = 2608, classes
// 0..14) at (3.927, 3.967) gave 123.3 at class 8 and 0 from class 9 on. Reference N P(i): the
// tail sum_{j>=i} (b - a)^j/j! summed upwards to j = i + 299 in 60-digit decimal arithmetic
// (python3 with decimal, getcontext().prec = 60, exact Decimal('3.927') etc.), times
// (a/b) e^-b (b/(b - a))^i.
TEST(MixtureFamily, TwoRatePoissonCloseRatesDoNotCancel) {
  struct Fall {
    double a, b, N;
    std::uint32_t L;
    std::vector<double> np;  // classes 0..L-1
  };
  const Fall faelle[] = {
      {3.927,
       3.967,
       2608,
       14,
       {51.3846208813017, 197.80493422835389, 389.73051620941879, 513.63124158609435,
        508.37159939519995, 402.80239108872246, 266.06502954080338, 150.674808507102,
        74.674237058465337, 32.900074030224943, 13.046700700194407, 4.7036853089509378,
        1.5545603095333966, 0.47427556248162078}},
      {0.8,
       0.9,
       1000,
       12,
       {449.32896411722157, 342.07443501297985, 151.36836498450492, 45.029587301003176,
        10.080576441166226, 1.8084033852270114, 0.2706092416946777, 0.034729991449835865,
        0.0039016565596603015, 0.0003897290569456832, 3.504351451144593e-05,
        2.8650107830400828e-06}},
      {1.2,
       1.205,
       1000,
       10,
       {301.19421191220209, 360.53097574938255, 217.03889637035235, 87.140954068334693,
        26.244646875384213, 6.323905285120385, 1.2698997185364405, 0.21858463985733223,
        0.032922024110365156, 0.0044076482585550802}},
  };
  for (const Fall& fall : faelle) {
    TStatistik s;
    s.summe = fall.N;
    s.n = fall.L;
    const auto x = test::Werte(0);
    const KlassenHaeufigkeiten f{};
    auto NP = std::make_unique<Erwartungswerte>();
    Parametervektor par{fall.a, fall.b};
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(29, par, s, *x, f, *NP, test::Eigenschaften(29)));
    EXPECT_FALSE(scope.Faulted());
    long double unten = 0;
    for (std::uint32_t i = 0; i < fall.L; ++i) {
      EXPECT_TRUE(Near((*NP)[i], fall.np[i], test::kTight))
          << fall.b << ", i=" << i << ": " << (*NP)[i];
      unten += (*NP)[i];
    }
    EXPECT_EQ((*NP)[fall.L], static_cast<double>(std::fabs(fall.N - unten)));
  }
}

// Where the partial sum stays below half of e^(b-a) the difference loses nothing and is still
// what the member computes, bit for bit: a = 1, b = 6, classes 2..4 (partial sums 6, 18.5, 39.3
// against e^5 = 148.4), the difference formed as the member always formed it.
TEST(MixtureFamily, TwoRatePoissonKeepsTheExactDifference) {
  const double a = 1, b = 6, N = 1000;
  TStatistik s;
  s.summe = N;
  s.n = 8;
  const auto x = test::Werte(0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par{a, b};
  ASSERT_TRUE(ErwartungswerteBerechnen(29, par, s, *x, f, *NP, test::Eigenschaften(29)));
  const double d = b - a;
  const double vorfaktor = a / b * std::exp(-b);
  const double quotient = b / d;
  double potenz = quotient;
  double glied = 1;
  long double teilsumme = glied;
  for (int i = 2; i <= 4; ++i) {
    potenz *= quotient;
    glied = glied * d / (i - 1);
    teilsumme += glied;
    EXPECT_EQ((*NP)[i], N * vorfaktor * potenz * (std::exp(d) - static_cast<double>(teilsumme)))
        << i;
  }
}

// The grid of member 28 with three alternatives: p1 = j/4, p2 = (91 - 2j)/100, and a k above
// 10 replaced by 5.
TEST(MixtureFamily, NegativeBinomialMixtureGrid) {
  const auto d = test::Beispieldaten("shell-accidents.dat");
  TParameterEigenschaften eig = test::Eigenschaften(28);
  ASSERT_EQ(eig.alternativen, 3u);
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(28, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
  EXPECT_FALSE(scope.Faulted());
  const double p1[] = {0.25, 0.5, 0.75};
  const double p2[] = {0.89, 0.87, 0.85};
  for (std::uint32_t j = 1; j <= 3; ++j) {
    Parametervektor par{};
    ASSERT_TRUE(AlternativeWaehlen(28, j, E, d->Haeufigkeiten, par, eig));
    EXPECT_EQ(par[1], p1[j - 1]) << j;
    EXPECT_TRUE(Near(par[2], p2[j - 1], test::kTight)) << j;
    EXPECT_GT(par[0], 0) << j;
    EXPECT_LE(par[0], 10) << j;
    EXPECT_EQ(E[150], d->Statistik.m1);
  }
}

// Estimators that invert exact relations recover the parameters of exact frequencies.
TEST(MixtureFamily, EstimatorsRecoverExactData) {
  {
    // Poisson-Lindley: the mean (theta + 2)/(theta (theta + 1)) solved for theta.
    std::vector<double> fv;
    for (int i = 0; i < 200; ++i) fv.push_back(1000 * PoissonLindley(1.3, i));
    const auto d = test::Klassen(fv);
    const Parametervektor par = test::Start(31, *d, test::Eigenschaften(31), 1);
    EXPECT_TRUE(Near(par[0], 1.3, test::kRecovered));
  }
  {
    // Poisson-Levy: (ln P(0))^2/2 = a and 2 (P(1)/P(0))^2 = a, averaged. Its tail is heavy, so
    // the last class carries the rest of N = 1000.
    std::vector<double> fv;
    double rest = 1000;
    for (int i = 0; i < 6; ++i) {
      fv.push_back(1000 * PoissonLevy(0.8, i));
      rest -= fv.back();
    }
    fv.push_back(rest);
    const auto d = test::Klassen(fv);
    const Parametervektor par = test::Start(34, *d, test::Eigenschaften(34), 1);
    EXPECT_TRUE(Near(par[0], 0.8, test::kLogRoute));
  }
}

TEST(MixtureFamily, StartVectorsOnRealDataAreFinite) {
  test::StartsEndlich({
      {28, {128, 1, 1, 1}, {}, "shell-accidents.dat"},
      {28, {128, 1, 1, 1}, {}, "alpha-particles.dat"},
      {29, {128, 128}, {}, "horse-kicks.dat"},
      {29, {128, 128}, {}, "shell-accidents.dat"},
      {30, {128, 128}, {1}, "gpl3-word-syllables.dat"},
      {30, {128, 128}, {1}, "gpl3-word-letters.dat"},
      {31, {128}, {}, "shell-accidents.dat"},
      {31, {128}, {}, "horse-kicks.dat"},
      {34, {128}, {}, "shell-accidents.dat"},
      {34, {128}, {}, "alpha-particles.dat"},
      {39, {128, 1, 1}, {}, "shell-accidents.dat"},
      {39, {128, 1, 1}, {}, "alpha-particles.dat"},
  });
}

}  // namespace
}  // namespace vk
