// SPDX-License-Identifier: GPL-3.0-or-later
// Members that reach their values by a cheaper route than before: powers through double
// exponentials or through one logarithm (member 184's ratio factors, the binomial summand of the
// stopped sums) and a recurrence in place of a series per class (member 29's tails), each against
// extended-precision values on both sides of the bound where the written form takes over again;
// and weights formed once per evaluation (members 106, 39, 174), bit for bit against the route
// before, or against extended precision (104, 105); a product in long double in place of a
// logarithm per factor (members 177, 180);
// series cut short where the rest can no longer change a class (the hyper-Poisson normaliser) or
// summed in closed form (member 113 from 0), with the faults of the whole series kept.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>

#include "distributions/Helpers.h"
#include "distributions/helpers/Schemata.h"
#include "distributions/members/Summanden.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// What rounding each double factor adds, over the 31 factors of a class at L = 30, with room:
// far below the tolerance of results (1e-12) and far above a long-double route's differences.
constexpr double kRelFaktoren = 1e-14;

// N P(i) for member 184 at N = 1000, L = 30 (terms i = 0..31), mpmath at mp.dps = 40 with the
// double parameters converted exactly:
//   t = [a**i/(factorial(i)*abs(i+b+1)**c) for i in range(32)]; 1000*t[i]/sum(t)
// (4, -0.75, 6) and (7.5, 0, 25) take the written power for their first classes (|c| > 4 u with
// u = i + b) and the exponentials after; (2.5, 0.5, 1.5) and (1.2, 2, -3.5) the exponentials
// throughout.
TEST(CheaperRoutes, PowerWeightedPoissonAgainstExtendedPrecision) {
  struct Fall {
    double a, b, c;
    std::uint32_t i;
    double erwartet;
  };
  const Fall faelle[] = {
      {2.5, 0.5, 1.5, 0, 256.12987544339596738},
      {2.5, 0.5, 1.5, 1, 297.59602261753578249},
      {2.5, 0.5, 1.5, 4, 59.374762523186110828},
      {2.5, 0.5, 1.5, 12, 0.0011804283033840529496},
      {4.0, -0.75, 6.0, 0, 999.72623988381299025},
      {4.0, -0.75, 6.0, 1, 0.25592991741025612551},
      {4.0, -0.75, 6.0, 4, 0.00044179041223085356674},
      {4.0, -0.75, 6.0, 12, 2.5298078910023062993e-9},
      {1.2, 2.0, -3.5, 0, 69.352373418708562413},
      {1.2, 2.0, -3.5, 1, 227.78658965180207497},
      {1.2, 2.0, -3.5, 4, 116.27700029857473842},
      {1.2, 2.0, -3.5, 12, 0.00036082309883414875178},
      {7.5, 0.0, 25.0, 0, 999.99977644937504735},
      {7.5, 0.0, 25.0, 1, 0.00022351736794025638268},
      {7.5, 0.0, 25.0, 4, 4.4236790110835714095e-13},
      {7.5, 0.0, 25.0, 12, 9.3716118287014255618e-24},
  };
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.b, f.c};
    const test::Lauf lauf = test::Auswerten(184, par, {}, 30, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.a << " " << f.b << " " << f.c;
    EXPECT_TRUE(Near((*lauf.NP)[f.i], f.erwartet, kRelFaktoren))
        << "a=" << f.a << " b=" << f.b << " c=" << f.c << " i=" << f.i;
  }
}

// b = -1 makes the first term a pole for c > 0 and the ratio of the first step 0: the written
// power decides both, as before (a failed evaluation; c = 0 is the Poisson cut after L + 1).
TEST(CheaperRoutes, PowerWeightedPoissonPoleStaysAFault) {
  struct Fall {
    double c;
    bool fehler;
  };
  for (const Fall& f : {Fall{1.5, true}, Fall{0.0, false}}) {
    Parametervektor par{2.0, -1.0, f.c};
    const test::Lauf lauf = test::Auswerten(184, par, {}, 10, 0, 1000);
    EXPECT_EQ(lauf.fehler, f.fehler) << "c=" << f.c;
  }
}

