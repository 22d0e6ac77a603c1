// SPDX-License-Identifier: GPL-3.0-or-later
// Members 140 to 152: the negative binomial and binomial stopped sums against the power-series
// coefficients of their generating functions, formed here by the logarithm and exponential of
// truncated series; the beta-Poisson stopped sum with a summand mean far beyond L + 100; the
// repairs and the conditions linking parameters (145, 150, 152); estimators on exact data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::Near;
using Reihe = std::vector<long double>;

// ln H and exp F of power series truncated after K terms: (ln H)' = H'/H and (exp F)' = F' exp F
// solved term by term.
Reihe Log(const Reihe& h) {
  Reihe f(h.size());
  f[0] = std::log(h[0]);
  for (std::size_t n = 1; n < h.size(); ++n) {
    long double s = n * h[n];
    for (std::size_t j = 1; j < n; ++j) s -= j * f[j] * h[n - j];
    f[n] = s / (n * h[0]);
  }
  return f;
}
Reihe Exp(const Reihe& f) {
  Reihe e(f.size());
  e[0] = std::exp(f[0]);
  for (std::size_t n = 1; n < f.size(); ++n) {
    long double s = 0;
    for (std::size_t j = 1; j <= n; ++j) s += j * f[j] * e[n - j];
    e[n] = s / n;
  }
  return e;
}

// Coefficients of (c / (1 - (1 - c) g(s)))^k and (1 - pi + pi g(s))^m for a summand series g.
Reihe NegBinVon(long double k, long double c, const Reihe& g) {
  Reihe h(g.size());
  for (std::size_t j = 0; j < g.size(); ++j) h[j] = (j == 0 ? 1 : 0) - (1 - c) * g[j];
  Reihe f = Log(h);
  for (auto& v : f) v *= -k;
  f[0] += k * std::log(c);
  return Exp(f);
}
Reihe BinomialVon(long double m, long double pi, const Reihe& g) {
  Reihe h(g.size());
  for (std::size_t j = 0; j < g.size(); ++j) h[j] = (j == 0 ? 1 - pi : 0) + pi * g[j];
  Reihe f = Log(h);
  for (auto& v : f) v *= m;
  return Exp(f);
}

// Summand series: NB(j; k, p) (k = 1: geometric), logarithmic, binomial.
Reihe NegBinSummand(long double k, long double p, std::size_t K) {
  Reihe g(K);
  g[0] = std::pow(p, k);
  for (std::size_t j = 1; j < K; ++j) g[j] = g[j - 1] * (j + k - 1) * (1 - p) / j;
  return g;
}
Reihe LogSummand(long double t, std::size_t K) {
  Reihe g(K, 0);
  for (std::size_t j = 1; j < K; ++j) g[j] = -std::pow(t, j) / (j * std::log1p(-t));
  return g;
}
Reihe BinomialSummand(std::uint32_t n, long double p, std::size_t K) {
  Reihe g(K, 0);
  for (std::uint32_t j = 0; j <= n && j < K; ++j)
    g[j] = std::exp(test::LogBinomial(n, j) + j * std::log(p) + (n - j) * std::log1p(-p));
  return g;
}

TEST(NegBinCompoundFamily, StoppedSumsAgreeWithTheirGeneratingFunctions) {
  constexpr std::uint32_t L = 40;
  constexpr std::size_t K = L + 1;
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    Reihe P;
  };
  const Fall faelle[] = {
      {"NB of binomials",
       140,
       {2.5, 0.3, 0.4},
       {4},
       NegBinVon(2.5, 0.4, BinomialSummand(4, 0.3, K))},
      {"NB of geometrics",
       141,
       {1.5, 0.35, 0.3},
       {},
       NegBinVon(1.5, 0.3, NegBinSummand(1, 0.35, K))},
      {"NB of logarithmics", 142, {0.7, 0.4, 0.8}, {}, NegBinVon(0.7, 0.4, LogSummand(0.8, K))},
      {"NB of NBs", 148, {3, 0.6, 0.45, 0.55}, {}, NegBinVon(3, 0.45, NegBinSummand(0.6, 0.55, K))},
      {"binomial of NBs",
       149,
       {2.2, 0.6, 0.4},
       {5},
       BinomialVon(5, 0.6, NegBinSummand(2.2, 0.4, K))},
  };
  for (const Fall& c : faelle)
    test::MitReferenzVergleichen(c.name, c.nummer, c.par, c.fest, 1000, L, 0, Letzte::kRest,
                                 [&](std::uint32_t i) { return static_cast<double>(c.P[i]); });
}

// b = 1 makes the summand Poisson(c U) with U uniform: g_0 = (1 - e^-c)/c, g_j = P(Po(c) > j)/c.
// With c = 400 the alternating series of g_0 would need far more than L + 101 terms.
TEST(NegBinCompoundFamily, BetaPoissonSummandsWithAMeanBeyondTheSeriesCut) {
  const double a = 1.5, c = 400;
  test::MitReferenzVergleichen("beta-Poisson, b = 1", 143, {a, c}, {1}, 1000, 10, 0, Letzte::kRest,
                               [&](std::uint32_t x) {
                                 // Only the classes x <= 10 are read: P(x) = sum_r Po(r; a)
                                 // g^(*r)(x) with g_j = (1 - sum_(i<=j) Po(i; c))/c, all summands
                                 // at most 10.
                                 std::vector<long double> g(11);
                                 long double po = std::exp(-400.0L), kum = 0;
                                 for (std::uint32_t j = 0; j <= 10; ++j) {
                                   if (j > 0) po *= c / j;
                                   kum += po;
                                   g[j] = (1 - kum) / c;
                                 }
                                 std::vector<long double> f(11, 0), P(11, 0);
                                 f[0] = 1;
                                 long double w = std::exp(-static_cast<long double>(a));
                                 for (std::uint32_t r = 0; r < 60; ++r) {
                                   if (r > 0) w *= a / r;
                                   for (std::uint32_t y = 0; y <= 10; ++y) P[y] += w * f[y];
                                   std::vector<long double> neu(11, 0);
                                   for (std::uint32_t y = 0; y <= 10; ++y)
                                     for (std::uint32_t j = 0; j <= y; ++j)
                                       neu[y] += g[j] * f[y - j];
                                   f = neu;
                                 }
                                 return static_cast<double>(P[x]);
                               });
}

