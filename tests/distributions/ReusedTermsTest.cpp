// SPDX-License-Identifier: GPL-3.0-or-later
// Members whose classes now reuse what an evaluation formed once (a table of Stirling numbers,
// the stopped sums' weights, the weighted Poisson terms of the first pass): each against the
// route it replaced, written out here as it was, which it must match bit for bit, and against
// extended-precision values of the probability function.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>

#include "distributions/Helpers.h"
#include "distributions/members/GewichtetePoisson.h"
#include "distributions/members/Summanden.h"
#include "tests/distributions/MemberCheck.h"

namespace vk {
namespace {

using test::Near;

constexpr double kN = 1000;

::testing::AssertionResult Gleich(double ist, double war) {
  if (std::bit_cast<std::uint64_t>(ist) == std::bit_cast<std::uint64_t>(war))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ist << " is not bit for bit " << war;
}

// Member 146 as it formed class i <= 30: the Stirling numbers of every class afresh.
double Frisch146(double aD, double bD, std::uint32_t i) {
  const long double a = aD, b = bD;
  const long double e = std::exp(-a);
  const long double c = e * b / (1 - e * b);
  const long double faktor = kN * (1 - b) * (1 - b) / (b * (1 - e * b));
  if (i == 0) return static_cast<double>(kN * (b + e * (1 - 2 * b)) / (1 - e * b));
  long double aHochIDurchFak = 1;
  for (std::uint32_t k = 1; k <= i; ++k) aHochIDurchFak *= a / k;
  Summe s = 0;
  long double cHochJ = 1;
  for (std::uint32_t j = 1; j <= i; ++j) {
    cHochJ *= c;
    s += static_cast<long double>(StirlingZweiterArt(i, j)) * Fakultaet(j) * cHochJ;
  }
  return static_cast<double>(faktor * aHochIDurchFak * s);
}

// Member 184 as it formed its classes: the terms of the second pass computed again.
void Frisch184(double aD, double bD, double cD, std::uint32_t L, Erwartungswerte& NP) {
  const long double a = aD, b = bD, c = cD;
  const auto schritt = [&](std::uint32_t i, long double r) {
    return r * members::gewichtetepoisson::PotenzQuote(i + b, c) * a / i;
  };
  const long double start = std::pow(std::fabs(b + 1), -c);
  long double r = start;
  Summe S = r;
  for (std::uint32_t i = 1; i <= L + 1; ++i) {
    r = schritt(i, r);
    S += r;
  }
  r = start;
  for (std::uint32_t j = 0; j < L; ++j) {
    if (j > 0) r = schritt(j, r);
    NP[j] = static_cast<double>(kN * (r / S));
  }
}

// Member 121 (a Poisson number of binomial(n, p) summands) as it formed its classes: the weights
// formed again along every sum.
void Frisch121(double lambda, double n, double p, std::uint32_t L, Erwartungswerte& NP) {
  const members::gestoppt::Summand g = members::summanden::Binomial(n, p);
  const auto verhaeltnis = members::summanden::BinomialVerhaeltnis(n, p);
  NP[0] = static_cast<double>(kN * std::exp(-lambda * g.einsMinusG0));
  for (std::uint32_t x = 1; x < L; ++x) {
    const std::uint32_t bis = std::min(x, g.hoechstens);
    long double w = g.g1;
    Summe s = 0;
    for (std::uint32_t j = 1; j <= bis; ++j) {
      if (j > 1) w *= verhaeltnis(j);
      s += static_cast<long double>(j) * w * NP[x - j];
    }
    NP[x] = static_cast<double>(lambda / static_cast<long double>(x) * s);
  }
}

TEST(ReusedTerms, StirlingTableIsTheTriangle) {
  for (const double a : {0.05, 1.3, 4.75, 12.0}) {
    for (const double b : {0.01, 0.4, 0.93}) {
      for (const std::uint32_t L : {2u, 7u, 30u, 31u, 45u}) {
        Parametervektor par{a, b};
        const test::Lauf lauf = test::Auswerten(146, par, {}, L, 0, kN);
        ASSERT_FALSE(lauf.fehler) << a << " " << b << " " << L;
        for (std::uint32_t i = 0; i < std::min(L, 31u); ++i)
          EXPECT_TRUE(Gleich((*lauf.NP)[i], Frisch146(a, b, i)))
              << "a=" << a << " b=" << b << " L=" << L << " i=" << i;
      }
    }
  }
}

TEST(ReusedTerms, WeightedPoissonSecondPassIsTheFirst) {
  struct Fall {
    double a, b, c;
  };
  const Fall faelle[] = {{2.5, 0.5, 1.5}, {0.3, -0.5, -2}, {9, 3, 0.7}, {40, 0, 1}, {1, 8, -0.25}};
  for (const Fall& f : faelle) {
    for (const std::uint32_t L : {1u, 5u, 30u, 200u}) {
      Parametervektor par{f.a, f.b, f.c};
      const test::Lauf lauf = test::Auswerten(184, par, {}, L, 0, kN);
      ASSERT_FALSE(lauf.fehler) << f.a << " " << f.b << " " << f.c << " " << L;
      auto alt = std::make_unique<Erwartungswerte>();
      Frisch184(f.a, f.b, f.c, L, *alt);
      for (std::uint32_t i = 0; i < L; ++i)
        EXPECT_TRUE(Gleich((*lauf.NP)[i], (*alt)[i]))
            << "a=" << f.a << " b=" << f.b << " c=" << f.c << " L=" << L << " i=" << i;
    }
  }
}

TEST(ReusedTerms, StoppedSumWeightsFromTheTable) {
  struct Fall {
    double lambda, n, p;
  };
  const Fall faelle[] = {{1.7, 3, 0.35}, {0.4, 12, 0.8}, {3, 2.5, 0.1}, {6, 40, 0.05}};
  for (const Fall& f : faelle) {
    for (const std::uint32_t L : {2u, 9u, 30u, 1500u}) {
      Parametervektor par{f.lambda, f.n, f.p};
      const test::Lauf lauf = test::Auswerten(121, par, {}, L, 0, kN);
      ASSERT_FALSE(lauf.fehler) << f.lambda << " " << f.n << " " << f.p << " " << L;
      auto alt = std::make_unique<Erwartungswerte>();
      Frisch121(f.lambda, f.n, f.p, L, *alt);
      for (std::uint32_t i = 0; i < L; ++i)
        EXPECT_TRUE(Gleich((*lauf.NP)[i], (*alt)[i]))
            << "lambda=" << f.lambda << " n=" << f.n << " p=" << f.p << " L=" << L << " i=" << i;
    }
  }
}

// N P(i) at 40 digits (mpmath, mp.dps = 40, the double parameters converted exactly):
//   184: t = [a**i/(factorial(i)*(i+b+1)**c) for i in range(32)]; 1000*t[i]/sum(t),
//        a, b, c = 2.5, 0.5, 1.5, L = 30;
//   146: e = exp(-a); cc = e*b/(1-e*b); 1000*(b+e*(1-2*b))/(1-e*b) for i = 0, otherwise
//        1000*a**i/factorial(i)*(1-b)**2/(b*(1-e*b))*sum(stirling2(i,j)*factorial(j)*cc**j
//        for j in 1..i), a, b = 1.3, 0.4;
//   121: 1000*sum(exp(-l)*l**k/factorial(k)*binomial(3*k,x)*p**x*(1-p)**(3*k-x) for k < 200
//        with 3k >= x), l, p = 1.7, 0.35.
TEST(ReusedTerms, ClassesAgainstExtendedPrecision) {
  struct Fall {
    std::uint32_t nummer;
    Parametervektor par;
    std::uint32_t i;
    double erwartet;
  };
  const Fall faelle[] = {
      {184, {2.5, 0.5, 1.5}, 0, 256.12987544339596738},
      {184, {2.5, 0.5, 1.5}, 3, 128.36514976974824608},
      {184, {2.5, 0.5, 1.5}, 10, 0.031709355881007059367},
      {146, {1.3, 0.4}, 0, 510.11542744518134255},
      {146, {1.3, 0.4}, 5, 28.230007266020457174},
      {146, {1.3, 0.4}, 20, 0.009439483223129738262},
      {121, {1.7, 3, 0.35}, 0, 291.37694686534277206},
      {121, {1.7, 3, 0.35}, 4, 77.618344534198202559},
      {121, {1.7, 3, 0.35}, 9, 1.701517779059208234},
  };
  for (const Fall& f : faelle) {
    Parametervektor par = f.par;
    const test::Lauf lauf = test::Auswerten(f.nummer, par, {}, 30, 0, kN);
    ASSERT_FALSE(lauf.fehler) << f.nummer;
    EXPECT_TRUE(Near((*lauf.NP)[f.i], f.erwartet, test::kTight))
        << "member " << f.nummer << " i=" << f.i;
  }
}

}  // namespace
}  // namespace vk