// g_0 = (1 - p)^n, 1 - g_0 and g_1 = n p (1 - p)^(n - 1) of the binomial summand, mpmath at
// mp.dps = 40 from the double n and p: (1-p)**n, 1-(1-p)**n, n*p*(1-p)**(n-1). Long double
// carries about 19 digits; the exponent t = n ln(1 - p) passes its rounding on as |t| 2^-64 of
// relative error, 4e-17 at g_0 = 1e-300 (the written power loses as much).
TEST(CheaperRoutes, BinomialSummandAgainstExtendedPrecision) {
  struct Fall {
    double n, p;
    long double g0, einsMinusG0, g1;
  };
  const Fall faelle[] = {
      {3, 0.35, 0.2746250000000000281442L, 0.7253749999999999718558L, 0.4436250000000000021649L},
      {2.5, 0.1, 0.7684334714209161658267L, 0.2315665285790838341733L, 0.2134537420613656147841L},
      {40, 0.05, 0.1285121565651033482674L, 0.8714878434348966517326L, 0.2705519085581123279509L},
      {1, 0.999, 0.001000000000000000888178L, 0.9989999999999999991118L, 0.9989999999999999991118L},
      {7.25, 1e-9, 0.9999999927500000226562L, 7.24999997734375049119e-9L,
       7.249999954687500570487e-9L},
      {300, 0.9, 9.999999999999333866185e-301L, 1.0L, 2.699999999999820810004e-297L},
  };
  const auto nah = [](long double ist, long double soll) {
    return std::fabs(ist - soll) <= 1e-16L * std::fabs(soll);
  };
  for (const Fall& f : faelle) {
    const members::gestoppt::Summand g = members::summanden::Binomial(f.n, f.p);
    EXPECT_TRUE(nah(g.g0, f.g0)) << "n=" << f.n << " p=" << f.p << " g0";
    EXPECT_TRUE(nah(g.einsMinusG0, f.einsMinusG0)) << "n=" << f.n << " p=" << f.p << " 1 - g0";
    EXPECT_TRUE(nah(g.g1, f.g1)) << "n=" << f.n << " p=" << f.p << " g1";
    EXPECT_EQ(g.hoechstens, static_cast<std::uint32_t>(f.n)) << "n=" << f.n;
  }
}

// Outside 0 < p < 1 the written powers stay: p = 1 puts all mass on n (g_1 = 1 for n = 1, else
// g_0 = g_1 = 0).
TEST(CheaperRoutes, BinomialSummandAtCertainSuccess) {
  struct Fall {
    double n;
    long double g0, g1;
  };
  for (const Fall& f : {Fall{1, 0, 1}, Fall{4, 0, 0}}) {
    const members::gestoppt::Summand g = members::summanden::Binomial(f.n, 1.0);
    EXPECT_EQ(g.g0, f.g0) << "n=" << f.n;
    EXPECT_EQ(g.einsMinusG0, 1.0L) << "n=" << f.n;
    EXPECT_EQ(g.g1, f.g1) << "n=" << f.n;
  }
}

// Member 29's upper Poisson tails from about d = b - a up to the last class below L come from
// T_i = 1 + d/(i + 1) T_(i+1) downwards; below, and where the partial sum has not reached half of
// e^d, the classes come as before. N P(i) by mpmath at mp.dps = 40 (the tail through the
// regularised incomplete gamma function):
//   N*(a/b)*exp(-b)*(b/d)**i*exp(d)*gammainc(i, 0, d, regularized=True), d = b - a.
TEST(CheaperRoutes, TwoRatePoissonTailsAgainstExtendedPrecision) {
  struct Fall {
    double a, b, N;
    std::uint32_t L, i;
    double erwartet;
  };
  const Fall faelle[] = {
      {2.0, 7.5, 1000, 60, 3, 83.424004777572660852},
      {2.0, 7.5, 1000, 60, 6, 109.31181092352316602},
      {2.0, 7.5, 1000, 60, 10, 43.148516647458638501},
      {2.0, 7.5, 1000, 60, 25, 0.00009052237994433477188},
      {2.0, 7.5, 1000, 60, 59, 4.9777581843927471731e-30},
      {1.0, 31.0, 1000, 45, 20, 22.363905363541236815},
      {1.0, 31.0, 1000, 45, 28, 19.828377862824981454},
      {1.0, 31.0, 1000, 45, 30, 16.638830019169360477},
      {1.0, 31.0, 1000, 45, 44, 0.48895382420634157585},
      {0.3, 0.45, 500, 40, 2, 22.637538950035736496},
      {0.3, 0.45, 500, 40, 5, 0.033518352671921820216},
      {0.3, 0.45, 500, 40, 20, 1.0201971407840764387e-23},
      {0.3, 0.45, 500, 40, 39, 3.124501261898892645e-58},
  };
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.b};
    const test::Lauf lauf = test::Auswerten(29, par, {}, f.L, 0, f.N);
    ASSERT_FALSE(lauf.fehler) << f.a << " " << f.b;
    EXPECT_TRUE(Near((*lauf.NP)[f.i], f.erwartet, test::kTight))
        << "a=" << f.a << " b=" << f.b << " i=" << f.i << ": " << (*lauf.NP)[f.i];
  }
}