// The member's own repairs, without the catalog's domain bits in front of them.
TEST(NegBinCompoundFamily, RepairsAndLinkedConditions) {
  const auto hyper = [](double M, double K, double n) {
    return [=](std::uint32_t x) {
      if (x > K || x > n || n - x > M - K) return 0.0;
      return std::exp(test::LogBinomial(K, x) + test::LogBinomial(M - K, n - x) -
                      test::LogBinomial(M, n));
    };
  };
  {
    // K = 0.4 uses K = 1; then K < n exchanges them for the computation: a sample of 1 from 20
    // with 5 marked, the same law as 5 from 20 with 1 marked. The vector keeps K = 1 (the fixed n
    // cannot take the exchange), so that it evaluates to these classes again.
    auto r = test::Auswerten1(145, {20, 0.4}, {5}, 6);
    EXPECT_FALSE(r.fehler);
    EXPECT_EQ(r.par[0], 20);
    EXPECT_EQ(r.par[1], 1);
    test::MitReferenzVergleichen("145 exchanged", 145, {20, 0.4}, {5}, 1000, 6, 0, Letzte::kRest,
                                 hyper(20, 5, 1));
  }
  {
    // n = 5 and M' = 4: M' = n + K + 1.
    auto r = test::Auswerten1(145, {4, 7}, {5}, 6);
    EXPECT_FALSE(r.fehler);
    EXPECT_EQ(r.par[0], 13);
    EXPECT_EQ(r.par[1], 7);
    test::MitReferenzVergleichen("145 population raised", 145, {4, 7}, {5}, 1000, 6, 0,
                                 Letzte::kRest, hyper(13, 7, 5));
  }
  // More marked items than the population: a failed evaluation.
  EXPECT_TRUE(test::Auswerten1(145, {12, 15}, {5}, 6).fehler);
  {
    // a = 1, b = 2: b is capped at 4a^2/(a + 1)^2 - 0.01 = 0.99 and written back.
    auto r = test::Auswerten1(152, {1, 2}, {}, 12);
    EXPECT_FALSE(r.fehler);
    EXPECT_DOUBLE_EQ(r.par[1], 0.99);
    test::MitReferenzVergleichen(
        "152 capped", 152, {1, 2}, {}, 1000, 12, 0, Letzte::kRest, [](std::uint32_t i) {
          const auto po = [](int j) { return j < 0 ? 0.0 : std::exp(-1.0 - std::lgamma(j + 1.0)); };
          const int x = static_cast<int>(i);
          return po(x) - 0.99 * po(x - 1) + (x >= 2 ? 0.99 * po(x - 2) : 0);
        });
  }
  // a + b = 0 leaves p = b/(a + b) undefined.
  EXPECT_TRUE(test::Auswerten1(150, {1, -1}, {}, 10, 1).fehler);
  EXPECT_TRUE(test::Auswerten1(150, {0, 0}, {}, 10, 1).fehler);
  EXPECT_FALSE(test::Auswerten1(150, {0.4, 0.6}, {}, 10, 1).fehler);
  // 144 exchanges a > b in the caller's vector.
  EXPECT_EQ(test::Auswerten1(144, {0.8, 0.6}, {}, 10, 1).par[0], 0.6);
}

TEST(NegBinCompoundFamily, EstimatesOnExactData) {
  const auto geometrisch = [](double q, double w) {
    return [=](double x) { return x == 0 ? 1 - w : w * (1 - q) * std::pow(q, x - 1); };
  };
  const auto aus = [](const Reihe& P) {
    return [P](double x) { return static_cast<double>(P[static_cast<std::size_t>(x)]); };
  };
  const auto nbBin = NegBinVon(2, 0.5, BinomialSummand(3, 0.3, 201));
  const auto binNb = BinomialVon(4, 0.4, NegBinSummand(1.5, 0.5, 201));
  const test::SlotFall faelle[] = {
      {"zero-modified geometric",
       147,
       {},
       0,
       200,
       geometrisch(0.6, 0.7),
       Letzte::kRest,
       {{0, 0.6}, {1, 0.7}, {50, 0.6}, {100, 0.6}}},
      // The factorial moments of the stopped sums give back their three parameters.
      {"NB of binomials",
       140,
       {3},
       0,
       200,
       aus(nbBin),
       Letzte::kRest,
       {{0, 2}, {1, 0.3}, {2, 0.5}}},
      {"binomial of NBs",
       149,
       {4},
       0,
       200,
       aus(binNb),
       Letzte::kRest,
       {{0, 1.5}, {1, 0.4}, {2, 0.5}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

}  // namespace
}  // namespace vk