// Member 106 (and 107) as it formed its classes: the Poisson weights along every sum, which now
// come from a table formed once per evaluation, the same products in the same order: bit for bit
// the same classes, beyond the table's 1024 weights too.
void Frisch106(double a, double b, std::uint32_t L, double N, Erwartungswerte& NP) {
  const long double ea = std::exp(-static_cast<long double>(a));
  const double nenner = static_cast<double>(1 - b * ea);
  NP[0] = N * (1 - b) / nenner;
  for (std::uint32_t j = 1; j < L; ++j) {
    long double w = ea;
    Summe faltung = 0;
    for (std::uint32_t k = 1; k <= j; ++k) {
      w = w * a / k;
      faltung += w * NP[j - k];
    }
    NP[j] = b * static_cast<double>(faltung) / nenner;
  }
}

TEST(CheaperRoutes, GeometricPoissonWeightsFromTheTable) {
  struct Fall {
    double a, b;
    std::uint32_t L;
  };
  const Fall faelle[] = {{1.7, 0.35, 2}, {1.7, 0.35, 30},  {0.4, 0.8, 12},
                         {6.5, 0.1, 60}, {300, 0.5, 1030}, {2.5, 0.95, 1500}};
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.b};
    const test::Lauf lauf = test::Auswerten(106, par, {}, f.L, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.a << " " << f.b << " " << f.L;
    auto alt = std::make_unique<Erwartungswerte>();
    Frisch106(f.a, f.b, f.L, 1000, *alt);
    for (std::uint32_t i = 0; i < f.L; ++i)
      ASSERT_EQ(std::bit_cast<std::uint64_t>((*lauf.NP)[i]),
                std::bit_cast<std::uint64_t>((*alt)[i]))
          << "a=" << f.a << " b=" << f.b << " L=" << f.L << " i=" << i << ": " << (*lauf.NP)[i]
          << " against " << (*alt)[i];
  }
}

// Member 177 judges whether its written product t_x stays an ordinary number from the partial
// products in long double instead of a logarithm per factor, and forms t_x as the product of its
// numerators over x! where no numerator is below 1. Classes from both routes (at L = 2100
// the product for x = 1500 passes e^690, and the class comes from logarithms), N P(x) at
// N = 1000 by mpmath at mp.dps = 40:
//   1000*k*exp(loggamma(k+b*x)-loggamma(x+1)-loggamma(k+b*x-x+1)+x*log(p)+(k+b*x-x)*log(1-p)).
TEST(CheaperRoutes, GeneralizedNegativeBinomialAgainstExtendedPrecision) {
  struct Fall {
    double k, p, beta;
    std::uint32_t L, x;
    double erwartet;
    double rel;
  };
  // The logarithms' route carries the roundings of about x logarithms into the exponent.
  constexpr double kRelLogarithmen = 1e-11;
  const Fall faelle[] = {
      {2.5, 0.3, 1.5, 30, 0, 409.96341300169703476, test::kTight},
      {2.5, 0.3, 1.5, 30, 1, 257.25000000000000272, test::kTight},
      {2.5, 0.3, 1.5, 30, 2, 145.28078448247637825, test::kTight},
      {2.5, 0.3, 1.5, 30, 7, 8.4908459789999986084, test::kTight},
      {2.5, 0.3, 1.5, 30, 20, 0.011239127317974310665, test::kTight},
      {0.7, 0.45, 2.2, 300, 3, 27.149404918934048541, test::kTight},
      {0.7, 0.45, 2.2, 300, 40, 0.66979281337037919194, test::kTight},
      {0.7, 0.45, 2.2, 300, 120, 0.12935891799004352822, test::kTight},
      {0.7, 0.45, 2.2, 300, 250, 0.042629696594789181442, test::kTight},
      {0.7, 0.45, 2.2, 2100, 1500, 0.0025918932436860396901, kRelLogarithmen},
      {0.7, 0.45, 2.2, 2100, 2000, 0.0016081572448142515333, kRelLogarithmen},
      {4.0, 0.2, 1.0, 40, 5, 7.3400320000000016298, test::kTight},
      {4.0, 0.2, 1.0, 40, 25, 4.5025001157427259985e-12, test::kTight},
      // Numerators over x! in long double up to x = 1480; from about x = 1505 on their product
      // could leave the long-double range, and the classes take the written product again.
      {0.7, 0.999, 1.0, 1600, 3, 4.2408795704871484866, test::kTight},
      {0.7, 0.999, 1.0, 1600, 1480, 0.15578299321265415868, test::kTight},
      {0.7, 0.999, 1.0, 1600, 1530, 0.1467123074488412684, test::kTight},
      {3.5, 0.2, 2.5, 80, 60, 6.0964525297433232887e-7, test::kTight},
  };
  for (const Fall& f : faelle) {
    Parametervektor par{f.k, f.p, f.beta};
    const test::Lauf lauf = test::Auswerten(177, par, {}, f.L, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.k << " " << f.p << " " << f.beta;
    EXPECT_TRUE(Near((*lauf.NP)[f.x], f.erwartet, f.rel))
        << "k=" << f.k << " p=" << f.p << " beta=" << f.beta << " x=" << f.x << ": "
        << (*lauf.NP)[f.x];
  }
}

// The hyper-Poisson normaliser stops once it leaves every class below L more than 2^1100 / N
// behind; the values must be the ones of the whole sum on both sides of that point. References
// N a^i / ((b)_i 1F1(1; b; a)) at N = 1000, L = 10, mpmath at mp.dps = 40:
//   1000*a**i/rf(b,i)/hyp1f1(1,b,a)
// (3000, 2990) never reaches the point (its mode is class 11); (780, 1), a Poisson, reaches it
// only after its classes 8 and 9, still subnormal numbers, have kept their digits; (900, 1)
// reaches it at once (its classes are 1e-367 and below, 0 in double).
TEST(CheaperRoutes, HyperPoissonSumStopsOnlyWhereClassesVanish) {
  struct Fall {
    double a, b;
    std::uint32_t i;
    double erwartet, rel;
  };
  // A subnormal number carries only the digits above 2^-1074: about 2^-20 of 6e-318.
  constexpr double kSubnormal = 1e-5;
  const Fall faelle[] = {
      {3000, 2990, 0, 12.286614049987565692, test::kChain},
      {3000, 2990, 4, 12.426857773286916811, test::kChain},
      {3000, 2990, 9, 12.510042876967984277, test::kChain},
      {780, 1, 8, 6.0470061952843083674e-318, kSubnormal},
      {780, 1, 9, 5.2407387025797339184e-316, kSubnormal},
      {900, 1, 9, 0, test::kExact},
  };
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.b};
    const test::Lauf lauf = test::Auswerten(20, par, {}, 10, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.a << " " << f.b;
    EXPECT_TRUE(Near((*lauf.NP)[f.i], f.erwartet, f.rel))
        << "a=" << f.a << " b=" << f.b << " i=" << f.i;
  }
}

// Where the classes vanish the last one holds all of N. The sum counts as divergent when it
// still grows a million terms beyond L + 100: a mode at 2e6 rises past that bound (the fault
// without the sum), one at 1e6 + 50 ends just after it (the whole sum decides, as before), one
// at 9e5 ends well before it (no fault, though the sum stopped early).
TEST(CheaperRoutes, HyperPoissonFarModeKeepsItsFault) {
  struct Fall {
    double a;
    bool fehler;
  };
  for (const Fall& f : {Fall{2e6, true}, Fall{1e6 + 50, true}, Fall{9e5, false}}) {
    Parametervektor par{f.a, 1.0};
    const test::Lauf lauf = test::Auswerten(20, par, {}, 10, 0, 1000);
    EXPECT_EQ(lauf.fehler, f.fehler) << "a=" << f.a;
    if (!f.fehler) {
      for (std::uint32_t i = 0; i < 10; ++i) EXPECT_EQ((*lauf.NP)[i], 0.0) << "i=" << i;
      EXPECT_EQ((*lauf.NP)[10], 1000.0);
    }
  }
}

// Member 113 with m = 0 truncates nothing: where p^k is no normal double its first class is
// log P(0) = k log p instead of a series to the mode. N NB(i; k, p) at N = 1000, k = 1e4,
// p = 0.93 (p^k = 6.8e-316), L = 1000, mpmath at mp.dps = 40 with p the exact double:
//   1000*binomial(k+i-1,i)*p**k*(1-p)**i
// Where the series could not end before its bound (p = 8e-6, k = 70: a mode near 8.6e6 terms)
// it still runs and still fails. Its terms do not fall before (k - 1)(1 - p)/p: at 9.9e6 (p = 0.5)
// the series ends some 40 000 terms later, before its bound of 1e7, and gives classes; from 1e7 on
// it cannot end and fails at once.
TEST(CheaperRoutes, LeftTruncatedNegativeBinomialFromZeroAgainstExtendedPrecision) {
  struct Fall {
    std::uint32_t i;
    double erwartet;
  };
  for (const Fall& f : {Fall{700, 2.5091347753486335885}, Fall{753, 14.017590022238050244},
                        Fall{900, 0.000045011725369557597672}}) {
    Parametervektor par{1e4, 0.93};
    const test::Lauf lauf = test::Auswerten(113, par, {0.0}, 1000, 0, 1000);
    ASSERT_FALSE(lauf.fehler);
    EXPECT_TRUE(Near((*lauf.NP)[f.i], f.erwartet, test::kChain)) << "i=" << f.i;
  }
  struct Rand {
    double k;
    double p;
    bool fehler;
  };
  for (const Rand& r : {Rand{70, 8e-6, true}, Rand{9.9e6 + 1, 0.5, false}, Rand{1e7 + 1, 0.5, true},
                        Rand{1e9, 0.5, true}}) {
    Parametervektor fern{r.k, r.p};
    EXPECT_EQ(test::Auswerten(113, fern, {0.0}, 10, 0, 1000).fehler, r.fehler) << "k=" << r.k;
  }
}

// Gamma-Pascal leaves its alternating sum out where the terms' magnitudes surely exceed the
// result 1e6 times (from x = 44 at a = 6, b = 2.5, c = 1: up to x = 43 the sum is formed and
// judged), and sums its positive form's terms by double exponentials. Classes on both sides, N
// P(x) at N = 1000, L = 80, mpmath at mp.dps = 200 (the sum cancels), shown to 20 digits:
//   1000*(b/(b+c))**a*fsum((-1)**j*binomial(n,j)*((b+c)/(b+c+j))**a for j in range(n+1)), n = x-1
TEST(CheaperRoutes, GammaPascalSkipsOnlyASumThatSurelyCancels) {
  struct Fall {
    std::uint32_t i;
    double erwartet;
  };
  const Fall faelle[] = {{2, 82.827825563281605587},  {9, 27.298855770840419979},
                         {42, 2.6550189226976131679}, {43, 2.5397926568607479624},
                         {44, 2.431508677181341739},  {69, 0.9941619947740402514}};
  for (const Fall& f : faelle) {
    Parametervektor par{6, 2.5};
    const test::Lauf lauf = test::Auswerten(30, par, {1.0}, 80, 1, 1000);
    ASSERT_FALSE(lauf.fehler);
    EXPECT_TRUE(Near((*lauf.NP)[f.i], f.erwartet, test::kTight))
        << "i=" << f.i << ": " << (*lauf.NP)[f.i];
  }
}

// Members 39 and 174 as they formed their classes: the weights along every sum, which now come
// from a table formed once per evaluation, the same products in the same order: bit for bit the
// same classes, beyond the table's 1024 weights too.
void Frisch39(double k, double p, double c, std::uint32_t L, double N, Erwartungswerte& NP) {
  const double pk = std::pow(p, k);
  const double D = 1 - pk * (1 - c);
  RekursionMitRest(NP, L, N, N * c / D, [&](std::uint32_t x, double vorher) {
    double r = k * (1 - p);
    Summe faltung = r * vorher;
    for (std::uint32_t j = 2; j <= x; ++j) {
      const double dj = static_cast<double>(j);
      r = r * (dj + k - 1) * (1 - p) / dj;
      faltung += r * NP[x - j];
    }
    return pk * (1 - c) * static_cast<double>(faltung) / D;
  });
}

void Frisch174(double a, double b, double c, std::uint32_t L, double N, Erwartungswerte& NP) {
  const long double eb = std::exp(-static_cast<long double>(b));
  const auto schritt = [&](std::uint32_t i, double vorher) {
    long double w = eb;
    Summe faltung = w * vorher;
    for (std::uint32_t j = 1; j < i; ++j) {
      w = w * b / j;
      faltung += w * NP[i - 1 - j];
    }
    return static_cast<double>((a * b * faltung + c * vorher) / i);
  };
  const double logP0 = static_cast<double>(a * std::expm1(-static_cast<long double>(b))) - c;
  LineareRekursionMitRest(NP, L, N, std::exp(logP0), logP0, schritt);
}

TEST(CheaperRoutes, ConvolutionWeightsFromTheTable) {
  struct Fall {
    std::uint32_t nummer;
    double a, b, c;
    std::uint32_t L;
  };
  // 174 with a = 1300 starts below the normal range and runs scaled.
  const Fall faelle[] = {{39, 1.5, 0.4, 0.3, 2},     {39, 1.5, 0.4, 0.3, 30},
                         {39, 0.3, 0.02, 0.6, 1500}, {174, 1.2, 0.8, 0.5, 2},
                         {174, 1.2, 0.8, 0.5, 30},   {174, 2.5, 3.5, 40, 1500},
                         {174, 1300, 0.9, 2, 1100}};
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.b, f.c};
    const test::Lauf lauf = test::Auswerten(f.nummer, par, {}, f.L, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.nummer << " " << f.a << " " << f.b << " " << f.c;
    auto alt = std::make_unique<Erwartungswerte>();
    if (f.nummer == 39) {
      Frisch39(f.a, f.b, f.c, f.L, 1000, *alt);
    } else {
      Frisch174(f.a, f.b, f.c, f.L, 1000, *alt);
    }
    for (std::uint32_t i = 0; i < f.L; ++i) {
      // Classes proved below 1e-300 N are left out (CutAtTinyClassesTest).
      if ((*lauf.NP)[i] == 0 && (*alt)[i] < 1e-300 * 1000) continue;
      ASSERT_EQ(std::bit_cast<std::uint64_t>((*lauf.NP)[i]),
                std::bit_cast<std::uint64_t>((*alt)[i]))
          << f.nummer << " L=" << f.L << " i=" << i << ": " << (*lauf.NP)[i] << " against "
          << (*alt)[i];
    }
  }
}

// Members 104 and 105 take their weights a^k/k! from a table too; classes on both sides of its
// end against the compound definition, N P(x) at N = 1000 by mpmath at mp.dps = 40:
//   1000*fsum(r**k/(-k*log(1-r))*exp(-k*a)*(k*a)**x/factorial(x) for k in range(1, 20000))
// (30000 terms give the same digits).
TEST(CheaperRoutes, LogarithmicPoissonWeightsAgainstTheCompoundDefinition) {
  struct Fall {
    std::uint32_t nummer;
    double a, r;
    std::uint32_t x;
    double erwartet;
  };
  // About 1000 steps of the recurrence, each passing on its rounding.
  constexpr double kRelRekursion = 1e-11;
  const Fall faelle[] = {{104, 1.8, 0.999, 3, 46.525334029781663637},
                         {104, 1.8, 0.999, 700, 0.14016357293685514283},
                         {104, 1.8, 0.999, 1050, 0.076927031173137973713},
                         {105, 1, 0.9995, 30, 4.3201534038482506845},
                         {105, 1, 0.9995, 1050, 0.074120941819069554322}};
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.r};
    if (f.nummer == 105) par = {f.r};
    const test::Lauf lauf = test::Auswerten(f.nummer, par, {}, 1100, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.nummer;
    EXPECT_TRUE(Near((*lauf.NP)[f.x], f.erwartet, kRelRekursion))
        << f.nummer << " x=" << f.x << ": " << (*lauf.NP)[f.x];
  }
}

// Member 180 judges whether its binomial coefficient stays an ordinary number from the partial
// products in long double instead of a logarithm per factor; classes on both sides of that bound
// (near x = 498 for a = 2, p = 0.49), N P(x) at N = 1000 by mpmath at mp.dps = 40:
//   1000*binomial((x+1)*a, x)/(x+1)*p**x*(1-p)**((x+1)*a-x)
TEST(CheaperRoutes, LagrangianNegativeBinomialAgainstExtendedPrecision) {
  struct Fall {
    double a, p;
    std::uint32_t L, x;
    double erwartet;
    double rel;
  };
  // The logarithms' route carries the roundings of the exponentials' arguments (about 1000).
  constexpr double kRelLogarithmen = 1e-12;
  const Fall faelle[] = {
      {1.5, 0.3, 30, 0, 585.66201857385289752, test::kShort},
      {1.5, 0.3, 30, 1, 220.49999999999999883, test::kShort},
      {1.5, 0.3, 30, 5, 12.25230299999999851, test::kShort},
      {1.5, 0.3, 30, 20, 0.0038228324210796974446, test::kShort},
      {2, 0.49, 600, 480, 0.045813318008980695384, test::kChain},
      {2, 0.49, 600, 520, 0.040001890943665348053, kRelLogarithmen},
      {2, 0.49, 1600, 1500, 0.0055347771958694065741, kRelLogarithmen},
  };
  for (const Fall& f : faelle) {
    Parametervektor par{f.a, f.p};
    const test::Lauf lauf = test::Auswerten(180, par, {}, f.L, 0, 1000);
    ASSERT_FALSE(lauf.fehler) << f.a << " " << f.p;
    EXPECT_TRUE(Near((*lauf.NP)[f.x], f.erwartet, f.rel))
        << "a=" << f.a << " p=" << f.p << " x=" << f.x << ": " << (*lauf.NP)[f.x];
  }
}

// A factor of the binomial coefficient below 0 (a below 1 lets (x + 1) a - x + 1 fall below 0)
// still takes its logarithm: a failed evaluation, as before.
TEST(CheaperRoutes, LagrangianNegativeBinomialNegativeFactorStaysAFault) {
  Parametervektor par{0.5, 0.3};
  EXPECT_TRUE(test::Auswerten(180, par, {}, 30, 0, 1000).fehler);
}

// The truncated negative binomial members find their largest term by products of the ratios, no
// longer by their logarithms: a p of 0 or less still fails the evaluation through the logarithm
// of p^k, and a valid p keeps its classes (against NB(v; k, p) over its sum on 1..8, mpmath at
// mp.dps = 40: 1000*binomial(k+v-1, v)*p**k*(1-p)**v/S for v = 3, k = 2, p = 0.4).
TEST(CheaperRoutes, DoublyTruncatedNegativeBinomialKeepsItsFaults) {
  struct Fall {
    double p;
    bool fehler;
  };
  for (const Fall& f : {Fall{-0.5, true}, Fall{0, true}, Fall{0.4, false}}) {
    Parametervektor par{2, f.p};
    const test::Lauf lauf = test::Auswerten(114, par, {1, 8}, 8, 1, 1000);
    EXPECT_EQ(lauf.fehler, f.fehler) << "p=" << f.p;
    if (!f.fehler) {
      EXPECT_TRUE(Near((*lauf.NP)[2], 174.18419862882198935, test::kShort)) << (*lauf.NP)[2];
    }
  }
}

}  // namespace
}  // namespace vk
